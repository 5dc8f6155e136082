#include "app/TdmfDB.h"

#include <QSqlQuery>

TdmfDB* dmfDB = nullptr;

ConnectionTarget TargetOf(const TRConProp& properties) {
    ConnectionTarget target;
    // The embedded engine is reached through a plain file path, without host and port.
    target.host = properties.embedded ? QString() : properties.host;
    bool ok = false;
    const int port = properties.port.trimmed().toInt(&ok);
    target.port = ok ? port : 3050;
    target.database = properties.database;
    target.user = properties.user;
    target.password = properties.password;
    return target;
}

void TdmfDB::Connect(const TRConProp& properties) {
    cnMain.open(TargetOf(properties));
}

int ReadSchemaVersion(Connection& connection) {
    QSqlQuery q = connection.run(QStringLiteral("SELECT metadata FROM db_ver"));
    return q.next() ? q.value(0).toInt() : 0;
}

int TdmfDB::ReadSchemaVersion() {
    return ::ReadSchemaVersion(cnMain);
}
