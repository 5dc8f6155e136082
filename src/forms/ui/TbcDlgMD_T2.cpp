#include "forms/ui/TbcDlgMD_T2.h"

#include "forms/DataHelpers.h"
#include "forms/ui/TSearchDLG.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"
#include "platform/ui/FieldBinding.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

TbcDlgMD_T2::TbcDlgMD_T2(QWidget* parent)
    : QDialog(parent), dsM(new DataSource(this)), dsD(new DataSource(this)) {
    setObjectName(QStringLiteral("TbcDlgMD_T2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Dialog Master-Detail T2"));
    setSizeGripEnabled(true);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);

    // --- master: its commands answer their keys inside the master panel only
    pnlMaster_ = new QWidget(splitter);
    pnlMaster_->setObjectName(QStringLiteral("pnlMaster"));
    masterLayout_ = new QVBoxLayout(pnlMaster_);
    masterLayout_->setContentsMargins(0, 0, 0, 0);
    tbMaster_ = ListCommands::MakeToolBar(pnlMaster_, QStringLiteral("tbMaster"));
    masterForm_ = new QFormLayout;
    masterLayout_->addWidget(tbMaster_);
    masterLayout_->addLayout(masterForm_);
    masterLayout_->addStretch(1);

    actMPopraw_ =
        ListCommands::MakeAction(pnlMaster_, QStringLiteral("actMPopraw"), QStringLiteral("&Popraw"),
                                 QStringLiteral("Popraw"), QKeySequence(QStringLiteral("Ctrl+P")));
    actMPost_ = ListCommands::MakeAction(pnlMaster_, QStringLiteral("actMPost"), QStringLiteral("Zapisz"),
                                         QStringLiteral("Zapisz w bazie danych"),
                                         QKeySequence(QStringLiteral("Ctrl+Z")));
    actMCancel_ =
        ListCommands::MakeAction(pnlMaster_, QStringLiteral("actMCancel"), QStringLiteral("&Anuluj"),
                                 QStringLiteral("Anuluj zmiany"), QKeySequence(QStringLiteral("Ctrl+Alt+C")));
    actMRefresh_ = ListCommands::MakeAction(
        pnlMaster_, QStringLiteral("actMRefresh"), QStringLiteral("&Refresh"),
        QStringLiteral("Pobierz ponownie dane z bazy danych"), QKeySequence(QStringLiteral("Ctrl+O")));
    connect(actMPopraw_, &QAction::triggered, this, [this] { actMPoprawExecute(); });
    connect(actMPost_, &QAction::triggered, this, [this] { runMaster([this] { PostIfEditing(*dsM); }); });
    connect(actMCancel_, &QAction::triggered, this, [this] {
        // What is being typed is dropped with the row's changes.
        for (FieldBinding* binding : pnlMaster_->findChildren<FieldBinding*>())
            binding->refresh();
        RunDataCommand([this] { CancelIfEditing(*dsM); });
        updateMasterActions();
    });
    connect(actMRefresh_, &QAction::triggered, this, [this] {
        runMaster([this] {
            if (Query* q = dsM->dataSet())
                q->isActive() ? q->refresh() : q->open();
        });
    });
    tbMaster_->addActions({actMPopraw_, actMPost_, actMCancel_});
    tbMaster_->addSeparator();
    tbMaster_->addAction(actMRefresh_);
    tbMaster_->addSeparator();
    btnMPrint_ = new PrintDropDown(QStringLiteral("Wydruki ..."), tbMaster_);
    btnMPrint_->setObjectName(QStringLiteral("btnMPrint"));
    linkM_ = new DataSourceLink(*dsM, this);
    for (auto signal : {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged,
                        &DataSourceLink::stateChanged, &DataSourceLink::recordChanged})
        connect(linkM_, signal, this, &TbcDlgMD_T2::updateMasterActions);

    // --- detail
    pnlDetail_ = new QWidget(splitter);
    pnlDetail_->setObjectName(QStringLiteral("pnlDetail"));
    detailLayout_ = new QVBoxLayout(pnlDetail_);
    detailLayout_->setContentsMargins(0, 0, 0, 0);
    tbDetail_ = ListCommands::MakeToolBar(pnlDetail_, QStringLiteral("tbDetail"));
    grdD_ = new DataGrid(*dsD, pnlDetail_);
    grdD_->setObjectName(QStringLiteral("grdD"));
    detailLayout_->addWidget(tbDetail_);
    detailLayout_->addWidget(grdD_, 1);

    commandsD_ = new ListCommands(*dsD, pnlDetail_, QStringLiteral("actD"));
    commandsD_->commitEditors = [this] { return commitEditors(); };
    commandsD_->addPost(QStringLiteral("P&ost"), QStringLiteral("Zapisz w bazie danych"));
    commandsD_->addCancel(QStringLiteral("&Cancel"), QStringLiteral("Anuluj zmiany"));
    connect(commandsD_->actSearch, &QAction::triggered, this, [this] { actDSearchExecute(); });
    connect(commandsD_->actDodaj, &QAction::triggered, this, [this] { actDDodajExecute(); });
    connect(commandsD_->actPopraw, &QAction::triggered, this, [this] { actDPoprawExecute(); });
    // A cell being typed into is dropped with the row's changes.
    connect(commandsD_->actCancel, &QAction::triggered, grdD_, &DataGrid::discardEditor,
            Qt::DirectConnection);
    commandsD_->fillToolBar(tbDetail_);
    tbDetail_->addSeparator();
    btnDPrint_ = new PrintDropDown(QStringLiteral("Wydruki ..."), tbDetail_);
    btnDPrint_->setObjectName(QStringLiteral("btnDPrint"));

    splitter->addWidget(pnlMaster_);
    splitter->addWidget(pnlDetail_);
    splitter->setStretchFactor(1, 1);

    btnZapisz_ = new QPushButton(QStringLiteral("Zapisz"), this);
    btnAnuluj_ = new QPushButton(QStringLiteral("Anuluj"), this);
    btnZapisz_->setObjectName(QStringLiteral("btnZapisz"));
    btnAnuluj_->setObjectName(QStringLiteral("btnAnuluj"));
    btnZapisz_->setToolTip(QStringLiteral("Zapisz ostatnie zmiany i zamknij formularz "));
    btnAnuluj_->setToolTip(QStringLiteral("Anuluj ostatnie zmiany i zamknij formularz"));
    btnZapisz_->setAutoDefault(false);
    btnAnuluj_->setAutoDefault(false);
    connect(btnZapisz_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnAnuluj_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnZapisz_);
    buttons->addWidget(btnAnuluj_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    updateMasterActions();
    resize(720, 520);
}

