// The collective summary part of the statement data module on a version-7 database: the roles of the
// items, the whole-złoty sections and the 400 zł threshold, a new summary with its items, the
// voivodeships it may be made for, "Pobierz kwoty" over a statement with rows in every fee table in
// three voivodeships, typed amounts and the totals that follow them, and the failures.

#include "statements/TdmfZest.h"
#include "statements/TdmfZestZb.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

// Voivodeships of the fixture: the entity's seat and two more; a fourth has only a sewage receiver.
constexpr int kSlaskie = 111;
constexpr int kMalopolskie = 105;
constexpr int kMazowieckie = 106;
constexpr int kDolnoslaskie = 100;

// Template keys of the form's lines used below.
constexpr int kTabelaA = 101, kTabelaB = 102, kTabelaD = 104, kDrob = 105, kSekcjaI = 106, kNaglowek2 = 107,
              kMorskie = 110, kSekcjaII = 111, kSekcjaIII = 123, kSekcjaIV = 127, kSuma = 128;

Decimal Amount(const char* text) {
    return *Decimal::fromText(QString::fromLatin1(text));
}

// An amount as stored, with its two decimals.
QString Money(const Decimal& value) {
    return value.rounded(2, Rounding::TiesToEven).toString();
}

} // namespace

class TestTdmfZestZb : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void roles_data();
    void roles();
    void totals_data();
    void totals();

    void newSummaryHasTheActiveTemplates();
    void voivodeshipsOffered();
    void addingWithoutAChoiceAddsNothing();
    void addingRefused_data();
    void addingRefused();
    void deletingRemovesTheItems();

    void aggregation_data();
    void aggregation();
    void aggregationTotals();
    void receiverOnlyVoivodeship();
    void runningTwice();
    void typedAmounts_data();
    void typedAmounts();
    void typingIntoComputedLinesRefused_data();
    void typingIntoComputedLinesRefused();
    void failureLeavesTheSummaryAsItWas();
    void feeWithoutItsItemIsReported();

private:
    Connection& cn() { return db_->connection(); }
    int scalar(const QString& sql) { return db_->scalar(sql); }
    Decimal decimal(const QString& sql) { return Decimal::fromVariant(cn().selectValue(sql)); }
    int key() { return next_++; }
    int commune(int wojId);

    // A statement of an entity seated in Śląskie, current in the module.
    int addStatement();
    // Rows in every fee table of the statement, in three voivodeships.
    void fillFeeTables();
    void sourceFee(int wojId, const char* amount);
    void tableB(int wojId, const char* amount);
    void tableC(int wojId, const char* amount);
    void tableD(const char* amount);
    void intake(int wojId, int tuwId, const char* amount);
    int receiver(int wojId, const char* cooling, const char* saline);
    void code(int oscId, const QString& kod, const char* amount);
    void rain(int oscId, const char* amount);
    void waste(int wojId, int tsodpdId, const char* amount);

    // A summary of the current statement for the voivodeship, through the module.
    int addSummary(int wojId);
    Decimal item(int zzbId, int spzzbId);
    // Types into the item of the template in the current summary's list, as the grid does.
    void type(int spzzbId, const QString& text);

    TdmfZestZb& zb() { return dm_->content<TdmfZestZb>(); }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
    int next_ = 5001;
    int zId_ = 0;
};

void TestTdmfZestZb::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfZest>(db_->connection());
}

void TestTdmfZestZb::cleanup() {
    dm_.reset();
    messages_.reset();
    db_.reset();
}

int TestTdmfZestZb::commune(int wojId) {
    return scalar(
        QStringLiteral("SELECT MIN(gm_id) FROM gminy INNER JOIN powiaty ON pow_id = gm_pow_id WHERE "
                       "pow_woj_id = %1")
            .arg(wojId));
}

int TestTdmfZestZb::addStatement() {
    const int pdmId = key();
    cn().run(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) VALUES (?, ?, "
                       "'Huta Łabędy S.A.', 1)"),
        {pdmId, commune(kSlaskie)});
    const int zId = key();
    cn().run(QStringLiteral("INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, "
                            "z_rok_st_opl_id) VALUES (?, 1002, 100, ?, 100, CURRENT_DATE, 1002)"),
             {zId, pdmId});
    Query& q = *dm_->qryZest();
    q.close();
    q.open();
    if (!q.locate(QStringLiteral("z_id"), zId))
        qFatal("statement not read");
    zId_ = zId;
    return zId;
}

void TestTdmfZestZb::sourceFee(int wojId, const char* amount) {
    const int ildId = key();
    cn().run(QStringLiteral("INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, "
                            "ild_adres, ild_rodzaj) VALUES (?, ?, 101, ?, ?, 'Kotłownia')"),
             {ildId, zId_, commune(wojId), QStringLiteral("Adres %1").arg(ildId)});
    cn().run(
        QStringLiteral("INSERT INTO zrodla_wprow_subst (zws_id, zws_ild_id, zws_nazwa, zws_oplata) VALUES "
                       "(?, ?, 'Emitor', %1)")
            .arg(QLatin1String(amount)),
        {key(), ildId});
}

