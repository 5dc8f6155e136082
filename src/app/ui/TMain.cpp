#include "app/ui/TMain.h"

#include "app/AppInfo.h"

#include <QMdiArea>

TMain::TMain(QWidget* parent) : QMainWindow(parent), mdiArea_(new QMdiArea(this)) {
    setCentralWidget(mdiArea_);
    setWindowTitle(AppInfo::ShortName() + QStringLiteral(" - ") + AppInfo::Title() + QLatin1Char(' '));
    resize(1024, 720);
}
