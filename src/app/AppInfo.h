#pragma once

#include <QString>

// Names under which the program presents itself.
namespace AppInfo {
inline QString ShortName() {
    return QStringLiteral("Ostoja");
}
inline QString SplashName() {
    return QStringLiteral("OSTOJA");
}
inline QString Title() {
    return QStringLiteral("Opłaty za korzystanie ze środowiska");
}
constexpr int RequiredSchemaVersion = 7;
} // namespace AppInfo
