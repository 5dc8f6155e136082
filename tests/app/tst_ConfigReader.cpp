#include "app/ConfigReader.h"

#include "platform/crypto/ConfigCipher.h"

#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

class tst_ConfigReader : public QObject {
    Q_OBJECT

private slots:
    void readsConnectionProperties_data();
    void readsConnectionProperties();
    void unreadableFileThrows_data();
    void unreadableFileThrows();

private:
    QTemporaryDir m_dir;
};

void tst_ConfigReader::readsConnectionProperties_data() {
    QTest::addColumn<QByteArray>("ini"); // "<PWD>" stands for the enciphered "Tajne hasło"
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("embedded");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");

    const QString folder = QStringLiteral("/opt/ostoja/");
    const QString secret = QStringLiteral("Tajne hasło");

    QTest::newRow("embedded in small letters with blanks ignores host and port")
        << QByteArray("[database]\nembedded= yes \nhost=serwer\nport=3051\ndatabase=arvo.fdb\nuser=SYSDBA\n"
                      "password=<PWD>\n")
        << folder << true << QString() << QStringLiteral("3050") << QStringLiteral("arvo.fdb")
        << QStringLiteral("SYSDBA") << secret;
    QTest::newRow("server mode")
        << QByteArray("[database]\nembedded=NO\nhost= db.urzad.local \nport= 3051 \ndatabase=/srv/arvo.fdb\n"
                      "user= ostoja \npassword= <PWD> \n")
        << folder << false << QStringLiteral("db.urzad.local") << QStringLiteral("3051")
        << QStringLiteral("/srv/arvo.fdb") << QStringLiteral("ostoja") << secret;
    QTest::newRow("anything but YES is server mode")
        << QByteArray("[database]\nembedded=Y\nhost=h\nport=1\npassword=<PWD>\n") << folder << false
        << QStringLiteral("h") << QStringLiteral("1") << QStringLiteral("arvo.fdb")
        << QStringLiteral("sysdba") << secret;
    QTest::newRow("macro in small letters with blanks around")
        << QByteArray("[database]\ndatabase=  ${app_dir}dane\\arvo.fdb  \npassword=<PWD>\n")
        << QStringLiteral("C:\\Prog\\") << false << QString() << QString()
        << QStringLiteral("C:\\Prog\\dane\\arvo.fdb") << QStringLiteral("sysdba") << secret;
    QTest::newRow("macro at every occurrence in any letter case")
        << QByteArray("[database]\ndatabase=${APP_DIR}a|${App_Dir}b|${app_DIR}\npassword=<PWD>\n") << folder
        << false << QString() << QString() << QStringLiteral("/opt/ostoja/a|/opt/ostoja/b|/opt/ostoja/")
        << QStringLiteral("sysdba") << secret;
    QTest::newRow("absolute path without macro kept")
        << QByteArray("[database]\ndatabase=/var/lib/ostoja/arvo.fdb\npassword=<PWD>\n") << folder << false
        << QString() << QString() << QStringLiteral("/var/lib/ostoja/arvo.fdb") << QStringLiteral("sysdba")
        << secret;
    QTest::newRow("relative path without macro kept")
        << QByteArray("[database]\ndatabase=dane/arvo.fdb\npassword=<PWD>\n") << folder << false << QString()
        << QString() << QStringLiteral("dane/arvo.fdb") << QStringLiteral("sysdba") << secret;
    QTest::newRow("Polish letters in the path")
        << QByteArray("[database]\ndatabase=${APP_DIR}Opłaty środowiskowe.fdb\npassword=<PWD>\n")
        << QStringLiteral("/home/jan/Żuraw/") << false << QString() << QString()
        << QStringLiteral("/home/jan/Żuraw/Opłaty środowiskowe.fdb") << QStringLiteral("sysdba") << secret;
    QTest::newRow("program folder given without separator")
        << QByteArray("[database]\ndatabase=${APP_DIR}arvo.fdb\npassword=<PWD>\n")
        << QStringLiteral("/opt/ostoja") << false << QString() << QString()
        << QStringLiteral("/opt/ostoja/arvo.fdb") << QStringLiteral("sysdba") << secret;
    QTest::newRow("every key missing")
        << QByteArray("[database]\n") << folder << false << QString() << QString()
        << QStringLiteral("arvo.fdb") << QStringLiteral("sysdba") << QStringLiteral("masterkey");
    QTest::newRow("empty file") << QByteArray() << folder << false << QString() << QString()
                                << QStringLiteral("arvo.fdb") << QStringLiteral("sysdba")
                                << QStringLiteral("masterkey");
    QTest::newRow("missing password is the factory password")
        << QByteArray("[database]\nembedded=YES\ndatabase=${APP_DIR}arvo.fdb\nuser=SYSDBA\n") << folder
        << true << QString() << QStringLiteral("3050") << QStringLiteral("/opt/ostoja/arvo.fdb")
        << QStringLiteral("SYSDBA") << QStringLiteral("masterkey");
    QTest::newRow("empty password") << QByteArray("[database]\npassword=\n") << folder << false << QString()
                                    << QString() << QStringLiteral("arvo.fdb") << QStringLiteral("sysdba")
                                    << QString();
    QTest::newRow("section and key names in any letter case")
        << QByteArray("[ DataBase ]\nEMBEDDED=Yes\nDatabase=${APP_DIR}x.fdb\nUSER=jan\nPassWord=<PWD>\n")
        << folder << true << QString() << QStringLiteral("3050") << QStringLiteral("/opt/ostoja/x.fdb")
        << QStringLiteral("jan") << secret;
    QTest::newRow("other sections, comments and stray lines ignored")
        << QByteArray("\xEF\xBB\xBF"
                      "database=przed.fdb\r\n"
                      "[inna]\r\nuser=obcy\r\nembedded=YES\r\n"
                      "[database]\r\n; user=komentarz\r\n# user=komentarz\r\nbez znaku rownosci\r\n"
                      "  user = jan  \r\nuser=drugi\r\npassword=<PWD>\r\n"
                      "[jeszcze]\r\ndatabase=po.fdb\r\n")
        << folder << false << QString() << QString() << QStringLiteral("arvo.fdb") << QStringLiteral("jan")
        << secret;
    QTest::newRow("value holding an equals sign")
        << QByteArray("[database]\nhost=a=b\npassword=<PWD>\n") << folder << false << QStringLiteral("a=b")
        << QString() << QStringLiteral("arvo.fdb") << QStringLiteral("sysdba") << secret;
}

