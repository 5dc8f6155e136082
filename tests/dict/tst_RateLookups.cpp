// Unit rates and coefficients of the sewage and waste fees, read by rate year and code from a
// database at the current version (2011 rates under key 1001, 2012 rates under key 1002).

#include "dict/RateLookups.h"
#include "support/TestDatabase.h"

#include <QScopeGuard>
#include <QtTest>

namespace {
constexpr int k2011 = 1001;
constexpr int k2012 = 1002;
} // namespace

class TestRateLookups : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void coolingWaterRate_data();
    void coolingWaterRate();
    void tableRate_data();
    void tableRate();
    void indicatorRate_data();
    void indicatorRate();
    void sewageCoefficient_data();
    void sewageCoefficient();
    void coefficientsByKey();
    void yearWithoutRatesGivesZero();
    void noQueryWhereTheAnswerIsFixed();
    void yearsWithWasteCatalogue();

private:
    std::unique_ptr<TestDatabase> db_;
};

void TestRateLookups::initTestCase() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    db_->connection();
}

void TestRateLookups::cleanupTestCase() {
    db_.reset();
}

void TestRateLookups::coolingWaterRate_data() {
    QTest::addColumn<double>("temperature");
    QTest::addColumn<int>("rokId");
    QTest::addColumn<double>("expected");
    struct Year {
        const char* name;
        int id;
        double band1, band2, band3;
    };
    for (const Year& y : {Year{"2011", k2011, 0.60, 1.22, 3.78}, Year{"2012", k2012, 0.62, 1.25, 3.88}}) {
        auto row = [&](const char* what, double t, double expected) {
            QTest::addRow("%s %s", y.name, what) << t << y.id << expected;
        };
        row("-5.0", -5.0, 0.0);
        row("26.0", 26.0, 0.0);
        row("26.01", 26.01, y.band1);
        row("32.0", 32.0, y.band1);
        row("32.01", 32.01, y.band2);
        row("35.0", 35.0, y.band2);
        row("35.01", 35.01, y.band3);
        row("90.0", 90.0, y.band3);
    }
}

void TestRateLookups::coolingWaterRate() {
    QFETCH(double, temperature);
    QFETCH(int, rokId);
    QFETCH(double, expected);
    QCOMPARE(GetStawkaTempWody(temperature, rokId), expected);
    QCOMPARE(GetStawkaTempWody(db_->connection(), temperature, rokId), expected);
}

void TestRateLookups::tableRate_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("kod");
    QTest::addColumn<int>("rokId");
    QTest::addColumn<double>("expected");
    QTest::newRow("a BZT5 2011") << "a"
                                 << "BZT5" << k2011 << 3.82;
    QTest::newRow("a BZT5 2012") << "a"
                                 << "BZT5" << k2012 << 3.92;
    QTest::newRow("a Cl+SO4-RZGW-Gd 2011") << "a"
                                           << "Cl+SO4-RZGW-Gd" << k2011 << 0.0127;
    QTest::newRow("b FENOLE-LOTNE 2011") << "b"
                                         << "FENOLE-LOTNE" << k2011 << 40.68;
    QTest::newRow("b FENOLE-LOTNE 2012") << "b"
                                         << "FENOLE-LOTNE" << k2012 << 41.74;
    QTest::newRow("a code of table b") << "a"
                                       << "FENOLE-LOTNE" << k2012 << 0.0;
    QTest::newRow("unknown code") << "a"
                                  << "XYZ" << k2012 << 0.0;
    QTest::newRow("code longer than the column") << "b"
                                                 << "INNE-SUBSTANCJE-XX" << k2012 << 0.0;
    QTest::newRow("letter x") << "x"
                              << "BZT5" << k2012 << 0.0;
    QTest::newRow("upper-case letter") << "A"
                                       << "BZT5" << k2012 << 0.0;
    QTest::newRow("year key without rates") << "a"
                                            << "BZT5" << 999 << 0.0;
    QTest::newRow("c cooling water") << "c"
                                     << "TEMP_26_32" << k2012 << 0.0;
}

void TestRateLookups::tableRate() {
    QFETCH(QString, table);
    QFETCH(QString, kod);
    QFETCH(int, rokId);
    QFETCH(double, expected);
    QCOMPARE(GetStawkaSoTab(table, kod, rokId), expected);
}

void TestRateLookups::indicatorRate_data() {
    QTest::addColumn<int>("indicator");
    QTest::addColumn<int>("rzgwId");
    QTest::addColumn<int>("rokId");
    QTest::addColumn<double>("expected");
    struct Year {
        const char* name;
        int id;
        double bzt5, chzt, zo, clso4, clso4Gdansk, fenole, inne;
    };
    for (const Year& y : {Year{"2011", k2011, 3.82, 1.52, 0.47, 0.045, 0.0127, 40.68, 111.25},
                          Year{"2012", k2012, 3.92, 1.56, 0.48, 0.046, 0.0130, 41.74, 114.14}}) {
        auto row = [&](const char* what, int indicator, int rzgw, double expected) {
            QTest::addRow("%s %s", y.name, what) << indicator << rzgw << y.id << expected;
        };
        row("100 BZT5", 100, 101, y.bzt5);
        row("101 ChZT", 101, 101, y.chzt);
        row("102 ZO", 102, 101, y.zo);
        row("103 board 100 (Gdańsk)", 103, 100, y.clso4Gdansk);
        row("103 board 101", 103, 101, y.clso4);
        row("103 no board", 103, 0, y.clso4);
        row("104 phenols", 104, 100, y.fenole);
        row("105 arsenic", 105, 101, y.inne);
        row("108 cadmium", 108, 101, y.inne);
        row("115 others", 115, 101, y.inne);
        row("99 unknown", 99, 101, 0.0);
        row("116 unknown", 116, 101, 0.0);
    }
}

