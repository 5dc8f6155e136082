// Sewage receivers of a statement on a version-7 database: a new receiver with its rain rows, the
// indicator chain and the code fee, the codes allowed and their change, the cooling, saline and rain
// fees by band, status and kind, the recalculations (rates re-read, every row saved), the receiver
// total, values out of range and a commune that receivers still use.

#include "dict/CommuneDelete.h"
#include "dict/TdmfDict.h"
#include "forms/DataHelpers.h"
#include "platform/Decimal.h"
#include "platform/data/Query.h"
#include "statements/TdmfZest.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "water/SewageDischarge.h"

#include <QtTest>

class TestSewageDischarge : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newReceiver();
    void indicatorChain_data();
    void indicatorChain();
    void codeFee_data();
    void codeFee();
    void codesAllowed_data();
    void codesAllowed();
    void codeWithFeesKeepsItsCode();
    void recalculationRereadsRatesAndSavesEveryRow();
    void cooling_data();
    void cooling();
    void saline_data();
    void saline();
    void rain_data();
    void rain();
    void rainRecalculation();
    void outOfRange_data();
    void outOfRange();
    void deletingACodeLowersTheTotal();
    void communeInUseIsNotDeleted();

private:
    Connection& cn() { return db_->connection(); }
    SewageDischarge& sc() { return dm_->content<SewageDischarge>(); }
    Query& receivers() { return *sc().qryOdbSc(); }
    Query& codes() { return *sc().qryKdTA(); }
    Query& indicators() { return *sc().qryOplZaWskTA(); }
    Query& rainRows() { return *sc().qryOplOR(); }
    double stored(const QString& sql) { return cn().selectValue(sql).toDouble(); }
    void addReceiver(int rzgwId = 101);
    void setReceiver(const char* field, const QVariant& value);
    // A code row saved with its quantity and, when asked, its indicator rows.
    void addCode(const QString& kod, double quantity, bool generate = true);
    void setIndicator(int wtascId, const char* field, const QVariant& value);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
};

void TestSewageDischarge::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfZest>(db_->connection());
    cn().execute(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) "
                       "SELECT 2001, MAX(gm_id), 'Oczyszczalnia', 'ul. Rzeczna 1', 1 FROM gminy"));
    Query& z = *dm_->qryZest();
    z.open();
    z.insert();
    z.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
    z.post();
    QCOMPARE(dm_->RokStOplId(), 1002);
}

void TestSewageDischarge::cleanup() {
    dm_.reset();
    messages_.reset();
    db_.reset();
}

void TestSewageDischarge::addReceiver(int rzgwId) {
    Query& r = receivers();
    if (!r.isActive())
        r.open();
    codes().open();
    indicators().open();
    rainRows().open();
    r.insert();
    r.fieldByName(QStringLiteral("osc_nazwa")).setValue(QStringLiteral("Wisła"));
    r.fieldByName(QStringLiteral("osc_adres")).setValue(QStringLiteral("km 12"));
    r.fieldByName(QStringLiteral("osc_gm_id"))
        .setValue(cn().selectValue(QStringLiteral("SELECT MIN(gm_id) FROM gminy")));
    r.fieldByName(QStringLiteral("osc_rzgw_id")).setValue(rzgwId);
    r.post();
    QVERIFY(sc().PoZapisieNowegoOdbiornika());
}

void TestSewageDischarge::setReceiver(const char* field, const QVariant& value) {
    receivers().edit();
    receivers().fieldByName(QString::fromLatin1(field)).setValue(value);
    receivers().post();
}

void TestSewageDischarge::addCode(const QString& kod, double quantity, bool generate) {
    codes().insert();
    codes().fieldByName(QStringLiteral("kta_kod")).setValue(kod);
    codes().fieldByName(QStringLiteral("kta_ilosc")).setValue(quantity);
    codes().post();
    if (generate)
        sc().GenerujOplatyWsk();
}

void TestSewageDischarge::setIndicator(int wtascId, const char* field, const QVariant& value) {
    QVERIFY(indicators().locate(QStringLiteral("owta_wtasc_id"), wtascId));
    indicators().edit();
    indicators().fieldByName(QString::fromLatin1(field)).setValue(value);
    indicators().post();
}

