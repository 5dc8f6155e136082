#include "app/ui/TMain.h"

#include "app/AdminKey.h"
#include "app/AppInfo.h"
#include "app/AppUser.h"
#include "app/TFileVersionInfo.h"
#include "app/ui/TLogin.h"
#include "app/ui/TbcAboutBoxDb.h"
#include "app/ui/WindowRegistry.h"
#include "platform/Messages.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

const char kNotSignedIn[] = "Użytkownik: nie zalogowany";

} // namespace

TMain::TMain(Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)),
      registry_(options_.registry ? options_.registry : &WindowRegistry::Instance()),
      mdiArea_(new QMdiArea(this)), statusPanel_(new QLabel(QString::fromUtf8(kNotSignedIn), this)) {
    if (!options_.signIn)
        options_.signIn = [this] { return SignInAtStartupOrAsk(this); };
    if (!options_.userName)
        options_.userName = [] {
            // One blank between the names; none left over when the first name is empty.
            const QStringList names{SignedInUser().firstName.trimmed(), SignedInUser().lastName.trimmed()};
            return names.filter(QRegularExpression(QStringLiteral("."))).join(QLatin1Char(' '));
        };
    if (!options_.isAdministrator)
        options_.isAdministrator = [] { return SignedInAdministrator(); };
    if (!options_.signInFailed)
        options_.signInFailed = [] { QCoreApplication::exit(1); };

    setCentralWidget(mdiArea_);
    statusBar()->addWidget(statusPanel_, 1);

    QString caption = AppInfo::ShortName() + QStringLiteral(" - ") + AppInfo::Title() + QLatin1Char(' ');
    QString keyError;
    switch (AdminKey::ReadMode(options_.programFolder, &keyError)) {
    case AdminKey::Mode::On:
        administratorMode_ = true;
        caption += QStringLiteral(" (TRYB ADMINISTRATORA)");
        break;
    case AdminKey::Mode::Unreadable:
        ShowStandardError(keyError);
        break;
    case AdminKey::Mode::Off:
        break;
    }
    caption_ = caption;
    setWindowTitle(caption);
    helpFile_ = QFileInfo(QCoreApplication::applicationFilePath()).path() + QLatin1Char('/') +
                QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                QStringLiteral(".chm");

    buildMenus();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        mergeChildMenus(window);
        refreshWindowMenu();
        QTimer::singleShot(0, this, &TMain::fitCaption);
    });
    resize(1024, 720);
}

TMain::~TMain() {
    // Children closing with the window must not reach the menus being destroyed.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

QString TMain::statusText() const {
    return statusPanel_->text();
}

// --- menus

QAction* TMain::command(QMenu* menu, const QString& name, const QString& caption, std::function<void()> run) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (run)
        connect(action, &QAction::triggered, this, std::move(run));
    else
        action->setEnabled(false);
    menu->addAction(action);
    if (!name.isEmpty())
        actions_.insert(name, action);
    return action;
}

QAction* TMain::windowCommand(QMenu* menu, const QString& name, const QString& caption,
                              const QString& className, Qt::WindowState state) {
    Q_ASSERT(registry_->holds(className));
    QAction* action =
        command(menu, name, caption, [this, className, state] { OpenChildWindow(className, state); });
    // A window that is not part of the program yet: its command waits, disabled.
    action->setEnabled(registry_->canCreate(className));
    return action;
}

QAction* TMain::registeredCommand(QMenu* menu, const QString& name, const QString& caption) {
    const WindowRegistry::Command* run = registry_->command(name);
    return command(menu, name, caption,
                   run ? std::function<void()>([this, run = *run] { run(this); }) : std::function<void()>());
}

