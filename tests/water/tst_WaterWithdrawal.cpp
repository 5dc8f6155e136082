// Water intakes of a statement on a version-7 database: the fee rows generated from the rates of the
// rate year, the fees of underground and surface rows, the intake totals as sums of the stored rows,
// the substance quantities, a corrected water board reaching the fees, an intake generated without
// rates and given its rows later, and contents out of range.

#include "platform/Decimal.h"
#include "platform/data/Query.h"
#include "statements/TdmfZest.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "water/WaterWithdrawal.h"

#include <QtTest>

class TestWaterWithdrawal : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void generatedRows_data();
    void generatedRows();
    void fee_data();
    void fee();
    void intakeTotalsAreSumsOfStoredRows();
    void substanceQuantities();
    void changedBoardReachesTheFees();
    void intakeWithoutRatesGetsRowsLater();
    void cancelledIntakeLeavesNothingAndTypesStayApart();
    void negativeContentRefused();

private:
    Connection& cn() { return db_->connection(); }
    WaterWithdrawal& ww() { return dm_->content<WaterWithdrawal>(); }
    int count(const QString& sql) { return cn().selectValue(sql).toInt(); }
    // A new intake of the type, saved through the list as the record window does.
    void addIntake(int tuwId, int rzgwId = 101, const QString& name = QStringLiteral("Studnia 1"));
    Query& fees() { return *ww().feeList(ww().typUjecia()); }
    bool gotoFee(const QString& code) { return fees().locate(QStringLiteral("opw_nazwa"), code); }
    void setFee(const QString& field, const QVariant& value) {
        fees().edit();
        fees().fieldByName(field).setValue(value);
        fees().post();
    }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
};

void TestWaterWithdrawal::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
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
    QCOMPARE(dm_->RokStOplId(), 1002);
}

void TestWaterWithdrawal::cleanup() {
    dm_.reset();
    messages_.reset();
    db_.reset();
}

void TestWaterWithdrawal::addIntake(int tuwId, int rzgwId, const QString& name) {
    ww().setTypUjecia(tuwId);
    Query& q = *ww().qryUjW();
    if (!q.isActive())
        q.open();
    fees().open();
    q.insert();
    q.fieldByName(QStringLiteral("uw_nazwa")).setValue(name);
    q.fieldByName(QStringLiteral("uw_adres")).setValue(QStringLiteral("ul. Źródlana 2"));
    q.fieldByName(QStringLiteral("uw_gm_id"))
        .setValue(cn().selectValue(QStringLiteral("SELECT MIN(gm_id) FROM gminy")));
    q.fieldByName(QStringLiteral("uw_rzgw_id")).setValue(rzgwId);
    q.post();
    QVERIFY(ww().PoZapisieNowegoUjecia());
}

void TestWaterWithdrawal::generatedRows_data() {
    QTest::addColumn<int>("tuwId");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("rates");
    QTest::addColumn<QVariant>("board");
    QTest::newRow("underground") << 100 << QStringList{"kod a", "kod b", "kod c"}
                                 << QStringList{"0,062", "0,089", "0,105"} << QVariant();
    QTest::newRow("surface") << 101 << QStringList{"kod a", "kod b"} << QStringList{"0,037", "0,052"}
                             << QVariant(1.2);
}

void TestWaterWithdrawal::generatedRows() {
    QFETCH(int, tuwId);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, rates);
    QFETCH(QVariant, board);
    addIntake(tuwId);
    Query& q = *ww().qryUjW();
    QCOMPARE(q.fieldByName(QStringLiteral("uw_tuw_id")).asInteger(), tuwId);
    QCOMPARE(q.fieldByName(QStringLiteral("uw_spw_id")).asInteger(), 100);
    QCOMPARE(q.fieldByName(QStringLiteral("rzgw_nazwa")).asString(), QStringLiteral("RZGW w Gliwicach"));
    QCOMPARE(fees().recordCount(), codes.size());
    QCOMPARE(fees().recNo(), 0);
    for (int i = 0; i < codes.size(); ++i) {
        fees().setRecNo(i);
        QCOMPARE(fees().fieldByName(QStringLiteral("opw_nazwa")).asString(), codes.at(i));
        QCOMPARE(fees().fieldByName(QStringLiteral("opw_jedn_stawka_opl")).text(), rates.at(i));
        QCOMPARE(fees().fieldByName(QStringLiteral("opw_wsp_rozn_rzgw")).value().isNull(), board.isNull());
        if (!board.isNull())
            QCOMPARE(fees().fieldByName(QStringLiteral("opw_wsp_rozn_rzgw")).asFloat(), board.toDouble());
        // Nothing to pay until a quantity and a coefficient are given.
        QVERIFY(fees().fieldByName(QStringLiteral("opw_kwota")).asDecimal().isZero());
    }
    QVERIFY(messages_->shown.isEmpty());
}

