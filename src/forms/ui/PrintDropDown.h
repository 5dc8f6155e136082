#pragma once

#include <QToolButton>

class QMenu;
class QToolBar;

// The print button of a list's toolbar: a click on the button itself (not only on its arrow) drops
// down the menu of printouts. It stays hidden and disabled until the concrete window that has
// printouts fills the menu and shows it.
class PrintDropDown : public QToolButton {
    Q_OBJECT
public:
    PrintDropDown(const QString& hint, QToolBar* toolBar);

    QMenu* printMenu() const { return menu_; }
    // Adds a printout to the menu; the caller connects its `triggered`.
    QAction* addPrintout(const QString& caption, const QString& hint = QString());
    // Shows and enables the button (or hides and disables it again).
    void showButton(bool shown = true);
    bool isShown() const;

private:
    QMenu* menu_;
    QAction* toolBarAction_;
};
