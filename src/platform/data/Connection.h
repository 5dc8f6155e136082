#pragma once

#include "platform/data/DataError.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

class QSqlError;
class QSqlQuery;

// Where the connection leads: an embedded file (empty host) or a database on a server.
struct ConnectionTarget {
    QString host;
    int port = 3050;
    QString database;
    QString user;
    QString password;
};

// The one connection of the program. Auto-commit: every statement runs in a transaction of its own
// (snapshot isolation) that commits when it completes, unless the caller opens an explicit one.
class Connection {
public:
    explicit Connection(const QString& name = QStringLiteral("cnMain"));
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Throws DataError with the driver's message when the engine refuses the connection.
    void open(const ConnectionTarget& target);
    void close();
    bool isOpen() const;

    QSqlDatabase database() const;

    // Runs one statement (no parameters) and throws DataError on failure.
    void execute(const QString& sql);
    // Runs a query and returns the first column of its first row (null when there is none).
    QVariant selectValue(const QString& sql);
    // Runs a prepared statement with positional values; throws DataError on failure.
    QSqlQuery run(const QString& sql, const QVariantList& values = {});

    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }

    // The generator's next value, one step at a time: every new row's key.
    int nextKey(const QString& generator);

    // Work that is done whole or not at all. Joins a transaction the caller already has open (the
    // outermost one commits); otherwise begins one, and rolls it back unless `commit` was reached.
    class Transaction {
    public:
        explicit Transaction(Connection& connection);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Connection& connection_;
        bool own_;
        bool done_ = false;
    };

    // The engine keeps its lock files in a folder shared by all users unless told otherwise;
    // a folder of the user's own avoids "permission denied" when another user created the shared one.
    static void useOwnLockFolder();

private:
    QString name_;
    bool inTransaction_ = false;
};

// Builds a DataError from a failed driver call.
DataError MakeDataError(const QSqlError& error);

// The program's one connection (cnMain of the database module), for modules and helpers that run
// their queries on it. Throws DataError when none is set.
Connection& MainConnection();
void SetMainConnection(Connection* connection);
