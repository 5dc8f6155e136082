// The waste window on a version-7 database: opened from the statement window's waste button, its
// captions and print entries, the site's data and waste pages disabled without a commune, waste types
// picked in the statement's rate year, "Odpady składowe" only on a saved row with its dialog, the
// refusal of a second row of one type shown to the user, and confirmed deletion of removed waste.

#include "dict/TdmfDict.h"
#include "dict/ui/TWybRdzOdpd.h"
#include "forms/ui/PrintDropDown.h"
#include "platform/data/Connection.h"
#include "platform/ui/DataGrid.h"
#include "statements/TdmfZest.h"
#include "statements/ui/StatementContentWindows.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "support/WhenModal.h"
#include "waste/TdmfZestOdpady.h"
#include "waste/ui/TOdpadySkladowe.h"
#include "waste/ui/TOplatyOdpady.h"
#include "waste/ui/TSklOdpdNag.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

namespace {

QString N(const char* name) {
    return QString::fromLatin1(name);
}

constexpr int k2011 = 1001;

// Moves the picker's lists to a waste type, group first.
void GoTo(TdmfDict& dict, const QString& typeCode) {
    QVERIFY(dict.qrySoTlGrupy()->locate(N("sotl_kod"), typeCode.left(2)));
    QVERIFY(dict.qrySoTlPodgrupy()->locate(N("sotl_kod"), typeCode.left(5)));
    QVERIFY(dict.qrySoTlRodzaje()->locate(N("sotl_kod"), typeCode));
}

} // namespace

class TestTOplatyOdpady : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void registeredOnTheWasteButton();
    void captionsAndPrintEntries();
    void pagesFollowTheCommune();
    void pickerYearIsTheRateYear();
    void duplicateTypeIsShown();
    void componentsOnlyOnASavedRow();
    void removedWasteDeletionIsConfirmed();
    void legalStatusPickListWalksTheRows();

private:
    Connection& cn() { return db_->connection(); }
    int scalar(const QString& sql) { return db_->scalar(sql); }
    // A saved site of the statement in the first commune.
    void addSite();
    TOplatyOdpady* openWindow();
    // Picks the waste type in the picker that `command` opens.
    bool pick(QAction* command, const QString& code);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
    TdmfZestOdpady* odpady_ = nullptr;
    QPointer<TOplatyOdpady> window_;
};

void TestTOplatyOdpady::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfZest>(db_->connection());
    odpady_ = &dm_->content<TdmfZestOdpady>();
    cn().run(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_regon, "
                       "pdm_telefon_faks, pdm_f_aktualny) SELECT 2001, MIN(gm_id), 'Huta', 'ul. Hutnicza 1', "
                       "'271234567', '32 123 45 67', 1 FROM gminy"));
    // The statement applies the rates of 2011, not those of the first active year.
    Query& z = *dm_->qryZest();
    z.open();
    z.insert();
    z.fieldByName(N("z_pdm_id")).setValue(2001);
    z.fieldByName(N("z_rok_st_opl_id")).setValue(k2011);
    z.post();
}

void TestTOplatyOdpady::cleanup() {
    delete window_;
    RegisterContentWindow(ContentButton::OdpadyTabelaA, {});
    dm_.reset();
    messages_.reset();
    dmfDict = nullptr;
    dict_.reset();
    db_.reset();
}

void TestTOplatyOdpady::addSite() {
    cn().run(QStringLiteral("INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, "
                            "skod_wrodpd_id, skod_sdcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id) SELECT "
                            "GEN_ID(g_odpady, 1), ?, MIN(gm_id), 'ul. Składowa 5', 100, 100, 101 FROM gminy"),
             {dm_->qryZest()->fieldByName(N("z_id")).value()});
}

TOplatyOdpady* TestTOplatyOdpady::openWindow() {
    window_ = new TOplatyOdpady;
    window_->BindDataSets(*odpady_);
    window_->show();
    return window_;
}

bool TestTOplatyOdpady::pick(QAction* command, const QString& code) {
    return WhenModal<TWybRdzOdpd>(
        [&](TWybRdzOdpd& picker) {
            GoTo(*dict_, code);
            picker.accept();
        },
        [command] { command->trigger(); });
}

