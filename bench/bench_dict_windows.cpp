// Opening every dictionary window from the main window's menu on a version-7 database: the time from
// the command to the window shown and painted, each window's first opening (its query read from the
// database). Prints every window's figure and the slowest.

#include "app/ui/ProgramWindows.h"
#include "app/ui/TMain.h"
#include "app/ui/WindowRegistry.h"
#include "dict/TdmfDict.h"
#include "dict/ui/TDictWindow.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QTextStream>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScopedScriptedMessages messages;
    TestDatabase db;
    db.createAtVersion(7);
    TdmfDict dict(db.connection());
    dmfDict = &dict;

    WindowRegistry registry;
    RegisterProgramWindows(registry);
    TMain::Options options;
    options.registry = &registry;
    options.signIn = [] { return true; };
    options.userName = [] { return QStringLiteral("Administrator"); };
    TMain main(options);
    main.resize(1280, 900);
    main.show();
    QApplication::processEvents();

    QTextStream out(stdout);
    qint64 slowest = 0;
    QString slowestName;
    for (const DictWindowDef& def : DictWindowDefs()) {
        const QString className = QString::fromLatin1(def.className);
        QElapsedTimer timer;
        timer.start();
        QMainWindow* window = main.OpenChildWindow(className, Qt::WindowNoState);
        window->repaint();
        QApplication::processEvents();
        const qint64 ms = timer.elapsed();
        out << className << ": " << ms << " ms (" << window->findChild<DataGrid*>()->model()->rowCount()
            << " rows)\n";
        if (ms > slowest) {
            slowest = ms;
            slowestName = className;
        }
        main.mdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    }
    out << "slowest dictionary window: " << slowestName << " " << slowest << " ms (aim: < 150 ms)\n";
    return 0;
}
