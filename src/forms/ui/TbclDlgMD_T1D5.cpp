#include "forms/ui/TbclDlgMD_T1D5.h"

#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"

#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

TbclDlgMD_T1D5::TbclDlgMD_T1D5(QWidget* parent)
    : MasterDetailWindow(QStringLiteral("Wydruki z Księgi"), parent), dsD1(new DataSource(this)),
      dsD2(new DataSource(this)), dsD3(new DataSource(this)), dsD4(new DataSource(this)),
      dsD5(new DataSource(this)), sources_{dsD1, dsD2, dsD3, dsD4, dsD5}, dsDCurrent_(new DataSource(this)) {
    setObjectName(QStringLiteral("TbclDlgMD_T1D5"));
    createDetailCommands(*dsDCurrent_);
    detailLayout()->insertWidget(detailLayout()->indexOf(pcDetail()), tbDetail());
    for (int i = 0; i < 5; ++i) {
        auto* page = new QWidget(pcDetail());
        page->setObjectName(QStringLiteral("tsDetail%1").arg(i + 1));
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(2, 2, 2, 2);
        auto* grid = new DataGrid(*sources_[i], page);
        grid->setObjectName(QStringLiteral("grdD%1").arg(i + 1));
        layout->addWidget(grid);
        pcDetail()->addTab(page, QString());
        pages_[i] = page;
        grids_[i] = grid;
    }
    connect(pcDetail(), &QTabWidget::currentChanged, this, &TbclDlgMD_T1D5::followPage);
    for (DataSource* source : sources_)
        connect(source, &DataSource::dataSetReplaced, this,
                [this] { followPage(pcDetail()->currentIndex()); });
    followPage(0);
}

void TbclDlgMD_T1D5::BindDataSets(QObject* dataModule, Query* master, Query* detail1, Query* detail2,
                                  Query* detail3, Query* detail4, Query* detail5) {
    setDataModule(dataModule);
    dsM->setDataSet(master);
    const std::array<Query*, 5> details{detail1, detail2, detail3, detail4, detail5};
    for (int i = 0; i < 5; ++i)
        sources_[i]->setDataSet(details[i]);
    RunDataCommand([&] {
        OpenIfClosed(master);
        for (Query* q : details)
            OpenIfClosed(q);
    });
    masterCommands().updateActions();
    detailCommands().updateActions();
}

QList<DataSource*> TbclDlgMD_T1D5::detailSources() const {
    return {sources_.begin(), sources_.end()};
}

void TbclDlgMD_T1D5::showing() {
    if (Query* q = dsM->dataSet(); q && q->isActive())
        q->first();
}

DataGrid* TbclDlgMD_T1D5::currentDetailGrid() const {
    const int index = pcDetail()->currentIndex();
    return index >= 0 && index < 5 ? grids_[index] : nullptr;
}

void TbclDlgMD_T1D5::followPage(int index) {
    dsDCurrent_->setDataSet(index >= 0 && index < 5 ? sources_[index]->dataSet() : nullptr);
}
