#pragma once

#include "platform/data/Query.h"

#include <QString>

class Connection;

// One table of administrative acts issued to an entity (water-law permits, gas and dust permits,
// waste decisions) and how its query lists and writes it. Every such table has the columns
// `<prefix>_id`, `<prefix>_pdm_id`, `<prefix>_numer`, `<prefix>_data_wyd`, `<prefix>_organ_wyd`,
// `<prefix>_term_obow_0` and `<prefix>_term_obow_1`; `extraColumns` lists further own columns.
struct PermitQueryDef {
    QString table;
    QString prefix;
    QStringList extraColumns;
    QString select; // the whole statement, with the parameter :pdm_id
    QString genitive;
    QString nominative;
    // The date of issue of a new act is today (otherwise empty until the user enters it).
    bool issuedToday = false;
};

// Sets up the query of the acts of one entity: SQL, writes of the table's own columns by the old key,
// labels and required fields, the new-row defaults (key from `g_<table>`, the entity of the
// parameter, today as the date of issue when asked) and the error messages.
void SetUpPermitQuery(Query& query, const PermitQueryDef& def);

// Sets the entity whose acts the query lists; an open query reads them again.
void SetPermitEntity(Query& query, int pdmId);
