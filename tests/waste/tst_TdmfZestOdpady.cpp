// The waste content of the statement module on a version-7 database: site and waste defaults, the
// waste fee by footnote marks, legal status, coefficient and days, the site fee kept with every save
// and deletion, the coefficient walk on a change of the legal status, the components of a mixed
// waste, binding the approval and the permit, and the refusals of duplicate types and of values out
// of range.

#include "platform/Decimal.h"
#include "platform/data/Connection.h"
#include "statements/TdmfZest.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "waste/TdmfZestOdpady.h"
#include "waste/WasteFees.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

QString N(const char* name) {
    return QString::fromLatin1(name);
}

Decimal Dec(const char* text) {
    return *Decimal::fromText(QString::fromLatin1(text));
}

} // namespace

class TestTdmfZestOdpady : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void siteDefaultsAndLocation();
    void wasteDefaults();
    void wasteFee_data();
    void wasteFee();
    void feeRoundsToTheGroszAwayFromZero();
    void siteFeeFollowsSavesAndDeletions();
    void coefficientWalkSavesEveryRow();
    void cancellingTheStatusBringsTheRowsBack();
    void failedWalkKeepsNothing();
    void componentsGiveMassAndRate();
    void ownComponentAddedOnce();
    void deletingTheLastComponentKeepsTheValues();
    void duplicateTypeRefused_data();
    void duplicateTypeRefused();
    void failedSaveCancelsTheNewRow();
    void outOfRangeRefused_data();
    void outOfRangeRefused();
    void bindingApprovalAndPermit();
    void siteLocksTheRateYear();

private:
    Connection& cn() { return db_->connection(); }
    int count(const QString& sql) { return db_->scalar(sql); }
    Decimal stored(const QString& sql) { return Decimal::fromVariant(cn().selectValue(sql)); }
    // A waste type of the 2012 catalogue with the given footnote marks and rate.
    int addType(const QString& kod, const QString& przypis, const char* rate);
    // A saved site of the current statement with the legal status given.
    int addSite(int wrodpdId = 100);
    // A stored waste row of the current site with its quantities, saved through the list.
    int addWaste(Query& list, int sotlId, const char* mass, const char* water = "0", const char* days = "0");
    void setText(Query& q, const char* field, const QString& text) { q.fieldByName(N(field)).setText(text); }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
    TdmfZestOdpady* odpady_ = nullptr;
    int nextType_ = 90000;
};

void TestTdmfZestOdpady::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfZest>(db_->connection());
    odpady_ = &dm_->content<TdmfZestOdpady>();
    cn().run(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_regon, "
                       "pdm_telefon_faks, pdm_f_aktualny) SELECT 2001, MAX(gm_id), 'Huta', 'ul. Hutnicza 1', "
                       "'271234567', '32 123 45 67', 1 FROM gminy"));
    Query& z = *dm_->qryZest();
    z.open();
    z.insert();
    z.fieldByName(N("z_pdm_id")).setValue(2001);
    z.fieldByName(N("z_rok_st_opl_id")).setValue(1002);
    z.post();
    for (Query* q : {odpady_->qrySklOdpd(), odpady_->qryOdpd(), odpady_->qryOdpdNs(), odpady_->qryOdpdS(),
                     odpady_->qryOdpdW()})
        q->open();
}

void TestTdmfZestOdpady::cleanup() {
    dm_.reset();
    messages_.reset();
    db_.reset();
}

int TestTdmfZestOdpady::addType(const QString& kod, const QString& przypis, const char* rate) {
    const int id = ++nextType_;
    cn().run(QStringLiteral(
                 "INSERT INTO so_tabela_l (sotl_id, sotl_lp_tbl, sotl_kod, sotl_rodzaj, sotl_jedn_st_opl, "
                 "sotl_h_poziom, sotl_h_grupa, sotl_h_podgrupa, sotl_przypis, sotl_f_aktualny, sotl_lp, "
                 "sotl_rok_id) VALUES (?, 1, ?, ?, ?, 3, '99', '99 99', ?, 1, 10, 1002)"),
             {id, kod, QStringLiteral("Odpad próbny ") + kod, Dec(rate).toVariant(), przypis});
    return id;
}

