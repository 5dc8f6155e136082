// Start-up against the database: configuration file, connection, the version check and the stepwise
// upgrade, with small fixture scripts in place of the real ones.

#include "app/Startup.h"
#include "app/TdmfDbUpGrade.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

namespace {

// A version-1 fixture: db_ver and the years table that the 6 -> 7 pre-check reads.
const char* const kBase = R"(
CREATE TABLE db_ver (metadata INTEGER, metadata_d INTEGER);
INSERT INTO db_ver VALUES (1, 1);
CREATE TABLE lata (rok_id INTEGER NOT NULL PRIMARY KEY, rok_nazwa INTEGER NOT NULL);
INSERT INTO lata VALUES (1001, 2011);
CREATE TABLE kroki (k_wersja INTEGER NOT NULL);
)";

// Each step creates a table, records itself and sets the version: three statements that would fail
// if run twice.
UpgradeScripts FixtureScripts() {
    UpgradeScripts scripts;
    for (int from = 1; from <= 6; ++from)
        scripts.texts << QStringLiteral("-- step %1\n"
                                        "CREATE TABLE t%2 (x INTEGER NOT NULL PRIMARY KEY);\n"
                                        "INSERT INTO t%2 VALUES (%1);\n"
                                        "INSERT INTO kroki VALUES (%1);\n"
                                        "UPDATE db_ver SET metadata = %2, metadata_d = %2;\n")
                             .arg(from)
                             .arg(from + 1);
    return scripts;
}

const QString kQuestion =
    QStringLiteral("question|Decyzja|Ta wersja aplikacji wymaga bazy danych w wersji 7. "
                   "Aktualna wersja bazy danych to %1. Czy zaktualizować bazę danych?");
const QString kWrongVersion = QStringLiteral(
    "warning|Ostrzeżenie|Aplikacja zostanie zamknięta ze względu na nieodpowiednią wersję bazy danych.");
const QString kClosingAfterFailure =
    QStringLiteral("warning|Ostrzeżenie|Aplikacja zostanie zamknięta po błędzie aktulizacji bazy danych.");
const QString kUpgraded = QStringLiteral(
    "information|Komunikat|Baza danych została zaktualizowana poprawnie. Aktualna wersja to 7.");

void WriteIni(const QString& path, const QString& database) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[database]\nembedded=YES\ndatabase=%1\nuser=SYSDBA\n").arg(database).toUtf8());
}

QStringList StepsRun(TestDatabase& db) {
    QStringList steps;
    QSqlQuery q = db.connection().run(QStringLiteral("SELECT k_wersja FROM kroki ORDER BY k_wersja"));
    while (q.next())
        steps << q.value(0).toString();
    return steps;
}

} // namespace

class TestUpgrade : public QObject {
    Q_OBJECT
private slots:
    void versionCheck_data();
    void versionCheck();
    void versionZeroCannotBeUpgraded();
    void preCheckRefusesYear2011Under1002();
    void failedStepCanRunAgain_data();
    void failedStepCanRunAgain();
    void scriptThatDoesNotSetTheVersionFails();
    void missingConfigurationFile();
    void badDatabasePath();
    void startsOnAValidDatabase();
};

void TestUpgrade::versionCheck_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("stepsRun");

    QTest::newRow("7: nothing shown") << 7 << true << true << QStringList{} << QStringList{};
    QTest::newRow("8: ends without a question")
        << 8 << true << false << QStringList{kWrongVersion} << QStringList{};
    QTest::newRow("3, declined") << 3 << false << false << QStringList{kQuestion.arg(3), kWrongVersion}
                                 << QStringList{};
    QTest::newRow("3, accepted: steps 3 to 6 in order")
        << 3 << true << true << QStringList{kQuestion.arg(3), kUpgraded} << QStringList{"3", "4", "5", "6"};
    QTest::newRow("1, accepted: all six steps")
        << 1 << true << true << QStringList{kQuestion.arg(1), kUpgraded}
        << QStringList{"1", "2", "3", "4", "5", "6"};
}

void TestUpgrade::versionCheck() {
    QFETCH(int, version);
    QFETCH(bool, answer);
    QFETCH(bool, goesOn);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, stepsRun);

    TestDatabase db;
    db.create(QString::fromUtf8(kBase));
    // Bring the fixture to the wanted version by running the earlier fixture steps.
    const UpgradeScripts scripts = FixtureScripts();
    ScriptedMessages quiet;
    if (version > 1 && version <= 7)
        QVERIFY(TdmfDbUpGrade(db.connection(), quiet, scripts).Run(1, version));
    db.connection().execute(QStringLiteral("UPDATE db_ver SET metadata = %1").arg(version));
    db.connection().execute(QStringLiteral("DELETE FROM kroki"));

    TdmfDB module;
    module.cnMain.open(db.target());
    db.disconnect();
    ScriptedMessages shown;
    shown.answers = {answer};
    QCOMPARE(CheckSchemaVersion(module, shown, &scripts), goesOn);
    QCOMPARE(shown.log(), messages);
    module.cnMain.close();
    QCOMPARE(StepsRun(db), stepsRun);
}

void TestUpgrade::versionZeroCannotBeUpgraded() {
    TestDatabase db;
    db.create(QString::fromUtf8(kBase));
    db.connection().execute(QStringLiteral("DELETE FROM db_ver"));
    TdmfDB module;
    module.cnMain.open(db.target());
    db.disconnect();
    ScriptedMessages shown;
    const UpgradeScripts scripts = FixtureScripts();
    QVERIFY(!CheckSchemaVersion(module, shown, &scripts));
    QCOMPARE(shown.log(), (QStringList{kQuestion.arg(0), kClosingAfterFailure}));
}

