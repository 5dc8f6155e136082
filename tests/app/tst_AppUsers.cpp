// The users module behind the users window: defaults of a new user, the flag columns, logins that
// must be given and unique, the last active administrator kept, and the rights of a user.

#include "app/AppUser.h"
#include "app/TdmfAppUsers.h"
#include "app/TdmfUprawnUzytkow.h"
#include "platform/data/DataError.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QtTest>

namespace {

const QString kDigestEmpty = QStringLiteral("DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");

// Runs a data-set operation as a window does: an aborted one answers false.
bool Runs(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const OperationAborted&) {
        return false;
    }
}

} // namespace

class TestAppUsers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newUserStartsActiveWithoutPassword();
    void passwordSetShowsPlus();
    void loginRequiredAndUnique_data();
    void loginRequiredAndUnique();
    void lastActiveAdministratorKept_data();
    void lastActiveAdministratorKept();
    void lastActiveAdministratorNotDeleted();
    void anotherAdministratorMayGo();
    void toggleRightTwice();

private:
    bool locate(const QString& login) {
        return users_->qryAppUsers()->locate(QStringLiteral("AU_LOGIN"), login);
    }
    Field& field(const QString& name) { return users_->qryAppUsers()->fieldByName(name); }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfAppUsers> users_;
};

void TestAppUsers::init() {
    ClearSignedInUser();
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    db_->connection().execute(
        "INSERT INTO app_users (au_id, au_login, au_pw, au_last_name, au_active, au_administrator) "
        "VALUES (201, 'KOWALSKI', '" +
        PasswordDigest("tajne") + "', 'Kowalski', 1, 0)");
    messages_ = std::make_unique<ScopedScriptedMessages>();
    QVERIFY(SignIn("ADMIN", InitialAdminPassword(), QString()));
    users_ = std::make_unique<TdmfAppUsers>(db_->connection());
    users_->qryAppUsers()->open();
}

void TestAppUsers::cleanup() {
    users_.reset();
    messages_.reset();
    db_.reset();
    ClearSignedInUser();
}

void TestAppUsers::newUserStartsActiveWithoutPassword() {
    Query& q = *users_->qryAppUsers();
    q.insert();
    QVERIFY(field("AU_ID").asInteger() > 1000);
    QCOMPARE(field("AU_ACTIVE").asInteger(), 1);
    QCOMPARE(field("AU_ADMINISTRATOR").asInteger(), 0);
    QCOMPARE(field("AU_PW").asString(), kDigestEmpty);
    field("AU_LOGIN").setValue(" NOWAK ");
    field("AU_LAST_NAME").setValue("Nowak");
    q.post();
    QVERIFY(messages_->shown.isEmpty());
    QCOMPARE(field("AU_LOGIN").asString(), QStringLiteral("NOWAK"));
    QCOMPARE(field("clc_active").asString(), QStringLiteral("+"));
    QCOMPARE(field("clc_administrator").asString(), QStringLiteral("-"));
    QCOMPARE(field("clc_f_jest_pw").asString(), QStringLiteral("-"));
    // A new user signs in with an empty password until one is set.
    QVERIFY(SignIn("NOWAK", "", QString()));
}

void TestAppUsers::passwordSetShowsPlus() {
    Query& q = *users_->qryAppUsers();
    QVERIFY(locate("KOWALSKI"));
    QCOMPARE(field("clc_f_jest_pw").asString(), QStringLiteral("+"));
    q.edit();
    users_->SetPassword(" nowe ");
    q.post();
    QCOMPARE(db_->connection().selectValue("SELECT au_pw FROM app_users WHERE au_id = 201").toString(),
             PasswordDigest("nowe"));
    db_->connection().execute("UPDATE app_users SET au_pw = '' WHERE au_id = 201");
    q.refresh();
    QVERIFY(locate("KOWALSKI"));
    QCOMPARE(field("clc_f_jest_pw").asString(), QStringLiteral("-"));
}

void TestAppUsers::loginRequiredAndUnique_data() {
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "Podaj kod użytkownika.";
    QTest::newRow("blanks") << "   "
                            << "Podaj kod użytkownika.";
    QTest::newRow("another's") << "ADMIN"
                               << "Kod użytkownika ADMIN jest już używany przez innego użytkownika.";
    QTest::newRow("another's, other case")
        << "Admin"
        << "Kod użytkownika ADMIN jest już używany przez innego użytkownika.";
    QTest::newRow("another's, blanks around")
        << " kowalski "
        << "Kod użytkownika KOWALSKI jest już używany przez innego użytkownika.";
}

void TestAppUsers::loginRequiredAndUnique() {
    QFETCH(QString, login);
    QFETCH(QString, message);
    Query& q = *users_->qryAppUsers();
    q.insert();
    field("AU_LOGIN").setValue(login);
    field("AU_LAST_NAME").setValue("Nowak");
    QVERIFY(!Runs([&] { q.post(); }));
    QCOMPARE(messages_->log(), QStringList{"error|Błąd|" + message});
    QVERIFY(q.isEditing());
    QCOMPARE(db_->connection().selectValue("SELECT COUNT(*) FROM app_users").toInt(), 2);

    // The same login on the user's own row is no clash.
    q.cancel();
    QVERIFY(locate("KOWALSKI"));
    q.edit();
    field("AU_FIRST_NAME").setValue("Jan");
    q.post();
    QCOMPARE(messages_->shown.size(), 1);
}

