// The main window: caption and administrator key, menu commands, one window per class, the window
// menu, merged child menus, first activation and closing.

#include "app/ui/TMain.h"
#include "app/ui/TbcAboutBoxDb.h"
#include "app/ui/WindowRegistry.h"
#include "support/ScriptedMessages.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char kKeyText[] = "Ostoja: klucz administratora 2026";

// A child window that may refuse to close.
class FakeChild : public QMainWindow {
public:
    explicit FakeChild(const QString& title) {
        setWindowTitle(title);
        menuBar()->addMenu(QStringLiteral("&Słownik"));
    }
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (refuseClose)
            event->ignore();
    }
};

QStringList MenuBarTitles(QMainWindow& window) {
    QStringList titles;
    for (QAction* a : window.menuBar()->actions())
        if (a->isVisible())
            titles << a->text();
    return titles;
}

} // namespace

class TestTMain : public QObject {
    Q_OBJECT
private slots:
    void registryHoldsTheMenuClasses();
    void captionFollowsTheKeyFile_data();
    void captionFollowsTheKeyFile();
    void menuCommands_data();
    void menuCommands();
    void commandsWithoutWindowsAreDisabled();
    void oneWindowPerClassRestoredInItsState_data();
    void oneWindowPerClassRestoredInItsState();
    void windowMenuAndMergedChildMenu();
    void tiling_data();
    void tiling();
    void newChildFitsTheArea();
    void captionWithMaximizedChild();
    void firstActivationSignsIn();
    void failedSignInEndsTheProgram();
    void closingAsksEveryChild();
    void usersCommandForAdministratorsOnly();
    void aboutBoxHidesAnEmptyVersion();

private:
    TMain::Options options(WindowRegistry* registry, const QString& folder = QString());
};

TMain::Options TestTMain::options(WindowRegistry* registry, const QString& folder) {
    TMain::Options o;
    o.programFolder = folder;
    o.registry = registry;
    o.signIn = [] { return true; };
    o.userName = [] { return QStringLiteral("Jan Kowalski"); };
    o.isAdministrator = [] { return true; };
    o.signInFailed = [] {};
    return o;
}

void TestTMain::registryHoldsTheMenuClasses() {
    WindowRegistry registry;
    QCOMPARE(registry.classNames().size(), 28);
    for (const char* name : {"TAppUsers", "TZestawienia", "TSoScTD", "TWspRoznOdpd", "TSoTG", "TSzPozZestZb"})
        QVERIFY2(registry.holds(QString::fromLatin1(name)), name);
    registry.setFactory("TLataZest", [] { return new FakeChild("Lata zestawień"); });
    std::unique_ptr<QMainWindow> made(registry.create("TLataZest"));
    QCOMPARE(made->objectName(), QStringLiteral("TLataZest"));
    QVERIFY(!registry.create("TPolrocza"));
}

void TestTMain::captionFollowsTheKeyFile_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no key file
    QTest::addColumn<bool>("administrator");
    const QByteArray key(kKeyText);
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("the key") << key << true;
    QTest::newRow("blanks and further lines") << "  " + key + " \r\nsomething else\n" << true;
    QTest::newRow("other text") << QByteArray("Ostoja") << false;
    QTest::newRow("key on the second line") << "\n" + key << false;
    QTest::newRow("key with a changed letter") << QByteArray("ostoja: klucz administratora 2026") << false;
}

void TestTMain::captionFollowsTheKeyFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, administrator);
    QTemporaryDir dir;
    if (!content.isEmpty()) {
        QFile key(dir.filePath("arvo-administrator.key"));
        QVERIFY(key.open(QIODevice::WriteOnly));
        key.write(content);
    }
    WindowRegistry registry;
    TMain main(options(&registry, dir.path() + '/'));
    const QString base = QStringLiteral("Ostoja - Opłaty za korzystanie ze środowiska ");
    QCOMPARE(main.windowTitle(), administrator ? base + " (TRYB ADMINISTRATORA)" : base);
    QCOMPARE(main.administratorMode(), administrator);
    QCOMPARE(main.statusText(), QStringLiteral("Użytkownik: nie zalogowany"));
}

