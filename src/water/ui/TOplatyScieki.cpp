#include "water/ui/TOplatyScieki.h"

#include "dict/TdmfDict.h"
#include "dict/TrLokalizacja.h"
#include "dict/ui/TKodyRdzScLW.h"
#include "dict/ui/TWybLokIAdr.h"
#include "entities/ui/TbcPozwolenia.h"
#include "forms/DataHelpers.h"
#include "forms/ui/FillIdNameCombo.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"
#include "platform/ui/FieldBinding.h"
#include "platform/ui/IdComboBinding.h"
#include "statements/TdmfZest.h"
#include "water/SewageDischarge.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QLineEdit* BoundEdit(QWidget* parent, DataSource& source, const QString& field, bool readOnly = false,
                     const QString& hint = QString()) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("edt_") + field);
    FieldBinding::bind(edit, source, field);
    if (readOnly)
        edit->setReadOnly(true);
    if (!hint.isEmpty())
        edit->setToolTip(hint);
    return edit;
}

void AddDisabledPrintout(PrintDropDown* button, const QString& caption) {
    button->addPrintout(caption)->setEnabled(false);
    button->showButton();
}

} // namespace

TOplatyScieki::TOplatyScieki(SewageDischarge& sewage, QWidget* parent)
    : TbclDlgMD_T1(parent), dsD1(new DataSource(this)), sewage_(sewage) {
    setObjectName(QStringLiteral("TOplatyScieki"));
    setWindowTitle(QStringLiteral("Opłaty za wprowadzanie ścieków do wód lub do ziemi"));
    lblMaster()->setText(QStringLiteral("Lista odbiorników ścieków"));
    lblDetail()->setText(QStringLiteral("Odbiornik ścieków"));

    DataGrid* g = grdM();
    g->addColumn(QStringLiteral("osc_nazwa"), QStringLiteral("Nazwa"));
    g->addColumn(QStringLiteral("osc_adres"), QStringLiteral("Adres"));
    g->addColumn(QStringLiteral("gm_nazwa"), QStringLiteral("Gmina"));
    g->addColumn(QStringLiteral("pow_nazwa"), QStringLiteral("Powiat"));
    g->addColumn(QStringLiteral("woj_nazwa"), QStringLiteral("Województwo"));
    g->addColumn(QStringLiteral("rzgw_nazwa"), QStringLiteral("RZGW"));
    g->addColumn(QStringLiteral("osc_kwota"), QStringLiteral("Kwota [zł]"));
    g->addColumn(QStringLiteral("osc_id"), QStringLiteral("Nr sys."));
    masterCommands().addPost(QStringLiteral("P&ost"), QStringLiteral("Zapisz w bazie danych"));
    masterCommands().addCancel(QStringLiteral("&Cancel"), QStringLiteral("Anuluj zmiany "));
    masterCommands().fillToolBar(tbMaster());
    masterCommands().setSearchAvailable(false);
    masterCommands().actSearch->setVisible(false);
    for (const char* caption :
         {"Załącznik nr 4 - Nagłówek", "Tabela A - Nagłówek", "Tabela A",
          "Tabela A - Suma opłat w poszczególnych gminach", "Tabela B - Nagłówek", "Tabela B",
          "Tabela B - Suma opłat w poszczególnych gminach", "Tabela C - Nagłówek",
          "Tabela C - Suma opłat w poszczególnych gminach", "Tabela D - Nagłówek", "Tabela D",
          "Tabela D - Suma opłat w poszczególnych gminach"})
        AddDisabledPrintout(btnMPrint(), QString::fromUtf8(caption));

    pnlOdbiornik_ = buildReceiverPanel();
    detailLayout()->insertWidget(1, pnlOdbiornik_);
    detailLayout()->insertWidget(2, new QLabel(QStringLiteral("Opłaty "), pnlDetail()));

    // Page "Ścieki": the code rows, edited in their dialog.
    pcDetail()->setTabText(0, QStringLiteral("Ścieki"));
    ListCommands& d = detailCommands();
    d.actSearch->setVisible(false);
    d.setSearchAvailable(false);
    grdD()->addColumn(QStringLiteral("kta_kod"), QStringLiteral("Kod rodzaju ścieku"));
    grdD()->addColumn(QStringLiteral("kta_ilosc"), QStringLiteral("Ilość [m3]"));
    grdD()->addColumn(QStringLiteral("kta_kwota"), QStringLiteral("Opłata [zł]"));
    grdD()->addColumn(QStringLiteral("kta_id"), QStringLiteral("Nr sys."));
    grdD()->setInPlaceEditing(false);
    connect(grdD(), &QAbstractItemView::doubleClicked, this, [this] { actDPoprawExecute(); });
    AddDisabledPrintout(btnDPrint(), QStringLiteral("Tabela A"));

    pcDetail()->addTab(buildCoolingPage(), QStringLiteral("Wody chłodnicze"));
    rainCommands_ = nullptr;
    pcDetail()->addTab(buildRainPage(), QStringLiteral("Wody opadowe i roztopowe"));
    pcDetail()->addTab(buildSalinePage(), QStringLiteral("Wody zasolone"));

    auto* link = new DataSourceLink(*dsM, this);
    for (auto signal :
         {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged, &DataSourceLink::stateChanged})
        connect(link, signal, this, [this] { updateState(); });
}

