// Start-up of the program on a version-7 database: from starting `ostoja` to the main window shown
// and the user signed in (the splash pause skipped), best of five runs. The companion tool reading the
// schema version — a process start and a connection — is measured alongside as the reference.

#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <algorithm>

namespace {

qint64 BestOf(int runs, const QString& program, const QStringList& arguments) {
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        best = std::min(best, timer.elapsed());
    }
    return best;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    TestDatabase db;
    db.createAtVersion(7);
    db.disconnect();

    // The program reads its configuration next to itself: a copy of it beside the database.
    const QString program = db.folder() + QStringLiteral("ostoja");
    QFile::copy(QStringLiteral(OSTOJA_PROGRAM_PATH), program);
    QProcess writeIni;
    writeIni.start(QStringLiteral(OSTOJA_ADMIN_PATH), {"write-ini", db.folder() + "ostoja.ini", "--embedded",
                                                       "--database", db.path(), "--user", "SYSDBA"});
    writeIni.write("masterkey");
    writeIni.closeWriteChannel();
    if (!writeIni.waitForFinished() || writeIni.exitCode() != 0)
        qFatal("write-ini failed: %s", writeIni.readAllStandardError().constData());

    const qint64 reference = BestOf(5, QStringLiteral(OSTOJA_ADMIN_PATH), {"version", db.path()});
    const qint64 startup = BestOf(5, program, {"--no-splash-pause", "--quit-when-ready"});
    QTextStream(stdout) << "start-up to the signed-in main window: " << startup << " ms (aim: < 1000 ms)\n"
                        << "reference (ostoja-admin version): " << reference << " ms\n";
    return 0;
}