void TestTdmfZestZb::tableB(int wojId, const char* amount) {
    cn().run(QStringLiteral("INSERT INTO lokalizacje_tb (ltb_id, ltb_z_id, ltb_gm_id, ltb_adres, ltb_kwota) "
                            "VALUES (?, ?, ?, ?, %1)")
                 .arg(QLatin1String(amount)),
             {next_, zId_, commune(wojId), QStringLiteral("Stacja %1").arg(key())});
}

void TestTdmfZestZb::tableC(int wojId, const char* amount) {
    cn().run(QStringLiteral("INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres, ltc_kwota) "
                            "VALUES (?, ?, ?, ?, %1)")
                 .arg(QLatin1String(amount)),
             {next_, zId_, commune(wojId), QStringLiteral("Kotłownia %1").arg(key())});
}

void TestTdmfZestZb::tableD(const char* amount) {
    cn().run(QStringLiteral(
                 "INSERT INTO oplaty_td (otd_id, otd_z_id, otd_ssp_id, otd_stawka_jedn, otd_kwota) "
                 "SELECT ?, ?, MIN(ssp_id), 1, %1 FROM stawki_silnik_paliwo WHERE ssp_id NOT IN (SELECT "
                 "otd_ssp_id FROM oplaty_td WHERE otd_z_id = %2)")
                 .arg(QLatin1String(amount))
                 .arg(zId_),
             {key(), zId_});
}

void TestTdmfZestZb::intake(int wojId, int tuwId, const char* amount) {
    const int uwId = key();
    cn().run(
        QStringLiteral("INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, "
                       "uw_rzgw_id, uw_spw_id, uw_kwota) SELECT ?, ?, ?, 'Studnia %2', 'Adres %2', ?, "
                       "MIN(rzgw_id), 100, %1 FROM rzgw")
            .arg(QLatin1String(amount))
            .arg(uwId),
        {uwId, zId_, tuwId, commune(wojId)});
}

int TestTdmfZestZb::receiver(int wojId, const char* cooling, const char* saline) {
    const int oscId = key();
    cn().run(
        QStringLiteral("INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, osc_gm_id, "
                       "osc_ros_id, osc_rzgw_id, osc_spwsc_id, osc_chl_oplata, osc_chls_oplata) SELECT ?, ?, "
                       "'Rzeka %3', 'Brzeg %3', ?, (SELECT MIN(ros_id) FROM rdz_odbiornikow_sc), "
                       "MIN(rzgw_id), 101, %1, %2 FROM rzgw")
            .arg(QLatin1String(cooling), QLatin1String(saline))
            .arg(oscId),
        {oscId, zId_, commune(wojId)});
    return oscId;
}

void TestTdmfZestZb::code(int oscId, const QString& kod, const char* amount) {
    cn().run(QStringLiteral("INSERT INTO kody_ta (kta_id, kta_osc_id, kta_kod, kta_ilosc, kta_kwota) VALUES "
                            "(?, ?, ?, 1, %1)")
                 .arg(QLatin1String(amount)),
             {key(), oscId, kod});
}

void TestTdmfZestZb::rain(int oscId, const char* amount) {
    cn().run(QStringLiteral("INSERT INTO oplaty_opady_roztopy (oor_id, oor_osc_id, oor_sotd_id, oor_oplata) "
                            "SELECT ?, ?, MIN(sotd_id), %1 FROM so_tabela_d")
                 .arg(QLatin1String(amount)),
             {key(), oscId});
}

void TestTdmfZestZb::waste(int wojId, int tsodpdId, const char* amount) {
    const int skodId = key();
    cn().run(
        QStringLiteral("INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, "
                       "skod_wrodpd_id, skod_sdcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id) SELECT ?, ?, ?, "
                       "'Adres %1', MIN(wrodpd_id), 102, 102 FROM wsp_rozn_odpd")
            .arg(skodId),
        {skodId, zId_, commune(wojId)});
    cn().run(QStringLiteral("INSERT INTO odpady (odpd_id, odpd_skod_id, odpd_tsodpd_id, odpd_sotl_id, "
                            "odpd_oplata) SELECT ?, ?, ?, MIN(sotl_id), %1 FROM so_tabela_l")
                 .arg(QLatin1String(amount)),
             {key(), skodId, tsodpdId});
}