void TestWaterWithdrawal::fee_data() {
    QTest::addColumn<int>("tuwId");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QVariant>("quantity");
    QTest::addColumn<QVariant>("coefficient");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("fee");
    QTest::newRow("underground 1000 x 0.062 x 1.5")
        << 100 << "kod a" << QVariant(1000) << QVariant(1.5) << "0.093000"
        << "93.00";
    QTest::newRow("surface 2500, board 1.2, 0.5, 0.052")
        << 101 << "kod b" << QVariant(2500) << QVariant(0.5) << "0.031200"
        << "78.00";
    QTest::newRow("no coefficient chosen") << 100 << "kod c" << QVariant(1000) << QVariant() << "0.000000"
                                           << "0.00";
    QTest::newRow("a correction below zero")
        << 100 << "kod a" << QVariant(-1000) << QVariant(1.5) << "0.093000"
        << "-93.00";
}

void TestWaterWithdrawal::fee() {
    QFETCH(int, tuwId);
    QFETCH(QString, code);
    QFETCH(QVariant, quantity);
    QFETCH(QVariant, coefficient);
    QFETCH(QString, rate);
    QFETCH(QString, fee);
    addIntake(tuwId);
    QVERIFY(gotoFee(code));
    fees().edit();
    fees().fieldByName(QStringLiteral("opw_ilosc")).setValue(quantity);
    if (!coefficient.isNull())
        ww().UstawWspRozn(coefficient.toDouble());
    fees().post();
    QCOMPARE(fees()
                 .fieldByName(QStringLiteral("opw_stawka_oplaty"))
                 .asDecimal()
                 .rounded(6, Rounding::TiesToEven)
                 .toString(),
             rate);
    QCOMPARE(fees()
                 .fieldByName(QStringLiteral("opw_kwota"))
                 .asDecimal()
                 .rounded(2, Rounding::TiesToEven)
                 .toString(),
             fee);
    // The intake's fee is its rows' sum, stored and shown.
    QCOMPARE(ww().qryUjW()
                 ->fieldByName(QStringLiteral("uw_kwota"))
                 .asDecimal()
                 .rounded(2, Rounding::TiesToEven)
                 .toString(),
             fee);
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT uw_kwota FROM ujecia_wody")).toDouble(), fee.toDouble());
}

void TestWaterWithdrawal::intakeTotalsAreSumsOfStoredRows() {
    addIntake(100);
    // Amounts come to the rows with more decimals than their column keeps: the total adds what is
    // stored, so that the printed column adds up to the printed total.
    QVERIFY(gotoFee(QStringLiteral("kod a")));
    fees().edit();
    fees().fieldByName(QStringLiteral("opw_ilosc")).setValue(1000.004);
    fees().fieldByName(QStringLiteral("opw_kwota")).setValue(90.123);
    fees().post();
    QVERIFY(gotoFee(QStringLiteral("kod b")));
    fees().edit();
    fees().fieldByName(QStringLiteral("opw_ilosc")).setValue(0.001);
    fees().fieldByName(QStringLiteral("opw_kwota")).setValue(3.333);
    fees().post();
    Query& q = *ww().qryUjW();
    QCOMPARE(q.fieldByName(QStringLiteral("uw_kwota")).text(), QStringLiteral("93,45"));
    QCOMPARE(q.fieldByName(QStringLiteral("uw_pbrw_razem")).text(), QStringLiteral("1000,005"));
    QCOMPARE(count(QStringLiteral(
                 "SELECT COUNT(*) FROM ujecia_wody WHERE uw_kwota = 93.45 AND uw_pbrw_razem = 1000.005")),
             1);
    QCOMPARE(q.state(), DataSetState::Browse);
}

void TestWaterWithdrawal::substanceQuantities() {
    addIntake(100);
    Query& q = *ww().qryUjW();
    q.edit();
    q.fieldByName(QStringLiteral("uw_j_bzt5_st")).setValue(20);
    q.fieldByName(QStringLiteral("uw_j_kadm_st")).setValue(0.5);
    q.fieldByName(QStringLiteral("uw_pbrw_scieki")).setValue(5000);
    QCOMPARE(q.fieldByName(QStringLiteral("uw_j_bzt5_il")).asFloat(), 100.0);
    QCOMPARE(q.fieldByName(QStringLiteral("uw_j_kadm_il")).asFloat(), 2.5);
    QVERIFY(q.fieldByName(QStringLiteral("uw_j_chzt_cr_il")).asDecimal().isZero());
    q.fieldByName(QStringLiteral("uw_pbrw_scieki")).setValue(0);
    for (const WaterWithdrawal::Indicator& i : WaterWithdrawal::kIndicators)
        QVERIFY(q.fieldByName(QStringLiteral("uw_j_%1_il").arg(QLatin1String(i.name))).asDecimal().isZero());
    q.post();
}

