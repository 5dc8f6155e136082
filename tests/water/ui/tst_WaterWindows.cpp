// The water and sewage windows on a filled statement: the commands each list hides or adds, the
// printouts present but not yet available, an intake added through its record window with its fee
// rows, the code dialog refusing a code outside the list and a change of a code that has fees, and
// the registration behind the statement window's buttons.

#include "dict/TdmfDict.h"
#include "forms/ui/TbcDictItem.h"
#include "platform/Decimal.h"
#include "platform/data/Query.h"
#include "statements/TdmfZest.h"
#include "statements/ui/StatementContentWindows.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "support/WhenModal.h"
#include "water/SewageDischarge.h"
#include "water/WaterWithdrawal.h"
#include "water/ui/TOplatyScieki.h"
#include "water/ui/TbcPoborWody.h"
#include "water/ui/WaterWindows.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

class TestWaterWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void intakeWindows_data();
    void intakeWindows();
    void intakeAddedThroughItsRecordWindow();
    void sewageWindowCommands();
    void codeDialogRefusesCodes();
    void buttonsRegistered();

private:
    Connection& cn() { return db_->connection(); }
    void addReceiverWithCode();

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
};

void TestWaterWindows::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfZest>(db_->connection());
    cn().execute(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) "
                       "SELECT 2001, MAX(gm_id), 'Wodociągi', 'ul. Wodna 1', 1 FROM gminy"));
    Query& z = *dm_->qryZest();
    z.open();
    z.insert();
    z.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
    z.post();
}

void TestWaterWindows::cleanup() {
    for (const QString& name :
         {ContentButton::WodaPodziemna, ContentButton::WodaPowierzchniowa, ContentButton::Scieki})
        RegisterContentWindow(name, {});
    dm_.reset();
    messages_.reset();
    dmfDict = nullptr;
    dict_.reset();
    db_.reset();
}

void TestWaterWindows::intakeWindows_data() {
    QTest::addColumn<int>("tuwId");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("printout");
    QTest::addColumn<bool>("boardColumn");
    QTest::newRow("underground") << 100 << "Pobór wody podziemnej"
                                 << "Pobor wody podziemnej" << false;
    QTest::newRow("surface") << 101 << "Pobór wody powierzchniowej śródlądowej"
                             << "Pobór wody powierzchniowej" << true;
}

