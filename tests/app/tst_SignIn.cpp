// Password digests and the sign-in of a user against a database at the current version, which holds
// the built-in ADMIN (row 100) with the initial password.

#include "app/AppUser.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QtTest>

namespace {

const QString kCaption = QStringLiteral("Próba logowania");
const QString kWrong = QStringLiteral("Błędna nazwa użytkownika lub hasło.");
// SHA-1 of the Windows-1250 bytes, computed independently.
const QString kDigestEmpty = QStringLiteral("DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
const QString kDigestAdmin = QStringLiteral("D033E22AE348AEB5660FC2140AEC35850C4DA997");
const QString kPolish = QStringLiteral("Zażółć gęślą jaźń");
const QString kDigestPolish = QStringLiteral("52D9B81B4D8819B29D2FB5D19B4A3803E7CE5D87");

} // namespace

class TestSignIn : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void passwordDigest_data();
    void passwordDigest();
    void passwordNotSet_data();
    void passwordNotSet();
    void adminSignsInAndIsHeld();
    void signInAtStartup();
    void startupEndsWhenAdminIsChanged_data();
    void startupEndsWhenAdminIsChanged();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void refusalKeepsTheSignedInUser();
    void shortName_data();
    void shortName();
    void silentSignInOnlyWithTheInitialAdmin_data();
    void silentSignInOnlyWithTheInitialAdmin();
    void newPasswordRefused_data();
    void newPasswordRefused();
    void passwordChangeFindsTheUserByKey();
    void passwordChangeOfAVanishedUserIsNotReportedDone();

private:
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
};

void TestSignIn::init() {
    ClearSignedInUser();
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    Connection& cn = db_->connection();
    const QString insert = QStringLiteral(
        "INSERT INTO app_users (au_id, au_login, au_pw, au_first_name, au_last_name, au_active, "
        "au_administrator, au_note) VALUES (%1, '%2', %3, 'Łukasz', 'Żółkiewski', %4, 0, 'próba')");
    cn.execute(insert.arg(201).arg("NIEAKTYWNY", "'" + PasswordDigest("tajne") + "'").arg(0));
    cn.execute(insert.arg(202).arg("PUSTE", "''").arg(1));
    cn.execute(insert.arg(203).arg("BEZHASLA", "NULL").arg(1));
    cn.execute(insert.arg(204).arg("NOWY", "'" + kDigestEmpty + "'").arg(1));
    cn.execute(insert.arg(205).arg("ŁUKASZ", "'" + kDigestPolish + "'").arg(1));
    messages_ = std::make_unique<ScopedScriptedMessages>();
}

void TestSignIn::cleanup() {
    messages_.reset();
    db_.reset();
    ClearSignedInUser();
}

void TestSignIn::passwordDigest_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("digest");
    QTest::newRow("admin") << "admin" << kDigestAdmin;
    QTest::newRow("blanks around") << " \tadmin  " << kDigestAdmin;
    QTest::newRow("empty") << "" << kDigestEmpty;
    QTest::newRow("blanks only") << "   " << kDigestEmpty;
    QTest::newRow("Polish letters") << kPolish << kDigestPolish;
    // printf 'Zażółć1' | iconv -t cp1250 | sha1sum
    QTest::newRow("Polish letters and a digit") << "Zażółć1"
                                                << "6511EE78497E8D91A884CF4A8C8BA7AD4C56574F";
    QTest::newRow("capitals and euro") << "ŁÓDŹ€2012"
                                       << "2596878EF6E033AA55366B6356DB018E731ED385";
    QTest::newRow("Greek (no cp1250 byte)") << "Ω"
                                            << "5BAB61EB53176449E25C2C82F172B82CB13FFB9D";
    QTest::newRow("outside the basic plane") << "a😀b"
                                             << "C644E1A4FF342FC6853CA057C84AE4B022C8678D";
}

void TestSignIn::passwordDigest() {
    QFETCH(QString, password);
    QFETCH(QString, digest);
    QCOMPARE(PasswordDigest(password), digest);
}

void TestSignIn::passwordNotSet_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("notSet");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks") << "   " << true;
    QTest::newRow("digest of empty text") << kDigestEmpty << true;
    QTest::newRow("digest of admin") << kDigestAdmin << false;
}

void TestSignIn::passwordNotSet() {
    QFETCH(QString, stored);
    QFETCH(bool, notSet);
    QCOMPARE(PasswordNotSet(stored), notSet);
}

