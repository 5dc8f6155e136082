#pragma once

#include "platform/data/Query.h"

#include <QList>
#include <QString>

#include <functional>

class Connection;

// What users may do with the rows of a dictionary.
enum class DictAccess {
    Editable,      // add, change, delete
    NoAdd,         // change, delete; a new row is silently refused
    NoAddNoDelete, // change only (rates and templates loaded by the upgrade scripts)
    ReadOnly       // listed and picked only
};

// One column as the program shows it.
struct DictColumn {
    QString name;
    QString label;
    int size = 0; // characters of a text column
    bool required = false;
    QString format; // display format
    bool readOnly = false;
};

// A dictionary table and how its query lists and writes it. The key `<prefix>_id`, the active flag
// `<prefix>_f_aktualny` and the ordinal `<prefix>_lp` are added to the columns by SetUpDictQuery.
struct DictQueryDef {
    QString table;
    QString prefix;
    QString keyLabel = QStringLiteral("Nr sys.");
    QList<DictColumn> columns; // the table's other columns
    QString joins;             // "LEFT JOIN lata ON rok_id = spw_rok_id"
    QList<DictColumn> joined;  // columns taken from the joined tables (never written)
    QString condition;         // further condition, joined to the active-flag one with AND
    QString orderBy;
    DictAccess access = DictAccess::Editable;
    QString genitive;   // record name in "Nie można usunąć … ponieważ jest w użyciu"
    QString nominative; // record name in "… o takim kluczu już istnieje."
};

// Sets up a query over one dictionary: SQL, update statements, fields, the flag text
// `clc_f_aktualny`, the new-row defaults (key, ordinal + 10, active) and the error messages.
// Active rows only until the caller chooses another filter.
void SetUpDictQuery(Query& query, Connection& connection, const DictQueryDef& def);

// A calculated field computed from the row after the query's own calculated fields.
void AddCalcField(Query& query, const QString& name, FieldType type, int size, const QString& label,
                  std::function<QVariant(const Query&)> compute);

// Rates whose number of decimals depends on the row's code: shown as "0.<decimals zeros>," and
// read back from typed text rounded to that many decimals (ties to even); an empty entry stores 0.
void SetRateDecimalsByCode(Query& query, const QString& amountField, const QString& codeField,
                           std::function<int(const QString& code)> decimals);
