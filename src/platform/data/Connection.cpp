#include "platform/data/Connection.h"

#include "platform/data/DataError.h"
#include "platform/data/SqlParams.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdlib>
#include <unistd.h>

DataError MakeDataError(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    // The database holds WIN1250 text: say plainly what the engine refuses in its own terms.
    if (code == SqlCode::StringTruncation) {
        if (text.contains(QLatin1String("transliterate"), Qt::CaseInsensitive))
            text = QStringLiteral("Tekst zawiera znak, którego baza danych nie może przechować (dozwolone są "
                                  "znaki strony kodowej Windows-1250, w tym wszystkie polskie litery).\n"
                                  "Szczegóły błędu:\n") +
                   text;
        else if (text.contains(QLatin1String("truncation"), Qt::CaseInsensitive))
            text =
                QStringLiteral("Tekst jest dłuższy, niż pozwala pole w bazie danych.\nSzczegóły błędu:\n") +
                text;
    }
    return DataError(text, ok ? code : 0);
}

Connection::Connection(const QString& name) : name_(name) {}

Connection::~Connection() {
    close();
    if (QSqlDatabase::contains(name_))
        QSqlDatabase::removeDatabase(name_);
}

void Connection::useOwnLockFolder() {
    if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
        return;
    const QString folder = QDir::tempPath() + QStringLiteral("/ostoja-firebird-%1").arg(getuid());
    QDir().mkpath(folder);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
}

void Connection::open(const ConnectionTarget& target) {
    useOwnLockFolder();
    close();
    QSqlDatabase db = QSqlDatabase::contains(name_)
                          ? QSqlDatabase::database(name_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), name_);
    db.setHostName(target.host);
    if (!target.host.isEmpty())
        db.setPort(target.port);
    db.setDatabaseName(target.database);
    db.setUserName(target.user);
    db.setPassword(target.password);
    if (!db.open())
        throw MakeDataError(db.lastError());
}

void Connection::close() {
    if (!QSqlDatabase::contains(name_))
        return;
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (db.isOpen()) {
        if (inTransaction_)
            db.rollback();
        inTransaction_ = false;
        db.close();
    }
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase Connection::database() const {
    if (!QSqlDatabase::contains(name_))
        throw DataError(QStringLiteral("Brak połączenia z bazą danych."));
    return QSqlDatabase::database(name_, false);
}

QSqlQuery Connection::run(const QString& sql, const QVariantList& values) {
    QSqlQuery q(database());
    q.setForwardOnly(true);
    QVariantList bound = values;
    if (!q.prepare(InlineNulls(sql, bound)))
        throw MakeDataError(q.lastError());
    for (const QVariant& v : bound)
        q.addBindValue(v);
    if (!q.exec())
        throw MakeDataError(q.lastError());
    return q;
}

void Connection::execute(const QString& sql) {
    QSqlQuery q(database());
    if (!q.exec(sql))
        throw MakeDataError(q.lastError());
}

QVariant Connection::selectValue(const QString& sql) {
    QSqlQuery q = run(sql);
    return q.next() ? q.value(0) : QVariant();
}

void Connection::beginTransaction() {
    QSqlDatabase db = database();
    if (!db.transaction())
        throw MakeDataError(db.lastError());
    inTransaction_ = true;
}

void Connection::commit() {
    QSqlDatabase db = database();
    inTransaction_ = false;
    if (!db.commit()) {
        const DataError error = MakeDataError(db.lastError());
        db.rollback(); // work refused at commit time must not stay pending
        throw error;
    }
}

void Connection::rollback() {
    QSqlDatabase db = database();
    inTransaction_ = false;
    if (!db.rollback())
        throw MakeDataError(db.lastError());
}

int Connection::nextKey(const QString& generator) {
    CheckIdentifier(generator);
    // The statement as the engine's tools show it, without the terminator a prepared one refuses.
    QString sql = QString::asprintf("SELECT GEN_ID( %s, %u ) retID FROM RDB$DATABASE;",
                                    generator.toUtf8().constData(), 1u);
    sql.chop(1);
    return selectValue(sql).toInt();
}

Connection::Transaction::Transaction(Connection& connection)
    : connection_(connection), own_(!connection.inTransaction()) {
    if (own_)
        connection_.beginTransaction();
}

Connection::Transaction::~Transaction() {
    if (own_ && !done_ && connection_.inTransaction()) {
        try {
            connection_.rollback();
        } catch (const DataError&) {
            // Nothing more can be undone; the failure that brought us here is the one to report.
        }
    }
}

void Connection::Transaction::commit() {
    done_ = true;
    if (own_)
        connection_.commit();
}

namespace {
Connection* mainConnection = nullptr;
}

Connection& MainConnection() {
    if (!mainConnection)
        throw DataError(QStringLiteral("Brak połączenia z bazą danych."));
    return *mainConnection;
}

void SetMainConnection(Connection* connection) {
    mainConnection = connection;
}