void TMain::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* plik = bar->addMenu(QStringLiteral("&Plik"));
    command(plik, QStringLiteral("actExit"), QStringLiteral("Za&kończ"), [this] { close(); });

    QMenu* edycja = bar->addMenu(QStringLiteral("&Edycja"));
    const struct {
        const char* name;
        const char* caption;
        QKeySequence keys;
        const char* slot;
    } edits[] = {{"actCut", "Wy&tnij", QKeySequence(Qt::CTRL | Qt::Key_X), "cut"},
                 {"actCopy", "&Kopiuj", QKeySequence(Qt::CTRL | Qt::Key_C), "copy"},
                 {"actPaste", "Wkl&ej", QKeySequence(Qt::CTRL | Qt::Key_V), "paste"},
                 {"actSelectAll", "Zazn&acz wszystko", QKeySequence(Qt::CTRL | Qt::Key_A), "selectAll"}};
    for (const auto& e : edits) {
        const char* slot = e.slot;
        command(edycja, QString::fromLatin1(e.name), QString::fromUtf8(e.caption), [this, slot] {
            editCommand(slot);
        })->setShortcut(e.keys);
    }

    QMenu* kartoteki = bar->addMenu(QStringLiteral("&Kartoteki"));
    kartotekiMenu_ = kartoteki->menuAction();
    windowCommand(kartoteki, QStringLiteral("actZestawienia"), QStringLiteral("Zestawienia"),
                  QStringLiteral("TZestawienia"), Qt::WindowMaximized);
    windowCommand(kartoteki, QStringLiteral("actPodmioty"), QStringLiteral("Podmioty"),
                  QStringLiteral("TPodmioty"), Qt::WindowNoState);

    QMenu* ustawienia = bar->addMenu(QStringLiteral("&Ustawienia"));
    QMenu* slowniki = ustawienia->addMenu(QStringLiteral("&Słowniki"));
    QMenu* aplikacja = slowniki->addMenu(QStringLiteral("Aplikacja"));
    // Rights are granted per user in the users window.
    command(aplikacja, QStringLiteral("actUprawnienia"), QStringLiteral("&Uprawnienia "),
            [this] { openUsers(); });
    command(aplikacja, QStringLiteral("actAppUsers"), QStringLiteral("&Użytkownicy"),
            [this] { openUsers(); });
    for (const char* name : {"actUprawnienia", "actAppUsers"})
        action(QLatin1String(name))->setEnabled(registry_->canCreate(QStringLiteral("TAppUsers")));

    const Qt::WindowState normal = Qt::WindowNoState;
    QMenu* pobor = slowniki->addMenu(QStringLiteral("Pobór wody"));
    windowCommand(pobor, QStringLiteral("actRzgw"), QStringLiteral("RZGW"), QStringLiteral("TRzgw"), normal);
    windowCommand(pobor, QStringLiteral("actTypyUjWody"), QStringLiteral("&Typy ujęć wody"),
                  QStringLiteral("TTypyUjWody"), normal);
    windowCommand(pobor, QStringLiteral("actRdzUjWodyPow"), QStringLiteral("Rodzaje ujęć wody pow."),
                  QStringLiteral("TRdzUjeciaWodyPow"), normal);
    windowCommand(pobor, QStringLiteral("actStOplPobWody"), QStringLiteral("Stawki opłat za pobór wody"),
                  QStringLiteral("TStOplPobWody"), normal);
    windowCommand(pobor, QStringLiteral("actWspRoznPw"),
                  QStringLiteral("Współczynniki różnicujące dla poboru wody"), QStringLiteral("TWspRoznPw"),
                  normal);

    QMenu* gazy = slowniki->addMenu(QStringLiteral("Wprowadzanie gazów lub pyłów"));
    windowCommand(gazy, QStringLiteral("actPaliwaKotlow"), QStringLiteral("Paliwa kotłów"),
                  QStringLiteral("TPaliwaKotlow"), normal);
    windowCommand(gazy, QStringLiteral("actRdzPlwSilnik"), QStringLiteral("Rodzaje paliw silnikowych"),
                  QStringLiteral("TRdzPlwSilnik"), normal);
    windowCommand(gazy, QStringLiteral("actRdzSilnikow"), QStringLiteral("Rodzaje &silników"),
                  QStringLiteral("TRdzSilnikow"), normal);
    windowCommand(gazy, QStringLiteral("actStSilnikPaliwo"), QStringLiteral("Stawki silnik-paliwo"),
                  QStringLiteral("TStSilnikPaliwo"), Qt::WindowMaximized);
    windowCommand(gazy, QStringLiteral("actSoTG"),
                  QStringLiteral("Jednostkowe stawki opłat za gazy lub pyły wprowadzane do powietrza"),
                  QStringLiteral("TSoTG"), normal);
    windowCommand(gazy, QStringLiteral("actStTblB"), QStringLiteral("Przeładunek paliw - stawki opłat"),
                  QStringLiteral("TStTblB"), normal);
    windowCommand(gazy, QStringLiteral("actStTblC"), QStringLiteral("Gazy lub pyły z kotłów - stawki opłat"),
                  QStringLiteral("TStTblC"), normal);

    QMenu* scieki = slowniki->addMenu(QStringLiteral("Ścieki"));
    QMenu* stawki = scieki->addMenu(QStringLiteral("Stawki opłat"));
    for (const char* letter : {"A", "B", "C", "D"}) {
        const QString l = QString::fromLatin1(letter);
        windowCommand(stawki, QStringLiteral("actSoScT") + l, QStringLiteral("Tabela ") + l,
                      QStringLiteral("TSoScT") + l, normal);
    }
    windowCommand(scieki, QStringLiteral("actRdzOdbSc"), QStringLiteral("Rodzaje odbiorników ścieków"),
                  QStringLiteral("TRdzOdbSc"), normal);
    windowCommand(scieki, QStringLiteral("actStatPzwWpSc"),
                  QStringLiteral("Statusy pozwoleń wodnoprawnych dla ścieków"),
                  QStringLiteral("TStatPzwWpSc"), normal);
    windowCommand(scieki, QStringLiteral("actKodyRdzSc"), QStringLiteral("Kody rodzajów ścieków"),
                  QStringLiteral("TKodyRdzSc"), normal);
    windowCommand(scieki, QStringLiteral("actWspRoznSc"),
                  QStringLiteral("Współczynniki różnicujące dla ścieków"), QStringLiteral("TWspRoznSc"),
                  normal);
    windowCommand(scieki, QStringLiteral("actWskTaSc"), QStringLiteral("Wskaźniki Tabeli A dla ścieków"),
                  QStringLiteral("TWskTaSc"), normal);

    QMenu* odpady = slowniki->addMenu(QStringLiteral("Składowanie odpadów"));
    windowCommand(odpady, QStringLiteral("actWspRoznOdpd"), QStringLiteral("Współczynnki różnicujące"),
                  QStringLiteral("TWspRoznOdpd"), normal);
    registeredCommand(odpady, QStringLiteral("actPrzeglRodzajOdpadu"),
                      QStringLiteral("Rodzaje odpadów (przegląd)"));

    QMenu* zestawienie = slowniki->addMenu(QStringLiteral("Zestawienie"));
    windowCommand(zestawienie, QStringLiteral("actLataZest"), QStringLiteral("&Lata zestawień"),
                  QStringLiteral("TLataZest"), normal);
    windowCommand(zestawienie, QStringLiteral("actPolrocza"), QStringLiteral("&Półrocza"),
                  QStringLiteral("TPolrocza"), normal);
    windowCommand(zestawienie, QStringLiteral("actSzPozZestZb"),
                  QStringLiteral("Szablony poz. zestawienia zbiorczego"), QStringLiteral("TSzPozZestZb"),
                  Qt::WindowMaximized);

    ustawienia->addSeparator();
    registeredCommand(ustawienia, QStringLiteral("actChangePassword"), QStringLiteral("Zmień &hasło"));

    windowMenu_ = bar->addMenu(QStringLiteral("&Okno"));
    windowActions_ << command(windowMenu_, QStringLiteral("actMinimizeAll"),
                              QStringLiteral("&Minimalizuj wszystkie"),
                              [this] {
                                  for (QMdiSubWindow* w : mdiArea_->subWindowList())
                                      w->showMinimized();
                              })
                   << command(windowMenu_, QStringLiteral("actWindowClose"), QStringLiteral("&Zamknij"),
                              [this] { mdiArea_->closeActiveSubWindow(); })
                   << windowMenu_->addSeparator()
                   << command(windowMenu_, QStringLiteral("actCascade"), QStringLiteral("Ułóż &kaskadowo"),
                              [this] { mdiArea_->cascadeSubWindows(); })
                   // Horizontal tiling puts the children one above another, vertical tiling side by side.
                   << command(windowMenu_, QStringLiteral("actTileHorizontal"),
                              QStringLiteral("Ułóż obok siebie p&ionowo"),
                              [this] { tileChildren(Qt::Vertical); })
                   << command(windowMenu_, QStringLiteral("actTileVertical"),
                              QStringLiteral("Ułóż obok siebie p&oziomo"),
                              [this] { tileChildren(Qt::Horizontal); });
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMain::refreshWindowMenu);

    QMenu* pomoc = bar->addMenu(QStringLiteral("&Pomoc"));
    command(pomoc, QStringLiteral("actUserManual"), QStringLiteral("&Podręcznik użytkownika"),
            [this] { openUserManual(); });
    registeredCommand(pomoc, QStringLiteral("actPierwszeLogowanie"), QStringLiteral("Pierwsze &logowanie "));
    pomoc->addSeparator();
    command(pomoc, QStringLiteral("actAboutBox"), QStringLiteral("&O programie"), [this] { showAboutBox(); });
    command(pomoc, QStringLiteral("actTest"), QStringLiteral("Test ..."))->setVisible(false);

    refreshWindowMenu();
}