void TestSignIn::adminSignsInAndIsHeld() {
    QVERIFY(!IsSignedIn());
    QVERIFY(SignIn("ADMIN", InitialAdminPassword(), kCaption));
    QVERIFY(messages_->shown.isEmpty());
    QVERIFY(IsSignedIn());
    const TrAppUser& u = SignedInUser();
    QCOMPARE(u.id, 100);
    QCOMPARE(u.login, QStringLiteral("ADMIN"));
    QCOMPARE(u.pw, kDigestAdmin);
    QCOMPARE(u.firstName, QString());
    QCOMPARE(u.lastName, QStringLiteral("Administrator"));
    QCOMPARE(u.note, QStringLiteral("Wbudowany administrator aplikacji"));
    QVERIFY(u.active);
    QVERIFY(u.administrator);
    QCOMPARE(SignedInLogin(), QStringLiteral("ADMIN"));
    QCOMPARE(SignedInDigest(), kDigestAdmin);
    QVERIFY(SignedInActive());
    QVERIFY(SignedInAdministrator());
}

void TestSignIn::signInAtStartup() {
    QCOMPARE(InitialAdminPassword(), QStringLiteral("admin"));
    QVERIFY(SignInAtStartup());
    QCOMPARE(SignedInLogin(), QStringLiteral("ADMIN"));
    QVERIFY(messages_->shown.isEmpty());
}

void TestSignIn::startupEndsWhenAdminIsChanged_data() {
    QTest::addColumn<QString>("update");
    QTest::addColumn<QString>("message");
    QTest::newRow("inactive") << "au_active = 0"
                              << "Użytkownik ADMIN ma status \"nieaktywny\".";
    QTest::newRow("other password") << "au_pw = '" + PasswordDigest("inne") + "'" << kWrong;
}

void TestSignIn::startupEndsWhenAdminIsChanged() {
    QFETCH(QString, update);
    QFETCH(QString, message);
    db_->connection().execute("UPDATE app_users SET " + update + " WHERE au_login = 'ADMIN'");
    QVERIFY(!SignInAtStartup());
    QVERIFY(!IsSignedIn());
    QCOMPARE(messages_->log(), QStringList{"error|Logowanie do aplikacji|" + message});
}

void TestSignIn::accepted_data() {
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("id");
    QTest::newRow("blanks around both") << "  ADMIN \t"
                                        << " admin  " << 100;
    QTest::newRow("new user, empty password") << "NOWY"
                                              << "" << 204;
    QTest::newRow("new user, blank password") << "NOWY"
                                              << "   " << 204;
    QTest::newRow("Polish login and password") << "ŁUKASZ" << kPolish << 205;
}

void TestSignIn::accepted() {
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(int, id);
    QVERIFY(SignIn(login, password, kCaption));
    QVERIFY(messages_->shown.isEmpty());
    QCOMPARE(SignedInUser().id, id);
    QCOMPARE(SignedInLogin(), login.trimmed());
}

void TestSignIn::refused_data() {
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    const QString inactive = QStringLiteral("Użytkownik NIEAKTYWNY ma status \"nieaktywny\".");
    QTest::newRow("wrong password") << "ADMIN"
                                    << "Admin" << kWrong;
    QTest::newRow("unknown login") << "KTOS"
                                   << "admin" << kWrong;
    QTest::newRow("login in other case") << "admin"
                                         << "admin" << kWrong;
    QTest::newRow("empty login") << ""
                                 << "" << kWrong;
    QTest::newRow("login longer than the column") << "ADMINISTRATOR_GLOWNY"
                                                  << "admin" << kWrong;
    QTest::newRow("login outside cp1250") << "日本"
                                          << "admin" << kWrong;
    QTest::newRow("inactive, right password") << "NIEAKTYWNY"
                                              << "tajne" << inactive;
    QTest::newRow("inactive, wrong password") << "NIEAKTYWNY"
                                              << "x" << inactive;
    QTest::newRow("blank digest, empty password") << "PUSTE"
                                                  << "" << kWrong;
    QTest::newRow("blank digest, some password") << "PUSTE"
                                                 << "x" << kWrong;
    QTest::newRow("no digest, empty password") << "BEZHASLA"
                                               << "" << kWrong;
    QTest::newRow("new user, some password") << "NOWY"
                                             << "admin" << kWrong;
    QTest::newRow("Polish password without marks") << "ŁUKASZ"
                                                   << "Zazolc gesla jazn" << kWrong;
}

void TestSignIn::refused() {
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QVERIFY(!SignIn(login, password, kCaption));
    QVERIFY(!IsSignedIn());
    QCOMPARE(SignedInLogin(), QString());
    QCOMPARE(messages_->log(), QStringList{"error|" + kCaption + "|" + message});
}

