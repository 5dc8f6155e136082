#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class WindowRegistry;

// The main window: a multiple-document area whose menu opens every browsing window of the program,
// one of each class, names the signed-in user and marks the administrator mode in its caption.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        QString programFolder;                  // ends with a separator; holds the key file and the manual
        WindowRegistry* registry = nullptr;     // the program's registry when not given
        std::function<bool()> signIn;           // the start-up sign-in; true on success
        std::function<QString()> userName;      // "<first> <last>" of the signed-in user
        std::function<bool()> isAdministrator;  // whether the signed-in user is an administrator
        std::function<QString()> schemaVersion; // for the about box; empty when it cannot be read
        std::function<void()> signInFailed;     // ends the program
    };

    explicit TMain(Options options, QWidget* parent = nullptr);
    ~TMain() override;

    QMdiArea* mdiArea() const { return mdiArea_; }
    bool administratorMode() const { return administratorMode_; }
    bool signedIn() const { return signedIn_; }
    QString statusText() const;
    QString helpFile() const { return helpFile_; }
    // The command of the main menu by its action name ("actZestawienia", …).
    QAction* action(const QString& name) const { return actions_.value(name); }

    // Opens the window of the class, or brings the open one to the front.
    QMainWindow* OpenChildWindow(const QString& className, Qt::WindowState state, int limit = 1);

signals:
    // The user was signed in at the first activation.
    void signedInAtStart();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QAction* command(QMenu* menu, const QString& name, const QString& caption,
                     std::function<void()> run = {});
    QAction* windowCommand(QMenu* menu, const QString& name, const QString& caption, const QString& className,
                           Qt::WindowState state);
    // A command of the registry that shows a modal window; disabled until the window exists.
    QAction* registeredCommand(QMenu* menu, const QString& name, const QString& caption);
    void firstActivation();
    void mergeChildMenus(QMdiSubWindow* window);
    void refreshWindowMenu();
    // Children one above another (Qt::Vertical) or side by side (Qt::Horizontal), filling the area.
    void tileChildren(Qt::Orientation stacking);
    void fitCaption();
    void editCommand(const char* slot);
    void openUserManual();
    void showAboutBox();
    void openUsers();

    Options options_;
    WindowRegistry* registry_;
    QMdiArea* mdiArea_;
    QLabel* statusPanel_;
    QMenu* windowMenu_ = nullptr;
    QAction* kartotekiMenu_ = nullptr;
    QList<QAction*> windowActions_;
    QList<QPointer<QAction>> mergedMenus_; // the active child's menus shown in the menu bar
    QHash<QString, QAction*> actions_;
    QString helpFile_;
    QString caption_;
    bool administratorMode_ = false;
    bool signedIn_ = false;
    bool signingIn_ = false;
};