int TestTdmfZestOdpady::addSite(int wrodpdId) {
    Query& q = *odpady_->qrySklOdpd();
    q.append();
    TrLokalizacja location;
    QSqlQuery unit =
        cn().run(QStringLiteral("SELECT FIRST 1 gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa "
                                "FROM gminy INNER JOIN powiaty ON pow_id = gm_pow_id INNER JOIN "
                                "wojewodztwa ON woj_id = pow_woj_id ORDER BY gm_id"));
    unit.next();
    location.gmId = unit.value(0).toInt();
    location.gmNazwa = unit.value(1).toString();
    location.powId = unit.value(2).toInt();
    location.powNazwa = unit.value(3).toString();
    location.wojId = unit.value(4).toInt();
    location.wojNazwa = unit.value(5).toString();
    location.adres = QStringLiteral("ul. Składowa 5");
    odpady_->WriteLocation(location);
    q.fieldByName(N("skod_wrodpd_id")).setValue(wrodpdId);
    q.post();
    return int(q.fieldByName(N("skod_id")).asInteger());
}

int TestTdmfZestOdpady::addWaste(Query& list, int sotlId, const char* mass, const char* water,
                                 const char* days) {
    odpady_->DodajOdpad(list, sotlId);
    list.edit();
    setText(list, "odpd_masa", QString::fromLatin1(mass));
    setText(list, "odpd_stan_uwodnienia", QString::fromLatin1(water));
    setText(list, "odpd_liczba_dob", QString::fromLatin1(days));
    list.post();
    return int(list.fieldByName(N("odpd_id")).asInteger());
}

void TestTdmfZestOdpady::siteDefaultsAndLocation() {
    const int before =
        cn().selectValue(QStringLiteral("SELECT GEN_ID(g_odpady, 0) FROM RDB$DATABASE")).toInt();
    const int sitesBefore =
        cn().selectValue(QStringLiteral("SELECT GEN_ID(g_skladowiska_odpd, 0) FROM RDB$DATABASE")).toInt();
    Query& q = *odpady_->qrySklOdpd();
    q.append();
    // Sites take their keys from the generator of the waste rows.
    QCOMPARE(q.fieldByName(N("skod_id")).asInteger(), before + 1);
    QCOMPARE(
        cn().selectValue(QStringLiteral("SELECT GEN_ID(g_skladowiska_odpd, 0) FROM RDB$DATABASE")).toInt(),
        sitesBefore);
    QCOMPARE(q.fieldByName(N("skod_z_id")).value(), dm_->qryZest()->fieldByName(N("z_id")).value());
    QCOMPARE(q.fieldByName(N("skod_wrodpd_id")).asInteger(), 100);
    QCOMPARE(q.fieldByName(N("wrodpd_wartosc")).asDecimal(), Decimal());
    QCOMPARE(q.fieldByName(N("skod_sdcodpd_decyzja_id")).asInteger(), 100);
    QCOMPARE(q.fieldByName(N("skod_sdcodpd_zezwolenie_id")).asInteger(), 100);
    // Without a commune the site cannot be saved.
    QVERIFY_THROWS_EXCEPTION(DataError, q.post());
    q.cancel();

    const int skodId = addSite(103);
    q.refresh();
    QVERIFY(q.locate(N("skod_id"), skodId));
    QCOMPARE(q.fieldByName(N("wrodpd_wartosc")).asDecimal(), Dec("0.10"));
    TrLokalizacja back;
    odpady_->ReadLocation(back);
    QCOMPARE(back.adres, QStringLiteral("ul. Składowa 5"));
    QCOMPARE(back.gmId, int(q.fieldByName(N("skod_gm_id")).asInteger()));
    QVERIFY(back.powId != 0 && back.wojId != 0);
    QVERIFY(!back.gmNazwa.isEmpty() && !back.powNazwa.isEmpty() && !back.wojNazwa.isEmpty());
    QVERIFY(messages_->shown.isEmpty());
}

