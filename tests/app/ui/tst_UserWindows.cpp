// The sign-in window at start-up when ADMIN can't be signed in silently, the password dialog, the
// users window with its user dialog, the rights window and the first-login information.

#include "app/AppUser.h"
#include "app/TdmfAppUsers.h"
#include "app/TdmfUprawnUzytkow.h"
#include "app/ui/TAppUser.h"
#include "app/ui/TAppUsers.h"
#include "app/ui/TChangePasswd.h"
#include "app/ui/TFirstLoginInfo.h"
#include "app/ui/TLogin.h"
#include "app/ui/TMain.h"
#include "app/ui/TUprawnUzytkow.h"
#include "app/ui/WindowRegistry.h"
#include "platform/ui/DataGrid.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

namespace {

// Runs `inside` on the modal window of the type as soon as one is shown (polling, since the window
// may open from the event loop); gives up after a while.
template <class Window> void WhenShown(std::function<void(Window&)> inside) {
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, inside, started] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!w && started->elapsed() < 10000)
            return;
        timer->stop();
        timer->deleteLater();
        QPointer<Window> shown = w;
        if (w)
            inside(*w);
        // A failed check leaves no window waiting.
        if (shown && QApplication::activeModalWidget() == shown)
            shown->close();
    });
    timer->start(10);
}

void TypeAndSignIn(TLogin& login, const QString& user, const QString& password) {
    login.edtUser()->clear();
    QTest::keyClicks(login.edtUser(), user);
    login.edtPassword()->setText(password);
    login.btnZaloguj()->click();
}

} // namespace

class TestUserWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startupAsksWhenAdminPasswordChanged();
    void startupCancelledEnds();
    void startupSilentWithInitialPassword();
    void passwordDialogRefuses_data();
    void passwordDialogRefuses();
    void newUserWarnedUntilPasswordSet();
    void viewOnlyUserDialog();
    void usersWindowCommands();
    void rightsWindowToggles();
    void firstLoginInfo();

private:
    TMain::Options startupOptions(WindowRegistry& registry, bool& ended);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
};

void TestUserWindows::init() {
    ClearSignedInUser();
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    db_->connection();
    messages_ = std::make_unique<ScopedScriptedMessages>();
}

void TestUserWindows::cleanup() {
    messages_.reset();
    db_.reset();
    ClearSignedInUser();
}

TMain::Options TestUserWindows::startupOptions(WindowRegistry& registry, bool& ended) {
    TMain::Options o;
    o.registry = &registry;
    o.signInFailed = [&ended] { ended = true; };
    return o; // the program's own sign-in
}

void TestUserWindows::startupAsksWhenAdminPasswordChanged() {
    db_->connection().execute("UPDATE app_users SET au_pw = '" + PasswordDigest("sekret") +
                              "' WHERE au_login = 'ADMIN'");
    WindowRegistry registry;
    bool ended = false;
    TMain main(startupOptions(registry, ended));
    bool reached = false;
    WhenShown<TLogin>([&](TLogin& login) {
        reached = true;
        QCOMPARE(login.windowTitle(), QStringLiteral("Logowanie do aplikacji"));
        QCOMPARE(login.edtUser()->toolTip(), QStringLiteral("Nazwa użytkownika aplikacji"));
        QCOMPARE(login.edtPassword()->toolTip(), QStringLiteral("Hasło użytkownika aplikacji"));
        QCOMPARE(login.edtPassword()->echoMode(), QLineEdit::Password);
        QCOMPARE(login.btnAnuluj()->text(), QStringLiteral("&Anuluj"));
        // Typed in capitals; a wrong password keeps the window for another try.
        TypeAndSignIn(login, "admin", "admin");
        QCOMPARE(login.edtUser()->text(), QStringLiteral("ADMIN"));
        QVERIFY(login.isVisible());
        QCOMPARE(messages_->log(),
                 QStringList{"error|Logowanie do aplikacji|Błędna nazwa użytkownika lub hasło."});
        TypeAndSignIn(login, "admin", " sekret ");
    });
    main.show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&main, &activate);
    QTRY_VERIFY_WITH_TIMEOUT(main.signedIn(), 15000);
    QVERIFY(reached);
    QVERIFY(!ended);
    QCOMPARE(SignedInLogin(), QStringLiteral("ADMIN"));
    QCOMPARE(main.statusText(), QStringLiteral("Użytkownik: Administrator"));
}

