#include "water/ui/TbcPoborWody.h"

#include "dict/TdmfDict.h"
#include "dict/TrLokalizacja.h"
#include "dict/ui/TWspRoznPwLW.h"
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
#include "water/WaterWithdrawal.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QLineEdit* BoundEdit(QWidget* parent, DataSource& source, const char* field, bool readOnly = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("edt_") + QString::fromLatin1(field));
    FieldBinding::bind(edit, source, QString::fromLatin1(field));
    if (readOnly)
        edit->setReadOnly(true);
    return edit;
}

} // namespace

TbcPoborWody::TbcPoborWody(WaterWithdrawal& water, int tuwId, QWidget* parent)
    : TbclDlgMD_T1(parent), water_(water), tuwId_(tuwId) {
    setObjectName(QStringLiteral("TbcPoborWody"));
    lblMaster()->setText(QStringLiteral("Lista ujęć wody"));

    // --- master list
    DataGrid* g = grdM();
    g->addColumn(QStringLiteral("uw_nazwa"), QStringLiteral("Nazwa"));
    g->addColumn(QStringLiteral("uw_adres"), QStringLiteral("Adres"));
    g->addColumn(QStringLiteral("gm_nazwa"), QStringLiteral("Gmina"));
    g->addColumn(QStringLiteral("pow_nazwa"), QStringLiteral("Powiat"));
    g->addColumn(QStringLiteral("woj_nazwa"), QStringLiteral("Województwo"));
    g->addColumn(QStringLiteral("rzgw_nazwa"), QStringLiteral("RZGW"));
    g->addColumn(QStringLiteral("uw_kwota"), QStringLiteral("Kwota"));
    g->addColumn(QStringLiteral("uw_id"), QStringLiteral("Nr sys."));
    masterCommands().addPost(QStringLiteral("Zapisz w bazie danych"),
                             QStringLiteral("Zapisz w bazie danych"));
    masterCommands().addCancel(QStringLiteral("Anuluj zmiany "), QStringLiteral("Anuluj zmiany "));
    masterCommands().fillToolBar(tbMaster());
    masterCommands().setSearchAvailable(false);
    masterCommands().actSearch->setVisible(false);

    // --- intake data pages, above the fee rows
    pcDane_ = new QTabWidget(pnlDetail());
    pcDane_->setObjectName(QStringLiteral("pcDane"));
    auto* dataPage = new QWidget(pcDane_);
    auto* qualityPage = new QWidget(pcDane_);
    pcDane_->addTab(dataPage, QStringLiteral("Dane ujęcia"));
    pcDane_->addTab(qualityPage, QStringLiteral("Jakość pobranej wody"));
    detailLayout()->insertWidget(1, pcDane_);
    buildDataPage(dataPage);
    buildQualityPage(qualityPage);

    // --- fee rows: generated, never added or deleted one by one
    pcDetail()->setTabText(0, QStringLiteral("Opłaty "));
    ListCommands& d = detailCommands();
    for (QAction* a : {d.actDodaj, d.actPopraw, d.actAUUsun, d.actSearch})
        a->setVisible(false);
    d.setSearchAvailable(false);
    actWspRozn_ = ListCommands::MakeAction(
        pnlDetail(), QStringLiteral("actWspRozn"), QStringLiteral("Wsp. różnicujący"),
        QStringLiteral("Wybierz współczynnik różnicujący"), QKeySequence(Qt::CTRL | Qt::Key_J));
    tbDetail()->addAction(actWspRozn_);
    actGenerujOplaty_ = ListCommands::MakeAction(
        pnlDetail(), QStringLiteral("actGenerujOplaty"), QStringLiteral("Generuj opłaty"),
        QStringLiteral("Generuj opłaty ujęcia, które ich nie ma"), QKeySequence());
    tbDetail()->addAction(actGenerujOplaty_);
    connect(actWspRozn_, &QAction::triggered, this, [this] {
        Query* fees = dsD->dataSet();
        if (!tsDetail()->isEnabled() || !fees || !fees->isActive() || fees->isEmpty())
            return;
        commitEditors();
        TWspRoznPwLW picker(*dmfDict, this);
        picker.setTypUjecia(tuwId_);
        if (!picker.ExecPicker())
            return;
        const double value = dmfDict->qryWspRoznPw()->fieldByName(QStringLiteral("wrpw_wartosc")).asFloat();
        RunDataCommand([&] { water_.UstawWspRozn(value); });
    });
    connect(actGenerujOplaty_, &QAction::triggered, this, [this] {
        if (!commitEditors())
            return;
        RunDataCommand([&] { water_.DodajOplatyUjecia(); });
        updateState();
    });
    grdD()->addColumn(QStringLiteral("opw_nazwa"), QStringLiteral("Kod opłaty"), ColumnReadOnly);
    grdD()->addColumn(QStringLiteral("opw_ilosc"), QStringLiteral("Ilość [m3]"));
    grdD()->addColumn(QStringLiteral("opw_wsp_rozn"), QStringLiteral("Wsp. różnicujący"), ColumnReadOnly);
    const int board = grdD()->addColumn(QStringLiteral("opw_wsp_rozn_rzgw"),
                                        QStringLiteral("Wsp. różn. RZGW"), ColumnReadOnly);
    grdD()->setColumnVisible(board, tuwId == kTuwPowierzchniowa);
    grdD()->addColumn(QStringLiteral("opw_jedn_stawka_opl"), QStringLiteral("Jedn. st. opł. [zł]"),
                      ColumnReadOnly);
    grdD()->addColumn(QStringLiteral("opw_stawka_oplaty"),
                      tuwId == kTuwPowierzchniowa ? QStringLiteral("Stawka opł. [zł]")
                                                  : QStringLiteral("Stawka opłaty [zł]"),
                      ColumnReadOnly);
    grdD()->addColumn(QStringLiteral("opw_kwota"), QStringLiteral("Wysokość opłaty [zł]"), ColumnReadOnly);
    grdD()->addColumn(QStringLiteral("opw_id"), QStringLiteral("Nr sys."), ColumnReadOnly);
    grdD()->setInPlaceEditing(true);

    // The window follows the current intake: its data and fee rows only once it has a commune.
    auto* link = new DataSourceLink(*dsM, this);
    for (auto signal :
         {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged, &DataSourceLink::stateChanged})
        connect(link, signal, this, [this] { updateState(); });
}