void TestTdmfZestZb::fillFeeTables() {
    // Śląskie, the seat: every kind of fee.
    sourceFee(kSlaskie, "1000.10");
    sourceFee(kSlaskie, "234.39");
    tableB(kSlaskie, "120.40");
    tableB(kSlaskie, "80.10");
    tableC(kSlaskie, "0.51");
    tableD("15.25");
    tableD("4.75");
    intake(kSlaskie, 100, "55.55");
    intake(kSlaskie, 101, "44.45");
    const int osc = receiver(kSlaskie, "7.07", "8.08");
    const char* const amounts[] = {"1.01", "2.02", "3.03", "4.04", "5.05", "6.06"};
    const QStringList codes = {QStringLiteral("a"), QStringLiteral("b"),   QStringLiteral("c"),
                               QStringLiteral("d"), QStringLiteral("rwś"), QStringLiteral("rł")};
    for (int i = 0; i < codes.size(); ++i)
        code(osc, codes.at(i), amounts[i]);
    code(osc, QStringLiteral("a"), "0.99");
    rain(osc, "9.09");
    rain(osc, "0.91");
    waste(kSlaskie, 100, "11.11");
    waste(kSlaskie, 101, "22.22");
    // Małopolskie: an installation, a boiler, surface water and a storage site.
    sourceFee(kMalopolskie, "50.00");
    tableC(kMalopolskie, "300.00");
    intake(kMalopolskie, 101, "77.77");
    waste(kMalopolskie, 100, "33.33");
    // Mazowieckie: a station, groundwater and a receiver.
    tableB(kMazowieckie, "10.00");
    intake(kMazowieckie, 100, "66.66");
    const int osc2 = receiver(kMazowieckie, "1.00", "3.00");
    code(osc2, QStringLiteral("a"), "100.00");
    rain(osc2, "2.00");
}

int TestTdmfZestZb::addSummary(int wojId) {
    const QString name =
        cn().selectValue(QStringLiteral("SELECT woj_nazwa FROM wojewodztwa WHERE woj_id = %1").arg(wojId))
            .toString();
    if (!zb().DodajZestawienie(wojId, name))
        return 0;
    return int(zb().qryZZb()->fieldByName(QStringLiteral("zzb_id")).asInteger());
}

Decimal TestTdmfZestZb::item(int zzbId, int spzzbId) {
    return decimal(
        QStringLiteral(
            "SELECT pzzb_wys_oplaty FROM pozycje_zzb WHERE pzzb_zzb_id = %1 AND pzzb_spzzb_id = %2")
            .arg(zzbId)
            .arg(spzzbId));
}

void TestTdmfZestZb::type(int spzzbId, const QString& text) {
    Query& items = *zb().qryZZbPoz();
    QVERIFY(items.locate(QStringLiteral("pzzb_spzzb_id"), spzzbId));
    items.edit();
    items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).setText(text);
}

// --- roles and totals

void TestTdmfZestZb::roles_data() {
    QTest::addColumn<QString>("lp");
    QTest::addColumn<int>("role");
    QTest::addColumn<int>("section");
    const int detail = int(RolaPozycjiZZb::Szczegolowa), total = int(RolaPozycjiZZb::Sekcja),
              suma = int(RolaPozycjiZZb::Suma), other = int(RolaPozycjiZZb::Inna);
    QTest::newRow("1.1") << "1.1" << detail << 1;
    QTest::newRow("2.3") << "2.3" << detail << 2;
    QTest::newRow("3.1.5") << "3.1.5" << detail << 3;
    QTest::newRow("4.2") << "4.2" << detail << 4;
    QTest::newRow("heading 1") << "1" << other << 0;
    QTest::newRow("heading 3") << "3" << other << 0;
    QTest::newRow("5.1") << "5.1" << other << 0;
    QTest::newRow("I") << "I" << total << 0;
    QTest::newRow("II") << "II" << total << 0;
    QTest::newRow("III") << "III" << total << 0;
    QTest::newRow("IV") << "IV" << total << 0;
    QTest::newRow("V") << "V" << other << 0;
    QTest::newRow("lower-case ii") << "ii" << other << 0;
    QTest::newRow("suma") << "suma" << suma << 0;
    QTest::newRow("Suma") << "Suma" << other << 0;
    QTest::newRow("empty") << "" << other << 0;
}

void TestTdmfZestZb::roles() {
    QFETCH(QString, lp);
    QFETCH(int, role);
    QFETCH(int, section);
    QCOMPARE(int(RolaPozycji(lp)), role);
    QCOMPARE(SekcjaPozycji(lp), section);
}