void TestSewageDischarge::newReceiver() {
    addReceiver(101);
    Query& r = receivers();
    QCOMPARE(r.fieldByName(QStringLiteral("osc_ros_id")).asInteger(), 100);
    QCOMPARE(r.fieldByName(QStringLiteral("osc_spwsc_id")).asInteger(), 100);
    for (const char* f : {"osc_chl_ilosc", "osc_chl_oplata", "osc_chls_ilosc", "osc_chls_stezenie",
                          "osc_chls_oplata", "osc_kwota"}) {
        QVERIFY2(!r.fieldByName(QString::fromLatin1(f)).isNull(), f);
        QVERIFY2(r.fieldByName(QString::fromLatin1(f)).asDecimal().isZero(), f);
    }
    QVERIFY(r.fieldByName(QStringLiteral("osc_chl_temp_sc")).isNull());
    QVERIFY(r.fieldByName(QStringLiteral("osc_chl_jedn_st_opl")).isNull());
    // The chloride and sulphate rate of the board's area; Gdańsk has its own.
    QCOMPARE(r.fieldByName(QStringLiteral("osc_chls_jedn_st_opl")).asFloat(), 0.046);
    setReceiver("osc_rzgw_id", 100);
    QCOMPARE(r.fieldByName(QStringLiteral("osc_chls_jedn_st_opl")).asFloat(), 0.013);

    // Five kinds of area of 2012, numbered 1 to 5, the industrial rate shown with two decimals.
    QCOMPARE(rainRows().recordCount(), 5);
    rainRows().first();
    QCOMPARE(rainRows().fieldByName(QStringLiteral("sotd_poz_wydr")).asInteger(), 1);
    QCOMPARE(rainRows().fieldByName(QStringLiteral("oor_jedn_st_opl")).text(), QStringLiteral("0,27"));
    rainRows().next();
    QCOMPARE(rainRows().fieldByName(QStringLiteral("oor_jedn_st_opl")).text(), QStringLiteral("0,064"));
    QCOMPARE(
        stored(QStringLiteral("SELECT SUM(oor_powierzchnia) + SUM(oor_oplata) FROM oplaty_opady_roztopy")),
        0.0);
    sc().DodajOplatyOR();
    QCOMPARE(messages_->log(),
             QStringList{QStringLiteral(
                 "error|Błąd|Ten odbiornik scieków posiada już opłaty za wprowadzanie wód opadowych "
                 "i roztopów.")});
    QCOMPARE(sc().LiczbaOplatOR(), 5);
    QVERIFY(dm_->RokStOplZablokowany());
}

void TestSewageDischarge::indicatorChain_data() {
    QTest::addColumn<double>("content");
    QTest::addColumn<double>("inWithdrawn");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("fee");
    QTest::newRow("30 mg/dm3 of 10 000 m3, 100 kg withdrawn") << 30.0 << 100.0 << 300.0 << 200.0 << 320.0;
    QTest::newRow("nothing withdrawn") << 30.0 << 0.0 << 300.0 << 300.0 << 480.0;
    // Cleaner than withdrawn: the net quantity shows as it is, the fee is nothing.
    QTest::newRow("cleaner than withdrawn") << 30.0 << 400.0 << 300.0 << -100.0 << 0.0;
}

