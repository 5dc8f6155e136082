#include "platform/ui/CentreOnMainWindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>

#include <algorithm>

void CentreOnMainWindow(QWidget* window) {
    QWidget* main = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != window && qobject_cast<QMainWindow*>(w) && w->isVisible() && !w->parentWidget()) {
            main = w;
            break;
        }
    if (!main)
        main = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (!main || main == window)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(main->frameGeometry().center());
    if (const QScreen* screen = main->screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), available.left(),
                                  std::max(available.left(), available.right() - frame.width() + 1)));
        frame.moveTop(std::clamp(frame.top(), available.top(),
                                 std::max(available.top(), available.bottom() - frame.height() + 1)));
    }
    window->move(frame.topLeft());
}