void TestTOplatyOdpady::registeredOnTheWasteButton() {
    RegisterWasteWindows();
    ContentWindow open = FindContentWindow(ContentButton::OdpadyTabelaA);
    QVERIFY(open);
    addSite();
    QWidget parent;
    const bool reached = WhenModal<TOplatyOdpady>(
        [&](TOplatyOdpady& w) {
            QCOMPARE(w.odpady(), odpady_);
            QCOMPARE(w.dsM->dataSet(), odpady_->qrySklOdpd());
            QCOMPARE(w.dsD->dataSet(), odpady_->qryOdpd());
            QCOMPARE(w.dsD1->dataSet(), odpady_->qryOdpdNs());
            QCOMPARE(w.dsD2->dataSet(), odpady_->qryOdpdW());
            QCOMPARE(odpady_->qrySklOdpd()->recordCount(), 1);
            QCOMPARE(w.pcSklOdpd()->currentWidget(), w.tsDaneSkl());
            QCOMPARE(w.pcDetail()->currentIndex(), 0);
            w.accept();
        },
        [&] { open(*dm_, &parent); });
    QVERIFY(reached);
}

void TestTOplatyOdpady::captionsAndPrintEntries() {
    TOplatyOdpady* w = openWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Opłaty za składowani odpadów"));
    QCOMPARE(w->lblMaster()->text(), QStringLiteral("Składowiska odpadów"));
    QCOMPARE(w->lblDetail()->text(), QStringLiteral("Składowisko odpadów"));
    QCOMPARE(w->lblOplaty()->text(), QStringLiteral("Opłaty "));
    QStringList titles;
    for (int c = 0; c < w->grdM()->gridModel().columnCount(); ++c)
        titles << w->grdM()->columnTitle(c);
    QCOMPARE(titles, QStringList({"Adres", "Gmina", "Powiat", "Województwo", "Opłata [zł]", "Nr sys."}));
    QStringList pages;
    for (int i = 0; i < w->pcDetail()->count(); ++i)
        pages << w->pcDetail()->tabText(i);
    QCOMPARE(pages, QStringList({"Odpady składowane selektywnie", "Odpady składowane nieselektywnie",
                                 "Opady wydobyte"}));
    QVERIFY(!w->masterCommands().actSearch->isVisible());
    QCOMPARE(w->masterCommands().actPost->text(), QStringLiteral("P&ost"));
    QCOMPARE(w->masterCommands().actCancel->toolTip(), QStringLiteral("Anuluj zmiany "));
    QCOMPARE(w->commandsW().actAUUsun->text(), QStringLiteral("Usuń"));
    // The printouts are listed, disabled until they are built.
    QVERIFY(w->btnMPrint()->isShown());
    QStringList entries;
    for (QAction* a : w->btnMPrint()->printMenu()->actions()) {
        entries << a->text();
        QVERIFY(!a->isEnabled());
    }
    QCOMPARE(entries,
             QStringList({"Nagłówek Załącznika Nr 5", "Tabela A", "Suma opłat w poszczególnych gminach"}));
}