void TestSewageDischarge::indicatorChain() {
    QFETCH(double, content);
    QFETCH(double, inWithdrawn);
    QFETCH(double, gross);
    QFETCH(double, net);
    QFETCH(double, fee);
    addReceiver();
    addCode(QStringLiteral("b"), 10000);
    QCOMPARE(indicators().recordCount(), 16);
    QVERIFY(indicators().locate(QStringLiteral("owta_wtasc_id"), 100));
    // 2012: BZT5 at 3.92 and the municipal coefficient 0.4.
    QCOMPARE(indicators().fieldByName(QStringLiteral("owta_stawka_jedn")).asFloat(), 3.92);
    QCOMPARE(indicators().fieldByName(QStringLiteral("owta_wsp_rozn")).asFloat(), 0.4);
    indicators().edit();
    indicators().fieldByName(QStringLiteral("owta_stawka_jedn")).setValue(4.0);
    indicators().fieldByName(QStringLiteral("owta_stawka")).setValue(1.6);
    indicators().fieldByName(QStringLiteral("owta_il_subst_w_pw")).setValue(inWithdrawn);
    indicators().fieldByName(QStringLiteral("owta_zawartosc")).setValue(content);
    indicators().post();
    QCOMPARE(indicators().fieldByName(QStringLiteral("owta_il_subst_brt")).asFloat(), gross);
    QCOMPARE(indicators().fieldByName(QStringLiteral("owta_il_subst_nt")).asFloat(), net);
    QCOMPARE(indicators().fieldByName(QStringLiteral("owta_kwota")).asFloat(), fee);
    QCOMPARE(codes().fieldByName(QStringLiteral("kta_kwota")).asFloat(), fee);
    QCOMPARE(receivers().fieldByName(QStringLiteral("osc_kwota")).asFloat(), fee);
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), fee);
}

void TestSewageDischarge::codeFee_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("fee");
    QTest::newRow("permit, river") << 100 << 100 << 265.0;
    QTest::newRow("no permit") << 101 << 100 << 1325.0;
    QTest::newRow("no permit, into a lake") << 101 << 101 << 2650.0;
    QTest::newRow("permit not required, into a lake") << 102 << 101 << 530.0;
}

void TestSewageDischarge::codeFee() {
    QFETCH(int, status);
    QFETCH(int, kind);
    QFETCH(double, fee);
    addReceiver();
    receivers().edit();
    receivers().fieldByName(QStringLiteral("osc_spwsc_id")).setValue(status);
    receivers().fieldByName(QStringLiteral("osc_ros_id")).setValue(kind);
    receivers().post();
    addCode(QStringLiteral("c"), 1000);
    // Of the four main indicators only the highest fee counts (250); phenols and cadmium add up.
    const QList<QPair<int, double>> fees{{100, 100}, {101, 250}, {102, 80}, {103, 0}, {104, 10}, {108, 5}};
    for (const auto& [id, amount] : fees)
        setIndicator(id, "owta_kwota", amount);
    QCOMPARE(codes().fieldByName(QStringLiteral("kta_kwota")).asFloat(), fee);
    QCOMPARE(stored(QStringLiteral("SELECT kta_kwota FROM kody_ta")), fee);
    QCOMPARE(receivers().fieldByName(QStringLiteral("osc_kwota")).asFloat(), fee);
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), fee);
}

void TestSewageDischarge::codesAllowed_data() {
    QTest::addColumn<QString>("kod");
    QTest::addColumn<bool>("allowed");
    for (const char* k : {"a", "b", "c", "rł", "rwś"})
        QTest::newRow(k) << QString::fromUtf8(k) << true;
    for (const char* k : {"A", "d", " a", "rl", ""})
        QTest::newRow(QByteArray("refused '").append(k).append('\'').constData())
            << QString::fromUtf8(k) << false;
}

void TestSewageDischarge::codesAllowed() {
    QFETCH(QString, kod);
    QFETCH(bool, allowed);
    addReceiver();
    codes().insert();
    codes().fieldByName(QStringLiteral("kta_kod")).setValue(kod);
    if (allowed) {
        codes().post();
        QVERIFY(messages_->shown.isEmpty());
        QCOMPARE(cn().selectValue(QStringLiteral("SELECT kta_kod FROM kody_ta")).toString(), kod);
    } else {
        QVERIFY_THROWS_EXCEPTION(OperationAborted, codes().post());
        QCOMPARE(messages_->log(), QStringList{QStringLiteral(
                                       "error|Błąd|Kod rodzaju ścieku może być tylko: a, b, c, rł, rwś.")});
        QCOMPARE(codes().state(), DataSetState::Insert);
        QCOMPARE(cn().selectValue(QStringLiteral("SELECT COUNT(*) FROM kody_ta")).toInt(), 0);
        codes().cancel();
    }
}

