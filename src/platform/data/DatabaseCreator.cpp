#include "platform/data/DatabaseCreator.h"

#include "platform/data/DataError.h"

#include <QFile>

#include <ibase.h>

namespace {

QString EngineMessage(const ISC_STATUS* status) {
    QString text;
    const ISC_STATUS* p = status;
    char buffer[1024];
    while (fb_interpret(buffer, sizeof buffer, &p) > 0) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QString::fromLocal8Bit(buffer);
    }
    return text;
}

QByteArray Quoted(const QByteArray& text) {
    QByteArray out = text;
    out.replace('\'', "''");
    return '\'' + out + '\'';
}

} // namespace

QString ConnectionString(const ConnectionTarget& target) {
    if (target.host.isEmpty())
        return target.database;
    return QStringLiteral("%1/%2:%3").arg(target.host).arg(target.port).arg(target.database);
}

void CreateEmptyDatabase(const ConnectionTarget& target) {
    Connection::useOwnLockFolder();
    QByteArray sql = "CREATE DATABASE " + Quoted(QFile::encodeName(ConnectionString(target)));
    if (!target.user.isEmpty())
        sql += " USER " + Quoted(target.user.toUtf8());
    if (!target.password.isEmpty())
        sql += " PASSWORD " + Quoted(target.password.toUtf8());
    sql += " PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1250";

    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), SQL_DIALECT_V6, nullptr)) {
        const QString message = EngineMessage(status);
        throw DataError(message, static_cast<int>(isc_sqlcode(status)));
    }
    isc_detach_database(status, &db);
}

void DropDatabase(const ConnectionTarget& target) {
    Connection::useOwnLockFolder();
    const QByteArray path = QFile::encodeName(ConnectionString(target));
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    auto add = [&dpb](char tag, const QByteArray& value) {
        dpb.append(tag);
        dpb.append(char(value.size()));
        dpb.append(value);
    };
    if (!target.user.isEmpty())
        add(char(isc_dpb_user_name), target.user.toUtf8());
    if (!target.password.isEmpty())
        add(char(isc_dpb_password), target.password.toUtf8());

    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    if (isc_attach_database(status, 0, path.constData(), &db, short(dpb.size()), dpb.constData()) ||
        isc_drop_database(status, &db))
        throw DataError(EngineMessage(status), static_cast<int>(isc_sqlcode(status)));
}