void TestTdmfZestZb::totals_data() {
    QTest::addColumn<QStringList>("items"); // "printed number=amount"
    QTest::addColumn<QStringList>("sections");
    QTest::addColumn<QString>("suma");
    QTest::addColumn<QString>("kwota");
    QTest::newRow("half a złoty goes up")
        << QStringList{"1.1=1234.49", "1.2=0.51"} << QStringList{"1235", "0", "0", "0"} << "1235"
        << "1235.00";
    QTest::newRow("49 grosz are dropped")
        << QStringList{"2.1=1234.49"} << QStringList{"0", "1234", "0", "0"} << "1234"
        << "1234.49";
    QTest::newRow("399,50 gives 400, not counted")
        << QStringList{"3.2=399.50"} << QStringList{"0", "0", "400", "0"} << "0"
        << "399.50";
    QTest::newRow("400,50 gives 401, counted")
        << QStringList{"4.1=400.50"} << QStringList{"0", "0", "0", "401"} << "401"
        << "400.50";
    QTest::newRow("400,49 gives 400, not counted")
        << QStringList{"1.3=400.49"} << QStringList{"400", "0", "0", "0"} << "0"
        << "400.49";
    QTest::newRow("four sections") << QStringList{"1.1=1234.49", "1.2=0.51", "2.1=400.00", "4.1=9999.50",
                                                  "4.2=0.25"}
                                   << QStringList{"1235", "400", "0", "10000"} << "11235"
                                   << "11634.75";
    // Floating-point addition of these gives 7 123,4999… and a section of 7 123.
    QTest::newRow("exact sum") << QStringList{"1.1=4892.94", "1.2=556.69", "1.3=1265.82", "1.4=49.30",
                                              "1.5=358.75"}
                               << QStringList{"7124", "0", "0", "0"} << "7124"
                               << "7123.50";
    QTest::newRow("negative correction") << QStringList{"2.1=100.00", "2.2=-600.50", "3.1.1=500"}
                                         << QStringList{"0", "-501", "500", "0"} << "500"
                                         << "-0.50";
    QTest::newRow("headings and totals do not count")
        << QStringList{"1=50", "I=999", "suma=999", "1.1=10.00"} << QStringList{"10", "0", "0", "0"} << "0"
        << "10.00";
}

void TestTdmfZestZb::totals() {
    QFETCH(QStringList, items);
    QFETCH(QStringList, sections);
    QFETCH(QString, suma);
    QFETCH(QString, kwota);
    QList<std::pair<QString, Decimal>> list;
    for (const QString& i : items)
        list.append({i.section(QLatin1Char('='), 0, 0), *Decimal::fromText(i.section(QLatin1Char('='), 1))});
    const SumyZZb s = ObliczSumyZZb(list);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(Money(s.sekcje[i]), Money(*Decimal::fromText(sections.at(i))));
    QCOMPARE(Money(s.suma), Money(*Decimal::fromText(suma)));
    QCOMPARE(s.kwota.toString(), kwota);
}

// --- adding, offering and deleting summaries

void TestTdmfZestZb::newSummaryHasTheActiveTemplates() {
    addStatement();
    cn().execute(QStringLiteral("UPDATE szablony_poz_zzb SET spzzb_f_aktualny = 0 WHERE spzzb_id = 110"));
    const int zzbId = addSummary(kSlaskie);
    QVERIFY(zzbId > 0);
    QVERIFY(messages_->shown.isEmpty());

    Query& z = *zb().qryZZb();
    QCOMPARE(z.state(), DataSetState::Browse);
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_z_id")).asInteger(), zId_);
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_woj_id")).asInteger(), kSlaskie);
    QCOMPARE(z.fieldByName(QStringLiteral("woj_nazwa")).asString(), QStringLiteral("śląskie"));

    // One item at 0 per active template, in printed order, the first current.
    Query& items = *zb().qryZZbPoz();
    QCOMPARE(items.recordCount(), 28);
    QCOMPARE(items.recNo(), 0);
    QCOMPARE(items.fieldByName(QStringLiteral("spzzb_lp_wydr")).asString(), QStringLiteral("1"));
    QStringList order;
    for (items.first(); !items.eof(); items.next()) {
        order << items.fieldByName(QStringLiteral("spzzb_lp_wydr")).asString();
        QCOMPARE(items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).asDecimal(), Decimal());
    }
    QVERIFY(!order.contains(QStringLiteral("2.3")));
    QCOMPARE(order.first(), QStringLiteral("1"));
    QCOMPARE(order.at(6), QStringLiteral("I"));
    QCOMPARE(order.last(), QStringLiteral("suma"));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb WHERE pzzb_zzb_id = %1 AND "
                                   "pzzb_wys_oplaty = 0")
                        .arg(zzbId)),
             28);
    // Keys from the generators.
    QCOMPARE(zzbId, scalar(QStringLiteral("SELECT GEN_ID(g_zestawienia_zbiorcze, 0) FROM RDB$DATABASE")));
    QCOMPARE(scalar(QStringLiteral("SELECT MAX(pzzb_id) FROM pozycje_zzb")),
             scalar(QStringLiteral("SELECT GEN_ID(g_pozycje_zzb, 0) FROM RDB$DATABASE")));

    // A template activated later does not reach the summary.
    cn().execute(QStringLiteral("UPDATE szablony_poz_zzb SET spzzb_f_aktualny = 1 WHERE spzzb_id = 110"));
    zb().qryZZbPoz()->refresh();
    QCOMPARE(zb().qryZZbPoz()->recordCount(), 28);
}

