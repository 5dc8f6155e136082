#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class QMainWindow;
class QWidget;

// The window classes the main window's commands open, by class name. A class is registered with
// the program from the start; its factory arrives with the window itself, and a command whose window
// has no factory yet stays disabled.
class WindowRegistry {
public:
    using Factory = std::function<QMainWindow*()>;
    using Command = std::function<void(QWidget* parent)>;

    // The registry of the running program, holding every class name of the main menu.
    static WindowRegistry& Instance();

    WindowRegistry();

    const QStringList& classNames() const { return classNames_; }
    bool holds(const QString& className) const { return classNames_.contains(className); }
    void setFactory(const QString& className, Factory factory);
    bool canCreate(const QString& className) const { return factories_.contains(className); }
    // A new window of the class, its objectName set to the class name; nullptr without a factory.
    QMainWindow* create(const QString& className) const;

    // Commands that show a modal window instead of a child window (the browsing pickers).
    void setCommand(const QString& actionName, Command command);
    const Command* command(const QString& actionName) const;

private:
    QStringList classNames_;
    QHash<QString, Factory> factories_;
    QHash<QString, Command> commands_;
};
