#pragma once

#include <QString>
#include <QVariant>

class Connection;

// The count of a "SELECT COUNT(*) … WHERE … = ?" for one key.
int CountRows(Connection& connection, const QString& sql, const QVariant& key);