void TMain::tileChildren(Qt::Orientation stacking) {
    QList<QMdiSubWindow*> windows;
    int minimized = 0; // minimised children keep their row at the bottom
    for (QMdiSubWindow* w : mdiArea_->subWindowList()) {
        if (w->isHidden())
            continue;
        if (w->isMinimized())
            minimized = std::max(minimized, w->height());
        else
            windows << w;
    }
    const int n = int(windows.size());
    if (n == 0)
        return;
    const QRect area = mdiArea_->viewport()->rect().adjusted(0, 0, 0, -minimized);
    const bool stacked = stacking == Qt::Vertical;
    const int total = stacked ? area.height() : area.width();
    for (int i = 0; i < n; ++i) {
        // The last one takes what the division leaves over.
        const int from = total * i / n, to = total * (i + 1) / n;
        windows[i]->showNormal();
        windows[i]->setGeometry(stacked ? QRect(0, from, area.width(), to - from)
                                        : QRect(from, 0, to - from, area.height()));
    }
}

void TMain::fitCaption() {
    // The caption ends with a blank; the toolkit appends a maximised child's title as " - [title]",
    // which would leave two blanks in between.
    QString wanted = caption_;
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    if (active && active->isMaximized() && windowTitle() != caption_) {
        while (wanted.endsWith(QLatin1Char(' ')))
            wanted.chop(1);
        wanted += QStringLiteral(" - [%1]").arg(active->windowTitle());
    }
    if (windowTitle() != wanted)
        setWindowTitle(wanted);
}