void TestTdmfZestZb::voivodeshipsOffered() {
    addStatement();
    fillFeeTables();
    auto offered = [this] {
        zb().OtworzWojewodztwa();
        QStringList names;
        Query& w = *zb().qryZZbWoj();
        for (w.first(); !w.eof(); w.next())
            names << w.fieldByName(QStringLiteral("woj_nazwa")).asString();
        return names;
    };
    QCOMPARE(offered(), (QStringList{"małopolskie", "mazowieckie", "śląskie"}));
    QVERIFY(addSummary(kMazowieckie) > 0);
    QCOMPARE(offered(), (QStringList{"małopolskie", "śląskie"}));
    QVERIFY(addSummary(kSlaskie) > 0);
    QVERIFY(addSummary(kMalopolskie) > 0);
    QVERIFY(offered().isEmpty());
}

void TestTdmfZestZb::addingWithoutAChoiceAddsNothing() {
    addStatement();
    Query& z = *zb().qryZZb();
    z.open();
    z.append();
    QVERIFY(!zb().DodajZestawienie(0, QStringLiteral("śląskie")));
    QCOMPARE(z.state(), DataSetState::Browse);
    QVERIFY(z.isEmpty());
    QVERIFY(!zb().DodajZestawienie(kSlaskie, QStringLiteral("  ")));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zestawienia_zbiorcze")), 0);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTdmfZestZb::addingRefused_data() {
    QTest::addColumn<int>("wojId");
    QTest::addColumn<QString>("message");
    QTest::newRow("duplicate")
        << kSlaskie << "error|Błąd zapisu do bazy danych|Zestawienie zbiorcze o takim kluczu już istnieje.";
    QTest::newRow("no such voivodeship") << 999 << "error|Błąd|";
}

void TestTdmfZestZb::addingRefused() {
    QFETCH(int, wojId);
    QFETCH(QString, message);
    addStatement();
    const int first = addSummary(kSlaskie);
    QVERIFY(first > 0);
    const int items = scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb"));

    QVERIFY(!zb().DodajZestawienie(wojId, QStringLiteral("śląskie")));
    QCOMPARE(messages_->log().size(), 1);
    QVERIFY2(messages_->log().first().startsWith(message), qPrintable(messages_->log().first()));
    // Nothing is left behind: neither the summary nor items, in the database or the lists.
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zestawienia_zbiorcze")), 1);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb")), items);
    Query& z = *zb().qryZZb();
    QCOMPARE(z.state(), DataSetState::Browse);
    QCOMPARE(z.recordCount(), 1);
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_id")).asInteger(), first);
    QCOMPARE(zb().qryZZbPoz()->recordCount(), items);
}

void TestTdmfZestZb::deletingRemovesTheItems() {
    addStatement();
    const int zzbId = addSummary(kSlaskie);
    QVERIFY(addSummary(kMalopolskie) > 0);
    // An item is neither added nor deleted on its own.
    Query& items = *zb().qryZZbPoz();
    QVERIFY_THROWS_EXCEPTION(OperationAborted, items.append());
    QVERIFY_THROWS_EXCEPTION(OperationAborted, items.deleteRecord());
    QCOMPARE(items.recordCount(), 29);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb")), 58);

    Query& z = *zb().qryZZb();
    QVERIFY(z.locate(QStringLiteral("zzb_id"), zzbId));
    z.deleteRecord();
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb WHERE pzzb_zzb_id = %1").arg(zzbId)), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb")), 29);
    QCOMPARE(z.recordCount(), 1);
}

// --- "Pobierz kwoty"

void TestTdmfZestZb::aggregation_data() {
    QTest::addColumn<int>("wojId");
    QTest::addColumn<QStringList>("expected"); // "template key=amount", every key of the fee tables
    // Śląskie, the seat: Table B 120,40 + 80,10, Table D only here, sewage code "a" 1,01 + 0,99,
    // rain 9,09 + 0,91; the unmapped 1.5 stays 0.
    QTest::newRow("śląskie") << kSlaskie
                             << QStringList{"101=1234.49", "102=200.50", "103=0.51", "104=20.00", "105=0.00",
                                            "108=55.55",   "109=44.45",  "113=2.00", "114=2.02",  "115=3.03",
                                            "116=4.04",    "117=5.05",   "118=6.06", "119=7.07",  "120=10.00",
                                            "121=8.08",    "125=11.11",  "126=22.22"};
    // Małopolskie: only its own places, no Table D.
    QTest::newRow("małopolskie") << kMalopolskie
                                 << QStringList{"101=50.00", "102=0.00", "103=300.00", "104=0.00",
                                                "105=0.00",  "108=0.00", "109=77.77",  "113=0.00",
                                                "114=0.00",  "115=0.00", "116=0.00",   "117=0.00",
                                                "118=0.00",  "119=0.00", "120=0.00",   "121=0.00",
                                                "125=33.33", "126=0.00"};
    QTest::newRow("mazowieckie") << kMazowieckie
                                 << QStringList{"101=0.00", "102=10.00", "103=0.00", "104=0.00",
                                                "105=0.00", "108=66.66", "109=0.00", "113=100.00",
                                                "114=0.00", "115=0.00",  "116=0.00", "117=0.00",
                                                "118=0.00", "119=1.00",  "120=2.00", "121=3.00",
                                                "125=0.00", "126=0.00"};
}