void TestSewageDischarge::codeWithFeesKeepsItsCode() {
    addReceiver();
    addCode(QStringLiteral("a"), 100, false);
    // Without fees the code may change.
    QVERIFY(sc().KodMoznaZmienic());
    sc().UstawKod(QStringLiteral("b"));
    codes().post();
    sc().GenerujOplatyWsk();
    QCOMPARE(sc().LiczbaOplatWsk(), 16);
    QVERIFY(messages_->shown.isEmpty());

    sc().GenerujOplatyWsk();
    QCOMPARE(messages_->log().last(), QStringLiteral("error|Błąd|Ten kod posiada już wygenerowane opłaty."));
    QCOMPARE(sc().LiczbaOplatWsk(), 16);

    const QString refused =
        QStringLiteral("error|Błąd|Zmiana kodu jest niemożliwa, bo ten kod posiada już wygenerowane opłaty.");
    QVERIFY(!sc().KodMoznaZmienic());
    QCOMPARE(messages_->log().last(), refused);
    codes().edit();
    codes().fieldByName(QStringLiteral("kta_ilosc")).setValue(200);
    QVERIFY_THROWS_EXCEPTION(OperationAborted,
                             codes().fieldByName(QStringLiteral("kta_kod")).setValue(QStringLiteral("c")));
    QCOMPARE(messages_->log().last(), refused);
    QCOMPARE(codes().state(), DataSetState::Browse);
    QCOMPARE(codes().fieldByName(QStringLiteral("kta_kod")).asString(), QStringLiteral("b"));
    QCOMPARE(codes().fieldByName(QStringLiteral("kta_ilosc")).asFloat(), 100.0);
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT kta_kod FROM kody_ta")).toString(), QStringLiteral("b"));
}

void TestSewageDischarge::recalculationRereadsRatesAndSavesEveryRow() {
    addReceiver(101);
    addCode(QStringLiteral("c"), 1000);
    setIndicator(103, "owta_zawartosc", 1000); // 1000 kg of chlorides and sulphates
    QCOMPARE(indicators().fieldByName(QStringLiteral("owta_kwota")).asFloat(), 46.0);
    setIndicator(115, "owta_zawartosc", 2);

    // The receiver turns out to be in the Gdańsk board's area, and more sewage was discharged.
    setReceiver("osc_rzgw_id", 100);
    codes().edit();
    codes().fieldByName(QStringLiteral("kta_ilosc")).setValue(2000);
    codes().post();
    // Until "Przelicz", the indicator fees stay as they were.
    QCOMPARE(stored(QStringLiteral("SELECT owta_kwota FROM oplaty_za_wsk_ta WHERE owta_wtasc_id = 103")),
             46.0);

    QVERIFY(indicators().locate(QStringLiteral("owta_wtasc_id"), 104));
    sc().PrzeliczWsk();
    QCOMPARE(indicators().fieldByName(QStringLiteral("owta_wtasc_id")).asInteger(), 104);
    QCOMPARE(indicators().state(), DataSetState::Browse);
    // 2000 kg at Gdańsk's 0.013.
    QCOMPARE(
        stored(QStringLiteral("SELECT owta_stawka_jedn FROM oplaty_za_wsk_ta WHERE owta_wtasc_id = 103")),
        0.013);
    QCOMPARE(stored(QStringLiteral("SELECT owta_kwota FROM oplaty_za_wsk_ta WHERE owta_wtasc_id = 103")),
             26.0);
    // The last row (the 16th, "Pozostałe") is saved as well: 4 kg at its rate.
    const double lastRate =
        stored(QStringLiteral("SELECT owta_stawka FROM oplaty_za_wsk_ta WHERE owta_wtasc_id = 115"));
    QVERIFY(lastRate > 0);
    QCOMPARE(
        stored(QStringLiteral("SELECT owta_il_subst_brt FROM oplaty_za_wsk_ta WHERE owta_wtasc_id = 115")),
        4.0);
    const double lastFee =
        stored(QStringLiteral("SELECT owta_kwota FROM oplaty_za_wsk_ta WHERE owta_wtasc_id = 115"));
    QCOMPARE(lastFee, Decimal::fromDouble(4 * lastRate).rounded(2, Rounding::HalfAwayFromZero).toDouble());
    const double expected = 26.0 + lastFee;
    QCOMPARE(stored(QStringLiteral("SELECT kta_kwota FROM kody_ta")), expected);
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), expected);
    QCOMPARE(receivers().fieldByName(QStringLiteral("osc_kwota")).asFloat(), expected);
}

