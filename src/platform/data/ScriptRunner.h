#pragma once

#include "platform/data/Connection.h"
#include "platform/data/DataError.h"

#include <QStringList>

#include <functional>

// A statement of a script that the engine refused.
class ScriptError : public DataError {
public:
    ScriptError(const DataError& cause, int index, const QString& statement)
        : DataError(cause.message(), cause.sqlCode()), index_(index), statement_(statement) {}
    int index() const { return index_; }
    const QString& statement() const { return statement_; }

private:
    int index_;
    QString statement_;
};

// Runs the statements of a script in order on one connection, each in a transaction of its own that
// commits as soon as the statement completes. A failing statement stops the run: it is rolled back,
// the statements before it stay committed.
class ScriptRunner {
public:
    explicit ScriptRunner(Connection& connection) : connection_(connection) {}

    // Called before each statement (index within the whole script).
    std::function<void(int index, const QString& statement)> beforeStatement;
    // Called after each statement inside its transaction, so what it writes commits with the statement.
    std::function<void(int index)> withinStatement;

    // Runs statements[from..]; throws ScriptError.
    void run(const QStringList& statements, int from = 0);
    void runText(const QString& scriptText);

private:
    Connection& connection_;
};
