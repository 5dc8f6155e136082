#include "forms/ui/TbcDictBrowser.h"

#include "forms/ui/ListCommands.h"
#include "forms/ui/TSearchDLG.h"
#include "platform/ui/CentreOnMainWindow.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"
#include "platform/ui/FieldBinding.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Browsers alive now: a dictionary's query is shared by its window and its picker.
QList<const TbcDictBrowser*>& LiveBrowsers() {
    static QList<const TbcDictBrowser*> browsers;
    return browsers;
}

} // namespace

TbcDictBrowser::TbcDictBrowser(QWidget* parent) : QMainWindow(parent), dsMain(new DataSource(this)) {
    LiveBrowsers().append(this);
    setAttribute(Qt::WA_DeleteOnClose);
    link_ = new DataSourceLink(*dsMain, this);
    grid_ = new DataGrid(*dsMain, this);
    grid_->setObjectName(QStringLiteral("grdMain"));

    // Navigation, "&Szukaj", "&Dodaj", "&Popraw", "&Usuń" and "&Refresh" as every list window has them.
    commands_ = new ListCommands(*dsMain, this, QStringLiteral("act"));
    commands_->commitEditors = [this] { return commitEditors(); };
    commands_->keyField = [this] { return refreshKeyField(); };
    actFirst = commands_->actFirst;
    actPrior = commands_->actPrior;
    actNext = commands_->actNext;
    actLast = commands_->actLast;
    actSearch = commands_->actSearch;
    actDodaj = commands_->actDodaj;
    actPopraw = commands_->actPopraw;
    actAUUsun = commands_->actAUUsun;
    actRefresh = commands_->actRefresh;
    actUstawAktywny = makeAction(QStringLiteral("actUstawAktywny"), QStringLiteral("Ustaw aktywny"),
                                 QStringLiteral("Ustaw pozycję słownika na aktywną/nieaktywną"),
                                 QKeySequence(QStringLiteral("Ctrl+Alt+A")));

    connect(actSearch, &QAction::triggered, this, [this] {
        if (!commitEditors())
            return;
        TSearchDLG::Search(dataSet(), searchData_, this);
        grid_->setFocus();
    });
    connect(actDodaj, &QAction::triggered, this, [this] { actDodajExecute(); });
    connect(actPopraw, &QAction::triggered, this, [this] { actPoprawExecute(); });
    connect(actUstawAktywny, &QAction::triggered, this, &TbcDictBrowser::actUstawAktywnyExecute);

    toolBar_ = addToolBar(QStringLiteral("Słownik"));
    toolBar_->setObjectName(QStringLiteral("tbMain"));
    toolBar_->setMovable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (QAction* a : {actFirst, actPrior, actNext, actLast}) {
        toolBar_->addAction(a);
        if (auto* b = qobject_cast<QToolButton*>(toolBar_->widgetForAction(a)))
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    toolBar_->addSeparator();
    toolBar_->addActions({actDodaj, actPopraw, actAUUsun});
    toolBarEditSlot_ = toolBar_->addSeparator();
    toolBar_->addActions({actSearch, actRefresh, actUstawAktywny});

    dictMenu_ = menuBar()->addMenu(QStringLiteral("&Słownik"));
    dictMenu_->setObjectName(QStringLiteral("mnuSlownik"));
    dictMenu_->addActions({actDodaj, actPopraw, actAUUsun});
    menuEditSlot_ = dictMenu_->addSeparator();
    dictMenu_->addActions({actSearch, actRefresh, actUstawAktywny});
    dictMenu_->addSeparator();
    dictMenu_->addActions({actFirst, actPrior, actNext, actLast});

    gridMenu_ = new QMenu(this);
    gridMenu_->addAction(actPopraw);
    gridMenu_->addAction(actUstawAktywny);
    gridMenu_->addSeparator();
    gridMenu_->addAction(actAUUsun);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { gridMenu_->popup(grid_->viewport()->mapToGlobal(pos)); });

    pickerPanel_ = new QWidget(this);
    btnWybierz_ = new QPushButton(QStringLiteral("&Wybierz"), pickerPanel_);
    btnZrezygnuj_ = new QPushButton(QStringLiteral("&Zrezygnuj"), pickerPanel_);
    btnZrezygnuj_->setToolTip(QStringLiteral("Zrezygnuj z wyboru"));
    auto* buttons = new QHBoxLayout(pickerPanel_);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    buttons->addWidget(btnWybierz_);
    buttons->addWidget(btnZrezygnuj_);
    pickerPanel_->hide();
    connect(btnWybierz_, &QPushButton::clicked, this, &TbcDictBrowser::accept);
    connect(btnZrezygnuj_, &QPushButton::clicked, this, &TbcDictBrowser::reject);
    // Escape gives up a choice, as in any dialog.
    escape_ = makeAction(QStringLiteral("actZrezygnuj"), QString(), QStringLiteral("Zrezygnuj z wyboru"),
                         QKeySequence(Qt::Key_Escape));
    escape_->setEnabled(false);
    connect(escape_, &QAction::triggered, this, &TbcDictBrowser::reject);

    auto* centralWidget = new QWidget(this);
    central_ = new QVBoxLayout(centralWidget);
    central_->setContentsMargins(2, 2, 2, 2);
    central_->addWidget(grid_, 1);
    central_->addWidget(pickerPanel_);
    setCentralWidget(centralWidget);

    connect(grid_, &DataGrid::titleClicked, this, &TbcDictBrowser::setSearchColumn);
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this] { onGridDoubleClicked(); });
    for (auto signal : {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged,
                        &DataSourceLink::stateChanged, &DataSourceLink::recordChanged})
        connect(link_, signal, this, &TbcDictBrowser::updateActions);
    updateActions();
    resize(640, 420);
}