QWidget* TOplatyScieki::buildReceiverPanel() {
    auto* panel = new QWidget(pnlDetail());
    panel->setObjectName(QStringLiteral("pnlOdbiornik"));
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* form = new QFormLayout;
    auto* kind = new QComboBox(panel);
    kind->setObjectName(QStringLiteral("cbRodzajOdbiornika"));
    kind->setToolTip(QStringLiteral("Rodzaj odbiornika ścieków"));
    FillIdNameCombo(kind, *dmfDict->qryRdzOdbiornikowSc(), QStringLiteral("ros_id"), 0,
                    QStringLiteral("ros_nazwa"));
    IdComboBinding::bind(kind, *dsM, QStringLiteral("osc_ros_id"), QStringLiteral("ros_nazwa"));
    form->addRow(QStringLiteral("Rodzaj odbiornika:"), kind);
    auto* status = new QComboBox(panel);
    status->setObjectName(QStringLiteral("cbStatusPozwolenia"));
    status->setToolTip(QStringLiteral("Status pozwolenia wodnoprawnego"));
    FillIdNameCombo(status, *dmfDict->qryStatusyPozwolenWpSc(), QStringLiteral("spwsc_id"), 0,
                    QStringLiteral("spwsc_nazwa"));
    IdComboBinding::bind(status, *dsM, QStringLiteral("osc_spwsc_id"), QStringLiteral("spwsc_nazwa"));
    form->addRow(QStringLiteral("Status pozwolenia:"), status);
    layout->addLayout(form);

    auto* group = new QGroupBox(QStringLiteral("Pozwolenie wodnoprawne/zintegrowane"), panel);
    auto* g = new QFormLayout(group);
    g->addRow(QStringLiteral("Nr:"), BoundEdit(group, *dsM, QStringLiteral("pwp_numer"), true));
    g->addRow(QStringLiteral("Data obowiązywania od"),
              BoundEdit(group, *dsM, QStringLiteral("pwp_term_obow_0"), true));
    g->addRow(QStringLiteral("do"), BoundEdit(group, *dsM, QStringLiteral("pwp_term_obow_1"), true));
    g->addRow(QStringLiteral("Organ wyd.:"), BoundEdit(group, *dsM, QStringLiteral("pwp_organ_wyd"), true));
    auto* buttons = new QHBoxLayout;
    auto* insert = new QPushButton(QStringLiteral("Wstaw"), group);
    insert->setObjectName(QStringLiteral("btnWstawPozw"));
    insert->setToolTip(QStringLiteral("Wstaw pozwolenie wodnoprawne"));
    auto* remove = new QPushButton(QStringLiteral("Usuń"), group);
    remove->setObjectName(QStringLiteral("btnUsunPozw"));
    remove->setToolTip(QStringLiteral("Usuń z formularza pozwolenie wodnoprawne"));
    buttons->addWidget(insert);
    buttons->addWidget(remove);
    g->addRow(buttons);
    layout->addWidget(group, 1);
    connect(insert, &QPushButton::clicked, this, [this] {
        Query* r = sewage_.qryOdbSc();
        if (!r->isActive() || r->isEmpty())
            return;
        const int pdmId = int(sewage_.dm().qryZest()->fieldByName(QStringLiteral("z_pdm_id")).asInteger());
        WybierzPozwolenieWp(
            pdmId, int(r->fieldByName(QStringLiteral("osc_pwp_id")).asInteger()), this,
            [this](const Query& permits) { RunDataCommand([&] { sewage_.WstawPozwolenie(permits); }); });
    });
    connect(remove, &QPushButton::clicked, this,
            [this] { RunDataCommand([&] { sewage_.UsunPozwolenie(); }); });
    return panel;
}

