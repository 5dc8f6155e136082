#include "entities/ui/TbcPozwolenie.h"

#include "dict/TdmfDict.h"
#include "entities/TdmfDecyzjeOdpd.h"
#include "forms/ui/FillIdNameCombo.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"
#include "platform/ui/DateFieldEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QString Prefix(PermitFamily family) {
    switch (family) {
    case PermitFamily::PozwoleniaWp:
        return QStringLiteral("pwp");
    case PermitFamily::PozwoleniaGp:
        return QStringLiteral("pwgp");
    case PermitFamily::DecyzjeOdpd:
    case PermitFamily::ZezwoleniaOdpd:
        break;
    }
    return QStringLiteral("dcodpd");
}

const QString kKindId = QStringLiteral("dcodpd_rdodpd_id");
const QString kKindName = QStringLiteral("rdodpd_nazwa");

} // namespace

TbcPozwolenie::TbcPozwolenie(PermitFamily family, Query* acts, QWidget* parent)
    : TbcDictItem(acts, parent), family_(family) {
    const QString p = Prefix(family);
    const bool permit = family == PermitFamily::PozwoleniaWp || family == PermitFamily::PozwoleniaGp;

    edtNumer_ = addEdit(QStringLiteral("Nr:"), p + QStringLiteral("_numer"));
    edtNumer_->setToolTip(permit ? QStringLiteral("Numer pozwolenia (dokumentu)")
                                 : QStringLiteral("Numer decyzji (dokumentu)"));
    edtDataWyd_ = new DateFieldEdit(*dsMain, p + QStringLiteral("_data_wyd"), this);
    form()->addRow(QStringLiteral("Data wyd.:"), edtDataWyd_);
    edtOrganWyd_ = addEdit(QStringLiteral("Organ wyd.:"), p + QStringLiteral("_organ_wyd"));
    edtOrganWyd_->setToolTip(permit ? QStringLiteral("Organ, który wydał dane pozwolenie")
                                    : QStringLiteral("Organ, który wydał dane decyzji"));

    edtTermObow0_ = new DateFieldEdit(*dsMain, p + QStringLiteral("_term_obow_0"), this);
    edtTermObow1_ = new DateFieldEdit(*dsMain, p + QStringLiteral("_term_obow_1"), this);
    auto* period = new QHBoxLayout;
    period->addWidget(edtTermObow0_);
    auto* until = new QLabel(QStringLiteral("do"), this);
    until->setBuddy(edtTermObow1_);
    period->addWidget(until);
    period->addWidget(edtTermObow1_);
    period->addStretch(1);
    form()->addRow(QStringLiteral("Data obowiązywania od"), period);

    if (family == PermitFamily::ZezwoleniaOdpd)
        addKindList();
    resize(520, sizeHint().height());
}

void TbcPozwolenie::addKindList() {
    cbxRodzaj_ = new QComboBox(this);
    cbxRodzaj_->setObjectName(QStringLiteral("cbxRodzaj"));
    form()->addRow(QStringLiteral("Rodzaj zezwolenia/decyzji:"), cbxRodzaj_);
    connect(cbxRodzaj_, &QComboBox::activated, this, &TbcPozwolenie::kindChosen);
    auto* link = new DataSourceLink(*dsMain, this);
    for (auto signal :
         {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged, &DataSourceLink::recordChanged})
        connect(link, signal, this, &TbcPozwolenie::showKind);
    showKind();
}

void TbcPozwolenie::showKind() {
    if (!cbxRodzaj_ || showingKind_)
        return;
    const Query* q = dsMain->dataSet();
    if (!q || !q->isActive() || q->recNo() < 0)
        return;
    const int kind = int(q->fieldByName(kKindId).asInteger());
    showingKind_ = true;
    RunDataCommand([&] {
        if (cbxRodzaj_->count() == 0 && dmfDict) {
            Query& kinds = *dmfDict->qryRdzZezwOdpd();
            if (kinds.hasParam(QStringLiteral("f_aktualny_1")))
                SetActiveFilter(kinds, FilterActive);
            FillIdNameCombo(cbxRodzaj_, kinds, QStringLiteral("rdodpd_id"), kind, kKindName);
        }
        int at = -1;
        for (int i = 0; i < cbxRodzaj_->count() && at < 0; ++i)
            if (ComboItem(cbxRodzaj_, i).id == kind)
                at = i;
        // A kind withdrawn since the act was recorded still describes it: it stays listed for this act.
        if (at < 0 && kind > TdmfDecyzjeOdpd::kApprovalKind) {
            const QString name = q->fieldByName(kKindName).asString();
            cbxRodzaj_->addItem(name, QVariant::fromValue(TScIdName(kind, name)));
            at = cbxRodzaj_->count() - 1;
        }
        cbxRodzaj_->setCurrentIndex(at);
    });
    showingKind_ = false;
}

void TbcPozwolenie::kindChosen(int index) {
    Query* q = dsMain->dataSet();
    if (!q || !q->isActive() || q->recNo() < 0 || index < 0)
        return;
    const TScIdName item = ComboItem(cbxRodzaj_, index);
    showingKind_ = true;
    RunDataCommand([&] {
        if (q->fieldByName(kKindId).asInteger() == item.id)
            return;
        if (!q->isEditing())
            q->edit();
        q->fieldByName(kKindId).setValue(item.id);
        // Shown in the list until the acts are read again.
        q->fieldByName(kKindName).setValue(item.name);
    });
    showingKind_ = false;
    showKind();
}

TPozWp::TPozWp(Query* acts, QWidget* parent) : TbcPozwolenie(PermitFamily::PozwoleniaWp, acts, parent) {
    setObjectName(QStringLiteral("TPozWp"));
    setWindowTitle(QStringLiteral("Pozwolenie wodnoprawne"));
}

TPozwGp::TPozwGp(Query* acts, QWidget* parent) : TbcPozwolenie(PermitFamily::PozwoleniaGp, acts, parent) {
    setObjectName(QStringLiteral("TPozwGp"));
    setWindowTitle(QStringLiteral("Pozwolenie na wprowadzanie gazu lub pyłu do powietrza"));
}

TDecOdpd::TDecOdpd(Query* acts, QWidget* parent) : TbcPozwolenie(PermitFamily::DecyzjeOdpd, acts, parent) {
    setObjectName(QStringLiteral("TDecOdpd"));
    setWindowTitle(QStringLiteral("Decyzja zatwierdzająca instrukcję eksploatacji składowiska"));
}

TZezwOdpd::TZezwOdpd(Query* acts, QWidget* parent)
    : TbcPozwolenie(PermitFamily::ZezwoleniaOdpd, acts, parent) {
    setObjectName(QStringLiteral("TZezwOdpd"));
    setWindowTitle(QStringLiteral("Zezwolenie lub decyzja odnośnie składowania odpadów"));
}

TbcPozwolenie* CreatePozwolenie(PermitFamily family, Query* acts, QWidget* parent) {
    switch (family) {
    case PermitFamily::PozwoleniaWp:
        return new TPozWp(acts, parent);
    case PermitFamily::PozwoleniaGp:
        return new TPozwGp(acts, parent);
    case PermitFamily::DecyzjeOdpd:
        return new TDecOdpd(acts, parent);
    case PermitFamily::ZezwoleniaOdpd:
        break;
    }
    return new TZezwOdpd(acts, parent);
}
