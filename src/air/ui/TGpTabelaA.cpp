#include "air/ui/TGpTabelaA.h"

#include "air/TdmfZestAir.h"
#include "air/ui/TInstDzialNag.h"
#include "air/ui/TZrWprSubstTaOpl.h"
#include "entities/ui/TbcPozwolenia.h"
#include "forms/DataHelpers.h"
#include "forms/ui/FillIdNameCombo.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"
#include "statements/TdmfZest.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QLineEdit* BoundEdit(QWidget* parent, DataSource& source, const char* field, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    FieldBinding::bind(edit, source, QString::fromLatin1(field));
    return edit;
}

} // namespace

TGpTabelaA::TGpTabelaA(TdmfZestAir& air, QWidget* parent)
    : TbclDlgMD_T1(parent), dsZr(new DataSource(this)), air_(air) {
    setObjectName(QStringLiteral("TGpTabelaA"));
    setWindowTitle(QStringLiteral(
        "Tabela A - Charakterystyka źródeł powstawania substancji wprowadzanych do powietrza"));
    lblMaster()->setText(QStringLiteral("Lista instalacji i działalności"));
    lblDetail()->setText(QStringLiteral("Instalacja lub działalność"));

    // --- installations
    for (const char* f :
         {"ild_rodzaj", "ild_adres", "gm_nazwa", "pow_nazwa", "woj_nazwa", "ild_kwota", "ild_id"})
        grdM()->addColumn(QString::fromLatin1(f));
    QAction* post =
        masterCommands().addPost(QStringLiteral("P&ost"), QStringLiteral("Zapisz w bazie danych"));
    QAction* cancel = masterCommands().addCancel(QStringLiteral("&Cancel"), QStringLiteral("Anuluj zmiany "));
    tbMaster()->insertAction(tbMaster()->actions().value(tbMaster()->actions().size() - 2), post);
    tbMaster()->insertAction(tbMaster()->actions().value(tbMaster()->actions().size() - 2), cancel);
    btnMPrint()->setToolTip(QStringLiteral("Wydruki dla Tabeli A"));
    btnMPrint()->addPrintout(QStringLiteral("Tabela A - Nagłówek"))->setEnabled(false);
    btnMPrint()
        ->addPrintout(QStringLiteral("Tabela A - Suma opłat w poszczególnych gminach"))
        ->setEnabled(false);
    btnMPrint()->showButton();

    // --- first tab: the installation's own fields
    tsInstalacja_ = new QWidget(pcDetail());
    tsInstalacja_->setObjectName(QStringLiteral("tsInstalacja"));
    auto* form = new QFormLayout(tsInstalacja_);
    cmbStatus_ = new QComboBox(tsInstalacja_);
    cmbStatus_->setObjectName(QStringLiteral("cmbStatus"));
    form->addRow(QStringLiteral("Status pozwolenia:"), cmbStatus_);
    IdComboBinding::bind(cmbStatus_, *dsM, QStringLiteral("ild_spwgp_id"), QStringLiteral("spwgp_nazwa"));

    auto* permit = new QGroupBox(
        QStringLiteral("Pozwolenie na wprowadznie gazów lub pyłów do powietrza/zintegrowane"), tsInstalacja_);
    form->addRow(permit);
    form->addRow(QStringLiteral("Nominalna moc cieplna urządzenia spalającego paliwo [MW]:"),
                 BoundEdit(tsInstalacja_, *dsM, "ild_nom_moc_cieplna", "edtMoc"));
    form->addRow(QStringLiteral("Rodzaj urządzenia ochronnego:"),
                 BoundEdit(tsInstalacja_, *dsM, "ild_rdz_urz_ochr", "edtUrzOchr"));
    form->addRow(QStringLiteral("Zużycie surowców, materiałów, ilość produktów lub inna wielkość:"),
                 BoundEdit(tsInstalacja_, *dsM, "ild_zuzycie", "edtZuzycie"));
    pcDetail()->insertTab(0, tsInstalacja_, QStringLiteral("Instalacja lub działalność"));

    // --- second tab: fuels (the window offers no deletion of a fuel row)
    pcDetail()->setTabText(1, QStringLiteral("Charakterystyka paliw"));
    for (const char* f : {"chplw_rdz_plw", "chplw_zuzycie", "chplw_wart_opalowa", "chplw_zaw_popiolu",
                          "chplw_zaw_siarki", "chplw_id"})
        grdD()->addColumn(QString::fromLatin1(f));
    detailCommands().actAUUsun->setVisible(false);
    detailCommands().actAUUsun->setShortcut(QKeySequence());
    QAction* dPost =
        detailCommands().addPost(QStringLiteral("P&ost"), QStringLiteral("Zapisz w bazie danych"));
    QAction* dCancel =
        detailCommands().addCancel(QStringLiteral("&Cancel"), QStringLiteral("Anuluj zmiany "));
    tbDetail()->insertAction(tbDetail()->actions().value(tbDetail()->actions().size() - 2), dPost);
    tbDetail()->insertAction(tbDetail()->actions().value(tbDetail()->actions().size() - 2), dCancel);
    btnDPrint()->addPrintout(QStringLiteral("Charakterystyka paliw"))->setEnabled(false);
    btnDPrint()->showButton();
    pcDetail()->setCurrentIndex(0);

    // --- sources
    auto* sources = new QWidget(pnlDetail());
    sources->setObjectName(QStringLiteral("pnlZrodla"));
    auto* sourcesLayout = new QVBoxLayout(sources);
    sourcesLayout->setContentsMargins(0, 0, 0, 0);
    sourcesLayout->setSpacing(2);
    auto* caption = new QLabel(QStringLiteral("Opłaty dla źródeł powstawania substancji"), sources);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    QToolBar* tbZr = ListCommands::MakeToolBar(sources, QStringLiteral("tbZrodla"));
    commandsZr_ = new ListCommands(*dsZr, sources, QStringLiteral("actZr"));
    commandsZr_->commitEditors = [this] { return commitEditors(); };
    commandsZr_->setSearchAvailable(false);
    commandsZr_->actSearch->setVisible(false);
    commandsZr_->fillToolBar(tbZr);
    tbZr->addSeparator();
    btnZrPrint_ = new PrintDropDown(QStringLiteral("Wydruki ..."), tbZr);
    btnZrPrint_->setObjectName(QStringLiteral("btnZrPrint"));
    btnZrPrint_->addPrintout(QStringLiteral("Opłaty dla źródła powstawania substancji"))->setEnabled(false);
    btnZrPrint_->showButton();
    connect(commandsZr_->actDodaj, &QAction::triggered, this, [this] { openSource(true); });
    connect(commandsZr_->actPopraw, &QAction::triggered, this, [this] { openSource(false); });
    grdZr_ = new DataGrid(*dsZr, sources);
    grdZr_->setObjectName(QStringLiteral("grdZr"));
    grdZr_->setInPlaceEditing(false);
    for (const char* f : {"zws_nazwa", "zws_oplata", "zws_id"})
        grdZr_->addColumn(QString::fromLatin1(f));
    connect(grdZr_, &QAbstractItemView::doubleClicked, this, [this] { openSource(false); });
    sourcesLayout->addWidget(caption);
    sourcesLayout->addWidget(tbZr);
    sourcesLayout->addWidget(grdZr_, 1);
    detailLayout()->addWidget(sources, 1);

    // The permit fields and buttons go into the group made above.
    auto* pl = new QFormLayout;
    auto* numer = BoundEdit(permit, *dsM, "pwgp_numer", "edtPwgpNumer");
    auto* od = BoundEdit(permit, *dsM, "pwgp_term_obow_0", "edtPwgpOd");
    auto* do_ = BoundEdit(permit, *dsM, "pwgp_term_obow_1", "edtPwgpDo");
    auto* organ = BoundEdit(permit, *dsM, "pwgp_organ_wyd", "edtPwgpOrgan");
    pl->addRow(QStringLiteral("Nr:"), numer);
    auto* dates = new QHBoxLayout;
    dates->addWidget(od);
    dates->addWidget(new QLabel(QStringLiteral("do"), permit));
    dates->addWidget(do_);
    pl->addRow(QStringLiteral("Data obowiązywania od"), dates);
    pl->addRow(QStringLiteral("Organ wyd.:"), organ);
    btnWstaw_ = new QPushButton(QStringLiteral("Wstaw pozwolenie "), permit);
    btnWstaw_->setObjectName(QStringLiteral("btnWstawPozwolenie"));
    btnUsun_ = new QPushButton(QStringLiteral("Usuń  pozwolenie  z formularza"), permit);
    btnUsun_->setObjectName(QStringLiteral("btnUsunPozwolenie"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnWstaw_);
    buttons->addWidget(btnUsun_);
    buttons->addStretch(1);
    pl->addRow(buttons);
    permit->setLayout(pl);
    connect(btnWstaw_, &QPushButton::clicked, this, &TGpTabelaA::wstawPozwolenie);
    connect(btnUsun_, &QPushButton::clicked, this, [this] {
        masterCommands().run([this] {
            if (air_.qryInstDz()->recNo() >= 0)
                air_.UsunPozwolenie();
        });
    });
    resize(900, 720);
}

QList<DataSource*> TGpTabelaA::detailSources() const {
    return {dsD, dsZr};
}

void TGpTabelaA::BindDataSets(QObject* dataModule, Query* master, Query* detail) {
    dsZr->setDataSet(air_.qryZrWprSubst());
    TbclDlgMD_T1::BindDataSets(dataModule, master, detail);
    RunDataCommand([this] {
        Query* src = air_.qryZrWprSubst();
        src->close();
        src->open();
        Query statuses(air_.zest().connection());
        statuses.setSql(
            QStringLiteral("SELECT spwgp_id, spwgp_nazwa FROM statusy_pozwolen_gp WHERE spwgp_f_aktualny "
                           "= 1 ORDER BY spwgp_lp"));
        FillIdNameCombo(cmbStatus_, statuses, QStringLiteral("spwgp_id"), 0, QStringLiteral("spwgp_nazwa"));
    });
    if (auto* b = cmbStatus_->findChild<IdComboBinding*>())
        b->refresh();
    commandsZr_->updateActions();
}

void TGpTabelaA::showing() {
    TbclDlgMD_T1::showing();
    if (Query* q = dsZr->dataSet(); q && q->isActive())
        q->first();
    pcDetail()->setCurrentIndex(0);
}

void TGpTabelaA::openInstallation(bool inserting) {
    Query* q = air_.qryInstDz();
    if (!inserting && (!q->isActive() || q->isEmpty()))
        return;
    if (!masterCommands().run([q, inserting] {
            if (inserting)
                q->append();
            else
                EnsureEdit(q);
        }))
        return;
    auto* dlg = new TInstDzialNag(q, this);
    const bool saved = dlg->exec() == QDialog::Accepted;
    // Back on the saved installation, read afresh; anything left unsaved is dropped.
    const QVariant key = q->fieldByName(QStringLiteral("ild_id")).value();
    RunDataCommand([q, saved, key] {
        if (q->isEditing())
            q->cancel();
        if (saved) {
            q->refresh();
            q->locate(QStringLiteral("ild_id"), key);
        }
    });
    masterCommands().updateActions();
    commandsZr_->updateActions();
}

void TGpTabelaA::actMDodajExecute() {
    openInstallation(true);
}

void TGpTabelaA::actMPoprawExecute() {
    openInstallation(false);
}

void TGpTabelaA::actDDodajExecute() {
    // The installation is saved first, then a fuel row inserted.
    Query* fuels = dsD->dataSet();
    if (!fuels)
        return;
    if (detailCommands().run([this, fuels] {
            PostIfEditing(*dsM);
            OpenIfClosed(fuels);
            fuels->append();
        }))
        grdD()->setFocus();
}

void TGpTabelaA::openSource(bool inserting) {
    Query* src = air_.qryZrWprSubst();
    Query* ild = air_.qryInstDz();
    if (!ild->isActive() || ild->recNo() < 0)
        return;
    if (!inserting && (!src->isActive() || src->isEmpty()))
        return;
    if (!commandsZr_->run([this, src, inserting] {
            PostIfEditing(*dsM);
            OpenIfClosed(src);
            if (inserting)
                src->append();
        }))
        return;
    TZrWprSubstTaOpl::Pokaz(air_, this);
    commandsZr_->updateActions();
    masterCommands().updateActions();
}

void TGpTabelaA::wstawPozwolenie() {
    Query* ild = air_.qryInstDz();
    if (!ild->isActive() || ild->recNo() < 0)
        return;
    const int pdmId = int(air_.zest().qryZest()->fieldByName(QStringLiteral("z_pdm_id")).asInteger());
    const int current = int(ild->fieldByName(QStringLiteral("ild_pwgp_id")).asInteger());
    WybierzPozwolenieGp(pdmId, current, this, [this](const Query& acts) {
        const int id = int(acts.fieldByName(QStringLiteral("pwgp_id")).asInteger());
        masterCommands().run([this, id] { air_.WstawPozwolenie(id); });
    });
}

void TGpTabelaA::Pokaz(TdmfZestAir& air, QWidget* parent) {
    auto* w = new TGpTabelaA(air, parent);
    w->BindDataSets(&air, air.qryInstDz(), air.qryChrPlw());
    w->exec();
}