void TestTdmfZestZb::aggregation() {
    QFETCH(int, wojId);
    QFETCH(QStringList, expected);
    addStatement();
    fillFeeTables();
    // Every voivodeship has its summary; each takes only its own places.
    QHash<int, int> summaries;
    for (int woj : {kSlaskie, kMalopolskie, kMazowieckie}) {
        summaries[woj] = addSummary(woj);
        QVERIFY(summaries[woj] > 0);
    }
    const int wanted = summaries.value(wojId);
    QVERIFY(zb().qryZZb()->locate(QStringLiteral("zzb_id"), wanted));
    zb().PobierzKwoty();
    QVERIFY(messages_->shown.isEmpty());
    Query& items = *zb().qryZZbPoz();
    for (const QString& e : expected) {
        const int spzzbId = e.section(QLatin1Char('='), 0, 0).toInt();
        const QString amount = e.section(QLatin1Char('='), 1);
        QVERIFY2(Money(item(wanted, spzzbId)) == amount,
                 qPrintable(QStringLiteral("%1: %2").arg(e, Money(item(wanted, spzzbId)))));
        // The list shows what is stored.
        QVERIFY(items.locate(QStringLiteral("pzzb_spzzb_id"), spzzbId));
        QCOMPARE(Money(items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).asDecimal()), amount);
    }
    // The other summaries are untouched.
    for (int woj : summaries.keys())
        if (woj != wojId)
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb WHERE pzzb_zzb_id = %1 AND "
                                           "pzzb_wys_oplaty <> 0")
                                .arg(summaries.value(woj))),
                     0);
}

void TestTdmfZestZb::aggregationTotals() {
    addStatement();
    fillFeeTables();
    const int zzbId = addSummary(kSlaskie);
    zb().PobierzKwoty();
    // I: 1234,49 + 200,50 + 0,51 + 20,00 = 1455,50 → 1456; II: 100,00 → 100, not counted;
    // III: 2,00 + 2,02 + 3,03 + 4,04 + 5,05 + 6,06 + 7,07 + 10,00 + 8,08 = 47,35 → 47; IV: 33,33 → 33.
    QCOMPARE(Money(item(zzbId, kSekcjaI)), QStringLiteral("1456.00"));
    QCOMPARE(Money(item(zzbId, kSekcjaII)), QStringLiteral("100.00"));
    QCOMPARE(Money(item(zzbId, kSekcjaIII)), QStringLiteral("47.00"));
    QCOMPARE(Money(item(zzbId, kSekcjaIV)), QStringLiteral("33.00"));
    QCOMPARE(Money(item(zzbId, kSuma)), QStringLiteral("1456.00"));
    QCOMPARE(Money(decimal(
                 QStringLiteral("SELECT zzb_kwota FROM zestawienia_zbiorcze WHERE zzb_id = %1").arg(zzbId))),
             QStringLiteral("1636.18"));
    QCOMPARE(
        Money(decimal(
            QStringLiteral("SELECT zzb_oplata_og FROM zestawienia_zbiorcze WHERE zzb_id = %1").arg(zzbId))),
        QStringLiteral("1456.00"));
    // The summary's row shows them, without being read again.
    Query& z = *zb().qryZZb();
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_kwota")).asDecimal(), Amount("1636.18"));
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_oplata_og")).asDecimal(), Amount("1456"));
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_kwota")).text(), QStringLiteral("1 636,18"));
    Query& items = *zb().qryZZbPoz();
    QVERIFY(items.locate(QStringLiteral("pzzb_spzzb_id"), kSuma));
    QCOMPARE(items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).text(), QStringLiteral("1 456,00"));
}

void TestTdmfZestZb::receiverOnlyVoivodeship() {
    addStatement();
    tableB(kSlaskie, "10.00");
    const int osc = receiver(kDolnoslaskie, "1.50", "0");
    code(osc, QStringLiteral("c"), "700.25");
    rain(osc, "3.25");
    zb().OtworzWojewodztwa();
    Query& w = *zb().qryZZbWoj();
    QCOMPARE(w.recordCount(), 2);
    QVERIFY(w.locate(QStringLiteral("woj_id"), kDolnoslaskie));
    QCOMPARE(w.fieldByName(QStringLiteral("woj_nazwa")).asString(), QStringLiteral("dolnośląskie"));
    QCOMPARE(w.fieldByName(QStringLiteral("z_id")).asInteger(), zId_);

    const int zzbId = addSummary(kDolnoslaskie);
    zb().PobierzKwoty();
    QCOMPARE(item(zzbId, 115), Amount("700.25"));
    QCOMPARE(item(zzbId, 119), Amount("1.50"));
    QCOMPARE(item(zzbId, 120), Amount("3.25"));
    QCOMPARE(item(zzbId, kSekcjaIII), Amount("705"));
    QCOMPARE(item(zzbId, kSuma), Amount("705"));
    QCOMPARE(item(zzbId, kTabelaB), Amount("0"));
    // Once summarised, it is offered no more.
    zb().OtworzWojewodztwa();
    QCOMPARE(zb().qryZZbWoj()->recordCount(), 1);
}

