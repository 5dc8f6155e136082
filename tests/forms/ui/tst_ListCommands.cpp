// The commands of a list: navigation enabled only where it can move (toolbar and menu alike), edit and
// delete only on rows, and "&Refresh" coming back to the current row by its key.

#include "forms/DataHelpers.h"
#include "forms/ui/ListCommands.h"
#include "platform/data/DataSource.h"
#include "platform/data/Query.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

class TestListCommands : public QObject {
    Q_OBJECT
private slots:
    void navigationWhereItCanMove_data();
    void navigationWhereItCanMove();
    void refreshKeepsTheRowByKey_data();
    void refreshKeepsTheRowByKey();
};

namespace {

// "first prior next last popraw usun" as + (enabled) and - (disabled).
QString Enabled(const ListCommands& c) {
    QString s;
    for (QAction* a : {c.actFirst, c.actPrior, c.actNext, c.actLast, c.actPopraw, c.actAUUsun})
        s += a->isEnabled() ? u'+' : u'-';
    return s;
}

} // namespace

void TestListCommands::navigationWhereItCanMove_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("steps"); // f/p/n/l: navigation, d: delete the current row, a: append
    QTest::addColumn<QString>("enabled");
    QTest::newRow("empty list") << 0 << ""
                                << "------";
    QTest::newRow("one row") << 1 << ""
                             << "----++";
    QTest::newRow("first of three") << 3 << ""
                                    << "--++++";
    QTest::newRow("middle") << 3 << "n"
                            << "++++++";
    QTest::newRow("last") << 3 << "l"
                          << "++--++";
    QTest::newRow("back to first") << 3 << "lf"
                                   << "--++++";
    QTest::newRow("prior from last") << 3 << "lp"
                                     << "++++++";
    QTest::newRow("last deleted") << 3 << "ld"
                                  << "++--++";
    QTest::newRow("all deleted") << 2 << "dd"
                                 << "------";
    QTest::newRow("row appended") << 2 << "a"
                                  << "++--++";
    QTest::newRow("appended to an empty list") << 0 << "a"
                                               << "----++";
}

void TestListCommands::navigationWhereItCanMove() {
    QFETCH(int, rows);
    QFETCH(QString, steps);
    QFETCH(QString, enabled);

    TestDatabase db;
    QString script = "CREATE TABLE t (id INTEGER NOT NULL PRIMARY KEY, nazwa VARCHAR(20));\n";
    for (int i = 1; i <= rows; ++i)
        script += QStringLiteral("INSERT INTO t VALUES (%1, 'w%1');\n").arg(i);
    db.create(script);
    Query q(db.connection());
    q.setSql("SELECT id, nazwa FROM t ORDER BY id");
    q.setDeleteSql("DELETE FROM t WHERE id = :OLD_id");
    DataSource source;
    source.setDataSet(&q);
    QWidget scope;
    ListCommands commands(source, &scope, "act");
    QToolBar toolBar;
    commands.fillToolBar(&toolBar);
    QMenu menu;
    menu.addActions({commands.actFirst, commands.actPrior, commands.actNext, commands.actLast});
    q.open();

    ScopedScriptedMessages messages; // deletions are confirmed
    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case 'f':
            commands.actFirst->trigger();
            break;
        case 'p':
            commands.actPrior->trigger();
            break;
        case 'n':
            commands.actNext->trigger();
            break;
        case 'l':
            commands.actLast->trigger();
            break;
        case 'd':
            commands.actAUUsun->trigger();
            break;
        case 'a':
            q.append();
            break;
        }
    }
    QCOMPARE(Enabled(commands), enabled);
    // The toolbar's buttons and the menu's items are the same commands in the same state.
    for (QAction* a : {commands.actFirst, commands.actPrior, commands.actNext, commands.actLast}) {
        QCOMPARE(toolBar.widgetForAction(a)->isEnabled(), a->isEnabled());
        QVERIFY(menu.actions().contains(a));
    }
}

void TestListCommands::refreshKeepsTheRowByKey_data() {
    QTest::addColumn<QString>("keyField");
    QTest::addColumn<int>("expectedId");
    // A row that sorts before the current one arrives from elsewhere.
    QTest::newRow("by key") << "id" << 3;
    QTest::newRow("without a key, by position") << "" << 2;
}

void TestListCommands::refreshKeepsTheRowByKey() {
    QFETCH(QString, keyField);
    QFETCH(int, expectedId);
    TestDatabase db;
    db.create("CREATE TABLE t (id INTEGER NOT NULL PRIMARY KEY, nazwa VARCHAR(20));\n"
              "INSERT INTO t VALUES (1, 'Alfa');\n"
              "INSERT INTO t VALUES (3, 'Celina');\n"
              "INSERT INTO t VALUES (4, 'Dorota');\n");
    Query q(db.connection());
    q.setSql("SELECT id, nazwa FROM t");
    q.setSortedFields("nazwa");
    DataSource source;
    source.setDataSet(&q);
    QWidget scope;
    ListCommands commands(source, &scope, "act");
    commands.keyField = [keyField] { return keyField; };
    q.open();
    QVERIFY(q.locate("id", 3));
    QCOMPARE(q.recNo(), 1);
    db.connection().execute("INSERT INTO t VALUES (2, 'Beata')");
    commands.actRefresh->trigger();
    QCOMPARE(q.recordCount(), 4);
    QCOMPARE(q.fieldByName("id").asInteger(), expectedId);
}

QTEST_MAIN(TestListCommands)
#include "tst_ListCommands.moc"
