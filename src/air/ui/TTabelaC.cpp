#include "air/ui/TTabelaC.h"

#include "air/TdmfZestAir.h"
#include "air/ui/AirWindowParts.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>

TTabelaC::TTabelaC(TdmfZestAir& air, QWidget* parent) : TbclDlgMD_T1D5(parent), air_(air) {
    setObjectName(QStringLiteral("TTabelaC"));
    setWindowTitle(QStringLiteral("Tabela C - Wprowadznie gazów lub pyłów do powietrza "));
    lblMaster()->setText(QStringLiteral("Lokalizacja eksploatacji kotłów"));
    lblDetail()->setText(QStringLiteral("Opłaty"));

    grdM()->addColumn(QStringLiteral("ltc_adres"));
    grdM()->addColumn(QStringLiteral("gm_nazwa"));
    grdM()->addColumn(QStringLiteral("pow_nazwa"));
    grdM()->addColumn(QStringLiteral("woj_nazwa"));
    grdM()->addColumn(QStringLiteral("ltc_kwota"));
    grdM()->addColumn(QStringLiteral("ltc_id"));
    btnMPrint()->setToolTip(QStringLiteral("Wydruk tabeli C"));
    btnMPrint()
        ->addPrintout(QStringLiteral("Tabela C"), QStringLiteral("Wydruk tabeli C"))
        ->setEnabled(false);
    btnMPrint()->showButton();

    const char* const tabs[] = {"I.  Węglem", "II. Koksem", "III.  Drewnem", "IV. Olejem",
                                "V. Paliwem gazowym"};
    for (int n = 1; n <= 5; ++n) {
        pcDetail()->setTabText(n - 1, QString::fromUtf8(tabs[n - 1]));
        DataGrid* g = grdD(n);
        g->addColumn(QStringLiteral("otc_nazwa"));
        g->addColumn(QStringLiteral("otc_liczba_kotlow"));
        g->addColumn(QStringLiteral("otc_zuzycie_paliwa"));
        if (n == 5)
            g->addColumn(QStringLiteral("clc_jm_zuz_plw"), QString(), ColumnReadOnly);
        g->addColumn(QStringLiteral("otc_stawka_jedn"));
        if (n == 5)
            g->addColumn(QStringLiteral("clc_jm_st_jedn_opl"), QString(), ColumnReadOnly);
        g->addColumn(QStringLiteral("otc_kwota"));
        g->addColumn(QStringLiteral("otc_id"));
    }
    AirWindowParts::HideRowCommands(detailCommands());
    pcDetail()->setCurrentIndex(0);
}

void TTabelaC::actMDodajExecute() {
    Query* q = air_.qryLokTC();
    masterCommands().run([this, q] {
        q->append();
        if (!AirWindowParts::PickPlace(*q, QStringLiteral("ltc_gm_id"), QStringLiteral("ltc_adres"), this)) {
            q->cancel();
            return;
        }
        // A place that cannot be saved is not kept (and gets no fee rows).
        try {
            q->post();
        } catch (...) {
            q->cancel();
            throw;
        }
    });
    detailCommands().updateActions();
}

void TTabelaC::actMPoprawExecute() {
    Query* q = air_.qryLokTC();
    if (!q->isActive() || q->isEmpty())
        return;
    masterCommands().run([this, q] {
        q->edit();
        if (!AirWindowParts::PickPlace(*q, QStringLiteral("ltc_gm_id"), QStringLiteral("ltc_adres"), this)) {
            q->cancel();
            return;
        }
        q->post();
    });
}

void TTabelaC::Pokaz(TdmfZestAir& air, QWidget* parent) {
    auto* w = new TTabelaC(air, parent);
    w->BindDataSets(&air, air.qryLokTC(), air.qryOplTcWegiel(), air.qryOplTcKoks(), air.qryOplTcDrewno(),
                    air.qryOplTcOlej(), air.qryOplTcGaz());
    w->exec();
}
