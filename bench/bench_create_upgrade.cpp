// Creating the base database and upgrading it to version 7 through the program, against isql-fb
// running the same statements, each committed on its own. Prints the best of three runs of each and
// their ratio.

#include "app/BaseDatabase.h"
#include "app/TdmfDbUpGrade.h"
#include "app/UpgradeScripts.h"
#include "platform/data/SqlScript.h"
#include "support/ScriptedMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

qint64 ThroughProgram(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    ConnectionTarget target;
    target.database = path;
    target.user = QStringLiteral("SYSDBA");
    CreateBaseDatabase(target);
    Connection connection(QStringLiteral("bench"));
    connection.open(target);
    ScriptedMessages messages;
    if (!TdmfDbUpGrade(connection, messages).Run(1))
        qFatal("upgrade failed: %s", qPrintable(messages.log().join('\n')));
    return timer.elapsed();
}

QByteArray IsqlScript(const QString& path) {
    QString text =
        QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' DEFAULT CHARACTER SET WIN1250;\n").arg(path);
    QStringList scripts = BaseScripts();
    scripts << UpgradeScripts::FromResources().texts.toList();
    for (const QString& script : scripts)
        for (const QString& statement : SplitSqlScript(script))
            text += statement + QStringLiteral(";\nCOMMIT;\n");
    return text.toUtf8();
}

qint64 ThroughIsql(const QString& path) {
    const QByteArray script = IsqlScript(path);
    QElapsedTimer timer;
    timer.start();
    QProcess isql;
    isql.start(QStringLiteral("isql-fb"), {"-q", "-bail", "-ch", "UTF8", "-user", "SYSDBA"});
    isql.write(script);
    isql.closeWriteChannel();
    isql.waitForFinished(-1);
    if (isql.exitCode() != 0)
        qFatal("isql-fb failed: %s", isql.readAllStandardError().constData());
    return timer.elapsed();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Connection::useOwnLockFolder();
    QTemporaryDir dir;
    qint64 program = std::numeric_limits<qint64>::max(), isql = program;
    for (int run = 0; run < 3; ++run) {
        program = std::min(program, ThroughProgram(dir.filePath(QStringLiteral("p%1.fdb").arg(run))));
        isql = std::min(isql, ThroughIsql(dir.filePath(QStringLiteral("i%1.fdb").arg(run))));
    }
    QTextStream(stdout) << "create-db + upgrade to 7 (program): " << program << " ms\n"
                        << "same statements through isql-fb:    " << isql << " ms\n"
                        << "ratio program / isql-fb:            "
                        << QString::number(double(program) / isql, 'f', 2) << "\n";
    return 0;
}
