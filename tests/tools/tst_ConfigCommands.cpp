#include "platform/crypto/ConfigCipher.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs ostoja-admin with the given words, feeding input to its standard input.
Run Admin(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    p.start(QStringLiteral(OSTOJA_ADMIN_PATH), args);
    if (!p.waitForStarted()) {
        return {};
    }
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_ConfigCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void encryptPasswordTakesStandardInput_data();
    void encryptPasswordTakesStandardInput();
    void encryptPasswordRefusals_data();
    void encryptPasswordRefusals();
    void encryptedPasswordReadsBack();
    void writeIniThenShowConfig_data();
    void writeIniThenShowConfig();
    void writeIniArgumentFaults_data();
    void writeIniArgumentFaults();
    void failedWriteKeepsExistingFile();
    void showConfigFaults();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ConfigCommands::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_ConfigCommands::encryptPasswordTakesStandardInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("password");

    QTest::newRow("no line end") << QByteArray("Zażółć1") << QStringLiteral("Zażółć1");
    QTest::newRow("one line end removed") << QByteArray("Zażółć1\n") << QStringLiteral("Zażółć1");
    QTest::newRow("CRLF removed") << QByteArray("tajne\r\n") << QStringLiteral("tajne");
    QTest::newRow("only one line end removed") << QByteArray("tajne\n\n") << QStringLiteral("tajne\n");
    QTest::newRow("blanks kept") << QByteArray(" tajne \n") << QStringLiteral(" tajne ");
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_ConfigCommands::encryptPasswordTakesStandardInput() {
    QFETCH(QByteArray, input);
    QFETCH(QString, password);

    const Run r = Admin({QStringLiteral("encrypt-password")}, input);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, EncipherPassword(password) + u'\n');
}

void tst_ConfigCommands::encryptPasswordRefusals_data() {
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("extra argument") << QStringList{QStringLiteral("tajne")} << QByteArray() << 2
                                    << QStringLiteral("Nieoczekiwany argument: tajne");
    QTest::newRow("character outside cp1250")
        << QStringList() << QByteArray("has\xD0\x9Eo") << 1
        << QStringLiteral("Hasło zawiera znak „О” (U+041E), którego nie ma w stronie kodowej Windows-1250.");
    QTest::newRow("not UTF-8") << QStringList() << QByteArray("has\xB3o") << 1
                               << QStringLiteral(
                                      "Hasło na standardowym wejściu nie jest poprawnym tekstem UTF-8.");
}

void tst_ConfigCommands::encryptPasswordRefusals() {
    QFETCH(QStringList, extra);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const Run r = Admin(QStringList{QStringLiteral("encrypt-password")} + extra, input);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith(message + u'\n'), qPrintable(r.err));
}

void tst_ConfigCommands::encryptedPasswordReadsBack() {
    const Run enc = Admin({QStringLiteral("encrypt-password")}, QByteArray("Zażółć1"));
    QCOMPARE(enc.exitCode, 0);

    const QString ini = m_dir->filePath(QStringLiteral("ostoja.ini"));
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[database]\nembedded=YES\ndatabase=${APP_DIR}arvo.fdb\npassword=" + enc.out.toLatin1());
    f.close();

    const Run show = Admin({QStringLiteral("show-config"), ini, QStringLiteral("--reveal")});
    QCOMPARE(show.exitCode, 0);
    QVERIFY2(show.out.endsWith(QStringLiteral("\npassword: Zażółć1\n")), qPrintable(show.out));
}

void tst_ConfigCommands::writeIniThenShowConfig_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("reveal");
    QTest::addColumn<QString>("shown"); // "<DIR>" stands for the folder of the file

    QTest::newRow("embedded, macro expanded, password masked")
        << QStringList{QStringLiteral("--embedded"), QStringLiteral("--database"),
                       QStringLiteral("${APP_DIR}arvo.fdb"), QStringLiteral("--user"),
                       QStringLiteral("SYSDBA")}
        << QStringList()
        << QStringLiteral("embedded: tak\nhost: \nport: 3050\ndatabase: <DIR>/arvo.fdb\nuser: SYSDBA\n"
                          "password: ********\n");
    QTest::newRow("embedded ignores the host and port written")
        << QStringList{QStringLiteral("--host"),       QStringLiteral("serwer"),
                       QStringLiteral("--port"),       QStringLiteral("3051"),
                       QStringLiteral("--embedded"),   QStringLiteral("--database"),
                       QStringLiteral("dane/arvo.fdb")}
        << QStringList{QStringLiteral("--reveal")}
        << QStringLiteral("embedded: tak\nhost: \nport: 3050\ndatabase: dane/arvo.fdb\nuser: SYSDBA\n"
                          "password: Zażółć1\n");
    QTest::newRow("server with every option")
        << QStringList{QStringLiteral("--host"),     QStringLiteral("db.urzad.local"),
                       QStringLiteral("--port"),     QStringLiteral("3051"),
                       QStringLiteral("--database"), QStringLiteral("/srv/Opłaty.fdb"),
                       QStringLiteral("--user"),     QStringLiteral("jan")}
        << QStringList{QStringLiteral("--reveal")}
        << QStringLiteral(
               "embedded: nie\nhost: db.urzad.local\nport: 3051\ndatabase: /srv/Opłaty.fdb\nuser: jan\n"
               "password: Zażółć1\n");
    QTest::newRow("server defaults")
        << QStringList{QStringLiteral("--database"), QStringLiteral("/srv/arvo.fdb")} << QStringList()
        << QStringLiteral(
               "embedded: nie\nhost: localhost\nport: 3050\ndatabase: /srv/arvo.fdb\nuser: SYSDBA\n"
               "password: ********\n");
}

