#include "forms/ui/MasterDetailWindow.h"

#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QLabel* CaptionStrip(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Mid);
    label->setForegroundRole(QPalette::BrightText);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setContentsMargins(4, 2, 4, 2);
    return label;
}

} // namespace

MasterDetailWindow::MasterDetailWindow(const QString& printHint, QWidget* parent)
    : QDialog(parent), dsM(new DataSource(this)), printHint_(printHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Master Detail Dialog DB "));
    setSizeGripEnabled(true);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setChildrenCollapsible(false);

    pnlMaster_ = new QWidget(splitter_);
    pnlMaster_->setObjectName(QStringLiteral("pnlMaster"));
    masterLayout_ = new QVBoxLayout(pnlMaster_);
    masterLayout_->setContentsMargins(0, 0, 0, 0);
    masterLayout_->setSpacing(2);
    lblMaster_ = CaptionStrip(pnlMaster_, QStringLiteral("lblMaster"));
    tbMaster_ = ListCommands::MakeToolBar(pnlMaster_, QStringLiteral("tbMaster"));
    grdM_ = new DataGrid(*dsM, pnlMaster_);
    grdM_->setObjectName(QStringLiteral("grdM"));
    grdM_->setInPlaceEditing(false);
    masterLayout_->addWidget(lblMaster_);
    masterLayout_->addWidget(tbMaster_);
    masterLayout_->addWidget(grdM_, 1);

    commandsM_ = new ListCommands(*dsM, pnlMaster_, QStringLiteral("actM"));
    commandsM_->commitEditors = [this] { return commitEditors(); };
    commandsM_->setSearchAvailable(false);
    connect(commandsM_->actDodaj, &QAction::triggered, this, [this] { actMDodajExecute(); });
    connect(commandsM_->actPopraw, &QAction::triggered, this, [this] { actMPoprawExecute(); });
    commandsM_->fillToolBar(tbMaster_);
    tbMaster_->addSeparator();
    btnMPrint_ = new PrintDropDown(printHint_, tbMaster_);
    btnMPrint_->setObjectName(QStringLiteral("btnMPrint"));

    pnlDetail_ = new QWidget(splitter_);
    pnlDetail_->setObjectName(QStringLiteral("pnlDetail"));
    detailLayout_ = new QVBoxLayout(pnlDetail_);
    detailLayout_->setContentsMargins(0, 0, 0, 0);
    detailLayout_->setSpacing(2);
    lblDetail_ = CaptionStrip(pnlDetail_, QStringLiteral("lblDetail"));
    pcDetail_ = new QTabWidget(pnlDetail_);
    pcDetail_->setObjectName(QStringLiteral("pcDetail"));
    detailLayout_->addWidget(lblDetail_);
    detailLayout_->addWidget(pcDetail_, 1);

    splitter_->addWidget(pnlMaster_);
    splitter_->addWidget(pnlDetail_);

    btnZamknij_ = new QPushButton(QStringLiteral("Zamknij"), this);
    btnZamknij_->setObjectName(QStringLiteral("btnZamknij"));
    connect(btnZamknij_, &QPushButton::clicked, this, &QDialog::accept);
    bottomLayout_ = new QHBoxLayout;
    bottomLayout_->addStretch(1);
    bottomLayout_->addWidget(btnZamknij_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter_, 1);
    layout->addLayout(bottomLayout_);
    resize(760, 560);
}

MasterDetailWindow::~MasterDetailWindow() = default;

void MasterDetailWindow::createDetailCommands(DataSource& source) {
    tbDetail_ = ListCommands::MakeToolBar(pnlDetail_, QStringLiteral("tbDetail"));
    commandsD_ = new ListCommands(source, pnlDetail_, QStringLiteral("actD"));
    commandsD_->commitEditors = [this] { return commitEditors(); };
    commandsD_->setSearchAvailable(false);
    connect(commandsD_->actDodaj, &QAction::triggered, this, [this] { actDDodajExecute(); });
    connect(commandsD_->actPopraw, &QAction::triggered, this, [this] { actDPoprawExecute(); });
    commandsD_->fillToolBar(tbDetail_);
    tbDetail_->addSeparator();
    btnDPrint_ = new PrintDropDown(printHint_, tbDetail_);
    btnDPrint_->setObjectName(QStringLiteral("btnDPrint"));
}

bool MasterDetailWindow::commitEditors() {
    for (DataGrid* grid : findChildren<DataGrid*>())
        if (!grid->commitEditor())
            return false;
    return FieldBinding::commitAll(this);
}

void MasterDetailWindow::actDDodajExecute() {
    Query* q = commandsD_->dataSet();
    if (!q)
        return;
    if (commandsD_->run([q] {
            OpenIfClosed(q);
            q->insert();
        }))
        if (DataGrid* grid = currentDetailGrid())
            grid->setFocus();
}

void MasterDetailWindow::actDPoprawExecute() {
    Query* q = commandsD_->dataSet();
    if (!q)
        return;
    if (commandsD_->run([q] { EnsureEdit(q); }))
        if (DataGrid* grid = currentDetailGrid())
            grid->setFocus();
}

void MasterDetailWindow::done(int result) {
    // Nothing typed into the lists is lost by closing: it is saved, or the window stays open.
    if (!commitEditors())
        return;
    const bool saved = RunDataCommand([this] {
        PostIfEditing(*dsM);
        for (DataSource* source : detailSources())
            PostIfEditing(*source);
    });
    commandsM_->updateActions();
    if (commandsD_)
        commandsD_->updateActions();
    if (!saved)
        return;
    QDialog::done(result);
}

void MasterDetailWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    RunDataCommand([this] { showing(); });
    commandsM_->updateActions();
    if (commandsD_)
        commandsD_->updateActions();
    grdM_->setFocus();
}