void TMain::editCommand(const char* slot) {
    // The clipboard commands act on the edit field that has the focus.
    if (QWidget* focus = QApplication::focusWidget())
        QMetaObject::invokeMethod(focus, slot);
}

// --- child windows

QMainWindow* TMain::OpenChildWindow(const QString& className, Qt::WindowState state, int limit) {
    QMdiSubWindow* first = nullptr;
    int count = 0;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (window->widget() && window->widget()->objectName() == className) {
            ++count;
            if (!first)
                first = window;
        }
    }
    if (count < limit) {
        QMainWindow* child = registry_->create(className);
        if (!child)
            return nullptr;
        QMdiSubWindow* window = mdiArea_->addSubWindow(child);
        window->setAttribute(Qt::WA_DeleteOnClose);
        // A child maximised or restored changes the caption.
        connect(window, &QMdiSubWindow::windowStateChanged, this,
                [this] { QTimer::singleShot(0, this, &TMain::fitCaption); });
        child->menuBar()->hide();
        window->show();
        window->setWindowState(state);
        // The window's own preferred size (its grid's columns), wholly inside the area.
        if (state == Qt::WindowNoState) {
            const QSize area = mdiArea_->viewport()->size();
            const QSize size = window->sizeHint().boundedTo(area);
            const QPoint at(std::clamp(window->x(), 0, std::max(0, area.width() - size.width())),
                            std::clamp(window->y(), 0, std::max(0, area.height() - size.height())));
            window->setGeometry(QRect(at, size));
        }
        if (state == Qt::WindowMaximized)
            window->showMaximized();
        mdiArea_->setActiveSubWindow(window);
        refreshWindowMenu();
        return child;
    }
    if (first->isMinimized()) {
        const Qt::WindowState restored = state == Qt::WindowMinimized ? Qt::WindowNoState : state;
        if (restored == Qt::WindowMaximized)
            first->showMaximized();
        else
            first->showNormal();
    }
    mdiArea_->setActiveSubWindow(first);
    first->raise();
    first->widget()->setFocus();
    return qobject_cast<QMainWindow*>(first->widget());
}

