// Ostoja: start-up and shutdown of the program.

#include "app/AppInfo.h"
#include "app/Startup.h"
#include "app/TFileVersionInfo.h"
#include "app/ui/TMain.h"
#include "app/ui/TbcSplashScreen.h"
#include "platform/ui/QtMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtMessages messages;
    SetAppMessages(&messages);

    auto splash = std::make_unique<TbcSplashScreen>();
    splash->show();
    app.processEvents();

    QApplication::setApplicationName(AppInfo::Title());
    TFileVersionInfo::Instance();

    std::unique_ptr<TdmfDB> db =
        CreateDatabaseModule(StartupPaths::ForExecutable(app.applicationFilePath()), messages);
    if (!db)
        return 1;
    dmfDB = db.get();

    auto mainWindow = std::make_unique<TMain>();

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

    mainWindow->show();
    const int result = app.exec();

    // Shutdown order: dictionaries, main window, database module (which disconnects).
    mainWindow.reset();
    dmfDB = nullptr;
    db.reset();
    return result;
}
