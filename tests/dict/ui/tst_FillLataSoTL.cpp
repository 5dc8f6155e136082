// The pick list of rate years that have a waste catalogue.

#include "dict/ui/FillLataSoTL.h"
#include "forms/ui/FillIdNameCombo.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QtTest>

class TestFillLataSoTL : public QObject {
    Q_OBJECT
private slots:
    void fillsAscendingAndSelects_data();
    void fillsAscendingAndSelects();
};

void TestFillLataSoTL::fillsAscendingAndSelects_data() {
    QTest::addColumn<int>("selectRokId");
    QTest::addColumn<int>("expectedIndex");
    QTest::newRow("2010") << 1009 << 0;
    QTest::newRow("2011") << 1001 << 1;
    QTest::newRow("2012") << 1002 << 2;
    QTest::newRow("year without catalogue") << 1003 << -1;
    QTest::newRow("no year") << 0 << -1;
}

void TestFillLataSoTL::fillsAscendingAndSelects() {
    QFETCH(int, selectRokId);
    QFETCH(int, expectedIndex);
    TestDatabase db;
    db.createAtVersion(7);
    // A year added by a user without a waste catalogue, and an earlier year under a later key with
    // one catalogue row: the list goes by year, not by key.
    Connection& cn = db.connection();
    cn.execute("INSERT INTO lata (rok_id, rok_nazwa, rok_f_aktualny, rok_lp) VALUES (1003, 2013, 1, 20)");
    cn.execute("INSERT INTO lata (rok_id, rok_nazwa, rok_f_aktualny, rok_lp) VALUES (1009, 2010, 1, 5)");
    cn.execute("INSERT INTO so_tabela_l (sotl_id, sotl_lp_tbl, sotl_kod, sotl_rodzaj, sotl_jedn_st_opl, "
               "sotl_h_poziom, sotl_h_grupa, sotl_h_podgrupa, sotl_przypis, sotl_f_aktualny, sotl_lp, "
               "sotl_rok_id) SELECT FIRST 1 9000, sotl_lp_tbl, sotl_kod, sotl_rodzaj, sotl_jedn_st_opl, "
               "sotl_h_poziom, sotl_h_grupa, sotl_h_podgrupa, sotl_przypis, sotl_f_aktualny, sotl_lp, 1009 "
               "FROM so_tabela_l WHERE sotl_rok_id = 1001");
    QComboBox combo;
    combo.addItem("stara pozycja");
    combo.setCurrentIndex(0);

    FillLataSoTL(&combo, selectRokId);

    const QList<std::pair<int, QString>> expected{{1009, "2010"}, {1001, "2011"}, {1002, "2012"}};
    QCOMPARE(combo.count(), expected.size());
    for (int i = 0; i < combo.count(); ++i) {
        QCOMPARE(combo.itemText(i), expected[i].second);
        QCOMPARE(ComboItem(&combo, i).id, expected[i].first);
        QCOMPARE(ComboItem(&combo, i).name, expected[i].second);
    }
    QCOMPARE(combo.currentIndex(), expectedIndex);
}

QTEST_MAIN(TestFillLataSoTL)
#include "tst_FillLataSoTL.moc"