void TestRateLookups::indicatorRate() {
    QFETCH(int, indicator);
    QFETCH(int, rzgwId);
    QFETCH(int, rokId);
    QFETCH(double, expected);
    QCOMPARE(GetStawkaWskTA(indicator, rzgwId, rokId), expected);
    QCOMPARE(GetStawkaWskTA(db_->connection(), indicator, rzgwId, rokId), expected);
}

void TestRateLookups::sewageCoefficient_data() {
    QTest::addColumn<int>("indicator");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("expected");
    QTest::newRow("BZT5 domestic") << 100 << "a" << 0.3;
    QTest::newRow("BZT5 municipal") << 100 << "b" << 0.4;
    QTest::newRow("ChZT domestic") << 101 << "a" << 0.4;
    QTest::newRow("ChZT municipal") << 101 << "b" << 0.5;
    QTest::newRow("BZT5 kind c") << 100 << "c" << 1.0;
    QTest::newRow("BZT5 no kind") << 100 << "" << 1.0;
    QTest::newRow("suspended solids domestic") << 102 << "a" << 1.0;
    QTest::newRow("cadmium municipal") << 108 << "b" << 1.0;
}

void TestRateLookups::sewageCoefficient() {
    QFETCH(int, indicator);
    QFETCH(QString, kind);
    QFETCH(double, expected);
    QCOMPARE(GetWspRoznScWsk(indicator, kind), expected);
}

void TestRateLookups::coefficientsByKey() {
    QCOMPARE(GetWspRoznSc(103), 0.5);
    QCOMPARE(GetWspRoznSc(999), 0.0);
    QCOMPARE(GetWspRoznOdpd(100), 0.0);
    QCOMPARE(GetWspRoznOdpd(103), 0.10);
    QCOMPARE(GetWspRoznOdpd(106), 0.15);
    QCOMPARE(GetWspRoznOdpd(999), 0.0);

    // The coefficient is read as it stands, not as it was loaded.
    db_->connection().execute("UPDATE wsp_rozn_sc SET wrsc_wspolczynnik = 0.35 WHERE wrsc_id = 100");
    QCOMPARE(GetWspRoznScWsk(100, "a"), 0.35);
    db_->connection().execute("UPDATE wsp_rozn_sc SET wrsc_wspolczynnik = 0.3 WHERE wrsc_id = 100");
}

void TestRateLookups::yearWithoutRatesGivesZero() {
    db_->connection().execute(
        "INSERT INTO lata (rok_id, rok_nazwa, rok_f_aktualny, rok_lp) VALUES (1003, 2013, 1, 20)");
    for (double t : {26.01, 32.0, 35.0, 40.0})
        QCOMPARE(GetStawkaTempWody(t, 1003), 0.0);
    QCOMPARE(GetStawkaWskTA(103, 100, 1003), 0.0);
    QCOMPARE(GetStawkaWskTA(108, 101, 1003), 0.0);
    db_->connection().execute("DELETE FROM lata WHERE rok_id = 1003");
}

void TestRateLookups::noQueryWhereTheAnswerIsFixed() {
    // Without a connection any query would fail: these answers must come without one.
    SetMainConnection(nullptr);
    const auto restore = qScopeGuard([this] { SetMainConnection(&db_->connection()); });
    QCOMPARE(GetStawkaTempWody(26.0, k2012), 0.0);
    QCOMPARE(GetStawkaTempWody(-1.0, k2012), 0.0);
    QCOMPARE(GetStawkaWskTA(99, 100, k2012), 0.0);
    QCOMPARE(GetStawkaWskTA(116, 100, k2012), 0.0);
    QCOMPARE(GetStawkaSoTab("x", "BZT5", k2012), 0.0);
    QCOMPARE(GetWspRoznScWsk(100, "c"), 1.0);
    QCOMPARE(GetWspRoznScWsk(104, "a"), 1.0);
    // A lookup that has to ask fails loudly rather than answer 0.
    QVERIFY_THROWS_EXCEPTION(DataError, GetStawkaTempWody(26.01, k2012));
}

void TestRateLookups::yearsWithWasteCatalogue() {
    const QList<TIdName> expected{{k2011, "2011"}, {k2012, "2012"}};
    QCOMPARE(LataSoTL(), expected);
}

QTEST_GUILESS_MAIN(TestRateLookups)
#include "tst_RateLookups.moc"