void TestTOplatyOdpady::pagesFollowTheCommune() {
    TOplatyOdpady* w = openWindow();
    // No site: nothing to show.
    QVERIFY(!w->pcSklOdpd()->isEnabled());
    QVERIFY(!w->pcDetail()->isEnabled());

    bool pagesWhileNew = true;
    const bool reached = WhenModal<TSklOdpdNag>(
        [&](TSklOdpdNag& record) {
            QCOMPARE(record.windowTitle(), QStringLiteral("Lokalizacja składowiska odpadów"));
            pagesWhileNew = w->pcSklOdpd()->isEnabled() || w->pcDetail()->isEnabled();
            TrLokalizacja location;
            QSqlQuery unit =
                cn().run(QStringLiteral("SELECT FIRST 1 gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, "
                                        "woj_nazwa FROM gminy INNER JOIN powiaty ON pow_id = gm_pow_id "
                                        "INNER JOIN wojewodztwa ON woj_id = pow_woj_id ORDER BY gm_id"));
            unit.next();
            location.gmId = unit.value(0).toInt();
            location.gmNazwa = unit.value(1).toString();
            location.powId = unit.value(2).toInt();
            location.powNazwa = unit.value(3).toString();
            location.wojId = unit.value(4).toInt();
            location.wojNazwa = unit.value(5).toString();
            location.adres = QStringLiteral("ul. Składowa 5");
            odpady_->WriteLocation(location);
            QCOMPARE(record.edtGmina()->text(), location.gmNazwa);
            QCOMPARE(record.edtAdres()->text(), location.adres);
            record.btnZapisz()->click();
        },
        [&] { w->masterCommands().actDodaj->trigger(); });
    QVERIFY(reached);
    QVERIFY(!pagesWhileNew);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM skladowiska_odpd")), 1);
    QCOMPARE(odpady_->qrySklOdpd()->state(), DataSetState::Browse);
    QVERIFY(w->pcSklOdpd()->isEnabled());
    QVERIFY(w->pcDetail()->isEnabled());
    QVERIFY(w->cmbStatusPrawny()->isEnabled());
    QCOMPARE(w->cmbStatusPrawny()->currentText(),
             QStringLiteral("składowanie odpadów z zachowaniem wszystkich wymogów prawnych"));
    QCOMPARE(w->cmbStatusDecyzji()->currentText(), QStringLiteral("Jest"));

    // A site of a cancelled record disappears and leaves the pages as the current site has them.
    WhenModal<TSklOdpdNag>([](TSklOdpdNag& record) { record.btnAnuluj()->click(); },
                           [&] { w->masterCommands().actDodaj->trigger(); });
    QCOMPARE(odpady_->qrySklOdpd()->recordCount(), 1);
    QVERIFY(w->pcDetail()->isEnabled());
}

void TestTOplatyOdpady::pickerYearIsTheRateYear() {
    addSite();
    TOplatyOdpady* w = openWindow();
    int year = 0;
    bool yearLocked = false;
    WhenModal<TWybRdzOdpd>(
        [&](TWybRdzOdpd& picker) {
            year = picker.fixedYear();
            yearLocked = !picker.cbxRok()->isEnabled();
            GoTo(*dict_, QStringLiteral("10 01 05"));
            picker.accept();
        },
        [&] { w->detailCommands().actDodaj->trigger(); });
    QCOMPARE(year, k2011);
    QVERIFY(yearLocked);
    Query& q = *odpady_->qryOdpd();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.state(), DataSetState::Browse);
    QCOMPARE(q.fieldByName(N("sotl_kod")).asString(), QStringLiteral("10 01 05"));
    // The unit rate is the 2011 catalogue's.
    QCOMPARE(
        q.fieldByName(N("odpd_jedn_st_opl")).asDecimal(),
        Decimal::fromVariant(cn().selectValue(QStringLiteral(
            "SELECT sotl_jedn_st_opl FROM so_tabela_l WHERE sotl_kod = '10 01 05' AND sotl_rok_id = 1001"))));
    QCOMPARE(q.fieldByName(N("odpd_jedn_st_opl")).asDecimal(), *Decimal::fromText(N("9.67")));

    // The same holds for the components and the removed waste.
    QVERIFY(pick(w->commandsW().actDodaj, QStringLiteral("10 01 05")));
    QCOMPARE(odpady_->qryOdpdW()->recordCount(), 1);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTOplatyOdpady::duplicateTypeIsShown() {
    addSite();
    TOplatyOdpady* w = openWindow();
    QVERIFY(pick(w->commandsNs().actDodaj, QStringLiteral("10 01 05")));
    QVERIFY(pick(w->commandsNs().actDodaj, QStringLiteral("10 01 05")));
    QCOMPARE(odpady_->qryOdpdNs()->recordCount(), 1);
    QCOMPARE(odpady_->qryOdpdNs()->state(), DataSetState::Browse);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM odpady")), 1);
    QCOMPARE(messages_->log(),
             QStringList({QStringLiteral("error|Błąd|Odpad o kodzie 10 01 05 jest już na liście "
                                         "odpadów składowanych nieselektywnie tego składowiska.")}));
}