void TestTdmfZestOdpady::wasteDefaults() {
    addSite(101);
    const int type = addType(QStringLiteral("99 99 01"), QStringLiteral("1"), "15.00");
    for (Query* list : {odpady_->qryOdpd(), odpady_->qryOdpdNs()}) {
        odpady_->DodajOdpad(*list, type);
        QCOMPARE(list->state(), DataSetState::Browse);
        const int odpdId = int(list->fieldByName(N("odpd_id")).asInteger());
        QCOMPARE(count(QStringLiteral("SELECT odpd_tsodpd_id FROM odpady WHERE odpd_id = %1").arg(odpdId)),
                 list == odpady_->qryOdpd() ? 100 : 101);
        QCOMPARE(stored(QStringLiteral("SELECT odpd_wsp_rozn FROM odpady WHERE odpd_id = %1").arg(odpdId)),
                 Dec("0.05"));
        QCOMPARE(stored(QStringLiteral("SELECT odpd_jedn_st_opl FROM odpady WHERE odpd_id = %1").arg(odpdId)),
                 Dec("15.00"));
        QCOMPARE(list->fieldByName(N("sotl_kod")).asString(), QStringLiteral("99 99 01"));
        QCOMPARE(list->fieldByName(N("sotl_przypis")).asString(), QStringLiteral("1"));
        for (const char* zero : {"odpd_masa", "odpd_stan_uwodnienia", "odpd_liczba_dob", "odpd_oplata"})
            QCOMPARE(list->fieldByName(N(zero)).asDecimal(), Decimal());
    }
    // Each list shows its own way of storing only.
    QCOMPARE(odpady_->qryOdpd()->recordCount(), 1);
    QCOMPARE(odpady_->qryOdpdNs()->recordCount(), 1);

    Query& removed = *odpady_->qryOdpdW();
    odpady_->DodajOdpad(removed, type);
    QCOMPARE(removed.recordCount(), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM odpady_wydobyte WHERE odpdw_sotl_id = %1 AND "
                                  "odpdw_masa_zesklad = 0 AND odpdw_masa_wydob = 0")
                       .arg(type)),
             1);
}

void TestTdmfZestOdpady::wasteFee_data() {
    QTest::addColumn<QString>("przypis");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("mass");
    QTest::addColumn<QString>("water");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("fee");
    // Lawful storage: dry mass × rate.
    QTest::newRow("footnote 1 takes the water allowance") << "1" << 100 << "10"
                                                          << "20"
                                                          << "0"
                                                          << "15.00"
                                                          << "120.00";
    QTest::newRow("footnote 0 does not") << "0" << 100 << "10"
                                         << "20"
                                         << "0"
                                         << "15.00"
                                         << "150.00";
    QTest::newRow("footnote 1;3 takes it") << "1;3" << 100 << "10"
                                           << "20"
                                           << "0"
                                           << "15.00"
                                           << "120.00";
    QTest::newRow("footnote 3 does not") << "3" << 100 << "10"
                                         << "20"
                                         << "0"
                                         << "15.00"
                                         << "150.00";
    QTest::newRow("lawful, 30 days") << "0" << 100 << "5"
                                     << "0"
                                     << "30"
                                     << "20.00"
                                     << "100.00";
    QTest::newRow("lawful, no days") << "0" << 100 << "5"
                                     << "0"
                                     << "0"
                                     << "20.00"
                                     << "100.00";
    // Unlawful storage: dry mass × coefficient × rate × days.
    QTest::newRow("status 101, 30 days") << "0" << 101 << "5"
                                         << "0"
                                         << "30"
                                         << "20.00"
                                         << "150.00";
    QTest::newRow("status 101, no days") << "0" << 101 << "5"
                                         << "0"
                                         << "0"
                                         << "20.00"
                                         << "0.00";
    QTest::newRow("status 103 with allowance") << "1" << 103 << "10"
                                               << "20"
                                               << "30"
                                               << "15.00"
                                               << "360.00";
    QTest::newRow("all water") << "1" << 100 << "10"
                               << "100"
                               << "0"
                               << "15.00"
                               << "0.00";
    QTest::newRow("decimals of every column") << "1" << 104 << "1,234"
                                              << "12,5"
                                              << "7"
                                              << "52.21"
                                              << "59.19";
}

void TestTdmfZestOdpady::wasteFee() {
    QFETCH(QString, przypis);
    QFETCH(int, status);
    QFETCH(QString, mass);
    QFETCH(QString, water);
    QFETCH(QString, days);
    QFETCH(QString, rate);
    QFETCH(QString, fee);
    const int skodId = addSite(status);
    const int type = addType(QStringLiteral("99 99 01"), przypis, rate.toLatin1().constData());
    for (Query* list : {odpady_->qryOdpd(), odpady_->qryOdpdNs()}) {
        const int odpdId = addWaste(*list, type, mass.toLatin1().constData(), water.toLatin1().constData(),
                                    days.toLatin1().constData());
        QCOMPARE(list->fieldByName(N("odpd_oplata")).asDecimal(), *Decimal::fromText(fee));
        QCOMPARE(stored(QStringLiteral("SELECT odpd_oplata FROM odpady WHERE odpd_id = %1").arg(odpdId)),
                 *Decimal::fromText(fee));
    }
    // The site owes both rows.
    const Decimal both = *Decimal::fromText(fee) + *Decimal::fromText(fee);
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        both);
    QCOMPARE(odpady_->qrySklOdpd()->fieldByName(N("skod_oplata")).asDecimal(), both);
}