void TbcDlgMD_T2::BindDataSets(QObject* dataModule, Query* master, Query* detail) {
    dataModule_ = dataModule;
    dsM->setDataSet(master);
    dsD->setDataSet(detail);
    RunDataCommand([master, detail] {
        OpenIfClosed(master);
        OpenIfClosed(detail);
    });
    updateMasterActions();
    commandsD_->updateActions();
}

void TbcDlgMD_T2::PostBoth() {
    PostIfEditing(*dsM);
    PostIfEditing(*dsD);
}

TrSearchData TbcDlgMD_T2::detailSearchData() const {
    const int column = grdD_->firstVisibleColumn();
    if (column < 0)
        return {};
    return {grdD_->columnTitle(column), grdD_->columnField(column)};
}

bool TbcDlgMD_T2::commitEditors() {
    return grdD_->commitEditor() && FieldBinding::commitAll(this);
}

void TbcDlgMD_T2::actMPoprawExecute() {
    runMaster([this] {
        if (Query* q = dsM->dataSet(); q && !q->isEditing())
            EnsureEdit(q);
    });
}

void TbcDlgMD_T2::actDDodajExecute() {
    Query* q = dsD->dataSet();
    if (!q)
        return;
    if (commandsD_->run([q] {
            OpenIfClosed(q);
            q->insert();
        }))
        grdD_->setFocus();
}

void TbcDlgMD_T2::actDPoprawExecute() {
    Query* q = dsD->dataSet();
    if (!q)
        return;
    if (commandsD_->run([q] { EnsureEdit(q); }))
        grdD_->setFocus();
}

void TbcDlgMD_T2::actDSearchExecute() {
    Query* q = dsD->dataSet();
    const TrSearchData column = detailSearchData();
    if (!q || !q->isActive() || column.fieldName.trimmed().isEmpty())
        return;
    if (!commitEditors())
        return;
    TSearchDLG::Search(q, column, this);
    commandsD_->updateActions();
    grdD_->setFocus();
}

bool TbcDlgMD_T2::runMaster(const std::function<void()>& command) {
    if (!commitEditors())
        return false;
    const bool ok = RunDataCommand(command);
    updateMasterActions();
    return ok;
}

void TbcDlgMD_T2::updateMasterActions() {
    const Query* q = dsM->dataSet();
    const bool active = q && q->isActive();
    const bool editing = active && q->isEditing();
    actMPopraw_->setEnabled(active && !q->isEmpty());
    actMPost_->setEnabled(editing);
    actMCancel_->setEnabled(editing);
}

void TbcDlgMD_T2::done(int result) {
    bool ok = true;
    if (result == QDialog::Accepted) {
        ok = commitEditors() && RunDataCommand([this] { PostBoth(); });
    } else {
        // The detail's change is dropped before the master's: dropping a new master row first would
        // make the detail re-read, which saves what is pending in it.
        grdD_->discardEditor();
        ok = RunDataCommand([this] {
            CancelIfEditing(*dsD);
            CancelIfEditing(*dsM);
        });
    }
    updateMasterActions();
    commandsD_->updateActions();
    if (ok)
        QDialog::done(result);
}

void TbcDlgMD_T2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    RunDataCommand([this] {
        if (Query* q = dsD->dataSet(); q && q->isActive())
            q->first();
    });
    updateMasterActions();
    commandsD_->updateActions();
}
