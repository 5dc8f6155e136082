#include "water/WaterCommon.h"

#include "platform/data/Connection.h"

#include <QSqlQuery>

int CountRows(Connection& connection, const QString& sql, const QVariant& key) {
    QSqlQuery q = connection.run(sql, {key});
    return q.next() ? q.value(0).toInt() : 0;
}