void TestTdmfZestOdpady::feeRoundsToTheGroszAwayFromZero() {
    // 0.125 zł is a tie: the storage rule gives 0.13, where ties to even would give 0.12.
    addSite(100);
    const int type = addType(QStringLiteral("99 99 02"), QStringLiteral("0"), "1.00");
    const int odpdId = addWaste(*odpady_->qryOdpd(), type, "0,125");
    QCOMPARE(stored(QStringLiteral("SELECT odpd_oplata FROM odpady WHERE odpd_id = %1").arg(odpdId)),
             Dec("0.13"));
    // A typed mass with more decimals than its column is charged as stored.
    Query& q = *odpady_->qryOdpd();
    q.edit();
    setText(q, "odpd_masa", QStringLiteral("0,1254"));
    q.post();
    QCOMPARE(stored(QStringLiteral("SELECT odpd_masa FROM odpady WHERE odpd_id = %1").arg(odpdId)),
             Dec("0.125"));
    QCOMPARE(stored(QStringLiteral("SELECT odpd_oplata FROM odpady WHERE odpd_id = %1").arg(odpdId)),
             Dec("0.13"));
}

void TestTdmfZestOdpady::siteFeeFollowsSavesAndDeletions() {
    const int skodId = addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "10.00");
    const int b = addType(QStringLiteral("99 99 02"), QStringLiteral("0"), "20.00");
    auto siteFee = [&] {
        return stored(
            QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId));
    };
    addWaste(*odpady_->qryOdpd(), a, "1");   // 10.00
    addWaste(*odpady_->qryOdpdNs(), b, "2"); // 40.00
    addWaste(*odpady_->qryOdpdNs(), a, "3"); // 30.00
    QCOMPARE(siteFee(), Dec("80.00"));
    Query& ns = *odpady_->qryOdpdNs();
    ns.first();
    ns.edit();
    setText(ns, "odpd_masa", QStringLiteral("1"));
    ns.post();
    QCOMPARE(siteFee(), Dec("60.00"));
    ns.deleteRecord();
    QCOMPARE(siteFee(), Dec("40.00"));
    odpady_->qryOdpd()->deleteRecord();
    QCOMPARE(siteFee(), Dec("30.00"));
    QCOMPARE(odpady_->qrySklOdpd()->fieldByName(N("skod_oplata")).asDecimal(), Dec("30.00"));
    // Removed waste owes nothing.
    odpady_->DodajOdpad(*odpady_->qryOdpdW(), b);
    odpady_->qryOdpdW()->deleteRecord();
    QCOMPARE(siteFee(), Dec("30.00"));
}