QWidget* TOplatyScieki::buildCoolingPage() {
    auto* page = new QWidget(pcDetail());
    page->setObjectName(QStringLiteral("tsChlodnicze"));
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("Ilość [1\u00a0000 m3]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chl_ilosc")));
    form->addRow(QStringLiteral("Temp. wody [C]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chl_temp_sc"), false,
                           QStringLiteral("Temperatura wody chłodniczej [C]")));
    form->addRow(QStringLiteral("Temp. odb. [C]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chl_temp_odb"), false,
                           QStringLiteral("Temperatura odbiornika [C]")));
    form->addRow(QStringLiteral("Jedn. st. opłaty [zł]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chl_jedn_st_opl"), true));
    form->addRow(QStringLiteral("Wysokość opłaty [zł]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chl_oplata"), true));
    btnPrzeliczChl_ = new QPushButton(QStringLiteral("Przelicz"), page);
    btnPrzeliczChl_->setObjectName(QStringLiteral("btnPrzeliczChl"));
    btnPrzeliczChl_->setToolTip(QStringLiteral("Przelicz ponownie opłatę za wprowadzanie wody chłodniczej"));
    form->addRow(btnPrzeliczChl_);
    connect(btnPrzeliczChl_, &QPushButton::clicked, this, [this] {
        if (commitEditors())
            RunDataCommand([&] { sewage_.PrzeliczChlodnicze(); });
    });
    return page;
}