void TestSewageDischarge::cooling_data() {
    QTest::addColumn<double>("temperature");
    QTest::addColumn<int>("status");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("fee");
    QTest::newRow("26.0: no band") << 26.0 << 100 << 0.0 << 0.0;
    QTest::newRow("26.01: first band") << 26.01 << 100 << 0.62 << 7.75;
    QTest::newRow("32.0: first band") << 32.0 << 100 << 0.62 << 7.75;
    QTest::newRow("35.0: second band") << 35.0 << 100 << 1.25 << 15.63;
    QTest::newRow("35.01: third band") << 35.01 << 100 << 3.88 << 48.5;
    QTest::newRow("30, no permit") << 30.0 << 101 << 0.62 << 15.5;
}

void TestSewageDischarge::cooling() {
    QFETCH(double, temperature);
    QFETCH(int, status);
    QFETCH(double, rate);
    QFETCH(double, fee);
    addReceiver();
    setReceiver("osc_spwsc_id", status);
    Query& r = receivers();
    r.edit();
    r.fieldByName(QStringLiteral("osc_chl_ilosc")).setValue(12.5);
    r.fieldByName(QStringLiteral("osc_chl_temp_sc")).setValue(temperature);
    QCOMPARE(r.fieldByName(QStringLiteral("osc_chl_jedn_st_opl")).asFloat(), rate);
    QCOMPARE(r.fieldByName(QStringLiteral("osc_chl_oplata")).asFloat(), fee);
    // The total shows at once, before the receiver is saved.
    QCOMPARE(r.fieldByName(QStringLiteral("osc_kwota")).asFloat(), fee);
    r.post();
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), fee);
}

void TestSewageDischarge::saline_data() {
    QTest::addColumn<double>("concentration");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("fee");
    QTest::newRow("500: not saline") << 500.0 << 100 << 100 << 0.0;
    QTest::newRow("500.01") << 500.01 << 100 << 100 << 46.0;
    QTest::newRow("500.01, no permit") << 500.01 << 101 << 100 << 230.0;
    QTest::newRow("500.01, no permit, lake") << 500.01 << 101 << 101 << 460.0;
}

void TestSewageDischarge::saline() {
    QFETCH(double, concentration);
    QFETCH(int, status);
    QFETCH(int, kind);
    QFETCH(double, fee);
    addReceiver(101);
    Query& r = receivers();
    r.edit();
    r.fieldByName(QStringLiteral("osc_spwsc_id")).setValue(status);
    r.fieldByName(QStringLiteral("osc_ros_id")).setValue(kind);
    r.fieldByName(QStringLiteral("osc_chls_ilosc")).setValue(1000);
    r.fieldByName(QStringLiteral("osc_chls_stezenie")).setValue(concentration);
    r.post();
    QCOMPARE(r.fieldByName(QStringLiteral("osc_chls_oplata")).asFloat(), fee);
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), fee);

    // "Przelicz" applies a status changed afterwards.
    setReceiver("osc_spwsc_id", 100);
    sc().PrzeliczZasolone();
    QCOMPARE(r.state(), DataSetState::Browse);
    QCOMPARE(stored(QStringLiteral("SELECT osc_chls_oplata FROM odbiorniki_sc")),
             concentration > 500 ? (kind == 101 ? 92.0 : 46.0) : 0.0);
}

void TestSewageDischarge::rain_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("fee");
    QTest::newRow("10 000 m2 at 0.39") << 100 << 100 << 1950.0;
    QTest::newRow("no permit") << 101 << 100 << 3900.0;
    QTest::newRow("no permit, into a lake") << 101 << 101 << 7800.0;
}