void TestTdmfZestOdpady::coefficientWalkSavesEveryRow() {
    const int skodId = addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "20.00");
    const int b = addType(QStringLiteral("99 99 02"), QStringLiteral("1"), "10.00");
    addWaste(*odpady_->qryOdpd(), a, "5", "0", "30");
    addWaste(*odpady_->qryOdpd(), b, "10", "20", "10");
    addWaste(*odpady_->qryOdpdNs(), a, "2", "0", "4");
    odpady_->qryOdpd()->first();
    const QVariant current = odpady_->qryOdpd()->fieldByName(N("odpd_id")).value();
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        Dec("220.00")); // 100 + 80 + 40

    Query& site = *odpady_->qrySklOdpd();
    site.edit();
    site.fieldByName(N("skod_wrodpd_id")).setValue(101);
    QCOMPARE(site.fieldByName(N("wrodpd_wartosc")).asDecimal(), Dec("0.05"));
    // The current row stays current.
    QCOMPARE(odpady_->qryOdpd()->fieldByName(N("odpd_id")).value(), current);
    // Every row of both lists is stored with the new coefficient and fee, the last one included.
    for (Query* list : {odpady_->qryOdpd(), odpady_->qryOdpdNs()}) {
        QCOMPARE(list->state(), DataSetState::Browse);
        for (list->first(); !list->eof(); list->next())
            QCOMPARE(list->fieldByName(N("odpd_wsp_rozn")).asDecimal(), Dec("0.05"));
    }
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM odpady WHERE odpd_skod_id = %1 AND odpd_wsp_rozn = 0.05")
                  .arg(skodId)),
        3);
    // 5 × 0.05 × 20 × 30 = 150; 8 × 0.05 × 10 × 10 = 40; 2 × 0.05 × 20 × 4 = 8.
    QCOMPARE(
        stored(QStringLiteral("SELECT SUM(odpd_oplata) FROM odpady WHERE odpd_skod_id = %1").arg(skodId)),
        Dec("198.00"));
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        Dec("198.00"));
    QCOMPARE(site.fieldByName(N("skod_oplata")).asDecimal(), Dec("198.00"));
    // The site is saved by the user and keeps the fee.
    QVERIFY(site.isEditing());
    site.post();
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        Dec("198.00"));
    QCOMPARE(
        count(QStringLiteral("SELECT skod_wrodpd_id FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        101);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTdmfZestOdpady::cancellingTheStatusBringsTheRowsBack() {
    const int skodId = addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "20.00");
    addWaste(*odpady_->qryOdpd(), a, "5", "0", "30");
    addWaste(*odpady_->qryOdpdNs(), a, "1", "0", "30");
    Query& site = *odpady_->qrySklOdpd();
    site.edit();
    site.fieldByName(N("skod_wrodpd_id")).setValue(104);
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        Dec("540.00")); // 6 × 0.15 × 20 × 30
    site.cancel();
    QCOMPARE(site.fieldByName(N("skod_wrodpd_id")).asInteger(), 100);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM odpady WHERE odpd_skod_id = %1 AND odpd_wsp_rozn = 0")
                       .arg(skodId)),
             2);
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        Dec("120.00"));
    QCOMPARE(site.fieldByName(N("skod_oplata")).asDecimal(), Dec("120.00"));
}

void TestTdmfZestOdpady::failedWalkKeepsNothing() {
    const int skodId = addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "20.00");
    const int b = addType(QStringLiteral("99 99 02"), QStringLiteral("0"), "20.00");
    addWaste(*odpady_->qryOdpd(), a, "5", "0", "30");
    const int bad = addWaste(*odpady_->qryOdpd(), b, "1", "0", "30");
    // A row stored before water content was checked cannot be saved again as it is.
    cn().run(QStringLiteral("UPDATE odpady SET odpd_stan_uwodnienia = 150 WHERE odpd_id = ?"), {bad});
    Query& list = *odpady_->qryOdpd();
    list.refresh();
    Query& site = *odpady_->qrySklOdpd();
    site.edit();
    try {
        site.fieldByName(N("skod_wrodpd_id")).setValue(101);
        QFAIL("the walk went through a row out of range");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), QStringLiteral("Stan uwodnienia musi mieścić się w granicach od 0 do 100 %."));
    }
    // Nothing of the walk is stored, and the lists show what is.
    QCOMPARE(list.state(), DataSetState::Browse);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM odpady WHERE odpd_skod_id = %1 AND odpd_wsp_rozn = 0")
                       .arg(skodId)),
             2);
    for (list.first(); !list.eof(); list.next())
        QCOMPARE(list.fieldByName(N("odpd_wsp_rozn")).asDecimal(), Decimal());
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        Dec("120.00"));
    QCOMPARE(site.fieldByName(N("skod_oplata")).asDecimal(), Dec("120.00"));
    site.cancel();
    QCOMPARE(site.fieldByName(N("skod_wrodpd_id")).asInteger(), 100);
}

