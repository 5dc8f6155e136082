#include "entities/ui/TPodmioty.h"

#include "entities/TdmfPodmioty.h"
#include "entities/ui/TPodmiot.h"
#include "platform/data/DataError.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QToolBar>

TPodmioty::TPodmioty(QWidget* parent) : TbcDictT2(parent), dmf_(new TdmfPodmioty(MainConnection(), this)) {
    setObjectName(QStringLiteral("TPodmioty"));
    setWindowTitle(QStringLiteral("Podmioty"));
    dictMenu()->setTitle(QStringLiteral("&Podmioty"));
    dsMain->setDataSet(dmf_->qryPodmioty());
    FilterMode = FilterAll;
    ActiveField = QStringLiteral("pdm_f_aktualny");
    KeyField = QStringLiteral("pdm_id");
    CenteredFields = QStringList{QStringLiteral("clc_f_aktualny")};
    for (const char* column : {"PDM_NAZWA", "PDM_ADRES", "GM_NAZWA", "POW_NAZWA", "WOJ_NAZWA", "PDM_REGON",
                               "PDM_TELEFON_FAKS", "clc_f_aktualny", "PDM_ID"})
        addColumn(QString::fromLatin1(column));

    const auto familyAction = [this](const char* name, const QString& caption, const QString& hint,
                                     PermitFamily family) {
        QAction* a = makeAction(QString::fromLatin1(name), caption, hint);
        connect(a, &QAction::triggered, this, [this, family] { openPermits(family); });
        return a;
    };
    actPozwoleniaWp =
        familyAction("actPozwoleniaWp", QStringLiteral("Pozwolenia &wodnoprawne"),
                     QStringLiteral("Pozwolenia wodnoprawne podmiotu"), PermitFamily::PozwoleniaWp);
    actPozwoleniaGp =
        familyAction("actPozwoleniaGp", QStringLiteral("Pozwolenia (&gaz lub pył)"),
                     QStringLiteral("Pozwolenia podmiotu na wprowadzanie gazów lub pyłów do powietrza"),
                     PermitFamily::PozwoleniaGp);
    actDecyzjeOdpd =
        familyAction("actDecyzjeOdpd", QStringLiteral("&Decyzje (odpady)"),
                     QStringLiteral("Decyzje podmiotu zatwierdzające instrukcję eksploatacji składowiska"),
                     PermitFamily::DecyzjeOdpd);
    actZezwoleniaOdpd = familyAction("actZezwoleniaOdpd", QStringLiteral("&Zezwolenia (odpady)"),
                                     QStringLiteral("Zezwolenia i inne decyzje podmiotu dotyczące odpadów"),
                                     PermitFamily::ZezwoleniaOdpd);
    const QList<QAction*> families{actPozwoleniaWp, actPozwoleniaGp, actDecyzjeOdpd, actZezwoleniaOdpd};
    toolBar()->addSeparator();
    toolBar()->addActions(families);
    dictMenu()->addSeparator();
    dictMenu()->addActions(families);

    for (auto signal : {&Query::currentChanged, &Query::stateChanged, &Query::dataSetChanged})
        connect(dmf_->qryPodmioty(), signal, this, &TPodmioty::updateFamilyActions);
    updateFamilyActions();
}

void TPodmioty::updateFamilyActions() {
    const Query* q = dmf_->qryPodmioty();
    const bool enabled = q->isActive() && !q->isEmpty() && q->state() == DataSetState::Browse;
    for (QAction* a : {actPozwoleniaWp, actPozwoleniaGp, actDecyzjeOdpd, actZezwoleniaOdpd})
        a->setEnabled(enabled);
}

void TPodmioty::actDodajExecute() {
    if (runCommand([this] {
            OpenIfClosed(*dsMain);
            dsMain->dataSet()->append();
        }))
        openEditWindow();
}

void TPodmioty::actPoprawExecute() {
    if (runCommand([this] {
            Query* q = dsMain->dataSet();
            if (!q || !q->isActive() || q->isEmpty())
                Abort();
            q->edit();
        }))
        openEditWindow();
}

void TPodmioty::openEditWindow() {
    QPointer<TPodmiot> dialog = new TPodmiot(*dmf_, this);
    if (dialog->exec() == QDialog::Accepted)
        refreshOnSavedRow();
    updateActions();
    updateFamilyActions();
}

void TPodmioty::openPermits(PermitFamily family) {
    if (!commitEditors())
        return;
    const Query* q = dmf_->qryPodmioty();
    if (!q->isActive() || q->isEmpty() || q->state() != DataSetState::Browse)
        return;
    PokazPozwolenia(family, int(q->fieldByName(QStringLiteral("pdm_id")).asInteger()), 0, this);
}