void TbcPoborWody::buildDataPage(QWidget* page) {
    auto* layout = new QGridLayout(page);
    auto* permitForm = new QFormLayout;
    auto* status = new QComboBox(page);
    status->setObjectName(QStringLiteral("cbStatus"));
    FillIdNameCombo(status, *dmfDict->qryStatusyPozwolenWp(), QStringLiteral("spw_id"), 0,
                    QStringLiteral("spw_nazwa"));
    IdComboBinding::bind(status, *dsM, QStringLiteral("uw_spw_id"), QString());
    permitForm->addRow(QStringLiteral("Pozwolenie wodnoprawne/zintegrowane:"), status);
    permitForm->addRow(QStringLiteral("Uzasadnienie braku pozwolenia:"),
                       BoundEdit(page, *dsM, "uw_pwp_uzasad"));
    if (tuwId_ == kTuwPowierzchniowa) {
        auto* kind = new QComboBox(page);
        kind->setObjectName(QStringLiteral("cbRodzajPoboru"));
        FillIdNameCombo(kind, *dmfDict->qryRodzajUwPow(), QStringLiteral("rdzuwpw_id"), 0,
                        QStringLiteral("rdzuwpw_nazwa"));
        IdComboBinding::bind(kind, *dsM, QStringLiteral("uw_rdzuwpw_id"), QString());
        permitForm->addRow(QStringLiteral("Rodzaj poboru wody:"), kind);
    }
    layout->addLayout(permitForm, 0, 0, 1, 2);
    for (int n = 1; n <= 2; ++n) {
        auto* group = new QGroupBox(QStringLiteral("Pozwolenie %1").arg(n), page);
        auto* form = new QFormLayout(group);
        const QByteArray prefix = QByteArrayLiteral("pwp") + QByteArray::number(n) + '_';
        form->addRow(QStringLiteral("Nr:"), BoundEdit(group, *dsM, (prefix + "pwp_numer").constData(), true));
        form->addRow(QStringLiteral("Data obowiązywania od"),
                     BoundEdit(group, *dsM, (prefix + "pwp_term_obow_0").constData(), true));
        form->addRow(QStringLiteral("do"),
                     BoundEdit(group, *dsM, (prefix + "pwp_term_obow_1").constData(), true));
        form->addRow(QStringLiteral("Organ wyd.:"),
                     BoundEdit(group, *dsM, (prefix + "pwp_organ_wyd").constData(), true));
        auto* buttons = new QHBoxLayout;
        auto* insert = new QPushButton(QStringLiteral("Wstaw pozwolenie wodnoprawne"), group);
        auto* remove = new QPushButton(QStringLiteral("Usuń z formularza pozwolenie wodnoprawne"), group);
        insert->setObjectName(QStringLiteral("btnWstawPozw%1").arg(n));
        remove->setObjectName(QStringLiteral("btnUsunPozw%1").arg(n));
        buttons->addWidget(insert);
        buttons->addWidget(remove);
        form->addRow(buttons);
        connect(insert, &QPushButton::clicked, this, [this, n] { choosePermit(n); });
        connect(remove, &QPushButton::clicked, this,
                [this, n] { RunDataCommand([&] { water_.UsunPozwolenie(n); }); });
        layout->addWidget(group, 1, n - 1);
    }
    auto* quantities = new QGroupBox(QStringLiteral("Ilość pobranej wody [m3]"), page);
    auto* q = new QFormLayout(quantities);
    q->addRow(QStringLiteral("Inny:"), BoundEdit(quantities, *dsM, "uw_pbrw_inny"));
    q->addRow(QStringLiteral("Pobór ogólny:"), BoundEdit(quantities, *dsM, "uw_pbrw_sp_z_og_pbr"));
    q->addRow(QStringLiteral("Zakupiona:"), BoundEdit(quantities, *dsM, "uw_pbrw_w_zakupiona"));
    q->addRow(QStringLiteral("Ścieki:"), BoundEdit(quantities, *dsM, "uw_pbrw_scieki"));
    q->addRow(QStringLiteral("Razem:"), BoundEdit(quantities, *dsM, "uw_pbrw_razem", true));
    for (QLineEdit* edit : quantities->findChildren<QLineEdit*>())
        edit->setMinimumWidth(130);
    layout->addWidget(quantities, 0, 2, 2, 1);
}