void TestTdmfZestOdpady::componentsGiveMassAndRate() {
    const int skodId = addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "15.00");
    const int b = addType(QStringLiteral("99 99 02"), QStringLiteral("0"), "40.00");
    Query& mixed = *odpady_->qryOdpdNs();
    const int odpdId = addWaste(mixed, a, "2");
    QVERIFY(odpady_->PrzygotujSkladniki());
    Query& parts = *odpady_->qryOdpdS();
    parts.close();
    parts.open();
    QCOMPARE(parts.recordCount(), 1);
    QCOMPARE(parts.fieldByName(N("odpdsk_masa")).asDecimal(), Dec("2"));
    QCOMPARE(parts.fieldByName(N("odpdsk_jedn_st_opl")).asDecimal(), Dec("15.00"));

    odpady_->DodajSkladnik(b);
    QCOMPARE(parts.fieldByName(N("odpdsk_masa")).asDecimal(), Decimal());
    parts.edit();
    setText(parts, "odpdsk_masa", QStringLiteral("3"));
    parts.post();
    QCOMPARE(mixed.state(), DataSetState::Browse);
    QCOMPARE(stored(QStringLiteral("SELECT odpd_masa FROM odpady WHERE odpd_id = %1").arg(odpdId)), Dec("5"));
    QCOMPARE(stored(QStringLiteral("SELECT odpd_jedn_st_opl FROM odpady WHERE odpd_id = %1").arg(odpdId)),
             Dec("40.00"));
    QCOMPARE(stored(QStringLiteral("SELECT odpd_oplata FROM odpady WHERE odpd_id = %1").arg(odpdId)),
             Dec("200.00"));
    QCOMPARE(
        stored(QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = %1").arg(skodId)),
        Dec("200.00"));
    QCOMPARE(mixed.fieldByName(N("odpd_masa")).asDecimal(), Dec("5"));
    // The components are listed by rate, highest first.
    parts.refresh();
    parts.first();
    QCOMPARE(parts.fieldByName(N("odpdsk_sotl_id")).asInteger(), b);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTdmfZestOdpady::ownComponentAddedOnce() {
    addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "15.00");
    const int b = addType(QStringLiteral("99 99 02"), QStringLiteral("0"), "40.00");
    const int odpdId = addWaste(*odpady_->qryOdpdNs(), a, "2");
    QVERIFY(odpady_->PrzygotujSkladniki());
    QVERIFY(!odpady_->PrzygotujSkladniki());
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM odpady_skladowe WHERE odpdsk_odpd_id = %1").arg(odpdId)),
        1);
    // Nor once its own component was deleted from a mixture of others: its mass already is theirs.
    Query& parts = *odpady_->qryOdpdS();
    odpady_->DodajSkladnik(b);
    parts.edit();
    setText(parts, "odpdsk_masa", QStringLiteral("3"));
    parts.post();
    QVERIFY(parts.locate(N("odpdsk_sotl_id"), a));
    parts.deleteRecord();
    QCOMPARE(stored(QStringLiteral("SELECT odpd_masa FROM odpady WHERE odpd_id = %1").arg(odpdId)), Dec("3"));
    QVERIFY(!odpady_->PrzygotujSkladniki());
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM odpady_skladowe WHERE odpdsk_odpd_id = %1").arg(odpdId)),
        1);
}

void TestTdmfZestOdpady::deletingTheLastComponentKeepsTheValues() {
    addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "15.00");
    const int b = addType(QStringLiteral("99 99 02"), QStringLiteral("0"), "40.00");
    const int odpdId = addWaste(*odpady_->qryOdpdNs(), a, "2");
    odpady_->PrzygotujSkladniki();
    Query& parts = *odpady_->qryOdpdS();
    parts.close();
    parts.open();
    odpady_->DodajSkladnik(b);
    parts.edit();
    setText(parts, "odpdsk_masa", QStringLiteral("3"));
    parts.post();
    while (!parts.isEmpty())
        parts.deleteRecord();
    QCOMPARE(stored(QStringLiteral("SELECT odpd_masa FROM odpady WHERE odpd_id = %1").arg(odpdId)), Dec("2"));
    QCOMPARE(stored(QStringLiteral("SELECT odpd_jedn_st_opl FROM odpady WHERE odpd_id = %1").arg(odpdId)),
             Dec("15.00"));
}

void TestTdmfZestOdpady::duplicateTypeRefused_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("message");
    QTest::newRow("selective")
        << "qryOdpd"
        << "Odpad o kodzie 99 99 01 jest już na liście odpadów składowanych selektywnie tego "
           "składowiska.";
    QTest::newRow("non-selective") << "qryOdpdNs"
                                   << "Odpad o kodzie 99 99 01 jest już na liście odpadów składowanych "
                                      "nieselektywnie tego składowiska.";
    QTest::newRow("removed")
        << "qryOdpdW"
        << "Odpad o kodzie 99 99 01 jest już na liście odpadów wydobytych tego składowiska.";
    QTest::newRow("component") << "qryOdpdS"
                               << "Odpad o kodzie 99 99 01 jest już składnikiem tego odpadu.";
}

