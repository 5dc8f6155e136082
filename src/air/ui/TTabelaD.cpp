#include "air/ui/TTabelaD.h"

#include "air/TdmfZestAir.h"
#include "air/ui/AirWindowParts.h"
#include "platform/ui/DataCommand.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QToolBar>

TTabelaD::TTabelaD(TdmfZestAir& air, QWidget* parent) : TbclDlgMD_T1(parent), air_(air) {
    setObjectName(QStringLiteral("TTabelaD"));
    setWindowTitle(QStringLiteral(
        "Tabela D – Wprowadzenie gazów lub pyłów do powietrza z procesów spalania paliw w silnikach "
        "spalinowych "));
    lblMaster()->setText(QStringLiteral("Rodzaje silników"));
    lblDetail()->setText(QStringLiteral("Opłaty "));
    pcDetail()->setTabText(0, QStringLiteral("Opłaty"));

    grdM()->addColumn(QStringLiteral("rds_poz_wydruku"));
    grdM()->addColumn(QStringLiteral("rds_nazwa"));
    grdM()->addColumn(QStringLiteral("rds_id"));
    AirWindowParts::HideRowCommands(masterCommands());
    masterCommands().actSearch->setVisible(false);
    btnMPrint()->setToolTip(QStringLiteral("Wydruk tabeli D"));
    btnMPrint()
        ->addPrintout(QStringLiteral("Tabela D"), QStringLiteral("Wydruk tabeli D"))
        ->setEnabled(false);
    btnMPrint()->showButton();

    grdD()->addColumn(QStringLiteral("rps_nazwa"));
    grdD()->addColumn(QStringLiteral("otd_zuzycie_paliwa"));
    grdD()->addColumn(QStringLiteral("otd_stawka_jedn"));
    grdD()->addColumn(QStringLiteral("otd_kwota"));
    grdD()->addColumn(QStringLiteral("otd_id"));
    AirWindowParts::HideRowCommands(detailCommands());
    actPrzeliczL2Mg_ = AirWindowParts::AddConverterCommand(
        detailCommands(), pnlDetail(), grdD(), air.qryOplTD(), QStringLiteral("otd_zuzycie_paliwa"));
    tbDetail()->insertAction(tbDetail()->actions().value(tbDetail()->actions().size() - 2), actPrzeliczL2Mg_);
}

void TTabelaD::BindDataSets(QObject* dataModule, Query* master, Query* detail) {
    // The fee list keeps its statement parameter: the engine types are read afresh and the fee rows
    // follow them.
    setDataModule(dataModule);
    dsM->setDataSet(master);
    dsD->setDataSet(detail);
    RunDataCommand([master, detail] {
        master->refresh();
        if (!detail->isActive())
            detail->open();
    });
    masterCommands().updateActions();
    detailCommands().updateActions();
}

void TTabelaD::Pokaz(TdmfZestAir& air, QWidget* parent) {
    air.PrzygotujTabeleD();
    auto* w = new TTabelaD(air, parent);
    w->BindDataSets(&air, air.qryRdS(), air.qryOplTD());
    w->exec();
}