void TestUpgrade::preCheckRefusesYear2011Under1002() {
    TestDatabase db;
    db.create(QString::fromUtf8(kBase));
    ScriptedMessages shown;
    TdmfDbUpGrade upgrade(db.connection(), shown, FixtureScripts());
    QVERIFY(upgrade.Run(1, 6));
    db.connection().execute(QStringLiteral("UPDATE lata SET rok_id = 1002 WHERE rok_nazwa = 2011"));
    QVERIFY(upgrade.PreCheck());
    QVERIFY(!upgrade.Run(6));
    QCOMPARE(shown.log(), QStringList{"error|Błąd|Błąd aktualizacji bazy danych (6 -> 7): "
                                      "W tabeli lata istnieje rok 2011 o id równym 1002."});
    QCOMPARE(db.scalar(QStringLiteral("SELECT metadata FROM db_ver")), 6);
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM kroki WHERE k_wersja = 6")), 0);
}

void TestUpgrade::failedStepCanRunAgain_data() {
    QTest::addColumn<int>("failingStep");
    for (int from = 1; from <= 6; ++from)
        QTest::newRow(qPrintable(QStringLiteral("%1 -> %2").arg(from).arg(from + 1))) << from;
}

void TestUpgrade::failedStepCanRunAgain() {
    QFETCH(int, failingStep);
    TestDatabase db;
    db.create(QString::fromUtf8(kBase));
    const UpgradeScripts scripts = FixtureScripts();
    {
        // The step breaks down in its middle: at its third statement, after its table was created.
        ScriptedMessages shown;
        TdmfDbUpGrade upgrade(db.connection(), shown, scripts);
        upgrade.beforeStatement = [failingStep](int from, int index, const QString&) {
            if (from == failingStep && index == 2)
                throw DataError(QStringLiteral("przerwano"));
        };
        QVERIFY(!upgrade.Run(1));
        QCOMPARE(shown.log(),
                 QStringList{QStringLiteral("error|Błąd|Błąd aktualizacji bazy danych (%1 -> %2): przerwano")
                                 .arg(failingStep)
                                 .arg(failingStep + 1)});
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT metadata FROM db_ver")), failingStep);

    // The next start asks again with the version reached and goes on to 7.
    TdmfDB module;
    module.cnMain.open(db.target());
    db.disconnect();
    ScriptedMessages shown;
    QVERIFY(CheckSchemaVersion(module, shown, &scripts));
    QCOMPARE(shown.log(), (QStringList{kQuestion.arg(failingStep), kUpgraded}));
    module.cnMain.close();
    QCOMPARE(StepsRun(db), (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM db_ver_krok")), 0);
}

void TestUpgrade::scriptThatDoesNotSetTheVersionFails() {
    TestDatabase db;
    db.create(QString::fromUtf8(kBase));
    UpgradeScripts scripts = FixtureScripts();
    scripts.texts[0] = QString(); // not compiled in
    ScriptedMessages shown;
    QVERIFY(!TdmfDbUpGrade(db.connection(), shown, scripts).Run(1));
    QCOMPARE(shown.shown.size(), 1);
    QVERIFY(shown.shown.first().text.startsWith(QStringLiteral("Błąd aktualizacji bazy danych (1 -> 2): ")));
    QCOMPARE(db.scalar(QStringLiteral("SELECT metadata FROM db_ver")), 1);
}

void TestUpgrade::missingConfigurationFile() {
    QTemporaryDir dir;
    const StartupPaths paths = StartupPaths::ForExecutable(dir.path() + QStringLiteral("/ostoja"));
    QCOMPARE(paths.configFile, dir.path() + QStringLiteral("/ostoja.ini"));
    ScriptedMessages shown;
    QVERIFY(!CreateDatabaseModule(paths, shown));
    QCOMPARE(shown.log(),
             QStringList{"error|Błąd|Nie odnaleziono pliku konfiguracyjnego aplikacji: " + paths.configFile});
}

void TestUpgrade::badDatabasePath() {
    QTemporaryDir dir;
    const StartupPaths paths = StartupPaths::ForExecutable(dir.path() + QStringLiteral("/ostoja"));
    WriteIni(paths.configFile, QStringLiteral("${APP_DIR}nie-ma.fdb"));
    ScriptedMessages shown;
    QVERIFY(!CreateDatabaseModule(paths, shown));
    QCOMPARE(shown.shown.size(), 1);
    const QString text = shown.shown.first().text;
    QVERIFY2(
        text.startsWith(QStringLiteral("Połączenie do bazy danych nie powiodło się. \nAplikacja zostanie "
                                       "zamknięta. \nSzczegóły błędu: \n")),
        qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("nie-ma.fdb")), qPrintable(text));
}

void TestUpgrade::startsOnAValidDatabase() {
    TestDatabase db;
    db.create(QString::fromUtf8(kBase));
    db.connection().execute(QStringLiteral("UPDATE db_ver SET metadata = 7"));
    db.disconnect();
    const StartupPaths paths = StartupPaths::ForExecutable(db.folder() + QStringLiteral("prog"));
    WriteIni(paths.configFile, QStringLiteral(" ${app_dir}test.fdb "));
    ScriptedMessages shown;
    auto module = CreateDatabaseModule(paths, shown);
    QVERIFY(module);
    QVERIFY(shown.shown.isEmpty());
    QCOMPARE(module->ReadSchemaVersion(), 7);
    QCOMPARE(&MainConnection(), &module->cnMain);
    module.reset();
    QVERIFY_THROWS_EXCEPTION(DataError, MainConnection());
}

QTEST_GUILESS_MAIN(TestUpgrade)
#include "tst_Upgrade.moc"
