#include "forms/ui/TbcKsiega.h"

#include "forms/DataHelpers.h"
#include "forms/ui/TSearchDLG.h"
#include "forms/ui/TbcKsiegaPozycja.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

TbcKsiega::TbcKsiega(QWidget* parent) : QMainWindow(parent), dsMain(new DataSource(this)) {
    setObjectName(QStringLiteral("TbcKsiega"));
    setAttribute(Qt::WA_DeleteOnClose);
    grid_ = new DataGrid(*dsMain, this);
    grid_->setObjectName(QStringLiteral("grdMain"));
    grid_->setInPlaceEditing(false);
    grid_->setSortMode(DataGrid::SortMode::SingleColumn);
    // A title click runs this window's (overridable) sort, not the grid's own.
    QObject::disconnect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, grid_, nullptr);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TbcKsiega::onTitleClicked);

    commands_ = new ListCommands(*dsMain, this, QStringLiteral("act"));
    commands_->commitEditors = [this] { return grid_->commitEditor() && FieldBinding::commitAll(this); };
    commands_->keyField = [this] { return KsiegaKeyField; };
    connect(commands_->actSearch, &QAction::triggered, this, [this] {
        if (!commands_->commitEditors())
            return;
        TSearchDLG::Search(dataSet(), searchData_, this);
        grid_->setFocus();
    });
    connect(commands_->actDodaj, &QAction::triggered, this, [this] { actDodajExecute(); });
    connect(commands_->actPopraw, &QAction::triggered, this, [this] { actPoprawExecute(); });

    toolBar_ = addToolBar(QStringLiteral("Księga"));
    toolBar_->setObjectName(QStringLiteral("tbMain"));
    toolBar_->setMovable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    commands_->fillToolBar(toolBar_);
    toolBar_->addSeparator();
    btnPrint_ = new PrintDropDown(QStringLiteral("Wydruki z Księgi"), toolBar_);
    btnPrint_->setObjectName(QStringLiteral("btnPrint"));

    ksiegaMenu_ = menuBar()->addMenu(QStringLiteral("&Księga"));
    ksiegaMenu_->setObjectName(QStringLiteral("mnuKsiega"));
    ksiegaMenu_->addActions({commands_->actDodaj, commands_->actPopraw, commands_->actAUUsun});
    ksiegaMenu_->addSeparator();
    ksiegaMenu_->addActions({commands_->actSearch, commands_->actRefresh});
    ksiegaMenu_->addSeparator();
    ksiegaMenu_->addActions(
        {commands_->actFirst, commands_->actPrior, commands_->actNext, commands_->actLast});

    gridMenu_ = new QMenu(this);
    gridMenu_->addAction(commands_->actPopraw);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { gridMenu_->popup(grid_->viewport()->mapToGlobal(pos)); });
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this] {
        if (commands_->actPopraw->isEnabled())
            commands_->actPopraw->trigger();
    });

    auto* centralWidget = new QWidget(this);
    central_ = new QVBoxLayout(centralWidget);
    central_->setContentsMargins(2, 2, 2, 2);
    central_->addWidget(grid_, 1);
    setCentralWidget(centralWidget);
    resize(720, 440);
}

TbcKsiega::~TbcKsiega() {
    // The list closes with its register (a pending change is dropped).
    RunReportingLater([this] { CloseIfOpen(*dsMain); });
}

void TbcKsiega::Bind(QObject* dataModule, Query* dataSet) {
    dataModule_ = dataModule;
    dsMain->setDataSet(dataSet);
}

Query* TbcKsiega::dataSet() const {
    return dsMain->dataSet();
}

void TbcKsiega::AddEntry(TbcKsiegaPozycja* entry) {
    runEntry(entry, EntryStart::Insert);
}

void TbcKsiega::EditEntry(TbcKsiegaPozycja* entry) {
    runEntry(entry, EntryStart::Edit);
}

void TbcKsiega::runEntry(TbcKsiegaPozycja* entry, EntryStart start) {
    if (!entry)
        return;
    Query* q = dataSet();
    const bool started = q && commands_->run([&] {
        entry->BindEntry(dataModule_, q);
        OpenIfClosed(q);
        if (start == EntryStart::Insert)
            q->insert();
        else
            q->edit();
    });
    if (!started) {
        // A refused insert or edit opens nothing.
        delete entry;
        return;
    }
    entry->exec();
    commands_->run([&] {
        // Nothing is left half-edited behind the register, whatever the dialog did.
        CancelIfEditing(*dsMain);
        if (!KsiegaKeyField.trimmed().isEmpty())
            RefreshKeepKey(*dsMain, KsiegaKeyField.trimmed());
        else
            q->refresh();
    });
    grid_->setFocus();
}

bool TbcKsiega::SortByColumn(int column, bool toggle) {
    if (!grid_->SortByColumn(column, toggle))
        return false;
    sortedField_ = grid_->columnField(column);
    return true;
}

void TbcKsiega::onTitleClicked(int column) {
    if (SortByColumn(column, true))
        setSearchColumn(column);
}

void TbcKsiega::setSearchColumn(int column) {
    if (column < 0 || column >= grid_->gridModel().columnCount())
        return;
    searchData_.caption = grid_->columnTitle(column);
    searchData_.fieldName = grid_->columnField(column);
}

void TbcKsiega::showing() {
    if (!dsMain->dataSet())
        return;
    grid_->centerTitles();
    for (int c = 0; c < grid_->gridModel().columnCount(); ++c)
        if (CenteredFields.contains(grid_->columnField(c), Qt::CaseInsensitive))
            grid_->setColumnCentered(c, true);
    OpenIfClosed(*dsMain);
    grid_->fitColumns();
    SortByColumn(0, false);
    setSearchColumn(0);
    dsMain->dataSet()->first();
}

void TbcKsiega::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    RunDataCommand([this] { showing(); });
    commands_->updateActions();
    grid_->setFocus();
}
