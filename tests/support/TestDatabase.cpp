#include "support/TestDatabase.h"

#include "app/BaseDatabase.h"
#include "platform/data/DatabaseCreator.h"
#include "platform/data/ScriptRunner.h"

#include "app/TdmfDbUpGrade.h"
#include "app/UpgradeScripts.h"
#include "support/ScriptedMessages.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>

namespace {

QAtomicInt counter;

// Templates live beside each other under a name that changes with the scripts, so a changed script
// never serves an old database.
QString TemplatePath(int version) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& text : BaseScripts())
        hash.addData(text.toUtf8());
    for (const QString& text : UpgradeScripts::FromResources().texts)
        hash.addData(text.toUtf8());
    const QString folder = QDir::tempPath() + QStringLiteral("/ostoja-test-templates");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/%1-v%2.fdb")
                        .arg(QString::fromLatin1(hash.result().toHex().left(16)))
                        .arg(version);
}

void BuildTemplate(const QString& path, int version) {
    const QString building = path + QStringLiteral(".part");
    QFile::remove(building);
    ConnectionTarget target;
    target.database = building;
    target.user = QStringLiteral("SYSDBA");
    CreateBaseDatabase(target);
    if (version > 1) {
        Connection connection(QStringLiteral("template-%1").arg(counter.fetchAndAddRelaxed(1)));
        connection.open(target);
        ScriptedMessages messages;
        if (!TdmfDbUpGrade(connection, messages).Run(1, version))
            throw DataError(messages.log().join(QLatin1Char('\n')));
    }
    if (!QFile::rename(building, path))
        throw DataError(QStringLiteral("cannot store the template ") + path);
}

} // namespace

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

void TestDatabase::createAtVersion(int version) {
    const QString path = TemplatePath(version);
    {
        // Test programs run side by side: one builds, the others wait for it.
        QLockFile lock(path + QStringLiteral(".lock"));
        lock.setStaleLockTime(0);
        lock.lock();
        if (!QFile::exists(path))
            BuildTemplate(path, version);
    }
    disconnect();
    QFile::remove(path_);
    if (!QFile::copy(path, path_))
        throw DataError(QStringLiteral("cannot copy the template ") + path);
    QFile(path_).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
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