QWidget* TOplatyScieki::buildRainPage() {
    auto* page = new QWidget(pcDetail());
    page->setObjectName(QStringLiteral("tsOpadowe"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    QToolBar* bar = ListCommands::MakeToolBar(page, QStringLiteral("tbOR"));
    rainCommands_ = new ListCommands(*dsD1, page, QStringLiteral("actOR"));
    rainCommands_->addPost(QStringLiteral("P&ost"), QStringLiteral("Zapisz w bazie danych"));
    rainCommands_->addCancel(QStringLiteral("&Cancel"), QStringLiteral("Anuluj zmiany"));
    rainCommands_->commitEditors = [this] { return commitEditors(); };
    rainCommands_->fillToolBar(bar);
    rainCommands_->actAUUsun->setVisible(false);
    rainCommands_->actSearch->setVisible(false);
    rainCommands_->setSearchAvailable(false);
    actPrzeliczOR_ =
        ListCommands::MakeAction(page, QStringLiteral("actPrzeliczOR"), QStringLiteral("Przelicz opłaty"),
                                 QStringLiteral("Przelicz opłaty ponownie "), QKeySequence());
    bar->addAction(actPrzeliczOR_);
    auto* print = new PrintDropDown(QStringLiteral("Wydruki z Księgi"), bar);
    AddDisabledPrintout(print, QStringLiteral("Tabela C"));
    connect(rainCommands_->actDodaj, &QAction::triggered, this,
            [this] { rainCommands_->run([this] { sewage_.DodajOplatyOR(); }); });
    connect(rainCommands_->actPopraw, &QAction::triggered, this, [this] {
        rainCommands_->run([this] {
            if (Query* q = dsD1->dataSet(); q && q->isActive() && !q->isEmpty())
                EnsureEdit(q);
        });
    });
    connect(actPrzeliczOR_, &QAction::triggered, this,
            [this] { rainCommands_->run([this] { sewage_.PrzeliczOplatyOR(); }); });
    layout->addWidget(bar);
    grdOR_ = new DataGrid(*dsD1, page);
    grdOR_->setObjectName(QStringLiteral("grdOR"));
    grdOR_->addColumn(QStringLiteral("sotd_poz_wydr"), QStringLiteral("Lp."), ColumnReadOnly);
    grdOR_->addColumn(QStringLiteral("sotd_nazwa"), QStringLiteral("Rodzaj terenu"), ColumnReadOnly);
    grdOR_->addColumn(QStringLiteral("oor_powierzchnia"), QStringLiteral("Powierzchnia [m2]"));
    grdOR_->addColumn(QStringLiteral("oor_jedn_st_opl"), QStringLiteral("Roczna jedn. st. opłaty [zł]"),
                      ColumnReadOnly);
    grdOR_->addColumn(QStringLiteral("oor_oplata"), QStringLiteral("Opłata [zł]"), ColumnReadOnly);
    grdOR_->addColumn(QStringLiteral("oor_id"), QStringLiteral("Nr sys."), ColumnReadOnly);
    grdOR_->setColumnWidthHint(1, 360);
    grdOR_->setInPlaceEditing(true);
    layout->addWidget(grdOR_, 1);
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("memoRodzajTerenu"));
    memo->setToolTip(QStringLiteral("Rodzaj terenu, z którego są wprowadzane ścieku do odbiornika"));
    memo->setMaximumHeight(54);
    FieldBinding::bind(memo, *dsD1, QStringLiteral("sotd_nazwa"));
    memo->setReadOnly(true);
    layout->addWidget(memo);
    return page;
}

QWidget* TOplatyScieki::buildSalinePage() {
    auto* page = new QWidget(pcDetail());
    page->setObjectName(QStringLiteral("tsZasolone"));
    auto* form = new QFormLayout(page);
    form->addRow(new QLabel(
        QStringLiteral("Wody o zawartości sumy jonów chlorków i siarczanów > 500\u00a0mg/dm3"), page));
    form->addRow(QStringLiteral("Ilość [m3]:"), BoundEdit(page, *dsM, QStringLiteral("osc_chls_ilosc")));
    form->addRow(QStringLiteral("Suma jonów chlorków i siarczanów [mg/dm3]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chls_stezenie")));
    form->addRow(QStringLiteral("Jednostkowa stawka opłat [zł]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chls_jedn_st_opl"), true));
    form->addRow(QStringLiteral("Wysokość opłaty [zł]:"),
                 BoundEdit(page, *dsM, QStringLiteral("osc_chls_oplata"), true));
    btnPrzeliczChls_ = new QPushButton(QStringLiteral("Przelicz"), page);
    btnPrzeliczChls_->setObjectName(QStringLiteral("btnPrzeliczChls"));
    btnPrzeliczChls_->setToolTip(QStringLiteral("Przelicz ponownie opłatę za wprowadzanie wody zasolonej"));
    form->addRow(btnPrzeliczChls_);
    connect(btnPrzeliczChls_, &QPushButton::clicked, this, [this] {
        if (commitEditors())
            RunDataCommand([&] { sewage_.PrzeliczZasolone(); });
    });
    return page;
}