TbcDictBrowser::~TbcDictBrowser() {
    if (loop_)
        loop_->quit();
    LiveBrowsers().removeOne(this);
    // The list's data set is closed with its window (a pending edit is dropped), unless another
    // window still lists it.
    for (const TbcDictBrowser* other : std::as_const(LiveBrowsers()))
        if (other->dsMain->dataSet() == dsMain->dataSet())
            return;
    RunReportingLater([this] { CloseIfOpen(*dsMain); });
}

Query* TbcDictBrowser::dataSet() const {
    return dsMain->dataSet();
}

QAction* TbcDictBrowser::makeAction(const QString& name, const QString& caption, const QString& hint,
                                    const QKeySequence& shortcut) {
    // Several browsers open side by side each answer their own keys.
    return ListCommands::MakeAction(this, name, caption, hint, shortcut);
}

void TbcDictBrowser::insertEditAction(QAction* action) {
    toolBar_->insertAction(toolBarEditSlot_, action);
    dictMenu_->insertAction(menuEditSlot_, action);
}

QPlainTextEdit* TbcDictBrowser::addMemo(const QString& caption, const QString& fieldName) {
    auto* label = new QLabel(caption, centralWidget());
    auto* memo = new QPlainTextEdit(centralWidget());
    memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 4 + 12);
    label->setBuddy(memo);
    const int at = central_->indexOf(pickerPanel_);
    central_->insertWidget(at, label);
    central_->insertWidget(at + 1, memo);
    FieldBinding::bind(memo, *dsMain, fieldName);
    return memo;
}

void TbcDictBrowser::setSearchColumn(int column) {
    if (column < 0 || column >= grid_->gridModel().columnCount())
        return;
    searchData_.caption = grid_->columnTitle(column);
    searchData_.fieldName = grid_->columnField(column);
}

int TbcDictBrowser::effectiveFilterMode() const {
    // A list without an active flag (no filter parameters) stays unfiltered in its picker form too.
    return pickerMode_ && FilterMode != FilterNone ? int(FilterActive) : FilterMode;
}

void TbcDictBrowser::setPickerMode(bool picker) {
    pickerMode_ = picker;
    pickerPanel_->setVisible(picker);
    // In a picker a double click chooses the row instead of opening the cell.
    grid_->setEditOnDoubleClick(!picker);
    escape_->setEnabled(picker);
    updateActions();
}

int TbcDictBrowser::exec() {
    setPickerMode(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (parentWidget() && !isWindow())
        setWindowFlags(windowFlags() | Qt::Dialog);
    setWindowModality(Qt::ApplicationModal);
    result_ = QDialog::Rejected;
    shownOnce_ = false;
    show();
    CentreOnMainWindow(this);
    // The window may be destroyed while its loop runs (its parent closed under it): then nothing of it
    // is touched again and the choice counts as given up.
    const QPointer<TbcDictBrowser> self(this);
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return QDialog::Rejected;
    loop_ = nullptr;
    return result_;
}

void TbcDictBrowser::done(int result) {
    result_ = result;
    if (!close())
        result_ = QDialog::Rejected;
}

void TbcDictBrowser::updateActions() {
    const Query* q = dataSet();
    commands_->updateActions();
    btnWybierz_->setEnabled(q && q->isActive() && !q->isEmpty());
}

bool TbcDictBrowser::commitEditors() {
    return grid_->commitEditor() && FieldBinding::commitAll(this);
}

bool TbcDictBrowser::runCommand(const std::function<void()>& command, bool commitFirst) {
    if (commitFirst && !commitEditors())
        return false;
    const bool ok = RunDataCommand(command);
    updateActions();
    return ok;
}

void TbcDictBrowser::actUstawAktywnyExecute() {
    if (ActiveField.isEmpty())
        return;
    if (!commitEditors())
        return;
    Query* q = dataSet();
    if (!q)
        return;
    bool started = false;
    const bool toggled = runCommand(
        [&] {
            OpenIfClosed(q);
            // An empty list has no row to mark.
            if (q->isEmpty())
                return;
            started = !q->isEditing();
            EnsureEdit(q);
            Field& flag = q->fieldByName(ActiveField);
            flag.setValue(flag.asInteger() != 0 ? 0 : 1);
        },
        false);
    if (!toggled || !q->isEditing() || !postsActiveToggle())
        return;
    // A refused post leaves nothing pending behind a list that has no save command.
    if (!runCommand([q] { q->post(); }, false) && started)
        runCommand([q] { q->cancel(); }, false);
}

void TbcDictBrowser::onGridDoubleClicked() {
    const Query* q = dataSet();
    if (pickerMode_ && q && q->state() == DataSetState::Browse && !q->isEmpty())
        accept();
}

void TbcDictBrowser::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    RunDataCommand([this] { showing(); });
    updateActions();
    grid_->setFocus();
}

void TbcDictBrowser::closeEvent(QCloseEvent* event) {
    if (!closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    if (loop_)
        loop_->quit();
}
