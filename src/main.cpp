// Ostoja: start-up and shutdown of the program.

#include "app/AppInfo.h"
#include "app/PolishLocale.h"
#include "app/Startup.h"
#include "app/TFileVersionInfo.h"
#include "app/ui/ProgramWindows.h"
#include "app/ui/TMain.h"
#include "app/ui/TbcAboutBoxDb.h"
#include "app/ui/TbcSplashScreen.h"
#include "app/ui/WindowRegistry.h"
#include "dict/TdmfDict.h"
#include "platform/data/DataError.h"
#include "platform/ui/QtMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallPolishLocale(app);
    QApplication::setWindowIcon(ProgramIcon(32));
    QtMessages messages;
    SetAppMessages(&messages);

    auto splash = std::make_unique<TbcSplashScreen>();
    splash->show();
    app.processEvents();

    QApplication::setApplicationName(AppInfo::Title());
    TFileVersionInfo::Instance();

    const StartupPaths paths = StartupPaths::ForExecutable(app.applicationFilePath());
    std::unique_ptr<TdmfDB> db = CreateDatabaseModule(paths, messages);
    if (!db)
        return 1;
    dmfDB = db.get();

    TMain::Options options;
    options.programFolder = paths.programFolder;
    options.schemaVersion = [] {
        try {
            return QString::number(dmfDB->ReadSchemaVersion());
        } catch (const DataError&) {
            return QString();
        }
    };
    RegisterProgramWindows(WindowRegistry::Instance());
    auto mainWindow = std::make_unique<TMain>(options);
    auto dictionaries = std::make_unique<TdmfDict>(db->cnMain);
    dmfDict = dictionaries.get();

    // The splash stays for a moment; the pause may be skipped where start-up is measured.
    if (!app.arguments().contains(QStringLiteral("--no-splash-pause"))) {
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 2000) {
            app.processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(20);
        }
    }
    splash.reset();

    // Start-up measurements end the program as soon as the user is signed in.
    if (app.arguments().contains(QStringLiteral("--quit-when-ready")))
        QObject::connect(mainWindow.get(), &TMain::signedInAtStart, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
    mainWindow->show();
    mainWindow->activateWindow();
    const int result = app.exec();

    // Shutdown order: dictionaries, main window, database module (which disconnects).
    dictionaries.reset();
    mainWindow.reset();
    dmfDB = nullptr;
    db.reset();
    return result;
}