void TOplatyScieki::BindDataSets() {
    // Read in one transaction rather than one for each list.
    Connection::Transaction reading(sewage_.dm().connection());
    TbclDlgMD_T1::BindDataSets(&sewage_.dm(), sewage_.qryOdbSc(), sewage_.qryKdTA());
    dsD1->setDataSet(sewage_.qryOplOR());
    RunDataCommand([this] {
        sewage_.qryOplOR()->close();
        sewage_.qryOplOR()->open();
    });
    reading.commit();
    // Names and addresses at a readable width, so that the fee stays in view.
    grdM()->setColumnWidthHint(grdM()->columnOfField(QStringLiteral("osc_nazwa")), 160);
    grdM()->setColumnWidthHint(grdM()->columnOfField(QStringLiteral("osc_adres")), 180);
    grdM()->setColumnWidthHint(grdM()->columnOfField(QStringLiteral("rzgw_nazwa")), 180);
    grdM()->fitColumns();
    grdD()->fitColumns();
    grdOR_->fitColumns();
    rainCommands_->updateActions();
    pcDetail()->setCurrentIndex(0);
    updateState();
}

void TOplatyScieki::updateState() {
    Query* q = dsM->dataSet();
    const bool hasCommune =
        q && q->isActive() && !q->isEmpty() && !q->fieldByName(QStringLiteral("osc_gm_id")).isNull();
    pnlOdbiornik_->setEnabled(hasCommune);
    pcDetail()->setEnabled(hasCommune);
}

void TOplatyScieki::actMDodajExecute() {
    Query* q = sewage_.qryOdbSc();
    if (!commitEditors() || !RunDataCommand([&] { q->insert(); }))
        return;
    auto* dlg = new TOdbiornikSciekow(q, this);
    if (dlg->exec() == QDialog::Accepted)
        RunDataCommand([&] { sewage_.PoZapisieNowegoOdbiornika(); });
    else
        RunDataCommand([&] { CancelIfEditing(*dsM); });
    rainCommands_->updateActions();
    updateState();
}

void TOplatyScieki::actMPoprawExecute() {
    Query* q = sewage_.qryOdbSc();
    if (!q->isActive() || q->isEmpty() || !commitEditors() || !RunDataCommand([&] { EnsureEdit(q); }))
        return;
    auto* dlg = new TOdbiornikSciekow(q, this);
    dlg->exec();
    RunDataCommand([&] { RefreshKeepKey(*q, QStringLiteral("osc_id")); });
    updateState();
}

void TOplatyScieki::actDDodajExecute() {
    if (!commitEditors() || !RunDataCommand([this] { sewage_.qryKdTA()->insert(); }))
        return;
    openCodeDialog();
}

void TOplatyScieki::actDPoprawExecute() {
    Query* codes = sewage_.qryKdTA();
    if (!codes->isActive() || codes->isEmpty() || !commitEditors() ||
        !RunDataCommand([&] { EnsureEdit(codes); }))
        return;
    openCodeDialog();
}

void TOplatyScieki::openCodeDialog() {
    auto* dlg = new TScOplZaWskTA(sewage_, this);
    dlg->BindDataSets();
    dlg->exec();
    detailCommands().updateActions();
}