void TestTMain::menuCommands_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("visible");
    QTest::newRow("exit") << "actExit"
                          << "Za&kończ"
                          << "" << true;
    QTest::newRow("cut") << "actCut"
                         << "Wy&tnij"
                         << "Ctrl+X" << true;
    QTest::newRow("select all") << "actSelectAll"
                                << "Zazn&acz wszystko"
                                << "Ctrl+A" << true;
    QTest::newRow("statements") << "actZestawienia"
                                << "Zestawienia"
                                << "" << true;
    QTest::newRow("rights") << "actUprawnienia"
                            << "&Uprawnienia "
                            << "" << true;
    QTest::newRow("users") << "actAppUsers"
                           << "&Użytkownicy"
                           << "" << true;
    QTest::newRow("engines") << "actRdzSilnikow"
                             << "Rodzaje &silników"
                             << "" << true;
    QTest::newRow("waste coefficients") << "actWspRoznOdpd"
                                        << "Współczynnki różnicujące"
                                        << "" << true;
    QTest::newRow("table D") << "actSoScTD"
                             << "Tabela D"
                             << "" << true;
    QTest::newRow("password") << "actChangePassword"
                              << "Zmień &hasło"
                              << "" << true;
    QTest::newRow("tile one above another") << "actTileHorizontal"
                                            << "Ułóż obok siebie p&ionowo"
                                            << "" << true;
    QTest::newRow("tile side by side") << "actTileVertical"
                                       << "Ułóż obok siebie p&oziomo"
                                       << "" << true;
    QTest::newRow("first login") << "actPierwszeLogowanie"
                                 << "Pierwsze &logowanie "
                                 << "" << true;
    QTest::newRow("about") << "actAboutBox"
                           << "&O programie"
                           << "" << true;
    QTest::newRow("test") << "actTest"
                          << "Test ..."
                          << "" << false;
}

void TestTMain::menuCommands() {
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, visible);
    WindowRegistry registry;
    TMain main(options(&registry));
    QAction* a = main.action(action);
    QVERIFY(a);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut().toString(), shortcut);
    QCOMPARE(a->isVisible(), visible);
    QCOMPARE(MenuBarTitles(main),
             (QStringList{"&Plik", "&Edycja", "&Kartoteki", "&Ustawienia", "&Okno", "&Pomoc"}));
}

void TestTMain::commandsWithoutWindowsAreDisabled() {
    WindowRegistry registry;
    registry.setFactory("TLataZest", [] { return new FakeChild("Lata zestawień"); });
    TMain main(options(&registry));
    QVERIFY(main.action("actLataZest")->isEnabled());
    QVERIFY(!main.action("actZestawienia")->isEnabled());
    QVERIFY(!main.action("actPrzeglRodzajOdpadu")->isEnabled());
    main.action("actZestawienia")->trigger();
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
}

void TestTMain::oneWindowPerClassRestoredInItsState_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("maximized");
    QTest::newRow("statements") << "actZestawienia"
                                << "TZestawienia" << true;
    QTest::newRow("years") << "actLataZest"
                           << "TLataZest" << false;
}

void TestTMain::oneWindowPerClassRestoredInItsState() {
    QFETCH(QString, action);
    QFETCH(QString, className);
    QFETCH(bool, maximized);
    WindowRegistry registry;
    int made = 0;
    for (const QString& name :
         {QStringLiteral("TZestawienia"), QStringLiteral("TLataZest"), QStringLiteral("TPolrocza")})
        registry.setFactory(name, [&made, name] {
            ++made;
            return new FakeChild(name);
        });
    TMain main(options(&registry));
    main.show();
    main.action("actPolrocza")->trigger();
    main.action(action)->trigger();
    QCOMPARE(made, 2);
    QMdiSubWindow* window = main.mdiArea()->activeSubWindow();
    QCOMPARE(window->widget()->objectName(), className);
    QCOMPARE(window->isMaximized(), maximized);

    window->showMinimized();
    main.mdiArea()->setActiveSubWindow(main.mdiArea()->subWindowList().first());
    main.action(action)->trigger();
    QCOMPARE(made, 2);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(main.mdiArea()->activeSubWindow(), window);
    QVERIFY(!window->isMinimized());
    QCOMPARE(window->isMaximized(), maximized);
}