void TestSewageDischarge::rain() {
    QFETCH(int, status);
    QFETCH(int, kind);
    QFETCH(double, fee);
    addReceiver();
    receivers().edit();
    receivers().fieldByName(QStringLiteral("osc_spwsc_id")).setValue(status);
    receivers().fieldByName(QStringLiteral("osc_ros_id")).setValue(kind);
    receivers().post();
    Query& r = rainRows();
    r.first();
    r.edit();
    r.fieldByName(QStringLiteral("oor_jedn_st_opl")).setValue(0.39);
    r.fieldByName(QStringLiteral("oor_powierzchnia")).setValue(10000);
    r.post();
    QCOMPARE(r.fieldByName(QStringLiteral("oor_oplata")).asFloat(), fee);
    QCOMPARE(receivers().fieldByName(QStringLiteral("osc_kwota")).asFloat(), fee);
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), fee);
}

void TestSewageDischarge::rainRecalculation() {
    addReceiver();
    Query& r = rainRows();
    for (r.first(); !r.eof(); r.next()) {
        r.edit();
        r.fieldByName(QStringLiteral("oor_powierzchnia")).setValue(1000);
        r.post();
    }
    // 1000 m2 × (0.27 + 0.064 + 0.052 + 0.079 + 0.038) × 0.5
    QCOMPARE(stored(QStringLiteral("SELECT SUM(oor_oplata) FROM oplaty_opady_roztopy")), 251.5);
    setReceiver("osc_spwsc_id", 101);
    QCOMPARE(stored(QStringLiteral("SELECT SUM(oor_oplata) FROM oplaty_opady_roztopy")), 251.5);
    r.setRecNo(2);
    const QVariant current = r.fieldByName(QStringLiteral("oor_id")).value();
    sc().PrzeliczOplatyOR();
    // Every row saved with the status applied, the last one too; the receiver total follows.
    QCOMPARE(stored(QStringLiteral("SELECT SUM(oor_oplata) FROM oplaty_opady_roztopy")), 503.0);
    QCOMPARE(stored(QStringLiteral("SELECT oor_oplata FROM oplaty_opady_roztopy WHERE oor_sotd_id = 109")),
             38.0);
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), 503.0);
    QCOMPARE(receivers().fieldByName(QStringLiteral("osc_kwota")).asFloat(), 503.0);
    QCOMPARE(r.state(), DataSetState::Browse);
    QCOMPARE(r.fieldByName(QStringLiteral("oor_id")).value(), current);
}

void TestSewageDischarge::outOfRange_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message");
    const QString coolingTemp =
        QStringLiteral("Temperatura wody chłodniczej musi mieścić się w przedziale od 0 do 100 °C.");
    const QString receiverTemp =
        QStringLiteral("Temperatura wody w odbiorniku musi mieścić się w przedziale od 0 do 100 °C.");
    QTest::newRow("cooling water 100.01") << "odb"
                                          << "osc_chl_temp_sc" << 100.01 << coolingTemp;
    QTest::newRow("cooling water -1") << "odb"
                                      << "osc_chl_temp_sc" << -1.0 << coolingTemp;
    QTest::newRow("receiving water 101") << "odb"
                                         << "osc_chl_temp_odb" << 101.0 << receiverTemp;
    QTest::newRow("saline concentration")
        << "odb"
        << "osc_chls_stezenie" << -5.0
        << QStringLiteral("Suma jonów chlorków i siarczanów nie może być ujemna.");
    QTest::newRow("indicator content")
        << "wsk"
        << "owta_zawartosc" << -0.001 << QStringLiteral("Zawartość wskaźnika nie może być ujemna.");
    QTest::newRow("rain area") << "or"
                               << "oor_powierzchnia" << -1.0
                               << QStringLiteral("Powierzchnia nie może być ujemna.");
}