void TestWaterWindows::intakeWindows() {
    QFETCH(int, tuwId);
    QFETCH(QString, caption);
    QFETCH(QString, printout);
    QFETCH(bool, boardColumn);
    WaterWithdrawal& water = dm_->content<WaterWithdrawal>();
    water.setTypUjecia(tuwId);
    std::unique_ptr<TbcPoborWody> w;
    if (tuwId == kTuwPodziemna)
        w = std::make_unique<TPoborWodyPodz>(water);
    else
        w = std::make_unique<TPoborWodyPow>(water);
    w->BindDataSets();
    QCOMPARE(w->windowTitle(), caption);
    ListCommands& d = w->detailCommands();
    // Fee rows come from the rates only.
    for (QAction* a : {d.actDodaj, d.actPopraw, d.actAUUsun, d.actSearch})
        QVERIFY2(!a->isVisible(), qPrintable(a->text()));
    QCOMPARE(w->actWspRozn()->text(), QStringLiteral("Wsp. różnicujący"));
    QCOMPARE(w->actWspRozn()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
    QCOMPARE(w->grdD()->isColumnHidden(w->grdD()->columnOfField(QStringLiteral("opw_wsp_rozn_rzgw"))),
             !boardColumn);
    const QList<QAction*> prints = w->btnMPrint()->printMenu()->actions();
    QCOMPARE(prints.size(), 1);
    QCOMPARE(prints.first()->text(), printout);
    QVERIFY(!prints.first()->isEnabled());
    QCOMPARE(w->pcDane()->tabText(0), QStringLiteral("Dane ujęcia"));
    QCOMPARE(w->pcDane()->tabText(1), QStringLiteral("Jakość pobranej wody"));
    // No intake: nothing to edit below.
    QVERIFY(!w->pcDane()->isEnabled());
    QVERIFY(!w->actWspRozn()->isEnabled());
}

void TestWaterWindows::intakeAddedThroughItsRecordWindow() {
    WaterWithdrawal& water = dm_->content<WaterWithdrawal>();
    water.setTypUjecia(kTuwPowierzchniowa);
    TPoborWodyPow w(water);
    w.BindDataSets();
    w.show();
    const bool reached = WhenModal<TUjecieWody>(
        [&](TUjecieWody& dlg) {
            Query& q = *water.qryUjW();
            q.fieldByName(QStringLiteral("uw_nazwa")).setValue(QStringLiteral("Ujęcie rzeczne"));
            TrLokalizacja location;
            location.wojId = cn().selectValue(QStringLiteral("SELECT MIN(woj_id) FROM wojewodztwa")).toInt();
            location.powId =
                cn().selectValue(QStringLiteral("SELECT MIN(pow_id) FROM powiaty WHERE pow_woj_id = %1")
                                     .arg(location.wojId))
                    .toInt();
            location.gmId =
                cn().selectValue(QStringLiteral("SELECT MIN(gm_id) FROM gminy WHERE gm_pow_id = %1")
                                     .arg(location.powId))
                    .toInt();
            location.gmNazwa = QStringLiteral("Gmina");
            location.adres = QStringLiteral("ul. Rzeczna 5");
            TdmfZest::WriteLocation(q, QStringLiteral("uw_gm_id"), QStringLiteral("uw_adres"), location);
            q.fieldByName(QStringLiteral("uw_rzgw_id")).setValue(101);
            dlg.btnZapisz()->click();
        },
        [&] { w.masterCommands().actDodaj->trigger(); });
    QVERIFY(reached);
    QCOMPARE(messages_->log(), QStringList());
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT uw_nazwa FROM ujecia_wody")).toString(),
             QStringLiteral("Ujęcie rzeczne"));
    QCOMPARE(w.grdD()->model()->rowCount(), 2);
    QVERIFY(w.pcDane()->isEnabled());
    QVERIFY(w.actWspRozn()->isEnabled());
    // It has its rows: nothing more to generate.
    QVERIFY(!w.actGenerujOplaty()->isEnabled());
}

void TestWaterWindows::addReceiverWithCode() {
    cn().execute(QStringLiteral("INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, "
                                "osc_gm_id, osc_ros_id, osc_rzgw_id, "
                                "osc_spwsc_id, osc_kwota) SELECT 5001, MIN(z_id), 'Wisła', 'km 12', (SELECT "
                                "MIN(gm_id) FROM gminy), 100, 101, "
                                "100, 0 FROM zestawienia"));
    cn().execute(
        QStringLiteral("INSERT INTO kody_ta (kta_id, kta_osc_id, kta_kod, kta_ilosc, kta_kwota) VALUES "
                       "(6001, 5001, 'a', 100, 0)"));
}

void TestWaterWindows::sewageWindowCommands() {
    addReceiverWithCode();
    TOplatyScieki w(dm_->content<SewageDischarge>());
    w.BindDataSets();
    QCOMPARE(w.windowTitle(), QStringLiteral("Opłaty za wprowadzanie ścieków do wód lub do ziemi"));
    QCOMPARE(w.pcDetail()->count(), 4);
    QStringList tabs;
    for (int i = 0; i < 4; ++i)
        tabs << w.pcDetail()->tabText(i);
    QCOMPARE(tabs, (QStringList{"Ścieki", "Wody chłodnicze", "Wody opadowe i roztopowe", "Wody zasolone"}));
    QVERIFY(!w.masterCommands().actSearch->isVisible());
    QCOMPARE(w.masterCommands().actPost->toolTip(), QStringLiteral("Zapisz w bazie danych"));
    const QList<QAction*> prints = w.btnMPrint()->printMenu()->actions();
    QCOMPARE(prints.size(), 12);
    QCOMPARE(prints.first()->text(), QStringLiteral("Załącznik nr 4 - Nagłówek"));
    for (QAction* a : prints)
        QVERIFY(!a->isEnabled());
    // The rain rows are generated and recomputed, never deleted or searched.
    QVERIFY(!w.rainCommands().actAUUsun->isVisible());
    QVERIFY(!w.rainCommands().actSearch->isVisible());
    QCOMPARE(w.actPrzeliczOR()->text(), QStringLiteral("Przelicz opłaty"));
    QVERIFY(w.pcDetail()->isEnabled());
    QCOMPARE(w.grdD()->model()->rowCount(), 1);

    // The rain page's "&Dodaj" gives the receiver its rows once.
    w.rainCommands().actDodaj->trigger();
    QCOMPARE(w.grdOR()->model()->rowCount(), 5);
    w.rainCommands().actDodaj->trigger();
    QCOMPARE(messages_->log(),
             QStringList{QStringLiteral(
                 "error|Błąd|Ten odbiornik scieków posiada już opłaty za wprowadzanie wód opadowych "
                 "i roztopów.")});
}

