#include "waste/ui/TOplatyOdpady.h"

#include "dict/TdmfDict.h"
#include "dict/ui/TWybRdzOdpd.h"
#include "entities/ui/TbcPozwolenia.h"
#include "forms/DataHelpers.h"
#include "forms/ui/FillIdNameCombo.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"
#include "platform/ui/FieldBinding.h"
#include "platform/ui/IdComboBinding.h"
#include "statements/TdmfZest.h"
#include "statements/ui/StatementContentWindows.h"
#include "waste/TdmfZestOdpady.h"
#include "waste/ui/TOdpadySkladowe.h"
#include "waste/ui/TSklOdpdNag.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A pick list of the active rows of a dictionary list, by ordinal; the dictionary's own list is left
// as it is.
void FillActivePickList(QComboBox* combo, const Query* dictionary, const QString& prefix) {
    combo->clear();
    if (!dictionary)
        return;
    Query q(dictionary->connection());
    q.setSql(dictionary->sql());
    for (const QString& name : dictionary->paramNames())
        q.setParam(name, dictionary->param(name));
    SetActiveFilter(q, FilterActive);
    q.setSortedFields(prefix + QStringLiteral("_lp ASC"));
    RunDataCommand([&] {
        FillIdNameCombo(combo, q, prefix + QStringLiteral("_id"), 0, prefix + QStringLiteral("_nazwa"));
    });
}

QComboBox* PickList(QWidget* parent, const QString& name, const QString& hint) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setToolTip(hint);
    // Long names stay in the drop-down; the list itself keeps a sensible width.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    return combo;
}

// A page's commands, inserted into its toolbar before the search command, which the waste window
// does not offer.
void AddSaveAndCancel(ListCommands& commands, QToolBar* toolBar, const QString& post, const QString& postHint,
                      const QString& cancel, const QString& cancelHint) {
    QAction* p = commands.addPost(post, postHint);
    QAction* c = commands.addCancel(cancel, cancelHint);
    toolBar->insertSeparator(commands.actSearch);
    toolBar->insertAction(commands.actSearch, p);
    toolBar->insertAction(commands.actSearch, c);
    toolBar->insertSeparator(commands.actSearch);
    commands.actSearch->setVisible(false);
}

bool HasRow(const Query* q) {
    return q && q->isActive() && q->recNo() >= 0;
}

} // namespace