void TestTOplatyOdpady::componentsOnlyOnASavedRow() {
    addSite();
    TOplatyOdpady* w = openWindow();
    QAction* skladowe = w->actOdpadySkladowe();
    QVERIFY(!skladowe->isEnabled()); // no row
    QVERIFY(pick(w->commandsNs().actDodaj, QStringLiteral("10 01 05")));
    QVERIFY(skladowe->isEnabled());
    Query& mixed = *odpady_->qryOdpdNs();
    mixed.append();
    QVERIFY(!skladowe->isEnabled()); // a new row, not saved yet
    mixed.cancel();
    QVERIFY(skladowe->isEnabled());

    mixed.edit();
    mixed.fieldByName(N("odpd_masa")).setText(QStringLiteral("2,5"));
    const bool reached = WhenModal<TOdpadySkladowe>(
        [&](TOdpadySkladowe& dlg) {
            QCOMPARE(dlg.windowTitle(), QStringLiteral("Odpady składowe odpadu składowanego nieselektywnie"));
            QVERIFY(!dlg.actMPopraw()->isVisible());
            QVERIFY(!dlg.actMPost()->isVisible());
            QVERIFY(!dlg.actMCancel()->isVisible());
            QCOMPARE(dlg.edtKod()->text(), QStringLiteral("10 01 05"));
            QCOMPARE(dlg.edtMasa()->text(), QStringLiteral("2,500"));
            QVERIFY(dlg.edtMasa()->isReadOnly());
            // The mixed waste is its own first component.
            QCOMPARE(dlg.grdD()->dataSet()->recordCount(), 1);
            QCOMPARE(dlg.grdD()->dataSet()->fieldByName(N("odpdsk_masa")).asDecimal(),
                     *Decimal::fromText(N("2.5")));
            dlg.reject();
        },
        [&] { skladowe->trigger(); });
    QVERIFY(reached);
    // The typed mass was saved before the components were made.
    QCOMPARE(mixed.state(), DataSetState::Browse);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM odpady_skladowe")), 1);
    QVERIFY(!odpady_->qryOdpdS()->isActive());
}

void TestTOplatyOdpady::removedWasteDeletionIsConfirmed() {
    addSite();
    TOplatyOdpady* w = openWindow();
    QVERIFY(pick(w->commandsW().actDodaj, QStringLiteral("10 01 05")));
    messages_->answers = {false};
    w->commandsW().actAUUsun->trigger();
    QCOMPARE(messages_->log(), QStringList({QStringLiteral("question|Decyzja|Usunąć bieżący zapis?")}));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM odpady_wydobyte")), 1);
    messages_->answers = {true};
    w->commandsW().actAUUsun->trigger();
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM odpady_wydobyte")), 0);
}

void TestTOplatyOdpady::legalStatusPickListWalksTheRows() {
    addSite();
    TOplatyOdpady* w = openWindow();
    QVERIFY(pick(w->detailCommands().actDodaj, QStringLiteral("10 01 05")));
    Query& q = *odpady_->qryOdpd();
    q.edit();
    q.fieldByName(N("odpd_masa")).setText(QStringLiteral("10"));
    q.fieldByName(N("odpd_liczba_dob")).setText(QStringLiteral("20"));
    q.post();
    QComboBox* status = w->cmbStatusPrawny();
    const int index = status->findText(QStringLiteral(
        "składowania odpadów w miejscu na ten cel nieprzeznaczonym (każde inne miejsce niż legalne "
        "składowisko odpadów)"));
    QVERIFY(index >= 0);
    status->setCurrentIndex(index);
    emit status->activated(index);
    QCOMPARE(w->edtWspRozn()->text(), QStringLiteral("0,100"));
    // 10 × 0.10 × 9.67 × 20
    QCOMPARE(q.state(), DataSetState::Browse);
    QCOMPARE(q.fieldByName(N("odpd_oplata")).asDecimal(), *Decimal::fromText(N("193.40")));
    QCOMPARE(odpady_->qrySklOdpd()->fieldByName(N("skod_oplata")).asDecimal(),
             *Decimal::fromText(N("193.40")));
    // Closing saves the site with its status.
    w->btnZamknij()->click();
    QCOMPARE(scalar(QStringLiteral("SELECT skod_wrodpd_id FROM skladowiska_odpd")), 103);
    QVERIFY(messages_->shown.isEmpty());
}

QTEST_MAIN(TestTOplatyOdpady)
#include "tst_TOplatyOdpady.moc"
