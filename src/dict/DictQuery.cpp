#include "dict/DictQuery.h"

#include "forms/DataHelpers.h"
#include "platform/Decimal.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/TableDef.h"

#include <QStringList>

#include <algorithm>

namespace {

QString ActiveCondition(const QString& flag) {
    return QStringLiteral("(%1 = :f_aktualny_1) OR (%1 = :f_aktualny_2)").arg(flag);
}

void Declare(Query& query, const DictColumn& column, bool readOnly) {
    Field& f = query.field(column.name);
    if (!column.label.isEmpty())
        f.setLabel(column.label);
    if (column.size > 0)
        f.setSize(column.size);
    if (!column.format.isEmpty())
        f.setDisplayFormat(column.format);
    f.setRequired(column.required);
    f.setReadOnly(readOnly || column.readOnly);
}

} // namespace

void SetUpDictQuery(Query& query, Connection& connection, const DictQueryDef& def) {
    const QString key = def.prefix + QStringLiteral("_id");
    const QString flag = def.prefix + QStringLiteral("_f_aktualny");
    const QString lp = def.prefix + QStringLiteral("_lp");
    const bool readOnly = def.access == DictAccess::ReadOnly;

    QList<DictColumn> own;
    own << DictColumn{key, def.keyLabel, 0, true, {}, true};
    own << def.columns;
    own << DictColumn{flag, QStringLiteral("Aktualny"), 0, true, {}, false};
    own << DictColumn{lp, QStringLiteral("Lp."), 0, false, {}, false};

    // --- the list
    QStringList select{def.table + QStringLiteral(".*")};
    for (const DictColumn& c : def.joined)
        select << c.name;
    QStringList sql{QStringLiteral("SELECT ") + select.join(QStringLiteral(", ")),
                    QStringLiteral("FROM ") + def.table};
    if (!def.joins.isEmpty())
        sql << def.joins;
    if (def.condition.isEmpty())
        sql << QStringLiteral("WHERE ") + ActiveCondition(flag);
    else
        sql << QStringLiteral("WHERE (%1) AND (%2)").arg(def.condition, ActiveCondition(flag));
    if (!def.orderBy.isEmpty())
        sql << QStringLiteral("ORDER BY ") + def.orderBy;
    query.setSql(sql);
    query.setParam(QStringLiteral("f_aktualny_1"), 1);
    query.setParam(QStringLiteral("f_aktualny_2"), 1);

    // --- fields
    for (const DictColumn& c : own)
        Declare(query, c, readOnly);
    // Columns of the joined tables are shown only: never written, so never required.
    for (DictColumn c : def.joined) {
        c.required = false;
        Declare(query, c, true);
    }
    query.addCalculatedField(QStringLiteral("clc_f_aktualny"), FieldType::String, 1)
        .setLabel(QStringLiteral("Aktualny"))
        .setReadOnly();
    query.onCalcFields += [flag](Query& q) {
        q.fieldByName(QStringLiteral("clc_f_aktualny"))
            .setValue(FlagText(q.fieldByName(flag).asInteger() != 0));
    };

    if (!def.genitive.isEmpty())
        WireRecordErrors(query, def.genitive, def.nominative);

    if (readOnly) {
        // Nothing is written through a list that is only read or picked from.
        query.beforeInsert += [](Query&) { Abort(); };
        query.beforeEdit += [](Query&) { Abort(); };
        query.beforeDelete += [](Query&) { Abort(); };
        return;
    }

    // --- writing: every column of the table itself, the row found by its key as read
    TableDef table{def.table, key, {}, {}};
    for (const DictColumn& c : own)
        table.columns << c.name;

    ApplyTableDef(query, table);
    if (def.access == DictAccess::Editable) {
        Connection* cn = &connection;
        const QString name = def.table;
        query.afterInsert += [cn, lp, flag, name](Query& q) {
            q.fieldByName(lp).setValue(NextLp(*cn, lp, name, 10));
            q.fieldByName(flag).setValue(1);
        };
    } else {
        // Rates and templates come with the upgrade scripts; users only correct them.
        query.beforeInsert += [](Query&) { Abort(); };
        if (def.access == DictAccess::NoAddNoDelete)
            query.beforeDelete += [](Query&) { Abort(); };
    }
}

void AddCalcField(Query& query, const QString& name, FieldType type, int size, const QString& label,
                  std::function<QVariant(const Query&)> compute) {
    query.addCalculatedField(name, type, size).setLabel(label).setReadOnly();
    query.onCalcFields += [name, compute](Query& q) { q.fieldByName(name).setValue(compute(q)); };
}

void SetRateDecimalsByCode(Query& query, const QString& amountField, const QString& codeField,
                           std::function<int(const QString& code)> decimals) {
    Field& amount = query.field(amountField);
    amount.onGetText = [codeField, decimals](const Field& f) -> QString {
        if (f.isNull())
            return {};
        const int n = decimals(f.dataSet().fieldByName(codeField).asString().trimmed());
        return FormatNumber(f.asFloat(),
                            QStringLiteral("0.") + QString(n, QLatin1Char('0')) + QLatin1Char(','));
    };
    amount.onSetText = [codeField, decimals](Field& f, const QString& text) {
        const int n = decimals(f.dataSet().fieldByName(codeField).asString().trimmed());
        // An emptied rate is 0, never an empty value; a typed tie goes to the even neighbour.
        const std::optional<Decimal> value = IsBlank(text) ? Decimal() : Decimal::fromText(text);
        if (!value)
            throw DataError(QStringLiteral("„%1” nie jest liczbą (pole „%2”).").arg(text, f.label()));
        f.setValue(value->rounded(n, Rounding::TiesToEven).toVariant());
    };
}