void TestSewageDischarge::outOfRange() {
    QFETCH(QString, list);
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, message);
    addReceiver();
    addCode(QStringLiteral("a"), 10);
    Query& q = list == QLatin1String("odb")   ? receivers()
               : list == QLatin1String("wsk") ? indicators()
                                              : rainRows();
    q.edit();
    q.fieldByName(field).setValue(value);
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(messages_->log(), QStringList{QStringLiteral("error|Błąd|") + message});
    QCOMPARE(q.state(), DataSetState::Edit);
    q.cancel();
    QCOMPARE(cn().selectValue(
                     QStringLiteral("SELECT COUNT(*) FROM odbiorniki_sc WHERE osc_chl_temp_sc IS NULL AND "
                                    "osc_chl_temp_odb IS NULL AND osc_chls_stezenie = 0"))
                 .toInt(),
             1);
    QCOMPARE(stored(QStringLiteral("SELECT MIN(owta_zawartosc) FROM oplaty_za_wsk_ta")), 0.0);
    QCOMPARE(stored(QStringLiteral("SELECT MIN(oor_powierzchnia) FROM oplaty_opady_roztopy")), 0.0);
}

void TestSewageDischarge::deletingACodeLowersTheTotal() {
    addReceiver();
    addCode(QStringLiteral("c"), 1000);
    setIndicator(101, "owta_kwota", 250);
    addCode(QStringLiteral("a"), 1000);
    setIndicator(104, "owta_kwota", 10);
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), 260.0);
    codes().deleteRecord();
    QCOMPARE(stored(QStringLiteral("SELECT osc_kwota FROM odbiorniki_sc")), 250.0);
    QCOMPARE(receivers().fieldByName(QStringLiteral("osc_kwota")).asFloat(), 250.0);
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT COUNT(*) FROM oplaty_za_wsk_ta")).toInt(), 16);
}

void TestSewageDischarge::communeInUseIsNotDeleted() {
    addReceiver();
    const int gmId = cn().selectValue(QStringLiteral("SELECT osc_gm_id FROM odbiorniki_sc")).toInt();
    QVERIFY(!GminaMoznaUsunac(cn(), gmId));
    QCOMPARE(messages_->log(),
             QStringList{
                 QStringLiteral("error|Błąd usuwania zapisu|Nie można usunąć Gminy ponieważ jest w użyciu")});
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT COUNT(*) FROM odbiorniki_sc")).toInt(), 1);
    QCOMPARE(
        cn().selectValue(QStringLiteral("SELECT COUNT(*) FROM gminy WHERE gm_id = %1").arg(gmId)).toInt(), 1);

    // The same through the communes' list of the dictionaries module.
    messages_->shown.clear();
    TdmfDict dict(cn());
    const int powId =
        cn().selectValue(QStringLiteral("SELECT gm_pow_id FROM gminy WHERE gm_id = %1").arg(gmId)).toInt();
    const int wojId =
        cn().selectValue(QStringLiteral("SELECT pow_woj_id FROM powiaty WHERE pow_id = %1").arg(powId))
            .toInt();
    OpenIfClosed(dict.qryWojewodztwa());
    QVERIFY(dict.qryWojewodztwa()->locate(QStringLiteral("woj_id"), wojId));
    OpenIfClosed(dict.qryPowiaty());
    QVERIFY(dict.qryPowiaty()->locate(QStringLiteral("pow_id"), powId));
    OpenIfClosed(dict.qryGminy());
    QVERIFY(dict.qryGminy()->locate(QStringLiteral("gm_id"), gmId));
    QVERIFY_THROWS_EXCEPTION(OperationAborted, dict.qryGminy()->deleteRecord());
    QCOMPARE(messages_->log(),
             QStringList{
                 QStringLiteral("error|Błąd usuwania zapisu|Nie można usunąć Gminy ponieważ jest w użyciu")});
    QCOMPARE(cn().selectValue(QStringLiteral("SELECT COUNT(*) FROM odbiorniki_sc")).toInt(), 1);

    messages_->shown.clear();
    const int unused =
        cn().selectValue(QStringLiteral("SELECT MAX(gm_id) FROM gminy WHERE gm_id <> %1").arg(gmId)).toInt();
    QVERIFY(GminaMoznaUsunac(cn(), unused));
    QVERIFY(messages_->shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestSewageDischarge)
#include "tst_SewageDischarge.moc"
