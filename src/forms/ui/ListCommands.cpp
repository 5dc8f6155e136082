#include "forms/ui/ListCommands.h"

#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"

#include <QAction>
#include <QKeySequence>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace {

QKeySequence Keys(const char* text) {
    return QKeySequence(QString::fromLatin1(text));
}

} // namespace

ListCommands::ListCommands(DataSource& source, QWidget* scope, const QString& prefix)
    : QObject(scope), actFirst(MakeAction(scope, prefix + QStringLiteral("First"), QStringLiteral("Pierwszy"),
                                          QStringLiteral("Pierwszy "), {})),
      actPrior(MakeAction(scope, prefix + QStringLiteral("Prior"), QStringLiteral("Poprzedni"),
                          QStringLiteral("Poprzedni"), {})),
      actNext(MakeAction(scope, prefix + QStringLiteral("Next"), QStringLiteral("Napstępny"),
                         QStringLiteral("Następny "), {})),
      actLast(MakeAction(scope, prefix + QStringLiteral("Last"), QStringLiteral("Ostatni"),
                         QStringLiteral("Ostatni"), {})),
      actSearch(MakeAction(scope, prefix + QStringLiteral("Search"), QStringLiteral("&Szukaj"),
                           QStringLiteral("Szukaj zadanej frazy"), Keys("Ctrl+S"))),
      actDodaj(MakeAction(scope, prefix + QStringLiteral("Dodaj"), QStringLiteral("&Dodaj"),
                          QStringLiteral("Dodaj"), Keys("Ctrl+D"))),
      actPopraw(MakeAction(scope, prefix + QStringLiteral("Popraw"), QStringLiteral("&Popraw"),
                           QStringLiteral("Popraw"), Keys("Ctrl+P"))),
      actAUUsun(MakeAction(scope, prefix + QStringLiteral("AUUsun"), QStringLiteral("&Usuń"),
                           QStringLiteral("Usuń "), Keys("Ctrl+U"))),
      actRefresh(MakeAction(scope, prefix + QStringLiteral("Refresh"), QStringLiteral("&Refresh"),
                            QStringLiteral("Pobierz ponownie dane z bazy danych"), Keys("Ctrl+O"))),
      source_(source), link_(new DataSourceLink(source, this)), scope_(scope), prefix_(prefix) {
    QStyle* style = scope->style();
    actFirst->setIcon(style->standardIcon(QStyle::SP_MediaSkipBackward));
    actPrior->setIcon(style->standardIcon(QStyle::SP_MediaSeekBackward));
    actNext->setIcon(style->standardIcon(QStyle::SP_MediaSeekForward));
    actLast->setIcon(style->standardIcon(QStyle::SP_MediaSkipForward));

    connect(actFirst, &QAction::triggered, this, [this] { navigate(&Query::first); });
    connect(actPrior, &QAction::triggered, this, [this] { navigate(&Query::prior); });
    connect(actNext, &QAction::triggered, this, [this] { navigate(&Query::next); });
    connect(actLast, &QAction::triggered, this, [this] { navigate(&Query::last); });
    connect(actAUUsun, &QAction::triggered, this, [this] { run([this] { ConfirmDelete(source_); }); });
    connect(actRefresh, &QAction::triggered, this, [this] {
        run([this] {
            Query* q = dataSet();
            if (!q)
                return;
            const QString key = keyField ? keyField().trimmed() : QString();
            if (!q->isActive())
                q->open();
            else if (!key.isEmpty() && q->recNo() >= 0)
                RefreshKeepKey(*q, key);
            else
                q->refresh();
        });
    });

    for (auto signal : {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged,
                        &DataSourceLink::stateChanged, &DataSourceLink::recordChanged})
        connect(link_, signal, this, &ListCommands::updateActions);
    updateActions();
}

ListCommands::~ListCommands() = default;

Query* ListCommands::dataSet() const {
    return source_.dataSet();
}

QToolBar* ListCommands::MakeToolBar(QWidget* parent, const QString& name) {
    auto* toolBar = new QToolBar(parent);
    toolBar->setObjectName(name);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar->setIconSize(QSize(16, 16));
    return toolBar;
}

QAction* ListCommands::MakeAction(QWidget* scope, const QString& name, const QString& caption,
                                  const QString& hint, const QKeySequence& shortcut) {
    auto* a = new QAction(caption, scope);
    a->setObjectName(name);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    // A master and a detail list share their keys; each answers only inside its own scope.
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    scope->addAction(a);
    return a;
}

QAction* ListCommands::addPost(const QString& caption, const QString& hint) {
    if (!actPost) {
        actPost = MakeAction(scope_, prefix_ + QStringLiteral("Post"), caption, hint, Keys("Ctrl+Z"));
        connect(actPost, &QAction::triggered, this, [this] { run([this] { PostIfEditing(source_); }); });
    }
    updateActions();
    return actPost;
}

QAction* ListCommands::addCancel(const QString& caption, const QString& hint) {
    if (!actCancel) {
        actCancel = MakeAction(scope_, prefix_ + QStringLiteral("Cancel"), caption, hint, Keys("Ctrl+Alt+C"));
        // What is being typed is dropped with the row's changes, so nothing is written first.
        connect(actCancel, &QAction::triggered, this, [this] {
            RunDataCommand([this] { CancelIfEditing(source_); });
            updateActions();
        });
    }
    updateActions();
    return actCancel;
}

void ListCommands::setSearchAvailable(bool available) {
    searchAvailable_ = available;
    updateActions();
}

bool ListCommands::run(const std::function<void()>& command) {
    if (commitEditors && !commitEditors())
        return false;
    const bool ok = RunDataCommand(command);
    updateActions();
    return ok;
}

void ListCommands::fillToolBar(QToolBar* toolBar) const {
    for (QAction* a : {actFirst, actPrior, actNext, actLast}) {
        toolBar->addAction(a);
        if (auto* b = qobject_cast<QToolButton*>(toolBar->widgetForAction(a)))
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    toolBar->addSeparator();
    toolBar->addActions({actDodaj, actPopraw, actAUUsun});
    if (actPost || actCancel) {
        toolBar->addSeparator();
        for (QAction* a : {actPost, actCancel})
            if (a)
                toolBar->addAction(a);
    }
    toolBar->addSeparator();
    toolBar->addActions({actSearch, actRefresh});
}

void ListCommands::updateActions() {
    const Query* q = dataSet();
    const bool active = q && q->isActive();
    const int count = active ? q->recordCount() : 0;
    const int row = active ? q->recNo() : -1;
    const bool rows = count > 0 && row >= 0;
    const bool editing = active && q->isEditing();
    actFirst->setEnabled(rows && row > 0);
    actPrior->setEnabled(rows && row > 0);
    actNext->setEnabled(rows && row < count - 1);
    actLast->setEnabled(rows && row < count - 1);
    actPopraw->setEnabled(count > 0);
    actAUUsun->setEnabled(count > 0);
    actSearch->setEnabled(searchAvailable_);
    if (actPost)
        actPost->setEnabled(editing);
    if (actCancel)
        actCancel->setEnabled(editing);
}

void ListCommands::navigate(void (Query::*move)()) {
    run([this, move] {
        if (Query* q = dataSet(); q && q->isActive())
            (q->*move)();
    });
}