void TestTdmfZestOdpady::duplicateTypeRefused() {
    QFETCH(QString, list);
    QFETCH(QString, message);
    addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "15.00");
    const int b = addType(QStringLiteral("99 99 02"), QStringLiteral("0"), "15.00");
    Query* q = odpady_->findChild<Query*>(list);
    QVERIFY(q);
    std::function<void()> add;
    if (q == odpady_->qryOdpdS()) {
        odpady_->DodajOdpad(*odpady_->qryOdpdNs(), b);
        odpady_->DodajSkladnik(a);
        add = [&] { odpady_->DodajSkladnik(a); };
    } else {
        odpady_->DodajOdpad(*q, a);
        add = [&] { odpady_->DodajOdpad(*q, a); };
    }
    const int rows = q->recordCount();
    try {
        add();
        QFAIL("a second row of the same type was saved");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(q->state(), DataSetState::Browse);
    QCOMPARE(q->recordCount(), rows);
    QCOMPARE(count(QStringLiteral(
                       "SELECT (SELECT COUNT(*) FROM odpady WHERE odpd_sotl_id = %1) + (SELECT COUNT(*) "
                       "FROM odpady_skladowe WHERE odpdsk_sotl_id = %1) + (SELECT COUNT(*) FROM "
                       "odpady_wydobyte WHERE odpdw_sotl_id = %1) FROM RDB$DATABASE")
                       .arg(a)),
             1);
    // The same type in the other list of the site is another row.
    if (q == odpady_->qryOdpd())
        odpady_->DodajOdpad(*odpady_->qryOdpdNs(), a);
}

void TestTdmfZestOdpady::failedSaveCancelsTheNewRow() {
    const int skodId = addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("0"), "15.00");
    // The site is gone from the database behind the window's back: its rows cannot be stored.
    const int mixed = addWaste(*odpady_->qryOdpdNs(), a, "1");
    cn().run(QStringLiteral("DELETE FROM skladowiska_odpd WHERE skod_id = ?"), {skodId});
    for (Query* list : {odpady_->qryOdpd(), odpady_->qryOdpdW()}) {
        const int rows = list->recordCount();
        QVERIFY_THROWS_EXCEPTION(DataError, odpady_->DodajOdpad(*list, a));
        QCOMPARE(list->state(), DataSetState::Browse);
        QCOMPARE(list->recordCount(), rows);
    }
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM odpady_skladowe WHERE odpdsk_odpd_id = %1").arg(mixed)),
        0);
    QVERIFY_THROWS_EXCEPTION(DataError, odpady_->DodajSkladnik(a));
    QCOMPARE(odpady_->qryOdpdS()->state(), DataSetState::Browse);
    QVERIFY(odpady_->qryOdpdS()->isEmpty());
}

void TestTdmfZestOdpady::outOfRangeRefused_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString water = QStringLiteral("Stan uwodnienia musi mieścić się w granicach od 0 do 100 %.");
    QTest::newRow("water above 100") << "qryOdpd"
                                     << "odpd_stan_uwodnienia"
                                     << "100,01" << water;
    QTest::newRow("water below 0") << "qryOdpdNs"
                                   << "odpd_stan_uwodnienia"
                                   << "-1" << water;
    QTest::newRow("negative mass") << "qryOdpd"
                                   << "odpd_masa"
                                   << "-0,001"
                                   << "Masa odpadu nie może być ujemna.";
    QTest::newRow("negative days") << "qryOdpdNs"
                                   << "odpd_liczba_dob"
                                   << "-1"
                                   << "Liczba dób nie może być ujemna.";
    QTest::newRow("negative component") << "qryOdpdS"
                                        << "odpdsk_masa"
                                        << "-2"
                                        << "Masa odpadu nie może być ujemna.";
    QTest::newRow("negative stored mass") << "qryOdpdW"
                                          << "odpdw_masa_zesklad"
                                          << "-1"
                                          << "Masa zeskładowana nie może być ujemna.";
    QTest::newRow("negative removed mass") << "qryOdpdW"
                                           << "odpdw_masa_wydob"
                                           << "-1"
                                           << "Masa wydobyta nie może być ujemna.";
}

