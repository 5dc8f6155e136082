#include "app/ui/WindowRegistry.h"

#include <QMainWindow>

WindowRegistry& WindowRegistry::Instance() {
    static WindowRegistry registry;
    return registry;
}

WindowRegistry::WindowRegistry()
    : classNames_{"TAppUsers",       "TPodmioty",    "TLataZest",         "TPolrocza",    "TPaliwaKotlow",
                  "TRdzPlwSilnik",   "TRdzSilnikow", "TRdzUjeciaWodyPow", "TRzgw",        "TStOplPobWody",
                  "TStSilnikPaliwo", "TStTblB",      "TStTblC",           "TSzPozZestZb", "TTypyUjWody",
                  "TWspRoznPw",      "TZestawienia", "TSoScTA",           "TSoScTB",      "TSoScTC",
                  "TSoScTD",         "TRdzOdbSc",    "TKodyRdzSc",        "TStatPzwWpSc", "TWspRoznSc",
                  "TWskTaSc",        "TSoTG",        "TWspRoznOdpd"} {}

void WindowRegistry::setFactory(const QString& className, Factory factory) {
    Q_ASSERT_X(holds(className), "WindowRegistry", "a window class outside the main menu");
    factories_.insert(className, std::move(factory));
}

QMainWindow* WindowRegistry::create(const QString& className) const {
    const auto it = factories_.constFind(className);
    if (it == factories_.constEnd())
        return nullptr;
    QMainWindow* window = (*it)();
    window->setObjectName(className);
    return window;
}

void WindowRegistry::setCommand(const QString& actionName, Command command) {
    commands_.insert(actionName, std::move(command));
}

const WindowRegistry::Command* WindowRegistry::command(const QString& actionName) const {
    const auto it = commands_.constFind(actionName);
    return it == commands_.constEnd() ? nullptr : &*it;
}