void TMain::mergeChildMenus(QMdiSubWindow* window) {
    for (const QPointer<QAction>& menu : std::as_const(mergedMenus_))
        if (menu)
            menuBar()->removeAction(menu);
    mergedMenus_.clear();
    auto* child = window ? qobject_cast<QMainWindow*>(window->widget()) : nullptr;
    if (!child)
        return;
    // The active child's own menus ("&Słownik" and the like) follow "&Edycja".
    for (QAction* menu : child->menuBar()->actions()) {
        menuBar()->insertAction(kartotekiMenu_, menu);
        mergedMenus_ << menu;
    }
}

void TMain::refreshWindowMenu() {
    for (QAction* listed : windowMenu_->actions())
        if (!windowActions_.contains(listed))
            windowMenu_->removeAction(listed), listed->deleteLater();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    for (QAction* standard : std::as_const(windowActions_))
        standard->setEnabled(!windows.isEmpty());
    if (windows.isEmpty())
        return;
    windowMenu_->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        auto* entry =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(window)] {
            if (!w)
                return;
            if (w->isMinimized())
                w->showNormal();
            mdiArea_->setActiveSubWindow(w);
        });
    }
}

// --- commands

void TMain::openUsers() {
    if (options_.isAdministrator())
        OpenChildWindow(QStringLiteral("TAppUsers"), Qt::WindowNoState);
    else
        AppMessages().information(QStringLiteral("Opcja jest dostępna tylko dla administratora aplikacji."));
}

void TMain::openUserManual() {
    // Nothing is said when the manual or an application for it is missing.
    QDesktopServices::openUrl(QUrl::fromLocalFile(options_.programFolder + QStringLiteral("Pomoc.doc")));
}

void TMain::showAboutBox() {
    QString schema;
    if (options_.schemaVersion)
        schema = options_.schemaVersion();
    TbcAboutBoxDb box(TFileVersionInfo::Instance().fileVersion(), schema, this);
    box.exec();
}

// --- activation and closing

bool TMain::event(QEvent* event) {
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::WindowTitleChange)
        QTimer::singleShot(0, this, &TMain::fitCaption);
    if (event->type() == QEvent::WindowActivate && !signedIn_ && !signingIn_) {
        signingIn_ = true;
        // The window paints first; the sign-in runs from the event loop.
        QTimer::singleShot(0, this, &TMain::firstActivation);
    }
    return result;
}

void TMain::firstActivation() {
    if (!options_.signIn()) {
        signingIn_ = false;
        options_.signInFailed();
        return;
    }
    signedIn_ = true;
    signingIn_ = false;
    statusPanel_->setText(QStringLiteral("Użytkownik: ") + options_.userName());
    showMaximized();
    emit signedInAtStart();
}

void TMain::closeEvent(QCloseEvent* event) {
    // Every child is asked first; one refusal keeps everything open.
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (!window->widget())
            continue;
        QCloseEvent query;
        QCoreApplication::sendEvent(window->widget(), &query);
        if (!query.isAccepted()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
