#include "statements/ui/StatementContentWindows.h"

#include <QHash>

namespace {

QHash<QString, ContentWindow>& Registry() {
    static QHash<QString, ContentWindow> registry;
    return registry;
}

} // namespace

void RegisterContentWindow(const QString& buttonName, ContentWindow window) {
    if (window)
        Registry().insert(buttonName, std::move(window));
    else
        Registry().remove(buttonName);
}

ContentWindow FindContentWindow(const QString& buttonName) {
    return Registry().value(buttonName);
}