void TestWaterWindows::codeDialogRefusesCodes() {
    addReceiverWithCode();
    SewageDischarge& sewage = dm_->content<SewageDischarge>();
    TOplatyScieki w(sewage);
    w.BindDataSets();
    w.show();
    const QString refused = QStringLiteral("error|Błąd|Kod rodzaju ścieku może być tylko: a, b, c, rł, rwś.");
    const bool reached = WhenModal<TScOplZaWskTA>(
        [&](TScOplZaWskTA& dlg) {
            ListCommands& d = dlg.detailCommands();
            for (QAction* a : {d.actDodaj, d.actPopraw, d.actAUUsun, d.actSearch, d.actRefresh})
                QVERIFY(!a->isVisible());
            QVERIFY(!dlg.grdD()->isEnabled());
            dlg.edtKod()->clear();
            QTest::keyClicks(dlg.edtKod(), QStringLiteral("d"));
            dlg.btnZapisz()->click();
            QCOMPARE(messages_->log(), QStringList{refused});
            QVERIFY(dlg.isVisible());
            QCOMPARE(cn().selectValue(QStringLiteral("SELECT kta_kod FROM kody_ta")).toString(),
                     QStringLiteral("a"));

            dlg.edtKod()->clear();
            QTest::keyClicks(dlg.edtKod(), QStringLiteral("b"));
            dlg.btnGeneruj()->click();
            QCOMPARE(cn().selectValue(QStringLiteral("SELECT COUNT(*) FROM oplaty_za_wsk_ta")).toInt(), 16);
            QVERIFY(dlg.grdD()->isEnabled());
            QCOMPARE(dlg.grdD()->model()->rowCount(), 16);

            // A code with fees keeps its code: the picker is not even opened.
            messages_->shown.clear();
            dlg.btnWybierzKod()->click();
            QCOMPARE(
                messages_->log(),
                QStringList{QStringLiteral(
                    "error|Błąd|Zmiana kodu jest niemożliwa, bo ten kod posiada już wygenerowane opłaty.")});
            dlg.btnZapisz()->click();
        },
        [&] { w.detailCommands().actPopraw->trigger(); });
    QVERIFY(reached);
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT kta_kod FROM kody_ta")).toString(), QStringLiteral("b"));
}

void TestWaterWindows::buttonsRegistered() {
    RegisterWaterWindows();
    for (const QString& name :
         {ContentButton::WodaPodziemna, ContentButton::WodaPowierzchniowa, ContentButton::Scieki})
        QVERIFY2(bool(FindContentWindow(name)), qPrintable(name));
    // The underground button opens the underground window on intakes of that type.
    const bool reached = WhenModal<TPoborWodyPodz>(
        [&](TPoborWodyPodz& w) {
            QCOMPARE(dm_->content<WaterWithdrawal>().typUjecia(), kTuwPodziemna);
            w.close();
        },
        [&] { FindContentWindow(ContentButton::WodaPodziemna)(*dm_, nullptr); });
    QVERIFY(reached);
}

QTEST_MAIN(TestWaterWindows)
#include "tst_WaterWindows.moc"
