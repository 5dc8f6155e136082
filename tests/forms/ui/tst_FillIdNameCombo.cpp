// Filling an id/name drop-down list from a query.

#include "forms/ui/FillIdNameCombo.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QtTest>

class TestFillIdNameCombo : public QObject {
    Q_OBJECT
private slots:
    void fillsAndSelects();
};

void TestFillIdNameCombo::fillsAndSelects() {
    TestDatabase db;
    db.create("CREATE TABLE polrocza (pr_id INTEGER NOT NULL, pr_nazwa VARCHAR(20), pr_lp INTEGER);\n"
              "INSERT INTO polrocza VALUES (100, 'I półrocze', 10);\n"
              "INSERT INTO polrocza VALUES (101, 'II półrocze', 20);\n");
    Query q(db.connection());
    q.setSql("SELECT pr_id, pr_nazwa FROM polrocza ORDER BY pr_lp");
    QComboBox combo;
    combo.addItem("stara pozycja");

    FillIdNameCombo(&combo, q, "pr_id", 101, "pr_nazwa");
    QVERIFY(!q.isActive());
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(0), QStringLiteral("I półrocze"));
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(ComboItem(&combo, 1).id, 101);
    QCOMPARE(ComboItem(&combo, 1).name, QStringLiteral("II półrocze"));

    // An id that no row has leaves the list without a new selection.
    FillIdNameCombo(&combo, q, "pr_id", 999, "pr_nazwa");
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.currentIndex(), -1);
}

QTEST_MAIN(TestFillIdNameCombo)
#include "tst_FillIdNameCombo.moc"
