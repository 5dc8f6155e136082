#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `inside` on the modal window of the given type once `open` shows it; another modal window is
// closed instead. Answers whether the window was reached.
template <class Window>
bool WhenModal(const std::function<void(Window&)>& inside, const std::function<void()>& open) {
    bool reached = false;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!w) {
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        reached = true;
        inside(*w);
    });
    open();
    return reached;
}
