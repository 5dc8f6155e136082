#pragma once

#include <QObject>

#include <functional>

class DataSource;
class DataSourceLink;
class Query;
class QAction;
class QKeySequence;
class QToolBar;
class QWidget;

// The commands of one list of a register or master-detail window: navigation, "&Szukaj", "&Dodaj",
// "&Popraw", "&Usuń", "&Refresh" and, where the list has them, a save and a cancel command. The
// actions belong to a scope widget (the window, or the panel of the list), so that a master and a
// detail list of one window each answer the shared shortcuts while the focus is inside them.
//
// Navigation, "&Usuń" (with the question "Usunąć bieżący zapis?"), "&Refresh" and the save and cancel
// commands act on the data set of the source; the window connects "&Szukaj", "&Dodaj" and "&Popraw".
// The commands are enabled by the state of the data set.
class ListCommands : public QObject {
    Q_OBJECT
public:
    // `prefix` begins the actions' object names ("act" → "actFirst", "actDodaj", …).
    ListCommands(DataSource& source, QWidget* scope, const QString& prefix);
    ~ListCommands() override;

    DataSource& source() const { return source_; }
    Query* dataSet() const;

    QAction* const actFirst;
    QAction* const actPrior;
    QAction* const actNext;
    QAction* const actLast;
    QAction* const actSearch;
    QAction* const actDodaj;
    QAction* const actPopraw;
    QAction* const actAUUsun;
    QAction* const actRefresh;
    // Created by addPost / addCancel; null otherwise.
    QAction* actPost = nullptr;
    QAction* actCancel = nullptr;

    QAction* addPost(const QString& caption, const QString& hint);
    QAction* addCancel(const QString& caption, const QString& hint);

    // Search without a handler stays disabled.
    void setSearchAvailable(bool available);
    // Writes what is being typed in grids and edits to the data sets before a command runs; false
    // stops the command.
    std::function<bool()> commitEditors;
    // The key column by which "&Refresh" comes back to the current row (empty: it keeps the position).
    std::function<QString()> keyField;

    // Runs a command on the data sets: pending typing written first, failures shown, commands enabled
    // anew. True when it ran to its end.
    bool run(const std::function<void()>& command);

    // Navigation, then "&Dodaj", "&Popraw", "&Usuń", then the save and cancel commands, then
    // "&Szukaj" and "&Refresh".
    void fillToolBar(QToolBar* toolBar) const;

    // A text-only toolbar for a list's commands.
    static QToolBar* MakeToolBar(QWidget* parent, const QString& name);
    // An action of the scope with its caption, hint (tooltip and status tip) and shortcut.
    static QAction* MakeAction(QWidget* scope, const QString& name, const QString& caption,
                               const QString& hint, const QKeySequence& shortcut);

public slots:
    void updateActions();

private:
    void navigate(void (Query::*move)());

    DataSource& source_;
    DataSourceLink* link_;
    QWidget* scope_;
    QString prefix_;
    bool searchAvailable_ = true;
};