TOdbiornikSciekow::TOdbiornikSciekow(Query* receivers, QWidget* parent) : TbcDictItem(receivers, parent) {
    setObjectName(QStringLiteral("TOdbiornikSciekow"));
    setWindowTitle(QStringLiteral("Lokalizacja odbiornika ścieków"));
    addEdit(QStringLiteral("Nazwa:"), QStringLiteral("osc_nazwa"))
        ->setToolTip(QStringLiteral("Nazwa odbiornika ścieków"));
    auto* board = new QComboBox(this);
    board->setObjectName(QStringLiteral("cbRzgw"));
    board->setToolTip(QStringLiteral("Wybierz RZGW odbiornika ścieków"));
    FillIdNameCombo(board, *dmfDict->qryRzgw(), QStringLiteral("rzgw_id"), 0, QStringLiteral("rzgw_nazwa"));
    IdComboBinding::bind(board, *dsMain, QStringLiteral("osc_rzgw_id"), QStringLiteral("rzgw_nazwa"));
    form()->addRow(QStringLiteral("RZGW:"), board);
    auto* group = new QGroupBox(QStringLiteral("Lokalizacja odbiornika ścieków"), this);
    auto* g = new QFormLayout(group);
    g->addRow(QStringLiteral("Województwo:"), BoundEdit(group, *dsMain, QStringLiteral("woj_nazwa"), true));
    g->addRow(QStringLiteral("Powiat:"), BoundEdit(group, *dsMain, QStringLiteral("pow_nazwa"), true));
    g->addRow(QStringLiteral("Gmina:"), BoundEdit(group, *dsMain, QStringLiteral("gm_nazwa"), true));
    g->addRow(QStringLiteral("Adres:"), BoundEdit(group, *dsMain, QStringLiteral("osc_adres"), true,
                                                  QStringLiteral("Adres odbiornika ścieków")));
    auto* pick = new QPushButton(QStringLiteral("Wybierz lokalizację"), group);
    pick->setObjectName(QStringLiteral("btnWybierzLokalizacje"));
    g->addRow(pick);
    form()->addRow(group);
    connect(pick, &QPushButton::clicked, this, [this, receivers] {
        TrLokalizacja location;
        TdmfZest::ReadLocation(*receivers, QStringLiteral("osc_gm_id"), QStringLiteral("osc_adres"),
                               location);
        if (WybierzLokalizacjeIAdres(location, this))
            RunDataCommand([&] {
                TdmfZest::WriteLocation(*receivers, QStringLiteral("osc_gm_id"), QStringLiteral("osc_adres"),
                                        location);
            });
    });
}