void TestTdmfZestOdpady::outOfRangeRefused() {
    QFETCH(QString, list);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    addSite(100);
    const int a = addType(QStringLiteral("99 99 01"), QStringLiteral("1"), "15.00");
    Query* q = odpady_->findChild<Query*>(list);
    if (q == odpady_->qryOdpdS()) {
        odpady_->DodajOdpad(*odpady_->qryOdpdNs(), a);
        odpady_->DodajSkladnik(a);
    } else {
        odpady_->DodajOdpad(*q, a);
    }
    const QString key = q->fields().front()->name();
    const QVariant id = q->fieldByName(key).value();
    // Typed: refused with the message, the value stays.
    q->edit();
    try {
        q->fieldByName(field).setText(text);
        QFAIL("the value was taken");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(q->fieldByName(field).asDecimal(), Decimal());
    // Set however else: the row is not saved.
    q->fieldByName(field).setValue(Decimal::fromText(text)->toVariant());
    try {
        q->post();
        QFAIL("the row was saved");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), message);
    }
    q->cancel();
    const QString table = q == odpady_->qryOdpdS()   ? QStringLiteral("odpady_skladowe")
                          : q == odpady_->qryOdpdW() ? QStringLiteral("odpady_wydobyte")
                                                     : QStringLiteral("odpady");
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = %3 AND %4 = 0")
                       .arg(table, key, id.toString(), field)),
             1);
    // The edges of the range are taken.
    if (field == QLatin1String("odpd_stan_uwodnienia")) {
        q->edit();
        q->fieldByName(field).setText(QStringLiteral("100"));
        q->post();
        QCOMPARE(q->fieldByName(N("odpd_oplata")).asDecimal(), Decimal());
    }
}

void TestTdmfZestOdpady::bindingApprovalAndPermit() {
    const int skodId = addSite(100);
    cn().execute(QStringLiteral("INSERT INTO decyzje_odpd (dcodpd_id, dcodpd_pdm_id, dcodpd_rdodpd_id, "
                                "dcodpd_numer, dcodpd_data_wyd, "
                                "dcodpd_organ_wyd, dcodpd_term_obow_0, dcodpd_term_obow_1) VALUES (5001, "
                                "2001, 100, 'OŚ.7650/1/2011', "
                                "'2011-03-01', 'Marszałek Województwa', '2011-04-01', '2021-03-31')"));
    cn().execute(QStringLiteral(
        "INSERT INTO decyzje_odpd (dcodpd_id, dcodpd_pdm_id, dcodpd_rdodpd_id, dcodpd_numer, "
        "dcodpd_data_wyd, "
        "dcodpd_organ_wyd, dcodpd_term_obow_0, dcodpd_term_obow_1) VALUES (5002, 2001, 102, 'PZ 12/2012', "
        "'2012-01-10', 'Wojewoda', '2012-02-01', '2022-01-31')"));
    Query acts(cn());
    acts.setSql(QStringLiteral("SELECT * FROM decyzje_odpd ORDER BY dcodpd_id"));
    acts.open();
    Query& site = *odpady_->qrySklOdpd();
    odpady_->WstawDecyzje(acts);
    QVERIFY(site.isEditing());
    QCOMPARE(site.fieldByName(N("d_dcodpd_numer")).asString(), QStringLiteral("OŚ.7650/1/2011"));
    QCOMPARE(site.fieldByName(N("d_dcodpd_term_obow_1")).displayText(), QStringLiteral("31.03.2021"));
    acts.next();
    odpady_->WstawZezwolenie(acts);
    QCOMPARE(site.fieldByName(N("p_dcodpd_organ_wyd")).asString(), QStringLiteral("Wojewoda"));
    site.post();
    site.refresh();
    QVERIFY(site.locate(N("skod_id"), skodId));
    QCOMPARE(site.fieldByName(N("d_dcodpd_organ_wyd")).asString(), QStringLiteral("Marszałek Województwa"));
    QCOMPARE(site.fieldByName(N("p_dcodpd_numer")).asString(), QStringLiteral("PZ 12/2012"));

    // A permit bound as the approval shows as empty: the approval is of kind 100 only.
    odpady_->WstawDecyzje(acts);
    site.post();
    site.refresh();
    QVERIFY(site.fieldByName(N("d_dcodpd_numer")).isNull());

    odpady_->UsunDecyzje();
    odpady_->UsunZezwolenie();
    QVERIFY(site.fieldByName(N("p_dcodpd_numer")).isNull());
    site.post();
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM skladowiska_odpd WHERE skod_id = %1 AND "
                                  "skod_dcodpd_decyzja_id IS NULL AND skod_dcodpd_zezwolenie_id IS NULL")
                       .arg(skodId)),
             1);
}

void TestTdmfZestOdpady::siteLocksTheRateYear() {
    QVERIFY(!dm_->RokStOplZablokowany());
    addSite(100);
    QVERIFY(dm_->RokStOplZablokowany());
    odpady_->qrySklOdpd()->deleteRecord();
    QVERIFY(!dm_->RokStOplZablokowany());
}

QTEST_GUILESS_MAIN(TestTdmfZestOdpady)
#include "tst_TdmfZestOdpady.moc"
