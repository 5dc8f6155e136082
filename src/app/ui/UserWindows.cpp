#include "app/ui/UserWindows.h"

#include "app/ui/TAppUsers.h"
#include "app/ui/TChangePasswd.h"
#include "app/ui/TFirstLoginInfo.h"
#include "app/ui/WindowRegistry.h"

#include <QCoreApplication>

void RegisterUserWindows(WindowRegistry& registry) {
    registry.setFactory(QStringLiteral("TAppUsers"), [] { return new TAppUsers(); });
    registry.setCommand(QStringLiteral("actChangePassword"),
                        [](QWidget* parent) { ChangeSignedInUserPassword(parent); });
    registry.setCommand(QStringLiteral("actPierwszeLogowanie"), [](QWidget* parent) {
        TFirstLoginInfo::Show(QCoreApplication::applicationDirPath() + QLatin1Char('/'), parent);
    });
}