void tst_ConfigCommands::writeIniThenShowConfig() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, reveal);
    QFETCH(QString, shown);

    const QString ini = m_dir->filePath(QStringLiteral("ostoja.ini"));
    const Run write = Admin(QStringList{QStringLiteral("write-ini"), ini} + options, QByteArray("Zażółć1\n"));
    QCOMPARE(write.exitCode, 0);
    QVERIFY2(write.err.isEmpty(), qPrintable(write.err));

    const Run show = Admin(QStringList{QStringLiteral("show-config"), ini} + reveal);
    QCOMPARE(show.exitCode, 0);
    QCOMPARE(show.out, shown.replace(QStringLiteral("<DIR>"), m_dir->path()));
}

void tst_ConfigCommands::writeIniArgumentFaults_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    const QString ini = QStringLiteral("<INI>");
    const QString db = QStringLiteral("--database");
    QTest::newRow("unknown option") << QStringList{ini, db, QStringLiteral("a.fdb"), QStringLiteral("--hots"),
                                                   QStringLiteral("x")}
                                    << QStringLiteral("Nieznana opcja: --hots");
    QTest::newRow("value missing at the end")
        << QStringList{ini, db, QStringLiteral("a.fdb"), QStringLiteral("--user")}
        << QStringLiteral("Brak wartości opcji --user.");
    QTest::newRow("value missing before an option")
        << QStringList{ini, QStringLiteral("--host"), QStringLiteral("--embedded"), db,
                       QStringLiteral("a.fdb")}
        << QStringLiteral("Brak wartości opcji --host.");
    QTest::newRow("database missing") << QStringList{ini, QStringLiteral("--embedded")}
                                      << QStringLiteral("Nie podano ścieżki bazy danych (opcja --database).");
    QTest::newRow("port not a number")
        << QStringList{ini, db, QStringLiteral("a.fdb"), QStringLiteral("--port"), QStringLiteral("30x")}
        << QStringLiteral("Port musi być liczbą od 1 do 65535: 30x");
    QTest::newRow("port out of range")
        << QStringList{ini, db, QStringLiteral("a.fdb"), QStringLiteral("--port"), QStringLiteral("70000")}
        << QStringLiteral("Port musi być liczbą od 1 do 65535: 70000");
    QTest::newRow("path missing") << QStringList{db, QStringLiteral("a.fdb")}
                                  << QStringLiteral("Nie podano ścieżki pliku konfiguracyjnego.");
    QTest::newRow("second path") << QStringList{ini, QStringLiteral("drugi.ini"), db, QStringLiteral("a.fdb")}
                                 << QStringLiteral("Nieoczekiwany argument: drugi.ini");
    QTest::newRow("option twice") << QStringList{ini, db, QStringLiteral("a.fdb"), db,
                                                 QStringLiteral("b.fdb")}
                                  << QStringLiteral("Opcja --database podana więcej niż raz.");
    QTest::newRow("line end in a value would add a key")
        << QStringList{ini, db, QStringLiteral("a.fdb\nembedded=YES")}
        << QStringLiteral("Wartość opcji --database nie może zawierać znaku końca wiersza.");
}

void tst_ConfigCommands::writeIniArgumentFaults() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);

    const QString ini = m_dir->filePath(QStringLiteral("ostoja.ini"));
    args.replaceInStrings(QStringLiteral("<INI>"), ini);
    const Run r = Admin(QStringList{QStringLiteral("write-ini")} + args, QByteArray("tajne"));
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.startsWith(message + QStringLiteral("\nUżycie: ostoja-admin write-ini ")),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(ini));
}

void tst_ConfigCommands::failedWriteKeepsExistingFile() {
    const QString ini = m_dir->filePath(QStringLiteral("ostoja.ini"));
    const QStringList args{QStringLiteral("write-ini"), ini, QStringLiteral("--database"),
                           QStringLiteral("a.fdb")};
    QCOMPARE(Admin(args, QByteArray("stare")).exitCode, 0);
    const QByteArray before = ReadAll(ini);
    QVERIFY(before.contains("database=a.fdb\n"));

    const Run refused = Admin(args, QByteArray("nowe\xE2\x82\xBD")); // the rouble sign has no cp1250 byte
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(ReadAll(ini), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("ostoja.ini")});

    const Run noFolder =
        Admin({QStringLiteral("write-ini"), m_dir->filePath(QStringLiteral("brak/ostoja.ini")),
               QStringLiteral("--database"), QStringLiteral("a.fdb")},
              QByteArray("tajne"));
    QCOMPARE(noFolder.exitCode, 1);
    QVERIFY2(noFolder.err.startsWith(QStringLiteral("Nie można zapisać pliku konfiguracyjnego ")),
             qPrintable(noFolder.err));
}

void tst_ConfigCommands::showConfigFaults() {
    const QString missing = m_dir->filePath(QStringLiteral("brak.ini"));
    const Run r = Admin({QStringLiteral("show-config"), missing});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("Nie odnaleziono pliku konfiguracyjnego aplikacji: ") + missing + u'\n');

    const Run folder = Admin({QStringLiteral("show-config"), m_dir->path()});
    QCOMPARE(folder.exitCode, 1);

    const Run unknown = Admin({QStringLiteral("show-config"), missing, QStringLiteral("--pokaz")});
    QCOMPARE(unknown.exitCode, 2);
    QVERIFY(unknown.err.startsWith(QStringLiteral("Nieznana opcja: --pokaz\n")));

    const Run none = Admin({QStringLiteral("show-config")});
    QCOMPARE(none.exitCode, 2);
}

QTEST_GUILESS_MAIN(tst_ConfigCommands)
#include "tst_ConfigCommands.moc"
