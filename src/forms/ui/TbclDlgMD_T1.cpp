#include "forms/ui/TbclDlgMD_T1.h"

#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"

#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

TbclDlgMD_T1::TbclDlgMD_T1(QWidget* parent)
    : MasterDetailWindow(QStringLiteral("Wydruki ..."), parent), dsD(new DataSource(this)) {
    setObjectName(QStringLiteral("TbclDlgMD_T1"));
    createDetailCommands(*dsD);
    tsDetail_ = new QWidget(pcDetail());
    tsDetail_->setObjectName(QStringLiteral("tsDetail"));
    detailPageLayout_ = new QVBoxLayout(tsDetail_);
    detailPageLayout_->setContentsMargins(2, 2, 2, 2);
    detailPageLayout_->setSpacing(2);
    grdD_ = new DataGrid(*dsD, tsDetail_);
    grdD_->setObjectName(QStringLiteral("grdD"));
    detailPageLayout_->addWidget(tbDetail());
    detailPageLayout_->addWidget(grdD_, 1);
    pcDetail()->addTab(tsDetail_, QString());
}

void TbclDlgMD_T1::BindDataSets(QObject* dataModule, Query* master, Query* detail) {
    setDataModule(dataModule);
    dsM->setDataSet(master);
    dsD->setDataSet(detail);
    // Read afresh even when the caller's lists are already open: they may have changed meanwhile.
    RunDataCommand([master, detail] {
        for (Query* q : {master, detail})
            if (q) {
                q->close();
                q->open();
            }
    });
    masterCommands().updateActions();
    detailCommands().updateActions();
}

void TbclDlgMD_T1::showing() {
    if (Query* q = dsM->dataSet(); q && q->isActive())
        q->first();
    if (Query* q = dsD->dataSet(); q && q->isActive())
        q->first();
}