void TbcPoborWody::buildQualityPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    auto* head1 = new QLabel(QStringLiteral("Zawartość w pobranej wodzie [mg/dm3]:"), page);
    auto* head2 = new QLabel(
        QStringLiteral(
            "Ilość substancji w pobranej wodzie, której spożycie spowodowało powstanie ścieków [kg]"),
        page);
    head1->setWordWrap(true);
    head2->setWordWrap(true);
    grid->addWidget(head1, 0, 1);
    grid->addWidget(head2, 0, 2);
    // Two columns of indicators side by side keep the page short.
    int row = 1;
    int column = 0;
    for (int i = 0; i < 17; ++i) {
        const WaterWithdrawal::Indicator& ind = WaterWithdrawal::kIndicators[i];
        if (i == 9) {
            row = 1;
            column = 3;
            grid->addWidget(new QLabel(head1->text(), page), 0, column + 1);
        }
        QString caption = QString::fromUtf8(ind.label);
        if (i >= 6)
            caption = QStringLiteral("   ") + caption;
        grid->addWidget(new QLabel(caption, page), row, column);
        grid->addWidget(
            BoundEdit(page, *dsM,
                      QStringLiteral("uw_j_%1_st").arg(QLatin1String(ind.name)).toLatin1().constData()),
            row, column + 1);
        grid->addWidget(
            BoundEdit(page, *dsM,
                      QStringLiteral("uw_j_%1_il").arg(QLatin1String(ind.name)).toLatin1().constData(), true),
            row, column + 2);
        ++row;
        if (i == 5)
            grid->addWidget(new QLabel(QStringLiteral("w tym:"), page), row++, column);
    }
    grid->setRowStretch(row + 1, 1);
}

void TbcPoborWody::BindDataSets() {
    Query* fees = water_.feeList(tuwId_);
    // Read in one transaction rather than one for each list.
    Connection::Transaction reading(water_.dm().connection());
    TbclDlgMD_T1::BindDataSets(&water_.dm(), water_.qryUjW(), fees);
    reading.commit();
    // Names and addresses at a readable width, so that the fee stays in view.
    grdM()->setColumnWidthHint(grdM()->columnOfField(QStringLiteral("uw_nazwa")), 160);
    grdM()->setColumnWidthHint(grdM()->columnOfField(QStringLiteral("uw_adres")), 180);
    grdM()->setColumnWidthHint(grdM()->columnOfField(QStringLiteral("rzgw_nazwa")), 180);
    grdM()->fitColumns();
    grdD()->fitColumns();
    updateState();
}

void TbcPoborWody::updateState() {
    Query* q = dsM->dataSet();
    const bool hasCommune =
        q && q->isActive() && !q->isEmpty() && !q->fieldByName(QStringLiteral("uw_gm_id")).isNull();
    tsDetail()->setEnabled(hasCommune);
    pcDane_->setEnabled(hasCommune);
    actWspRozn_->setEnabled(hasCommune);
    // The fee list holds the intake's rows: an empty one offers their generation.
    Query* fees = dsD->dataSet();
    actGenerujOplaty_->setEnabled(hasCommune && q->state() == DataSetState::Browse && fees &&
                                  fees->isActive() && fees->isEmpty());
}

void TbcPoborWody::actMDodajExecute() {
    Query* q = water_.qryUjW();
    if (!commitEditors() || !RunDataCommand([&] { q->insert(); }))
        return;
    auto* dlg = new TUjecieWody(q, this);
    if (dlg->exec() == QDialog::Accepted)
        RunDataCommand([&] { water_.PoZapisieNowegoUjecia(); });
    else
        RunDataCommand([&] { CancelIfEditing(*dsM); });
    updateState();
}