void TestUserWindows::startupCancelledEnds() {
    db_->connection().execute("UPDATE app_users SET au_active = 0 WHERE au_login = 'ADMIN'");
    WindowRegistry registry;
    bool ended = false;
    TMain main(startupOptions(registry, ended));
    WhenShown<TLogin>([&](TLogin& login) { login.btnAnuluj()->click(); });
    main.show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&main, &activate);
    QTRY_VERIFY_WITH_TIMEOUT(ended, 15000);
    QVERIFY(!main.signedIn());
    QVERIFY(!IsSignedIn());
    // Nothing was said before the window: a changed ADMIN is no error.
    QVERIFY(messages_->shown.isEmpty());
}

void TestUserWindows::startupSilentWithInitialPassword() {
    WindowRegistry registry;
    bool ended = false;
    TMain main(startupOptions(registry, ended));
    main.show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&main, &activate);
    QTRY_VERIFY(main.signedIn());
    QVERIFY(messages_->shown.isEmpty());
}

void TestUserWindows::passwordDialogRefuses_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");
    QTest::newRow("different") << "tajne"
                               << "tajny"
                               << "Hasło wprowadzone powtórnie jest inne niż wprowadzone za pierwszym razem.";
    QTest::newRow("blank") << "  "
                           << ""
                           << "Hasło nie może być puste.";
    QTest::newRow("outside the code page")
        << "Ωmega"
        << "Ωmega"
        << "Hasło nie może zawierać znaku \"Ω\". Użyj liter, cyfr lub innych znaków.";
    QTest::newRow("same but blanks around") << " tajne"
                                            << "tajne  "
                                            << "";
}

void TestUserWindows::passwordDialogRefuses() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    TChangePasswd dialog("NOWAK");
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Wprowadź hasło użytkownika"));
    QCOMPARE(dialog.edtUser()->text(), QStringLiteral("NOWAK"));
    QVERIFY(dialog.edtUser()->isReadOnly());
    dialog.show();
    QTRY_COMPARE(QApplication::focusWidget(), dialog.edtNewPw());
    dialog.edtNewPw()->setText(first);
    dialog.edtNewPw2()->setText(second);
    dialog.btnZapisz()->click();
    if (message.isEmpty()) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.password(), first);
        QVERIFY(messages_->shown.isEmpty());
    } else {
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages_->log(), QStringList{"error|Błąd|" + message});
    }
}

void TestUserWindows::newUserWarnedUntilPasswordSet() {
    QVERIFY(SignInSilently());
    TAppUsers window;
    window.show();
    Query& q = *window.users().qryAppUsers();
    QVERIFY(q.isActive());
    bool reached = false;
    WhenShown<TAppUser>([&](TAppUser& user) {
        reached = true;
        QCOMPARE(user.windowTitle(), QStringLiteral("Przegląd danych użytkownika aplikacji"));
        QVERIFY(user.chkActive()->isChecked());
        QVERIFY(!user.chkAdministrator()->isChecked());
        QVERIFY(user.lblNoPassword()->isVisible());
        QTest::keyClicks(user.edtLogin(), "nowak");
        QCOMPARE(user.edtLogin()->text(), QStringLiteral("NOWAK"));
        q.fieldByName("AU_LAST_NAME").setValue("Nowak");
        WhenShown<TChangePasswd>([](TChangePasswd& dialog) {
            QCOMPARE(dialog.edtUser()->text(), QStringLiteral("NOWAK"));
            dialog.edtNewPw()->setText("tajne");
            dialog.edtNewPw2()->setText("tajne");
            dialog.btnZapisz()->click();
        });
        user.btnZmienHaslo()->click();
        QVERIFY(!user.lblNoPassword()->isVisible());
        user.btnZapisz()->click();
    });
    window.actDodaj->trigger();
    QVERIFY(reached);
    QVERIFY(q.locate("AU_LOGIN", "NOWAK"));
    QCOMPARE(q.fieldByName("clc_f_jest_pw").asString(), QStringLiteral("+"));
    QVERIFY(SignIn("NOWAK", "tajne", QString()));
}

void TestUserWindows::viewOnlyUserDialog() {
    QVERIFY(SignInSilently());
    TAppUsers window;
    window.show();
    bool reached = false;
    WhenShown<TAppUser>([&](TAppUser& user) {
        reached = true;
        QVERIFY(!user.btnZapisz()->isVisible());
        QVERIFY(!user.btnZmienHaslo()->isVisible());
        QCOMPARE(user.btnAnuluj()->text(), QStringLiteral("Zamknij"));
        QVERIFY(user.edtLogin()->isReadOnly());
        QCOMPARE(user.edtLogin()->text(), QStringLiteral("ADMIN"));
        // ADMIN has its password: no warning.
        QVERIFY(!user.lblNoPassword()->isVisible());
        QTest::mouseClick(user.chkActive(), Qt::LeftButton);
        QVERIFY(user.chkActive()->isChecked());
        user.btnAnuluj()->click();
    });
    window.actPodglad->trigger();
    QVERIFY(reached);
    QVERIFY(!window.users().qryAppUsers()->isEditing());
}

