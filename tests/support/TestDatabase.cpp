#include "support/TestDatabase.h"

#include "app/BaseDatabase.h"
#include "platform/data/DatabaseCreator.h"
#include "platform/data/ScriptRunner.h"

#include <QAtomicInt>

namespace {
QAtomicInt counter;
}

TestDatabase::TestDatabase() : path_(dir_.path() + QStringLiteral("/test.fdb")) {}

TestDatabase::~TestDatabase() {
    disconnect();
}

ConnectionTarget TestDatabase::target() const {
    ConnectionTarget t;
    t.database = path_;
    t.user = QStringLiteral("SYSDBA");
    return t;
}

void TestDatabase::create(const QString& script) {
    CreateEmptyDatabase(target());
    if (!script.isEmpty())
        ScriptRunner(connection()).runText(script);
}

void TestDatabase::createBase() {
    CreateBaseDatabase(target());
}

Connection& TestDatabase::connection() {
    if (!connection_) {
        connection_ =
            std::make_unique<Connection>(QStringLiteral("test-%1").arg(counter.fetchAndAddRelaxed(1)));
        connection_->open(target());
        SetMainConnection(connection_.get());
    }
    return *connection_;
}

void TestDatabase::disconnect() {
    if (!connection_)
        return;
    SetMainConnection(nullptr);
    connection_.reset();
}

int TestDatabase::scalar(const QString& sql) {
    return connection().selectValue(sql).toInt();
}