TScOplZaWskTA::TScOplZaWskTA(SewageDischarge& sewage, QWidget* parent)
    : TbcDlgMD_T2(parent), sewage_(sewage) {
    setObjectName(QStringLiteral("TScOplZaWskTA"));
    setWindowTitle(QStringLiteral("Opłaty za wprowadzanie ścieków o kodzie"));
    auto* kodRow = new QHBoxLayout;
    edtKod_ = new QLineEdit(pnlMaster());
    edtKod_->setObjectName(QStringLiteral("edtKod"));
    edtKod_->setToolTip(QStringLiteral("Kod rodzaju ścieku"));
    FieldBinding::bind(edtKod_, *dsM, QStringLiteral("kta_kod"));
    btnWybierzKod_ = new QPushButton(QStringLiteral("..."), pnlMaster());
    btnWybierzKod_->setObjectName(QStringLiteral("btnWybierzKod"));
    btnWybierzKod_->setToolTip(QStringLiteral("Wstaw kod rodzaju ścieku "));
    kodRow->addWidget(edtKod_);
    kodRow->addWidget(btnWybierzKod_);
    masterForm()->addRow(QStringLiteral("Kod rodzaju ścieku:"), kodRow);
    masterForm()->addRow(
        QStringLiteral("Ilość [m3]:"),
        BoundEdit(pnlMaster(), *dsM, QStringLiteral("kta_ilosc"), false,
                  QStringLiteral("Ilość ścieków wprowadzonych do odbiornika w ciągu półrocza")));
    masterForm()->addRow(QStringLiteral("Opłata [zł]:"),
                         BoundEdit(pnlMaster(), *dsM, QStringLiteral("kta_kwota"), true,
                                   QStringLiteral("Opłata za wprowadzenie do odbirnika w ciągu półrocza")));
    btnGeneruj_ = new QPushButton(QStringLiteral("Generuj opłaty"), pnlMaster());
    btnGeneruj_->setObjectName(QStringLiteral("btnGeneruj"));
    btnGeneruj_->setToolTip(QStringLiteral("Generuj opłaty dla poszczególnych wskaźników"));
    masterForm()->addRow(btnGeneruj_);
    AddDisabledPrintout(btnMPrint(), QStringLiteral("Tabela A"));

    DataGrid* g = grdD();
    g->addColumn(QStringLiteral("wtasc_nazwa"), QStringLiteral("Wskaźnik"), ColumnReadOnly);
    g->addColumn(QStringLiteral("owta_zawartosc"), QStringLiteral("Zawartość [mg/dm3]"));
    g->addColumn(QStringLiteral("owta_il_subst_brt"), QStringLiteral("Ilość subst. br.  [kg]"),
                 ColumnReadOnly);
    g->addColumn(QStringLiteral("owta_il_subst_w_pw"), QStringLiteral("Ilość subst. w pob. wod. [kg]"));
    g->addColumn(QStringLiteral("owta_il_subst_nt"), QStringLiteral("Ilość subst. net. [kg]"),
                 ColumnReadOnly);
    g->addColumn(QStringLiteral("owta_stawka_jedn"), QStringLiteral("Jedn. st. opłaty [zł]"), ColumnReadOnly);
    g->addColumn(QStringLiteral("owta_wsp_rozn"), QStringLiteral("Wsp. różnicujący"), ColumnReadOnly);
    g->addColumn(QStringLiteral("owta_stawka"), QStringLiteral("St. opłaty [zł] "), ColumnReadOnly);
    g->addColumn(QStringLiteral("owta_kwota"), QStringLiteral("Wys. opłaty [zł]"), ColumnReadOnly);
    g->addColumn(QStringLiteral("owta_id"), QStringLiteral("Nr sys."), ColumnReadOnly);
    g->setColumnWidthHint(0, 200);
    g->setInPlaceEditing(true);

    ListCommands& d = detailCommands();
    for (QAction* a : {d.actDodaj, d.actPopraw, d.actAUUsun, d.actSearch, d.actRefresh})
        a->setVisible(false);
    d.setSearchAvailable(false);
    actPrzelicz_ = ListCommands::MakeAction(
        pnlDetail(), QStringLiteral("actPrzelicz"), QStringLiteral("Przelicz"),
        QStringLiteral("Przelicza ponownie wartości dla wszystkich wskaźników/substancji"), QKeySequence());
    tbDetail()->addAction(actPrzelicz_);

    connect(btnWybierzKod_, &QPushButton::clicked, this, [this] {
        if (!sewage_.KodMoznaZmienic())
            return;
        TKodyRdzScLW picker(*dmfDict, this);
        if (!picker.ExecPicker())
            return;
        const QString kod =
            dmfDict->qryKodyRdzSc()->fieldByName(QStringLiteral("krsc_kod")).asString().trimmed();
        RunDataCommand([&] { sewage_.UstawKod(kod); });
    });
    connect(btnGeneruj_, &QPushButton::clicked, this, [this] {
        if (commitEditors())
            RunDataCommand([this] { sewage_.GenerujOplatyWsk(); });
        updateState();
    });
    connect(actPrzelicz_, &QAction::triggered, this, [this] {
        if (commitEditors())
            RunDataCommand([this] { sewage_.PrzeliczWsk(); });
    });
    auto* link = new DataSourceLink(*dsM, this);
    for (auto signal :
         {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged, &DataSourceLink::stateChanged})
        connect(link, signal, this, [this] { updateState(); });
}

void TScOplZaWskTA::BindDataSets() {
    TbcDlgMD_T2::BindDataSets(&sewage_.dm(), sewage_.qryKdTA(), sewage_.qryOplZaWskTA());
    grdD()->fitColumns();
    updateState();
}

void TScOplZaWskTA::updateState() {
    Query* q = dsM->dataSet();
    actMCancel()->setVisible(!(q && q->state() == DataSetState::Insert));
    Query* rows = dsD->dataSet();
    grdD()->setEnabled(rows && rows->isActive() && !rows->isEmpty());
}

void TScOplZaWskTA::showEvent(QShowEvent* event) {
    TbcDlgMD_T2::showEvent(event);
    if (!event->spontaneous())
        RunDataCommand([this] {
            if (Query* rows = dsD->dataSet(); rows && rows->isActive() && !rows->isEditing())
                rows->refresh();
        });
}