void TestWaterWithdrawal::changedBoardReachesTheFees() {
    addIntake(101, 101);
    QVERIFY(gotoFee(QStringLiteral("kod b")));
    fees().edit();
    fees().fieldByName(QStringLiteral("opw_ilosc")).setValue(2500);
    fees().fieldByName(QStringLiteral("opw_wsp_rozn")).setValue(0.5);
    fees().post();
    QCOMPARE(fees().fieldByName(QStringLiteral("opw_kwota")).asFloat(), 78.0);

    // The board corrected to one with the coefficient 1.1: 2500 × 1.1 × 0.5 × 0.052 = 71.50.
    Query& q = *ww().qryUjW();
    q.edit();
    q.fieldByName(QStringLiteral("uw_rzgw_id")).setValue(103);
    q.post();
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT opw_kwota FROM oplaty_pw WHERE opw_nazwa = 'kod b'"))
                 .toDouble(),
             71.5);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM oplaty_pw WHERE opw_wsp_rozn_rzgw = 1.1")), 2);
    QCOMPARE(q.fieldByName(QStringLiteral("uw_kwota")).asFloat(), 71.5);
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT uw_kwota FROM ujecia_wody")).toDouble(), 71.5);
    QVERIFY(gotoFee(QStringLiteral("kod b")));
    QCOMPARE(fees().fieldByName(QStringLiteral("opw_kwota")).asFloat(), 71.5);
    QCOMPARE(fees().fieldByName(QStringLiteral("opw_stawka_oplaty")).asFloat(), 0.0286);

    // A change of anything else leaves the rows alone.
    q.edit();
    q.fieldByName(QStringLiteral("uw_nazwa")).setValue(QStringLiteral("Ujęcie rzeczne"));
    q.post();
    QCOMPARE(q.fieldByName(QStringLiteral("uw_kwota")).asFloat(), 71.5);
}

void TestWaterWithdrawal::intakeWithoutRatesGetsRowsLater() {
    cn().execute(QStringLiteral(
        "UPDATE stawki_pw SET spw_f_aktualny = 0 WHERE spw_rok_id = 1002 AND spw_tuw_id = 100"));
    addIntake(100);
    QCOMPARE(ww().LiczbaOplat(), 0);
    QCOMPARE(messages_->shown.size(), 1);
    QCOMPARE(messages_->shown.at(0).kind, ScriptedMessages::Kind::Warning);
    QVERIFY(messages_->shown.at(0).text.contains(QStringLiteral("nie ma stawek")));

    // Still none: said again, nothing made.
    ww().DodajOplatyUjecia();
    QCOMPARE(messages_->shown.size(), 2);
    QCOMPARE(ww().LiczbaOplat(), 0);

    cn().execute(QStringLiteral("UPDATE stawki_pw SET spw_f_aktualny = 1"));
    ww().DodajOplatyUjecia();
    QCOMPARE(ww().LiczbaOplat(), 3);
    QCOMPARE(fees().recordCount(), 3);
    QCOMPARE(messages_->shown.size(), 2);

    ww().DodajOplatyUjecia();
    QCOMPARE(messages_->log().last(),
             QStringLiteral("error|Błąd|To ujęcie posiada już wygenerowane opłaty."));
    QCOMPARE(ww().LiczbaOplat(), 3);
}

void TestWaterWithdrawal::cancelledIntakeLeavesNothingAndTypesStayApart() {
    ww().setTypUjecia(100);
    Query& q = *ww().qryUjW();
    q.open();
    q.insert();
    q.cancel();
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ujecia_wody")), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM oplaty_pw")), 0);

    addIntake(100, 101, QStringLiteral("Studnia"));
    addIntake(101, 101, QStringLiteral("Rzeka"));
    ww().setTypUjecia(100);
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName(QStringLiteral("uw_nazwa")).asString(), QStringLiteral("Studnia"));
    ww().setTypUjecia(101);
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName(QStringLiteral("uw_nazwa")).asString(), QStringLiteral("Rzeka"));
    QVERIFY(dm_->RokStOplZablokowany());
}

void TestWaterWithdrawal::negativeContentRefused() {
    addIntake(100);
    Query& q = *ww().qryUjW();
    q.edit();
    q.fieldByName(QStringLiteral("uw_j_olow_st")).setValue(-0.1);
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(q.state(), DataSetState::Edit);
    QCOMPARE(messages_->shown.size(), 1);
    QVERIFY(messages_->shown.at(0).text.startsWith(
        QStringLiteral("Zawartość substancji w pobranej wodzie nie może być ujemna")));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ujecia_wody WHERE uw_j_olow_st IS NULL")), 1);
    q.cancel();
}

QTEST_GUILESS_MAIN(TestWaterWithdrawal)
#include "tst_WaterWithdrawal.moc"