void tst_ConfigReader::readsConnectionProperties() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, programFolder);
    QFETCH(bool, embedded);
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(QString, database);
    QFETCH(QString, user);
    QFETCH(QString, password);

    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("ostoja.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(ini.replace("<PWD>", EncipherPassword(QStringLiteral("Tajne hasło")).toLatin1()));
    file.close();

    const TRConProp prop = ReadConfiguration(path, programFolder);
    QCOMPARE(prop.embedded, embedded);
    QCOMPARE(prop.host, host);
    QCOMPARE(prop.port, port);
    QCOMPARE(prop.database, database);
    QCOMPARE(prop.user, user);
    QCOMPARE(prop.password, password);
}

void tst_ConfigReader::unreadableFileThrows_data() {
    QTest::addColumn<QString>("path");

    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("brak.ini"));
    QTest::newRow("a folder") << m_dir.path();
}

void tst_ConfigReader::unreadableFileThrows() {
    QFETCH(QString, path);

    try {
        ReadConfiguration(path, QStringLiteral("/opt/ostoja/"));
        QFAIL("no exception");
    } catch (const std::runtime_error& e) {
        const QString message = QString::fromStdString(e.what());
        QVERIFY2(message.startsWith(QStringLiteral("Nie można odczytać pliku konfiguracyjnego aplikacji: ") +
                                    path),
                 e.what());
    }
}

QTEST_GUILESS_MAIN(tst_ConfigReader)
#include "tst_ConfigReader.moc"