void TestTMain::windowMenuAndMergedChildMenu() {
    WindowRegistry registry;
    registry.setFactory("TLataZest", [] { return new FakeChild("Lata zestawień"); });
    TMain main(options(&registry));
    main.show();
    QAction* cascade = main.action("actCascade");
    QVERIFY(!cascade->isEnabled());
    main.action("actLataZest")->trigger();
    QVERIFY(cascade->isEnabled());
    QCOMPARE(MenuBarTitles(main),
             (QStringList{"&Plik", "&Edycja", "&Słownik", "&Kartoteki", "&Ustawienia", "&Okno", "&Pomoc"}));
    QMenu* windowMenu = main.menuBar()->actions().at(5)->menu();
    emit windowMenu->aboutToShow();
    QVERIFY(windowMenu->actions().last()->text().endsWith("Lata zestawień"));

    main.mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!cascade->isEnabled());
    QCOMPARE(MenuBarTitles(main),
             (QStringList{"&Plik", "&Edycja", "&Kartoteki", "&Ustawienia", "&Okno", "&Pomoc"}));
}

void TestTMain::tiling_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("stacked"); // one above another, or side by side
    QTest::newRow("pionowo") << "actTileHorizontal" << true;
    QTest::newRow("poziomo") << "actTileVertical" << false;
}

void TestTMain::tiling() {
    QFETCH(QString, action);
    QFETCH(bool, stacked);
    WindowRegistry registry;
    for (const char* name : {"TLataZest", "TPolrocza", "TRzgw"})
        registry.setFactory(name, [name] { return new FakeChild(QString::fromLatin1(name)); });
    TMain main(options(&registry));
    main.resize(900, 700);
    main.show();
    for (const char* a : {"actLataZest", "actPolrocza", "actRzgw"})
        main.action(a)->trigger();
    main.mdiArea()->subWindowList().first()->showMinimized(); // a minimised child keeps its place
    main.action(action)->trigger();

    QList<QMdiSubWindow*> tiled = main.mdiArea()->subWindowList();
    QMdiSubWindow* minimized = tiled.takeFirst();
    QVERIFY(minimized->isMinimized());
    // The tiles leave the minimised child's row free.
    const QRect area = main.mdiArea()->viewport()->rect().adjusted(0, 0, 0, -minimized->height());
    QCOMPARE(tiled.size(), 2);
    int covered = 0;
    for (QMdiSubWindow* w : tiled) {
        const QRect g = w->geometry();
        QVERIFY(area.contains(g));
        if (stacked) {
            QCOMPARE(g.width(), area.width());
            QCOMPARE(g.top(), covered);
            covered += g.height();
        } else {
            QCOMPARE(g.height(), area.height());
            QCOMPARE(g.left(), covered);
            covered += g.width();
        }
    }
    QCOMPARE(covered, stacked ? area.height() : area.width());
    if (const QByteArray dir = qgetenv("OSTOJA_SCREENSHOTS"); !dir.isEmpty()) {
        QTest::qWait(200);
        main.grab().save(
            QStringLiteral("%1/tiled-%2.png").arg(QString::fromLocal8Bit(dir), QTest::currentDataTag()));
    }
}

// A child larger than the area, or placed below others, still opens wholly inside it.
void TestTMain::newChildFitsTheArea() {
    class LargeChild : public FakeChild {
    public:
        using FakeChild::FakeChild;
        QSize sizeHint() const override { return QSize(700, 1400); }
    };
    WindowRegistry registry;
    for (const char* name : {"TLataZest", "TPolrocza", "TStTblC"})
        registry.setFactory(name, [name] { return new LargeChild(QString::fromLatin1(name)); });
    TMain main(options(&registry));
    main.resize(1000, 600);
    main.show();
    for (const char* a : {"actLataZest", "actPolrocza", "actStTblC"}) {
        main.action(a)->trigger();
        QMdiSubWindow* w = main.mdiArea()->activeSubWindow();
        QVERIFY2(main.mdiArea()->viewport()->rect().contains(w->geometry()), a);
        QCOMPARE(w->width(), w->sizeHint().width());
    }
}