void TestAppUsers::lastActiveAdministratorKept_data() {
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("message");
    const QString tail = QStringLiteral(": jest to jedyny aktywny administrator aplikacji.");
    QTest::newRow("withdrawn") << "AU_ACTIVE" << QVariant(0) << "Nie można wyłączyć użytkownika ADMIN" + tail;
    QTest::newRow("no longer administrator")
        << "AU_ADMINISTRATOR" << QVariant(0)
        << "Nie można odebrać uprawnień administratora użytkownikowi ADMIN" + tail;
    QTest::newRow("renamed") << "AU_LOGIN" << QVariant("SZEF")
                             << "Nie można zmienić kodu użytkownika ADMIN" + tail;
}

void TestAppUsers::lastActiveAdministratorKept() {
    QFETCH(QString, fieldName);
    QFETCH(QVariant, value);
    QFETCH(QString, message);
    // An inactive administrator does not count.
    db_->connection().execute("UPDATE app_users SET au_administrator = 1, au_active = 0 WHERE au_id = 201");
    Query& q = *users_->qryAppUsers();
    q.refresh();
    QVERIFY(locate("ADMIN"));
    q.edit();
    field(fieldName).setValue(value);
    QVERIFY(!Runs([&] { q.post(); }));
    QCOMPARE(messages_->log(), QStringList{"error|Błąd|" + message});
    q.cancel();
    QVERIFY(SignInSilently());

    // Other changes of the last administrator are saved.
    q.edit();
    field("AU_FIRST_NAME").setValue("Anna");
    q.post();
    QCOMPARE(messages_->shown.size(), 1);
}

void TestAppUsers::lastActiveAdministratorNotDeleted() {
    Query& q = *users_->qryAppUsers();
    QVERIFY(locate("ADMIN"));
    QVERIFY(!Runs([&] { q.deleteRecord(); }));
    QCOMPARE(
        messages_->log(),
        QStringList{"error|Błąd|Nie można usunąć użytkownika ADMIN: jest to jedyny aktywny administrator "
                    "aplikacji."});
    QCOMPARE(db_->connection().selectValue("SELECT COUNT(*) FROM app_users WHERE au_id = 100").toInt(), 1);
}

void TestAppUsers::anotherAdministratorMayGo() {
    db_->connection().execute("UPDATE app_users SET au_administrator = 1 WHERE au_id = 201");
    Query& q = *users_->qryAppUsers();
    q.refresh();
    QVERIFY(locate("ADMIN"));
    q.edit();
    field("AU_ACTIVE").setValue(0);
    q.post();
    // Now KOWALSKI is the last one.
    QVERIFY(locate("KOWALSKI"));
    QVERIFY(!Runs([&] { q.deleteRecord(); }));
    QCOMPARE(messages_->shown.size(), 1);
    QVERIFY(locate("ADMIN"));
    q.deleteRecord();
    QCOMPARE(db_->connection().selectValue("SELECT COUNT(*) FROM app_users").toInt(), 1);
}

void TestAppUsers::toggleRightTwice() {
    Connection& cn = db_->connection();
    const int functions = cn.selectValue("SELECT COUNT(*) FROM upr_fun").toInt();
    QVERIFY(functions > 0);
    const int id = cn.selectValue("SELECT MAX(uf_id) FROM upr_fun").toInt();
    TdmfUprawnUzytkow rights(201, cn);
    Query& q = *rights.qryUprawn();
    q.open();
    QCOMPARE(q.recordCount(), functions);
    QVERIFY(q.locate(QStringLiteral("uf_id"), id));
    QCOMPARE(q.fieldByName("clc_ma_uprawn").asString(), QStringLiteral("-"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    rights.ToggleRight();
    QCOMPARE(q.fieldByName("uf_id").asInteger(), id);
    QCOMPARE(q.fieldByName("clc_ma_uprawn").asString(), QStringLiteral("+"));
    QCOMPARE(q.recordCount(), functions);
    QCOMPARE(cn.selectValue("SELECT apuf_uc FROM ap_uf WHERE apuf_au_id = 201 AND apuf_uf_id = " +
                            QString::number(id))
                 .toString(),
             QStringLiteral("ADMIN"));
    QVERIFY(cn.selectValue("SELECT apuf_dc FROM ap_uf WHERE apuf_au_id = 201").toDateTime() >= before);
    // Another user's list is untouched.
    TdmfUprawnUzytkow admin(100, cn);
    admin.qryUprawn()->open();
    QVERIFY(admin.qryUprawn()->locate(QStringLiteral("uf_id"), id));
    QCOMPARE(admin.qryUprawn()->fieldByName("clc_ma_uprawn").asString(), QStringLiteral("-"));

    rights.ToggleRight();
    QCOMPARE(q.fieldByName("uf_id").asInteger(), id);
    QCOMPARE(q.fieldByName("clc_ma_uprawn").asString(), QStringLiteral("-"));
    QCOMPARE(cn.selectValue("SELECT COUNT(*) FROM ap_uf").toInt(), 0);
}

QTEST_GUILESS_MAIN(TestAppUsers)
#include "tst_AppUsers.moc"