void TestUserWindows::usersWindowCommands() {
    QVERIFY(SignInSilently());
    TAppUsers window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Użytkownicy aplikacji"));
    QCOMPARE(window.objectName(), QStringLiteral("TAppUsers"));
    const QStringList titles{"Kod użytkownika", "Imię",  "Nazwisko", "Funkcja", "Aktywny", "Administrator",
                             "Kod użytkownika", "Uwagi", "Nr sys."};
    QStringList shown;
    for (int c = 0; c < window.grid()->model()->columnCount(); ++c)
        shown << window.grid()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(shown.mid(0, 6), titles.mid(0, 6));
    QCOMPARE(shown.mid(6), (QStringList{"Ust. hasło", "Uwagi", "Nr sys."}));
    QCOMPARE(window.actDodaj->shortcut().toString(), QStringLiteral("Ctrl+D"));
    QCOMPARE(window.actPopraw->shortcut().toString(), QStringLiteral("Ctrl+P"));
    QCOMPARE(window.actAUUsun->shortcut().toString(), QStringLiteral("Ctrl+U"));
    QCOMPARE(window.actPost->shortcut().toString(), QStringLiteral("Ctrl+Z"));
    // Ctrl+V stays with "Wkl&ej" of the main menu.
    QVERIFY(window.actPodglad->shortcut().isEmpty());
    QCOMPARE(window.actPodglad->toolTip(), QStringLiteral("Przeglądaj dane użytkownika"));
    QVERIFY(window.actUprawnienia->isVisible());
    QCOMPARE(window.actUprawnienia->toolTip(), QStringLiteral("Uprawnienia użytkownika"));

    // The last active administrator can't be deleted from the window either.
    messages_->answers = {true};
    window.actAUUsun->trigger();
    QCOMPARE(messages_->shown.size(), 2);
    QCOMPARE(messages_->shown.last().text,
             QStringLiteral(
                 "Nie można usunąć użytkownika ADMIN: jest to jedyny aktywny administrator aplikacji."));
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM app_users"), 1);
}

void TestUserWindows::rightsWindowToggles() {
    QVERIFY(SignInSilently());
    const int id = db_->scalar("SELECT MIN(uf_id) FROM upr_fun");
    auto* window = new TUprawnUzytkow(100, ShortName(QString(), "Administrator"));
    window->show();
    QCOMPARE(window->windowTitle(), QStringLiteral("Uprawnienia użytkownika Administrator"));
    QCOMPARE(window->actToggle->shortcut().toString(), QStringLiteral("Ctrl+W"));
    Query& q = *window->rights().qryUprawn();
    QVERIFY(q.locate("uf_id", id));
    window->actToggle->trigger();
    QCOMPARE(q.fieldByName("uf_id").asInteger(), id);
    QCOMPARE(q.fieldByName("clc_ma_uprawn").asString(), QStringLiteral("+"));
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM ap_uf WHERE apuf_au_id = 100"), 1);
    window->actToggle->trigger();
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM ap_uf"), 0);
    window->close();
}

void TestUserWindows::firstLoginInfo() {
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');
    QVERIFY(!TFirstLoginInfo::Show(path, nullptr));
    QFile file(path + "FirstTimeLogin.rtf");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Witaj w programie.\\par "
               "Zmie\\'f1 has\\'b3o u\\'bfytkownika ADMIN.\\par}");
    file.close();
    TFirstLoginInfo* info = TFirstLoginInfo::Show(path, nullptr);
    QVERIFY(info);
    QCOMPARE(info->windowTitle(), QStringLiteral("Informacje o pierwszym logowaniu się do aplikacji"));
    QCOMPARE(info->text()->toPlainText(),
             QStringLiteral("Witaj w programie.\nZmień hasło użytkownika ADMIN."));
    QVERIFY(info->text()->isReadOnly());
    // One at a time.
    QCOMPARE(TFirstLoginInfo::Show(path, nullptr), info);
    info->close();
}

QTEST_MAIN(TestUserWindows)
#include "tst_UserWindows.moc"