void TestTdmfZestZb::runningTwice() {
    addStatement();
    fillFeeTables();
    const int zzbId = addSummary(kSlaskie);
    // Typed before: item 101 (filled) and the unmapped item 1.5 (kept).
    type(kTabelaA, QStringLiteral("999,99"));
    type(kDrob, QStringLiteral("500,25"));
    QCOMPARE(item(zzbId, kTabelaA), Amount("999.99"));
    zb().PobierzKwoty();
    auto snapshot = [&] {
        QStringList rows;
        QSqlQuery q = cn().run(
            QStringLiteral(
                "SELECT pzzb_spzzb_id, pzzb_wys_oplaty FROM pozycje_zzb WHERE pzzb_zzb_id = ? ORDER BY 1"),
            {zzbId});
        while (q.next())
            rows << q.value(0).toString() + QLatin1Char('=') + Money(Decimal::fromVariant(q.value(1)));
        rows << Money(decimal(
            QStringLiteral("SELECT zzb_kwota FROM zestawienia_zbiorcze WHERE zzb_id = %1").arg(zzbId)));
        return rows;
    };
    const QStringList once = snapshot();
    QCOMPARE(item(zzbId, kTabelaA), Amount("1234.49"));
    QCOMPARE(item(zzbId, kDrob), Amount("500.25"));
    // I: 1455,50 + 500,25 = 1955,75 → 1956.
    QCOMPARE(item(zzbId, kSekcjaI), Amount("1956"));
    zb().PobierzKwoty();
    QCOMPARE(snapshot(), once);
}

void TestTdmfZestZb::typedAmounts_data() {
    QTest::addColumn<QStringList>("typed"); // "template=text"
    QTest::addColumn<QString>("stored");    // the last typed item as stored
    QTest::addColumn<QString>("sekcje");    // I, II, III, IV, suma
    QTest::addColumn<QString>("kwota");
    QTest::newRow("100 into 2.3") << QStringList{"110=100"} << "100.00"
                                  << "0 100 0 0 0"
                                  << "100.00";
    QTest::newRow("above the threshold") << QStringList{"108=300", "110=100,50"} << "100.50"
                                         << "0 401 0 0 401"
                                         << "400.50";
    // Floating-point addition gives 7 123,4999… and 7 123.
    QTest::newRow("exact sum") << QStringList{"101=4 892,94", "102=556,69", "103=1265,82", "104=49,3",
                                              "105=358,75"}
                               << "358.75"
                               << "7124 0 0 0 7124"
                               << "7123.50";
    QTest::newRow("to the grosz, ties to even") << QStringList{"125=0,125"} << "0.12"
                                                << "0 0 0 0 0"
                                                << "0.12";
    QTest::newRow("emptied") << QStringList{"125=12", "125="} << "0.00"
                             << "0 0 0 0 0"
                             << "0.00";
    QTest::newRow("negative correction") << QStringList{"113=-10,50"} << "-10.50"
                                         << "0 0 -11 0 0"
                                         << "-10.50";
}

void TestTdmfZestZb::typedAmounts() {
    QFETCH(QStringList, typed);
    QFETCH(QString, stored);
    QFETCH(QString, sekcje);
    QFETCH(QString, kwota);
    addStatement();
    const int zzbId = addSummary(kSlaskie);
    int last = 0;
    for (const QString& t : typed) {
        last = t.section(QLatin1Char('='), 0, 0).toInt();
        type(last, t.section(QLatin1Char('='), 1));
        // Saved at once.
        QCOMPARE(zb().qryZZbPoz()->state(), DataSetState::Browse);
    }
    QCOMPARE(Money(item(zzbId, last)), stored);
    const QStringList expected = sekcje.split(QLatin1Char(' '));
    const int totals[] = {kSekcjaI, kSekcjaII, kSekcjaIII, kSekcjaIV, kSuma};
    Query& items = *zb().qryZZbPoz();
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(item(zzbId, totals[i]), *Decimal::fromText(expected.at(i)));
        // The list shows the totals without being read again.
        QVERIFY(items.locate(QStringLiteral("pzzb_spzzb_id"), totals[i]));
        QCOMPARE(items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).asDecimal(),
                 *Decimal::fromText(expected.at(i)));
    }
    QCOMPARE(Money(decimal(
                 QStringLiteral("SELECT zzb_kwota FROM zestawienia_zbiorcze WHERE zzb_id = %1").arg(zzbId))),
             kwota);
    Query& z = *zb().qryZZb();
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_kwota")).asDecimal(), *Decimal::fromText(kwota));
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_oplata_og")).asDecimal(), *Decimal::fromText(expected.at(4)));
    QCOMPARE(z.fieldByName(QStringLiteral("zzb_oplata_og")).asDecimal(), item(zzbId, kSuma));
}