void TestTMain::captionWithMaximizedChild() {
    WindowRegistry registry;
    registry.setFactory("TZestawienia", [] { return new FakeChild("Zestawienia"); });
    TMain main(options(&registry));
    main.show();
    const QString base = QStringLiteral("Ostoja - Opłaty za korzystanie ze środowiska ");
    main.action("actZestawienia")->trigger();
    QMdiSubWindow* w = main.mdiArea()->activeSubWindow();
    QVERIFY(w->isMaximized());
    QTRY_COMPARE(main.windowTitle(), base.trimmed() + " - [Zestawienia]");
    w->showNormal();
    QTRY_COMPARE(main.windowTitle(), base);
    w->showMaximized();
    QTRY_COMPARE(main.windowTitle(), base.trimmed() + " - [Zestawienia]");
    w->close();
    QTRY_COMPARE(main.windowTitle(), base);
}

void TestTMain::firstActivationSignsIn() {
    WindowRegistry registry;
    int signIns = 0;
    TMain::Options o = options(&registry);
    o.signIn = [&signIns] {
        ++signIns;
        return true;
    };
    TMain main(o);
    main.show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&main, &activate);
    QTRY_VERIFY(main.signedIn());
    QCOMPARE(main.statusText(), QStringLiteral("Użytkownik: Jan Kowalski"));
    QVERIFY(main.isMaximized());
    QCoreApplication::sendEvent(&main, &activate);
    QTest::qWait(20);
    QCOMPARE(signIns, 1);
}

void TestTMain::failedSignInEndsTheProgram() {
    WindowRegistry registry;
    bool ended = false;
    TMain::Options o = options(&registry);
    o.signIn = [] { return false; };
    o.signInFailed = [&ended] { ended = true; };
    TMain main(o);
    main.show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&main, &activate);
    QTRY_VERIFY(ended);
    QVERIFY(!main.signedIn());
    QCOMPARE(main.statusText(), QStringLiteral("Użytkownik: nie zalogowany"));
}

void TestTMain::closingAsksEveryChild() {
    WindowRegistry registry;
    FakeChild* refusing = nullptr;
    registry.setFactory("TLataZest", [] { return new FakeChild("Lata zestawień"); });
    registry.setFactory("TPolrocza", [&refusing] { return refusing = new FakeChild("Półrocza"); });
    TMain main(options(&registry));
    main.show();
    main.action("actLataZest")->trigger();
    main.action("actPolrocza")->trigger();
    refusing->refuseClose = true;
    QVERIFY(!main.close());
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    refusing->refuseClose = false;
    QVERIFY(main.close());
}

void TestTMain::usersCommandForAdministratorsOnly() {
    ScopedScriptedMessages messages;
    WindowRegistry registry;
    registry.setFactory("TAppUsers", [] { return new FakeChild("Użytkownicy aplikacji"); });
    bool administrator = false;
    TMain::Options o = options(&registry);
    o.isAdministrator = [&administrator] { return administrator; };
    TMain main(o);
    main.show();
    main.action("actAppUsers")->trigger();
    QCOMPARE(messages.log(),
             QStringList{"information|Komunikat|Opcja jest dostępna tylko dla administratora aplikacji."});
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    administrator = true;
    main.action("actAppUsers")->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
}

void TestTMain::aboutBoxHidesAnEmptyVersion() {
    TbcAboutBoxDb box("1.0.0.5", QString());
    QCOMPARE(box.windowTitle(), QStringLiteral("O programie "));
    QCOMPARE(box.programVersionLabel()->text(), QStringLiteral("wer. 1.0.0.5"));
    QVERIFY(!box.programVersionLabel()->isHidden());
    QVERIFY(box.databaseVersionLabel()->isHidden());
    TbcAboutBoxDb withDatabase("1.0.0.5", "7");
    QCOMPARE(withDatabase.databaseVersionLabel()->text(), QStringLiteral("wer. bazy danych: 7"));
    QVERIFY(!withDatabase.databaseVersionLabel()->isHidden());
    QCOMPARE(withDatabase.linkLabel()->toolTip(),
             QStringLiteral("Kliknij link, aby przeglądać stronę domową producenta"));
}

QTEST_MAIN(TestTMain)
#include "tst_TMain.moc"
