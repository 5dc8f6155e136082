#include "air/ui/TTabelaB.h"

#include "air/TdmfZestAir.h"
#include "air/ui/AirWindowParts.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolBar>

TTabelaB::TTabelaB(TdmfZestAir& air, QWidget* parent) : TbclDlgMD_T1(parent), air_(air) {
    setObjectName(QStringLiteral("TTabelaB"));
    setWindowTitle(QStringLiteral("Tabela B - Przeładunek benzyn silnikowych"));
    lblMaster()->setText(QStringLiteral("Lokalizacja przeładunku"));
    lblDetail()->setText(QStringLiteral("Opłaty"));
    pcDetail()->setTabText(0, QStringLiteral("Opłaty"));

    grdM()->addColumn(QStringLiteral("ltb_adres"));
    grdM()->addColumn(QStringLiteral("gm_nazwa"));
    grdM()->addColumn(QStringLiteral("pow_nazwa"));
    grdM()->addColumn(QStringLiteral("woj_nazwa"));
    grdM()->addColumn(QStringLiteral("ltb_kwota"));
    grdM()->addColumn(QStringLiteral("ltb_id"));
    btnMPrint()->setToolTip(QStringLiteral("Wydruk Tabeli B"));
    btnMPrint()
        ->addPrintout(QStringLiteral("Tabela B"), QStringLiteral("Wydruk Tabeli B"))
        ->setEnabled(false);
    btnMPrint()->showButton();

    grdD()->addColumn(QStringLiteral("otb_nazwa"));
    grdD()->addColumn(QStringLiteral("otb_illosc"));
    grdD()->addColumn(QStringLiteral("otb_sk_red_emisji"));
    grdD()->addColumn(QStringLiteral("otb_stawka_jedn"));
    grdD()->addColumn(QStringLiteral("otb_kwota"));
    grdD()->addColumn(QStringLiteral("otb_id"));
    AirWindowParts::HideRowCommands(detailCommands());
    actPrzeliczL2Mg_ = AirWindowParts::AddConverterCommand(detailCommands(), pnlDetail(), grdD(),
                                                           air.qryOplTB(), QStringLiteral("otb_illosc"));
    tbDetail()->insertAction(tbDetail()->actions().value(tbDetail()->actions().size() - 2), actPrzeliczL2Mg_);

    auto* total = new QLabel(QStringLiteral("Wysokość opłaty ogółem [zł]:"), this);
    edtKwota_ = new QLineEdit(this);
    edtKwota_->setObjectName(QStringLiteral("edtKwotaOgolem"));
    edtKwota_->setToolTip(QStringLiteral("Kwota opłat ogółem dla Tabeli B"));
    edtKwota_->setAlignment(Qt::AlignRight);
    FieldBinding::bind(edtKwota_, *dsM, QStringLiteral("ltb_kwota"));
    bottomLayout()->insertWidget(0, total);
    bottomLayout()->insertWidget(1, edtKwota_);
}

void TTabelaB::actMDodajExecute() {
    Query* q = air_.qryLokTB();
    masterCommands().run([this, q] {
        q->append();
        if (!AirWindowParts::PickPlace(*q, QStringLiteral("ltb_gm_id"), QStringLiteral("ltb_adres"), this)) {
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

void TTabelaB::actMPoprawExecute() {
    Query* q = air_.qryLokTB();
    if (!q->isActive() || q->isEmpty())
        return;
    masterCommands().run([this, q] {
        q->edit();
        if (!AirWindowParts::PickPlace(*q, QStringLiteral("ltb_gm_id"), QStringLiteral("ltb_adres"), this)) {
            q->cancel();
            return;
        }
        q->post();
    });
}

void TTabelaB::Pokaz(TdmfZestAir& air, QWidget* parent) {
    auto* w = new TTabelaB(air, parent);
    w->BindDataSets(&air, air.qryLokTB(), air.qryOplTB());
    w->exec();
}