void TestTdmfZestZb::typingIntoComputedLinesRefused_data() {
    QTest::addColumn<int>("spzzbId");
    QTest::newRow("II") << kSekcjaII;
    QTest::newRow("suma") << kSuma;
    QTest::newRow("heading 2") << kNaglowek2;
}

void TestTdmfZestZb::typingIntoComputedLinesRefused() {
    QFETCH(int, spzzbId);
    addStatement();
    const int zzbId = addSummary(kSlaskie);
    Query& items = *zb().qryZZbPoz();
    QVERIFY(items.locate(QStringLiteral("pzzb_spzzb_id"), spzzbId));
    QVERIFY_THROWS_EXCEPTION(OperationAborted, items.edit());
    QCOMPARE(items.state(), DataSetState::Browse);
    QCOMPARE(item(zzbId, spzzbId), Decimal());
    QVERIFY(messages_->shown.isEmpty());
    // A typing error is named, and nothing is stored.
    QVERIFY(items.locate(QStringLiteral("pzzb_spzzb_id"), kMorskie));
    items.edit();
    QVERIFY_THROWS_EXCEPTION(
        DataError, items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).setText(QStringLiteral("12x")));
    items.cancel();
    QCOMPARE(item(zzbId, kMorskie), Decimal());
}

void TestTdmfZestZb::failureLeavesTheSummaryAsItWas() {
    addStatement();
    fillFeeTables();
    const int zzbId = addSummary(kSlaskie);
    type(kTabelaA, QStringLiteral("5"));
    const Decimal sectionI = item(zzbId, kSekcjaI);
    QCOMPARE(sectionI, Amount("5"));
    // The engine refuses to write the waste item, after the air and water items were written.
    cn().execute(QStringLiteral("CREATE EXCEPTION e_test 'odmowa zapisu'"));
    cn().execute(QStringLiteral("CREATE TRIGGER t_test FOR pozycje_zzb BEFORE UPDATE AS BEGIN IF "
                                "(NEW.pzzb_spzzb_id = 125) THEN EXCEPTION e_test; END"));
    QVERIFY_THROWS_EXCEPTION(DataError, zb().PobierzKwoty());
    QCOMPARE(item(zzbId, kTabelaA), Amount("5"));
    QCOMPARE(item(zzbId, kTabelaB), Decimal());
    QCOMPARE(item(zzbId, 108), Decimal());
    QCOMPARE(item(zzbId, kSekcjaI), sectionI);
    QCOMPARE(
        decimal(QStringLiteral("SELECT zzb_kwota FROM zestawienia_zbiorcze WHERE zzb_id = %1").arg(zzbId)),
        Amount("5"));
    QVERIFY(!cn().inTransaction());
    Query& items = *zb().qryZZbPoz();
    QVERIFY(items.locate(QStringLiteral("pzzb_spzzb_id"), kTabelaA));
    QCOMPARE(items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).asDecimal(), Amount("5"));
}

void TestTdmfZestZb::feeWithoutItsItemIsReported() {
    addStatement();
    fillFeeTables();
    // Summaries made while the Table B and D lines were withdrawn from the form.
    cn().execute(
        QStringLiteral("UPDATE szablony_poz_zzb SET spzzb_f_aktualny = 0 WHERE spzzb_id IN (102, 104)"));
    const int slaskie = addSummary(kSlaskie);
    const int malopolskie = addSummary(kMalopolskie);
    cn().execute(QStringLiteral("UPDATE szablony_poz_zzb SET spzzb_f_aktualny = 1"));

    QVERIFY(zb().qryZZb()->locate(QStringLiteral("zzb_id"), slaskie));
    zb().PobierzKwoty();
    QCOMPARE(
        messages_->log(),
        QStringList{QStringLiteral(
            "warning|Ostrzeżenie|Zestawienie zbiorcze nie ma pozycji na poniższe opłaty (pozycje włączono we "
            "wzorze po jego utworzeniu), więc nie zostały one do niego wpisane:\n1.2 Przeładunek benzyn "
            "silnikowych: 200,50 zł\n1.4 Silniki spalinowe: 20,00 zł\nAby je ująć, usuń zestawienie zbiorcze "
            "tego województwa, dodaj je ponownie i pobierz kwoty.")});
    // The rest is written.
    QCOMPARE(item(slaskie, kTabelaA), Amount("1234.49"));
    QCOMPARE(item(slaskie, kSekcjaI), Amount("1235"));

    // Without such fees there is nothing to say.
    messages_->shown.clear();
    QVERIFY(zb().qryZZb()->locate(QStringLiteral("zzb_id"), malopolskie));
    zb().PobierzKwoty();
    QVERIFY(messages_->shown.isEmpty());
    QCOMPARE(item(malopolskie, kTabelaA), Amount("50"));
    Q_UNUSED(kTabelaD);
}

QTEST_GUILESS_MAIN(TestTdmfZestZb)
#include "tst_TdmfZestZb.moc"
