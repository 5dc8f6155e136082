#include "platform/data/ScriptRunner.h"

#include "platform/data/SqlScript.h"

void ScriptRunner::run(const QStringList& statements, int from) {
    for (int i = from; i < statements.size(); ++i) {
        const QString& statement = statements.at(i);
        try {
            if (beforeStatement)
                beforeStatement(i, statement);
            connection_.beginTransaction();
            connection_.execute(statement);
            if (withinStatement)
                withinStatement(i);
            connection_.commit();
        } catch (const DataError& e) {
            if (connection_.inTransaction())
                connection_.rollback();
            throw ScriptError(e, i, statement);
        }
    }
}

void ScriptRunner::runText(const QString& scriptText) {
    run(SplitSqlScript(scriptText));
}
