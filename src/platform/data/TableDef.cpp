#include "platform/data/TableDef.h"

#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "platform/data/SqlParams.h"

QStringList TableDef::writtenColumns() const {
    QStringList list = columns;
    if (!list.contains(key, Qt::CaseInsensitive))
        list.prepend(key);
    return list;
}

QString TableDef::generatorName() const {
    return generator.isEmpty() ? QStringLiteral("g_") + table : generator;
}

QString TableDef::insertSql() const {
    const QStringList names = writtenColumns();
    QStringList values;
    for (const QString& c : names)
        values << QLatin1Char(':') + c;
    return QStringLiteral("INSERT INTO %1 (%2)\nVALUES (%3)")
        .arg(table, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

QString TableDef::modifySql() const {
    QStringList assignments;
    for (const QString& c : writtenColumns())
        assignments << QStringLiteral("%1 = :%1").arg(c);
    return QStringLiteral("UPDATE %1 SET %2\nWHERE %3 = :OLD_%3")
        .arg(table, assignments.join(QStringLiteral(", ")), key);
}

QString TableDef::deleteSql() const {
    return QStringLiteral("DELETE FROM %1 WHERE %2 = :OLD_%2").arg(table, key);
}

void ApplyTableDef(Query& query, const TableDef& def) {
    CheckIdentifier(def.table);
    CheckIdentifier(def.generatorName());
    for (const QString& c : def.writtenColumns())
        CheckIdentifier(c);
    query.setInsertSql(def.insertSql());
    query.setModifySql(def.modifySql());
    query.setDeleteSql(def.deleteSql());
    const QString key = def.key;
    const QString generator = def.generatorName();
    query.afterInsert +=
        [key, generator](Query& q) { q.fieldByName(key).setValue(q.connection().nextKey(generator)); };
}
