#include "entities/PermitQuery.h"

#include "forms/DataHelpers.h"
#include "platform/data/TableDef.h"

#include <QDate>

void SetUpPermitQuery(Query& query, const PermitQueryDef& def) {
    const QString p = def.prefix;
    auto col = [&p](const char* suffix) { return p + QLatin1String(suffix); };
    const QString key = col("_id");
    const QString pdm = col("_pdm_id");
    const QString dataWyd = col("_data_wyd");

    query.setSql(def.select);
    query.setParam(QStringLiteral("pdm_id"), QVariant());

    TableDef table{def.table,
                   key,
                   {pdm, col("_numer"), dataWyd, col("_organ_wyd"), col("_term_obow_0"), col("_term_obow_1")},
                   {}};
    table.columns << def.extraColumns;
    ApplyTableDef(query, table);

    query.field(col("_numer")).setLabel(QStringLiteral("Nr")).setSize(40).setRequired();
    query.field(dataWyd).setLabel(QStringLiteral("Data wyd.")).setRequired();
    query.field(col("_organ_wyd")).setLabel(QStringLiteral("Organ wyd.")).setSize(128).setRequired();
    query.field(col("_term_obow_0")).setLabel(QStringLiteral("Data obow. od")).setRequired();
    query.field(col("_term_obow_1")).setLabel(QStringLiteral("Data obow. do")).setRequired();
    query.field(key).setLabel(QStringLiteral("Nr sys.")).setReadOnly();
    query.field(pdm).setVisible(false).setReadOnly();

    WireRecordErrors(query, def.genitive, def.nominative);

    const bool today = def.issuedToday;
    query.afterInsert += [pdm, dataWyd, today](Query& q) {
        q.fieldByName(pdm).setValue(q.param(QStringLiteral("pdm_id")));
        if (today)
            q.fieldByName(dataWyd).setValue(QDate::currentDate());
    };
}

void SetPermitEntity(Query& query, int pdmId) {
    query.setParam(QStringLiteral("pdm_id"), pdmId);
    if (query.isActive()) {
        // The acts of another entity: read afresh from the first one.
        query.close();
        query.open();
    }
}
