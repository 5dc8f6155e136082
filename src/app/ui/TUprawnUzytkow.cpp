#include "app/ui/TUprawnUzytkow.h"

#include "app/TdmfUprawnUzytkow.h"
#include "forms/ui/ListCommands.h"
#include "forms/ui/TSearchDLG.h"
#include "platform/data/DataSource.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataGrid.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

TUprawnUzytkow::TUprawnUzytkow(int userId, const QString& userName, QWidget* parent)
    : QMainWindow(parent), rights_(new TdmfUprawnUzytkow(userId, MainConnection(), this)),
      dsMain_(new DataSource(this)) {
    setObjectName(QStringLiteral("TUprawnUzytkow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Uprawnienia użytkownika ") + userName);
    dsMain_->setDataSet(rights_->qryUprawn());
    grid_ = new DataGrid(*dsMain_, this);
    grid_->setInPlaceEditing(false);
    grid_->setSortMode(DataGrid::SortMode::SingleColumn);
    grid_->addColumn(QStringLiteral("clc_ma_uprawn"), QStringLiteral("Włączone"));
    grid_->addColumn(QStringLiteral("uf_nazwa"), QStringLiteral("Nazwa"));
    grid_->addColumn(QStringLiteral("uf_nr"), QStringLiteral("Nr upr."));
    grid_->setColumnCentered(0, true);
    setCentralWidget(grid_);

    auto* commands = new ListCommands(*dsMain_, this, QStringLiteral("act"));
    commands->actRefresh->setText(QStringLiteral("&Odśwież"));
    actToggle = new QAction(QStringLiteral("Włącz/wyłącz uprawnienie"), this);
    actToggle->setObjectName(QStringLiteral("actToggle"));
    actToggle->setShortcut(QKeySequence(QStringLiteral("Ctrl+W")));
    actToggle->setToolTip(QStringLiteral("Włącz lub wyłącz uprawnienie danemu użytkownikowi"));
    actZamknij = new QAction(QStringLiteral("&Zamknij"), this);
    actZamknij->setToolTip(QStringLiteral("Zamknij bieżący formularz"));
    addAction(actToggle);
    connect(actToggle, &QAction::triggered, this, &TUprawnUzytkow::toggle);
    connect(actZamknij, &QAction::triggered, this, &QWidget::close);
    // The first column is the search column.
    auto* search = new TrSearchData{QStringLiteral("Włączone"), QStringLiteral("clc_ma_uprawn")};
    connect(commands->actSearch, &QAction::triggered, this,
            [this, search] { TSearchDLG::Search(dsMain_->dataSet(), *search, this); });
    connect(this, &QObject::destroyed, [search] { delete search; });

    QToolBar* bar = addToolBar(QStringLiteral("Uprawnienia"));
    bar->setMovable(false);
    bar->addActions({commands->actFirst, commands->actPrior, commands->actNext, commands->actLast});
    bar->addSeparator();
    bar->addActions({actToggle, commands->actSearch, commands->actRefresh, actZamknij});
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Uprawnienia"));
    menu->addActions({actToggle, commands->actSearch, commands->actRefresh});
    menu->addSeparator();
    menu->addActions({commands->actFirst, commands->actPrior, commands->actNext, commands->actLast});
    menu->addSeparator();
    menu->addAction(actZamknij);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid_->addAction(actToggle);
    connect(grid_, &QAbstractItemView::doubleClicked, this, &TUprawnUzytkow::toggle);

    RunDataCommand([this] { rights_->qryUprawn()->open(); });
    grid_->fitColumns();
    grid_->SortByColumn(2, false);
    rights_->qryUprawn()->first();
    resize(480, 360);
}

TUprawnUzytkow::~TUprawnUzytkow() = default;

void TUprawnUzytkow::toggle() {
    RunDataCommand([this] { rights_->ToggleRight(); });
}