TOplatyOdpady::TOplatyOdpady(QWidget* parent)
    : TbclDlgMD_T1(parent), dsD1(new DataSource(this)), dsD2(new DataSource(this)) {
    setObjectName(QStringLiteral("TOplatyOdpady"));
    setWindowTitle(QStringLiteral("Opłaty za składowani odpadów"));
    lblMaster()->setText(QStringLiteral("Składowiska odpadów"));
    lblDetail()->setText(QStringLiteral("Składowisko odpadów"));

    // --- sites
    grdM()->addColumn(QStringLiteral("skod_adres"), QStringLiteral("Adres"));
    grdM()->addColumn(QStringLiteral("gm_nazwa"), QStringLiteral("Gmina"));
    grdM()->addColumn(QStringLiteral("pow_nazwa"), QStringLiteral("Powiat"));
    grdM()->addColumn(QStringLiteral("woj_nazwa"), QStringLiteral("Województwo"));
    grdM()->addColumn(QStringLiteral("skod_oplata"), QStringLiteral("Opłata [zł]"));
    grdM()->addColumn(QStringLiteral("skod_id"), QStringLiteral("Nr sys."));
    AddSaveAndCancel(masterCommands(), tbMaster(), QStringLiteral("P&ost"),
                     QStringLiteral("Zapisz w bazie danych"), QStringLiteral("&Cancel"),
                     QStringLiteral("Anuluj zmiany "));
    // The printouts come with the printing of the waste annex; until then their entries are disabled.
    for (const auto& [caption, hint] :
         {std::pair{QStringLiteral("Nagłówek Załącznika Nr 5"),
                    QStringLiteral("Wydruk nagłówka Załącznika Nr 5")},
          std::pair{QStringLiteral("Tabela A"), QString()},
          std::pair{QStringLiteral("Suma opłat w poszczególnych gminach"), QString()}})
        btnMPrint()->addPrintout(caption, hint)->setEnabled(false);
    btnMPrint()->showButton();

    // --- the site's data, then the waste pages under their strip
    pcSklOdpd_ = new QTabWidget(pnlDetail());
    pcSklOdpd_->setObjectName(QStringLiteral("pcSklOdpd"));
    tsDaneSkl_ = new QWidget(pcSklOdpd_);
    tsDaneSkl_->setObjectName(QStringLiteral("tsDaneSkl"));
    pcSklOdpd_->addTab(tsDaneSkl_, QStringLiteral("Dane składowiska"));
    buildSitePage();
    pcSklOdpd_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    lblOplaty_ = new QLabel(QStringLiteral("Opłaty "), pnlDetail());
    lblOplaty_->setObjectName(QStringLiteral("lblOplaty"));
    lblOplaty_->setFrameShape(lblDetail()->frameShape());
    lblOplaty_->setAutoFillBackground(true);
    lblOplaty_->setBackgroundRole(lblDetail()->backgroundRole());
    lblOplaty_->setForegroundRole(lblDetail()->foregroundRole());
    lblOplaty_->setFont(lblDetail()->font());
    lblOplaty_->setContentsMargins(lblDetail()->contentsMargins());
    detailLayout()->insertWidget(1, pcSklOdpd_);
    detailLayout()->insertWidget(2, lblOplaty_);

    // 1. waste stored with segregation: the framework's detail page
    pcDetail()->setTabText(0, QStringLiteral("Odpady składowane selektywnie"));
    AddSaveAndCancel(detailCommands(), tbDetail(), QStringLiteral("Zapisz"),
                     QStringLiteral("Zapisz w bazie danych"), QStringLiteral("Anuluj"),
                     QStringLiteral("Anuluj zmiany"));
    addWasteColumns(grdD());

    // 2. waste stored without segregation, with the components of each
    tsOdpdNs_ = buildWastePage(QStringLiteral("Odpady składowane nieselektywnie"), *dsD1, &commandsNs_,
                               &grdOdpdNs_, QStringLiteral("actD1"));
    tsOdpdNs_->setObjectName(QStringLiteral("tsOdpdNs"));
    grdOdpdNs_->setObjectName(QStringLiteral("grdOdpdNs"));
    addWasteColumns(grdOdpdNs_);
    actOdpadySkladowe_ = ListCommands::MakeAction(tsOdpdNs_, QStringLiteral("actOdpadySkladowe"),
                                                  QStringLiteral("Odpady składowe"),
                                                  QStringLiteral("Odpady składowe wskazanego odpadu "), {});
    tsOdpdNs_->findChild<QToolBar*>()->insertAction(commandsNs_->actAUUsun, actOdpadySkladowe_);
    connect(actOdpadySkladowe_, &QAction::triggered, this, &TOplatyOdpady::OdpadySkladowe);

    // 3. removed waste
    tsOdpdW_ = buildWastePage(QStringLiteral("Opady wydobyte"), *dsD2, &commandsW_, &grdOdpdW_,
                              QStringLiteral("actD2"));
    tsOdpdW_->setObjectName(QStringLiteral("tsOdpdW"));
    grdOdpdW_->setObjectName(QStringLiteral("grdOdpdW"));
    grdOdpdW_->addColumn(QStringLiteral("sotl_kod"), QStringLiteral("Kod"), ColumnReadOnly);
    grdOdpdW_->addColumn(QStringLiteral("sotl_rodzaj"), QStringLiteral("Rodzaj odpadu"), ColumnReadOnly);
    grdOdpdW_->addColumn(QStringLiteral("odpdw_masa_zesklad"), QStringLiteral("Masa zeskładowana [Mg]"));
    grdOdpdW_->addColumn(QStringLiteral("odpdw_masa_wydob"), QStringLiteral("Masa wydobyta [Mg]"));
    grdOdpdW_->addColumn(QStringLiteral("odpdw_id"), QStringLiteral("Nr sys."), ColumnReadOnly);
    grdOdpdW_->setColumnWidthHint(0, 80);
    grdOdpdW_->setColumnWidthHint(1, 320);
    const std::pair<QAction*, const char*> captions[] = {
        {commandsW_->actDodaj, "Dodaj"}, {commandsW_->actPopraw, "Popraw"},
        {commandsW_->actAUUsun, "Usuń"}, {commandsW_->actRefresh, "Odśwież"},
        {commandsW_->actPost, "Zapisz"}, {commandsW_->actCancel, "Anuluj"}};
    for (const auto& [action, caption] : captions)
        action->setText(QString::fromUtf8(caption));

    for (DataSource* source : {dsM, dsD, dsD1, dsD2}) {
        auto* link = new DataSourceLink(*source, this);
        for (auto signal : {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged,
                            &DataSourceLink::stateChanged, &DataSourceLink::recordChanged})
            connect(link, signal, this, &TOplatyOdpady::updateState);
    }
    splitter()->setStretchFactor(0, 1);
    splitter()->setStretchFactor(1, 3);
    resize(1080, 760);
    updateState();
}

