#include "air/ui/TZrWprSubstTaOpl.h"

#include "air/TdmfZestAir.h"
#include "dict/TdmfDict.h"
#include "dict/ui/TSoTgLW.h"
#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"
#include "platform/ui/FieldBinding.h"
#include "statements/TdmfZest.h"

#include <QAction>
#include <QFormLayout>
#include <QLineEdit>
#include <QToolBar>

TZrWprSubstTaOpl::TZrWprSubstTaOpl(TdmfZestAir& air, QWidget* parent) : TbcDlgMD_T2(parent), air_(air) {
    setObjectName(QStringLiteral("TZrWprSubstTaOpl"));
    setWindowTitle(QStringLiteral("Opłaty dla źródła powstawania substancji"));

    auto* name = new QLineEdit(this);
    name->setObjectName(QStringLiteral("edtNazwa"));
    name->setToolTip(QStringLiteral("Nazwa źródła powstawania wprowadzanych substancji"));
    FieldBinding::bind(name, *dsM, QStringLiteral("zws_nazwa"));
    masterForm()->addRow(QStringLiteral("Nazwa źródła:"), name);
    auto* fee = new QLineEdit(this);
    fee->setObjectName(QStringLiteral("edtOplata"));
    fee->setToolTip(QStringLiteral("Opłata za wprowadzanie substancji z tego źródła"));
    fee->setAlignment(Qt::AlignRight);
    FieldBinding::bind(fee, *dsM, QStringLiteral("zws_oplata"));
    masterForm()->addRow(QStringLiteral("Opłata [zł]:"), fee);

    for (const char* f : {"sotg_poz_wydr", "sotg_rdz_gaz_pyl", "ota_skut_urz_ochr", "ota_wsk_emisji",
                          "ota_wielkosc_emisji", "ota_jedn_staw_opl", "ota_oplata", "ota_id"})
        grdD()->addColumn(QString::fromLatin1(f));

    actPrzelicz_ = ListCommands::MakeAction(
        pnlDetail(), QStringLiteral("actPrzelicz"), QStringLiteral("Przelicz"),
        QStringLiteral("Przelicza ponownie wartości dla wszystkich substancji"), QKeySequence());
    tbDetail()->insertAction(tbDetail()->actions().value(tbDetail()->actions().size() - 2), actPrzelicz_);
    connect(actPrzelicz_, &QAction::triggered, this, [this] {
        detailCommands().run([this] { air_.PrzeliczZrodlo(); });
        updatePrzelicz();
    });
    auto* link = new DataSourceLink(*dsD, this);
    connect(link, &DataSourceLink::stateChanged, this, &TZrWprSubstTaOpl::updatePrzelicz);
    connect(link, &DataSourceLink::dataSetChanged, this, &TZrWprSubstTaOpl::updatePrzelicz);
    btnDPrint()->addPrintout(QStringLiteral("Opłaty dla źródła powstawania substancji"))->setEnabled(false);
    btnDPrint()->showButton();
    resize(860, 520);
}

void TZrWprSubstTaOpl::updatePrzelicz() {
    const Query* q = dsD->dataSet();
    actPrzelicz_->setEnabled(q && q->isActive() && !q->isEditing());
}

void TZrWprSubstTaOpl::actDDodajExecute() {
    if (!dmfDict)
        return;
    const int rokId = air_.zest().RokStOplId();
    detailCommands().run([this, rokId] {
        Query& src = *air_.qryZrWprSubst();
        if (!src.isActive() || src.recNo() < 0 || !dsD->dataSet())
            return;
        PostIfEditing(*dsM);
        auto* picker = new TSoTgLW(*dmfDict, this);
        picker->setAttribute(Qt::WA_DeleteOnClose, false);
        picker->setYear(rokId);
        const bool chosen = picker->ExecPicker();
        const int sotgId =
            chosen ? int(dmfDict->qrySoTabelaG()->fieldByName(QStringLiteral("sotg_id")).asInteger()) : 0;
        delete picker;
        if (sotgId != 0)
            air_.DodajSubstancje(sotgId);
    });
    updatePrzelicz();
}

void TZrWprSubstTaOpl::actDPoprawExecute() {
    Query* q = dsD->dataSet();
    if (!q)
        return;
    if (detailCommands().run([this, q] {
            PostIfEditing(*dsM);
            EnsureEdit(q);
        }))
        grdD()->setFocus();
}

void TZrWprSubstTaOpl::Pokaz(TdmfZestAir& air, QWidget* parent) {
    auto* w = new TZrWprSubstTaOpl(air, parent);
    w->BindDataSets(&air, air.qryZrWprSubst(), air.qryOplTA());
    // The substances are read afresh.
    RunDataCommand([&air] {
        if (air.qryOplTA()->isActive() && !air.qryOplTA()->isEditing())
            air.qryOplTA()->refresh();
    });
    w->updatePrzelicz();
    w->exec();
}