void TestSignIn::refusalKeepsTheSignedInUser() {
    QVERIFY(SignIn("ADMIN", "admin", kCaption));
    QVERIFY(!SignIn("NOWY", "x", kCaption));
    QVERIFY(!SignIn("NIEAKTYWNY", "tajne", kCaption));
    QVERIFY(IsSignedIn());
    QCOMPARE(SignedInUser().id, 100);
    QVERIFY(SignedInAdministrator());
}

void TestSignIn::shortName_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("shortName");
    QTest::newRow("both") << "Jan"
                          << "Kowalski"
                          << "Kowalski J.";
    QTest::newRow("Polish initial") << "Łukasz"
                                    << "Żółkiewski"
                                    << "Żółkiewski Ł.";
    QTest::newRow("no first name") << ""
                                   << "Administrator"
                                   << "Administrator";
    QTest::newRow("blank first name") << "  "
                                      << "Administrator"
                                      << "Administrator";
    QTest::newRow("first name with blanks") << " anna "
                                            << "Nowak"
                                            << "Nowak a.";
}

void TestSignIn::shortName() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, shortName);
    QCOMPARE(ShortName(first, last), shortName);
}

void TestSignIn::silentSignInOnlyWithTheInitialAdmin_data() {
    QTest::addColumn<QString>("update");
    QTest::addColumn<bool>("signedIn");
    QTest::newRow("as created") << "" << true;
    QTest::newRow("inactive") << "au_active = 0" << false;
    QTest::newRow("other password") << "au_pw = '" + PasswordDigest("inne") + "'" << false;
    QTest::newRow("renamed") << "au_login = 'SZEF'" << false;
}

void TestSignIn::silentSignInOnlyWithTheInitialAdmin() {
    QFETCH(QString, update);
    QFETCH(bool, signedIn);
    if (!update.isEmpty())
        db_->connection().execute("UPDATE app_users SET " + update + " WHERE au_id = 100");
    QCOMPARE(SignInSilently(), signedIn);
    QCOMPARE(IsSignedIn(), signedIn);
    // Nothing is said either way: a failure leads to the sign-in window.
    QVERIFY(messages_->shown.isEmpty());
}

void TestSignIn::newPasswordRefused_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::newRow("good") << "tajne"
                          << "";
    QTest::newRow("Polish letters and euro") << "Zażółć€1"
                                             << "";
    QTest::newRow("empty") << ""
                           << "Hasło nie może być puste.";
    QTest::newRow("blanks only") << "  \t "
                                 << "Hasło nie może być puste.";
    // Each would be stored as "?" and so match any other such character.
    QTest::newRow("Greek letter")
        << "Ωmega"
        << "Hasło nie może zawierać znaku \"Ω\". Użyj liter, cyfr lub innych znaków.";
    QTest::newRow("outside the basic plane")
        << "a😀b"
        << "Hasło nie może zawierać znaku \"😀\". Użyj liter, cyfr lub innych znaków.";
}

void TestSignIn::newPasswordRefused() {
    QFETCH(QString, password);
    QFETCH(QString, message);
    QCOMPARE(NewPasswordError(password), message);
}

void TestSignIn::passwordChangeFindsTheUserByKey() {
    QVERIFY(SignIn("NOWY", "", kCaption));
    // Renamed by an administrator while the user works: the change still reaches the user's row.
    db_->connection().execute("UPDATE app_users SET au_login = 'NOWAK' WHERE au_id = 204");
    QVERIFY(ChangeSignedInPassword(" nowe "));
    QCOMPARE(messages_->log(),
             QStringList{"information|Komunikat|Hasło użytkownika NOWAK zostało zmieniono"});
    QCOMPARE(db_->connection().selectValue("SELECT au_pw FROM app_users WHERE au_id = 204").toString(),
             PasswordDigest("nowe"));
    QCOMPARE(SignedInLogin(), QStringLiteral("NOWAK"));
    QCOMPARE(SignedInDigest(), PasswordDigest("nowe"));
    QCOMPARE(db_->connection().selectValue("SELECT au_pw FROM app_users WHERE au_id = 100").toString(),
             kDigestAdmin);
}

void TestSignIn::passwordChangeOfAVanishedUserIsNotReportedDone() {
    QVERIFY(SignIn("NOWY", "", kCaption));
    db_->connection().execute("DELETE FROM app_users WHERE au_id = 204");
    QVERIFY(!ChangeSignedInPassword("nowe"));
    QCOMPARE(messages_->log(),
             QStringList{"error|Błąd|Nie znaleziono użytkownika NOWY - hasło nie zostało zmienione."});
    QCOMPARE(SignedInDigest(), kDigestEmpty);
}

QTEST_GUILESS_MAIN(TestSignIn)
#include "tst_SignIn.moc"
