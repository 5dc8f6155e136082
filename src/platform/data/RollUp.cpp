#include "platform/data/RollUp.h"

#include "platform/Decimal.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "platform/data/SqlParams.h"

#include <QPointer>
#include <QSqlQuery>

#include <memory>

namespace {

// A total written in the transaction, shown in its list once the transaction is through.
struct NewTotal {
    QPointer<Query> list;
    QString key, total;
    QVariant keyValue, value;
};

QVariant FirstValue(Connection& cn, const QString& sql, const QVariantList& values) {
    QSqlQuery q = cn.run(sql, values);
    return q.next() ? q.value(0) : QVariant();
}

QVariant LevelTotal(Connection& cn, const RollUpLevel& level, const QString& detailTable,
                    const QVariant& key) {
    if (level.totalSql.isEmpty())
        return FirstValue(cn,
                          QStringLiteral("SELECT COALESCE(SUM(%1), 0) FROM %2 WHERE %3 = ?")
                              .arg(level.amount, detailTable, level.link),
                          {key});
    const PositionalSql ps = ToPositional(level.totalSql);
    QVariantList values;
    for (int i = 0; i < ps.names.size(); ++i)
        values << key;
    const QVariant total = FirstValue(cn, ps.sql, values);
    return total.isNull() ? QVariant(0) : total;
}

} // namespace

void AttachRollUp(Query& detail, const QString& detailTable, const QList<RollUpLevel>& levels) {
    CheckIdentifier(detailTable);
    for (const RollUpLevel& l : levels)
        for (const QString& name : {l.table, l.key, l.total, l.link})
            CheckIdentifier(name);

    auto written = std::make_shared<QList<NewTotal>>();
    detail.afterWrite += [detailTable, levels, written](Query& q) {
        written->clear();
        Connection& cn = q.connection();
        QVariant key = q.fieldByName(levels.first().link).value();
        QString below = detailTable;
        for (int i = 0; i < levels.size() && !key.isNull(); ++i) {
            const RollUpLevel& level = levels.at(i);
            const QVariant total = Decimal::fromVariant(LevelTotal(cn, level, below, key)).toVariant();
            cn.run(
                QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?").arg(level.table, level.total, level.key),
                {total, key});
            written->append({level.list, level.key, level.total, key, total});
            if (i + 1 < levels.size())
                key = FirstValue(cn,
                                 QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                     .arg(levels.at(i + 1).link, level.table, level.key),
                                 {key});
            below = level.table;
        }
    };
    auto show = [written](Query&) {
        for (const NewTotal& t : *written)
            if (t.list && t.list->isActive())
                t.list->setStoredValue(t.key, t.keyValue, t.total, t.value);
        written->clear();
    };
    detail.afterPost += show;
    detail.afterDelete += show;
}