void TOplatyOdpady::buildSitePage() {
    auto* layout = new QGridLayout(tsDaneSkl_);
    layout->setContentsMargins(4, 4, 4, 4);

    // The legal status, which fixes the coefficient, across the top.
    auto* status = new QHBoxLayout;
    cmbStatusPrawny_ = PickList(tsDaneSkl_, QStringLiteral("cmbStatusPrawny"),
                                QStringLiteral("Status prawny składowiska odpadów"));
    cmbStatusPrawny_->setMinimumContentsLength(60);
    IdComboBinding::bind(cmbStatusPrawny_, *dsM, QStringLiteral("skod_wrodpd_id"),
                         QStringLiteral("wrodpd_nazwa"));
    edtWspRozn_ = new QLineEdit(tsDaneSkl_);
    edtWspRozn_->setObjectName(QStringLiteral("edtWspRozn"));
    edtWspRozn_->setMaximumWidth(70);
    edtWspRozn_->setAlignment(Qt::AlignRight);
    FieldBinding::bind(edtWspRozn_, *dsM, QStringLiteral("wrodpd_wartosc"));
    status->addWidget(new QLabel(QStringLiteral("Status prawny składowiska:"), tsDaneSkl_));
    status->addWidget(cmbStatusPrawny_, 1);
    status->addWidget(new QLabel(QStringLiteral("Wsp. różn.:"), tsDaneSkl_));
    status->addWidget(edtWspRozn_);
    layout->addLayout(status, 0, 0, 1, 2);

    // The approval of the operating instructions on the left, the permit on the right.
    auto* approval = new QFormLayout;
    cmbStatusDecyzji_ =
        PickList(tsDaneSkl_, QStringLiteral("cmbStatusDecyzji"),
                 QStringLiteral("Status decyzji zatwierdzającej instrukcję eksploatacji składowiska"));
    IdComboBinding::bind(cmbStatusDecyzji_, *dsM, QStringLiteral("skod_sdcodpd_decyzja_id"), QString());
    approval->addRow(QStringLiteral("Status decyzji zatwierdzającej:"), cmbStatusDecyzji_);
    grpDecyzja_ = buildActGroup(QStringLiteral("Decyzja zatwierdzająca"),
                                QStringLiteral("Decyzja zatwierdzająca instrukcję eksploatacji składowiska"),
                                QStringLiteral("d_"), decyzja_, &btnWstawDecyzje_,
                                QStringLiteral("Wstaw decyzję zatwierdzającą ..."), &btnUsunDecyzje_,
                                QStringLiteral("Usuń z formularza decyzję"));
    connect(btnWstawDecyzje_, &QToolButton::clicked, this, &TOplatyOdpady::WstawDecyzje);
    connect(btnUsunDecyzje_, &QToolButton::clicked, this, &TOplatyOdpady::UsunDecyzje);
    auto* left = new QVBoxLayout;
    left->addLayout(approval);
    left->addWidget(grpDecyzja_);
    layout->addLayout(left, 1, 0);

    auto* permit = new QFormLayout;
    cmbStatusZezwolenia_ = PickList(
        tsDaneSkl_, QStringLiteral("cmbStatusZezwolenia"),
        QStringLiteral(
            "Status zezwolenia na prowadzenie działalności w zakresie odzysku lub unieszkodliwiania "
            "odpadów lub pozwolenia zintegrowanego lub innej decyzji w zakresie gospodarki odpadami"));
    IdComboBinding::bind(cmbStatusZezwolenia_, *dsM, QStringLiteral("skod_sdcodpd_zezwolenie_id"), QString());
    permit->addRow(QStringLiteral("Status zezwolenia:"), cmbStatusZezwolenia_);
    grpZezwolenie_ = buildActGroup(QStringLiteral("Zezwolenie"), QString(), QStringLiteral("p_"), zezwolenie_,
                                   &btnWstawZezwolenie_, QStringLiteral("Wstaw zezwolenie ..."),
                                   &btnUsunZezwolenie_, QStringLiteral("Usuń z formularza zezwolenie"));
    connect(btnWstawZezwolenie_, &QToolButton::clicked, this, &TOplatyOdpady::WstawZezwolenie);
    connect(btnUsunZezwolenie_, &QToolButton::clicked, this, &TOplatyOdpady::UsunZezwolenie);
    auto* right = new QVBoxLayout;
    right->addLayout(permit);
    right->addWidget(grpZezwolenie_);
    layout->addLayout(right, 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

QGroupBox* TOplatyOdpady::buildActGroup(const QString& title, const QString& hint, const QString& prefix,
                                        QLineEdit** fields, QToolButton** insert, const QString& insertHint,
                                        QToolButton** remove, const QString& removeHint) {
    auto* group = new QGroupBox(title, tsDaneSkl_);
    group->setToolTip(hint);
    auto* grid = new QGridLayout(group);
    const QString columns[] = {QStringLiteral("dcodpd_numer"), QStringLiteral("dcodpd_term_obow_0"),
                               QStringLiteral("dcodpd_term_obow_1"), QStringLiteral("dcodpd_organ_wyd")};
    for (int i = 0; i < 4; ++i) {
        fields[i] = new QLineEdit(group);
        fields[i]->setObjectName(QStringLiteral("edt_") + prefix + columns[i]);
        FieldBinding::bind(fields[i], *dsM, prefix + columns[i]);
    }
    grid->addWidget(new QLabel(QStringLiteral("Nr:"), group), 0, 0);
    grid->addWidget(fields[0], 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Data obowiązywania od"), group), 1, 0);
    grid->addWidget(fields[1], 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("do"), group), 1, 2);
    grid->addWidget(fields[2], 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Organ wyd.:"), group), 2, 0);
    grid->addWidget(fields[3], 2, 1, 1, 3);
    const auto button = [group](const QString& text, const QString& tip, const QString& name) {
        auto* b = new QToolButton(group);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        return b;
    };
    *insert = button(QStringLiteral("Wstaw ..."), insertHint, QStringLiteral("btnWstaw_") + prefix);
    *remove = button(QStringLiteral("Usuń"), removeHint, QStringLiteral("btnUsun_") + prefix);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(*insert);
    buttons->addWidget(*remove);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 4, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* TOplatyOdpady::buildWastePage(const QString& caption, DataSource& source, ListCommands** commands,
                                       DataGrid** grid, const QString& prefix) {
    auto* page = new QWidget(pcDetail());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    QToolBar* toolBar = ListCommands::MakeToolBar(page, QStringLiteral("tb") + prefix);
    auto* c = new ListCommands(source, page, prefix);
    c->commitEditors = [this] { return commitEditors(); };
    c->addPost(QStringLiteral("Zapisz"), QStringLiteral("Zapisz w bazie danych"));
    c->addCancel(QStringLiteral("Anuluj"), QStringLiteral("Anuluj zmiany"));
    c->fillToolBar(toolBar);
    c->actSearch->setVisible(false);
    connect(c->actDodaj, &QAction::triggered, this, [this, &source] { DodajOdpad(source); });
    connect(c->actPopraw, &QAction::triggered, this, [this, &source] { PoprawOdpad(source); });
    *grid = new DataGrid(source, page);
    layout->addWidget(toolBar);
    layout->addWidget(*grid, 1);
    pcDetail()->addTab(page, caption);
    *commands = c;
    return page;
}

void TOplatyOdpady::addWasteColumns(DataGrid* grid) {
    grid->addColumn(QStringLiteral("sotl_kod"), QStringLiteral("Kod"), ColumnReadOnly);
    grid->addColumn(QStringLiteral("sotl_rodzaj"), QStringLiteral("Rodzaj odpadu"), ColumnReadOnly);
    grid->addColumn(QStringLiteral("odpd_masa"), QStringLiteral("Masa [Mg]"));
    grid->addColumn(QStringLiteral("odpd_stan_uwodnienia"), QStringLiteral("Stan uwodnienia [%]"));
    grid->addColumn(QStringLiteral("odpd_liczba_dob"), QStringLiteral("Liczba dób"));
    grid->addColumn(QStringLiteral("odpd_wsp_rozn"), QStringLiteral("Współczynnik"), ColumnReadOnly);
    grid->addColumn(QStringLiteral("odpd_jedn_st_opl"), QStringLiteral("J. st. opł. [zł/Mg]"),
                    ColumnReadOnly);
    grid->addColumn(QStringLiteral("odpd_oplata"), QStringLiteral("Opłata [zł]"), ColumnReadOnly);
    grid->addColumn(QStringLiteral("odpd_id"), QStringLiteral("Nr sys."), ColumnReadOnly);
    // The fee stays in sight: the code is short and long names are cut.
    grid->setColumnWidthHint(0, 80);
    grid->setColumnWidthHint(1, 240);
}

void TOplatyOdpady::BindDataSets(TdmfZestOdpady& odpady) {
    odpady_ = &odpady;
    // The details are closed while the sites are read afresh, so that each list is read once.
    RunDataCommand([&odpady] {
        for (Query* q : {odpady.qryOdpd(), odpady.qryOdpdNs(), odpady.qryOdpdS(), odpady.qryOdpdW()})
            q->close();
    });
    TbclDlgMD_T1::BindDataSets(&odpady, odpady.qrySklOdpd(), odpady.qryOdpd());
    dsD1->setDataSet(odpady.qryOdpdNs());
    dsD2->setDataSet(odpady.qryOdpdW());
    RunDataCommand([&odpady] {
        odpady.qryOdpdNs()->open();
        odpady.qryOdpdW()->open();
    });
    fillPickLists();
    for (DataGrid* grid : {grdM(), grdD(), grdOdpdNs_, grdOdpdW_})
        grid->fitColumns();
    commandsNs_->updateActions();
    commandsW_->updateActions();
    updateState();
}

void TOplatyOdpady::fillPickLists() {
    const TdmfDict* dict = dmfDict;
    FillActivePickList(cmbStatusDecyzji_, dict ? dict->qryStatusyDecOdpd() : nullptr,
                       QStringLiteral("sdcodpd"));
    // Both statuses pick from the same list.
    cmbStatusZezwolenia_->clear();
    for (int i = 0; i < cmbStatusDecyzji_->count(); ++i)
        cmbStatusZezwolenia_->addItem(cmbStatusDecyzji_->itemText(i), cmbStatusDecyzji_->itemData(i));
    FillActivePickList(cmbStatusPrawny_, dict ? dict->qryWspRoznOdpd() : nullptr, QStringLiteral("wrodpd"));
    for (IdComboBinding* b : findChildren<IdComboBinding*>())
        b->refresh();
}

void TOplatyOdpady::Pokaz(TdmfZest& dm, QWidget* parent) {
    TdmfZestOdpady& odpady = dm.content<TdmfZestOdpady>();
    auto* window = new TOplatyOdpady(parent);
    window->BindDataSets(odpady);
    window->exec();
}

void TOplatyOdpady::showing() {
    TbclDlgMD_T1::showing();
    for (DataSource* source : {dsD1, dsD2})
        if (Query* q = source->dataSet(); q && q->isActive())
            q->first();
    pcSklOdpd_->setCurrentIndex(0);
    pcDetail()->setCurrentIndex(0);
    updateState();
}

DataGrid* TOplatyOdpady::currentDetailGrid() const {
    switch (pcDetail()->currentIndex()) {
    case 1:
        return grdOdpdNs_;
    case 2:
        return grdOdpdW_;
    default:
        return grdD();
    }
}

ListCommands* TOplatyOdpady::commandsOf(DataSource& source) const {
    if (&source == dsD1)
        return commandsNs_;
    if (&source == dsD2)
        return commandsW_;
    return &detailCommands();
}

void TOplatyOdpady::updateState() {
    const Query* site = dsM->dataSet();
    const bool commune = HasRow(site) && !site->fieldByName(QStringLiteral("skod_gm_id")).isNull();
    pcSklOdpd_->setEnabled(commune);
    pcDetail()->setEnabled(commune);
    lblOplaty_->setEnabled(commune);
    const std::pair<DataGrid*, DataSource*> grids[] = {{grdD(), dsD}, {grdOdpdNs_, dsD1}, {grdOdpdW_, dsD2}};
    for (const auto& [grid, source] : grids) {
        const Query* q = source->dataSet();
        grid->gridModel().setReadOnly(!q || !q->isActive() || q->isEmpty());
    }
    const Query* mixed = dsD1->dataSet();
    actOdpadySkladowe_->setEnabled(commune && HasRow(mixed) && mixed->state() != DataSetState::Insert &&
                                   !mixed->fieldByName(QStringLiteral("odpd_id")).isNull());
}

// --- sites

void TOplatyOdpady::openSiteRecord() {
    QPointer<TSklOdpdNag> record = new TSklOdpdNag(*odpady_, this);
    const bool saved = record->exec() == QDialog::Accepted;
    if (saved)
        RunDataCommand([this] { RefreshKeepKey(*dsM, QStringLiteral("skod_id")); });
    masterCommands().updateActions();
    updateState();
}

void TOplatyOdpady::actMDodajExecute() {
    Query* q = dsM->dataSet();
    if (!q || !odpady_)
        return;
    if (masterCommands().run([q] {
            OpenIfClosed(q);
            q->append();
        }))
        openSiteRecord();
}

void TOplatyOdpady::actMPoprawExecute() {
    Query* q = dsM->dataSet();
    if (!q || !odpady_)
        return;
    if (masterCommands().run([q] {
            if (!q->isActive() || q->isEmpty())
                Abort();
            q->edit();
        }))
        openSiteRecord();
}

void TOplatyOdpady::WstawDecyzje() {
    const Query* site = dsM->dataSet();
    if (!odpady_ || !HasRow(site) || !commitEditors())
        return;
    const int pdmId = int(odpady_->zest().qryZest()->fieldByName(QStringLiteral("z_pdm_id")).asInteger());
    const int current = int(site->fieldByName(QStringLiteral("skod_dcodpd_decyzja_id")).asInteger());
    WybierzDecyzjeOdpd(pdmId, current, this,
                       [this](const Query& acts) { RunDataCommand([&] { odpady_->WstawDecyzje(acts); }); });
    masterCommands().updateActions();
}

void TOplatyOdpady::UsunDecyzje() {
    if (odpady_ && commitEditors())
        RunDataCommand([this] { odpady_->UsunDecyzje(); });
    masterCommands().updateActions();
}

void TOplatyOdpady::WstawZezwolenie() {
    const Query* site = dsM->dataSet();
    if (!odpady_ || !HasRow(site) || !commitEditors())
        return;
    const int pdmId = int(odpady_->zest().qryZest()->fieldByName(QStringLiteral("z_pdm_id")).asInteger());
    const int current = int(site->fieldByName(QStringLiteral("skod_dcodpd_zezwolenie_id")).asInteger());
    WybierzZezwolenieOdpd(pdmId, current, this, [this](const Query& acts) {
        RunDataCommand([&] { odpady_->WstawZezwolenie(acts); });
    });
    masterCommands().updateActions();
}

void TOplatyOdpady::UsunZezwolenie() {
    if (odpady_ && commitEditors())
        RunDataCommand([this] { odpady_->UsunZezwolenie(); });
    masterCommands().updateActions();
}

// --- waste

void TOplatyOdpady::DodajOdpad(DataSource& source) {
    Query* list = source.dataSet();
    Query* site = dsM->dataSet();
    if (!odpady_ || !list || !site || !commitEditors())
        return;
    ListCommands* commands = commandsOf(source);
    // The waste hangs under a saved site.
    if (!commands->run([site] {
            if (site->isEditing())
                site->post();
        }))
        return;
    if (!HasRow(site))
        return;
    TrRodzajOdpadu rodzaj;
    if (!TWybRdzOdpd::Pick(odpady_->zest().RokStOplId(), rodzaj, this))
        return;
    if (!commands->run([&] { odpady_->DodajOdpad(*list, rodzaj.sotlId); }))
        return;
    // Ready for the mass.
    DataGrid* grid = &source == dsD1 ? grdOdpdNs_ : (&source == dsD2 ? grdOdpdW_ : grdD());
    grid->setFocus();
    const int column = grid->firstEditableColumn();
    if (column >= 0)
        grid->setCurrentIndex(grid->model()->index(list->recNo(), column));
}

void TOplatyOdpady::PoprawOdpad(DataSource& source) {
    Query* list = source.dataSet();
    if (!HasRow(list))
        return;
    const QString type = &source == dsD2 ? QStringLiteral("odpdw_sotl_id") : QStringLiteral("odpd_sotl_id");
    // A row without a waste type is not for editing.
    if (list->fieldByName(type).isNull())
        return;
    ListCommands* commands = commandsOf(source);
    if (commands->run([list] { EnsureEdit(list); })) {
        DataGrid* grid = &source == dsD1 ? grdOdpdNs_ : (&source == dsD2 ? grdOdpdW_ : grdD());
        grid->setFocus();
    }
}

void TOplatyOdpady::OdpadySkladowe() {
    if (!odpady_ || !actOdpadySkladowe_->isEnabled() || !commitEditors())
        return;
    if (!commandsNs_->run([this] { odpady_->PrzygotujSkladniki(); }))
        return;
    TOdpadySkladowe::Pokaz(*odpady_, this);
    // The components are read only while they are shown.
    RunDataCommand([this] { odpady_->qryOdpdS()->close(); });
    commandsNs_->updateActions();
    updateState();
}

void RegisterWasteWindows() {
    RegisterContentWindow(ContentButton::OdpadyTabelaA, &TOplatyOdpady::Pokaz);
}