void TbcPoborWody::actMPoprawExecute() {
    Query* q = water_.qryUjW();
    if (!q->isActive() || q->isEmpty() || !commitEditors() || !RunDataCommand([&] { EnsureEdit(q); }))
        return;
    auto* dlg = new TUjecieWody(q, this);
    dlg->exec();
    RunDataCommand([&] { RefreshKeepKey(*q, QStringLiteral("uw_id")); });
    updateState();
}

void TbcPoborWody::choosePermit(int n) {
    Query* q = water_.qryUjW();
    if (!q->isActive() || q->isEmpty())
        return;
    const int pdmId = int(water_.dm().qryZest()->fieldByName(QStringLiteral("z_pdm_id")).asInteger());
    const int current = int(q->fieldByName(QStringLiteral("uw_%1_pwp_id").arg(n)).asInteger());
    WybierzPozwolenieWp(pdmId, current, this, [this, n](const Query& permits) {
        RunDataCommand([&] { water_.WstawPozwolenie(n, permits); });
    });
}

TPoborWodyPodz::TPoborWodyPodz(WaterWithdrawal& water, QWidget* parent)
    : TbcPoborWody(water, kTuwPodziemna, parent) {
    setObjectName(QStringLiteral("TPoborWodyPodz"));
    setWindowTitle(QStringLiteral("Pobór wody podziemnej"));
    lblDetail()->setText(QStringLiteral("Ujęcie wody podziemnej"));
    btnMPrint()
        ->addPrintout(QStringLiteral("Pobor wody podziemnej"),
                      QStringLiteral("Wydruk Tabeli A - pobór wody podziemnej"))
        ->setEnabled(false);
    btnMPrint()->showButton();
}

TPoborWodyPow::TPoborWodyPow(WaterWithdrawal& water, QWidget* parent)
    : TbcPoborWody(water, kTuwPowierzchniowa, parent) {
    setObjectName(QStringLiteral("TPoborWodyPow"));
    setWindowTitle(QStringLiteral("Pobór wody powierzchniowej śródlądowej"));
    lblDetail()->setText(QStringLiteral("Ujęcie wody powierzchniowej śródlądowej"));
    btnMPrint()->addPrintout(QStringLiteral("Pobór wody powierzchniowej"))->setEnabled(false);
    btnMPrint()->showButton();
}

TUjecieWody::TUjecieWody(Query* intakes, QWidget* parent) : TbcDictItem(intakes, parent) {
    setObjectName(QStringLiteral("TUjecieWody"));
    setWindowTitle(QStringLiteral("Lokalizacja ujęcia wody"));
    addEdit(QStringLiteral("Nazwa:"), QStringLiteral("uw_nazwa"))
        ->setToolTip(QStringLiteral("Nazwa ujęcia wody"));
    auto* board = new QComboBox(this);
    board->setObjectName(QStringLiteral("cbRzgw"));
    board->setToolTip(QStringLiteral("Wybierz RZGW ujęcia wody"));
    FillIdNameCombo(board, *dmfDict->qryRzgw(), QStringLiteral("rzgw_id"), 0, QStringLiteral("rzgw_nazwa"));
    IdComboBinding::bind(board, *dsMain, QStringLiteral("uw_rzgw_id"), QStringLiteral("rzgw_nazwa"));
    form()->addRow(QStringLiteral("RZGW:"), board);
    auto* group = new QGroupBox(QStringLiteral("Lokalizacja ujęcia wody"), this);
    auto* g = new QFormLayout(group);
    g->addRow(QStringLiteral("Województwo:"), BoundEdit(group, *dsMain, "woj_nazwa", true));
    g->addRow(QStringLiteral("Powiat:"), BoundEdit(group, *dsMain, "pow_nazwa", true));
    g->addRow(QStringLiteral("Gmina:"), BoundEdit(group, *dsMain, "gm_nazwa", true));
    QLineEdit* address = BoundEdit(group, *dsMain, "uw_adres", true);
    address->setToolTip(QStringLiteral("Adres ujęcia wody"));
    g->addRow(QStringLiteral("Adres:"), address);
    auto* pick = new QPushButton(QStringLiteral("Wybierz lokalizację"), group);
    pick->setObjectName(QStringLiteral("btnWybierzLokalizacje"));
    g->addRow(pick);
    form()->addRow(group);
    connect(pick, &QPushButton::clicked, this, [this, intakes] {
        TrLokalizacja location;
        TdmfZest::ReadLocation(*intakes, QStringLiteral("uw_gm_id"), QStringLiteral("uw_adres"), location);
        if (WybierzLokalizacjeIAdres(location, this))
            RunDataCommand([&] {
                TdmfZest::WriteLocation(*intakes, QStringLiteral("uw_gm_id"), QStringLiteral("uw_adres"),
                                        location);
            });
    });
}
