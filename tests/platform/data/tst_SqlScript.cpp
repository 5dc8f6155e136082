// Splitting and running SQL scripts: terminators, SET TERM, comments, literals, multi-line statements.

#include "platform/data/ScriptRunner.h"
#include "platform/data/SqlScript.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

class TestSqlScript : public QObject {
    Q_OBJECT
private slots:
    void splits_data();
    void splits();
    void runsEveryConventionOnTheEngine();
    void stopsAtTheFailingStatement();
};

void TestSqlScript::splits_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");

    QTest::newRow("terminator and blank lines")
        << "CREATE TABLE a (x INTEGER);\n\n\nINSERT INTO a VALUES (1);\n"
        << QStringList{"CREATE TABLE a (x INTEGER)", "INSERT INTO a VALUES (1)"};
    QTest::newRow("comment lines separate groups")
        << "-- tables\nCREATE TABLE a (x INTEGER);\n-- rows; with a terminator in the comment\nINSERT INTO a "
           "VALUES (1);"
        << QStringList{"CREATE TABLE a (x INTEGER)", "INSERT INTO a VALUES (1)"};
    QTest::newRow("statement over several lines") << "INSERT INTO a (x,\n  y)\nVALUES (1,\n  2);"
                                                  << QStringList{"INSERT INTO a (x,\n  y)\nVALUES (1,\n  2)"};
    QTest::newRow("terminator and doubled quote inside a literal")
        << "INSERT INTO t VALUES ('a;b', 'it''s; fine', '--not a comment');\nSELECT 1 FROM RDB$DATABASE;"
        << QStringList{"INSERT INTO t VALUES ('a;b', 'it''s; fine', '--not a comment')",
                       "SELECT 1 FROM RDB$DATABASE"};
    QTest::newRow("set term for a body")
        << "SET TERM ^ ;\nCREATE PROCEDURE p AS\nBEGIN\n  EXIT;\nEND^\nSET TERM ; ^\nSELECT 1 FROM "
           "RDB$DATABASE;"
        << QStringList{"CREATE PROCEDURE p AS\nBEGIN\n  EXIT;\nEND", "SELECT 1 FROM RDB$DATABASE"};
    QTest::newRow("set term in small letters")
        << "set term !! ;\nA!!\nset term ; !!\nB;" << QStringList{"A", "B"};
    QTest::newRow("last statement without terminator") << "A;\nB" << QStringList{"A", "B"};
    QTest::newRow("empty") << "\n-- nothing\n\n" << QStringList{};
}

void TestSqlScript::splits() {
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QCOMPARE(SplitSqlScript(script), statements);
}

void TestSqlScript::runsEveryConventionOnTheEngine() {
    TestDatabase db;
    db.create();
    const QString script =
        QStringLiteral("-- a table and its generator\n"
                       "CREATE TABLE t (\n"
                       "  t_id INTEGER NOT NULL,\n"
                       "  t_nazwa VARCHAR(40));\n"
                       "\n"
                       "create generator G_T;\n"
                       "SET GENERATOR g_t TO 1000;\n"
                       "INSERT INTO T (T_ID, T_NAZWA) VALUES (100, 'Zażółć; gęślą ''jaźń''');\n"
                       "SET TERM ^ ;\n"
                       "CREATE PROCEDURE dodaj (n VARCHAR(40)) AS\n"
                       "BEGIN\n"
                       "  INSERT INTO t (t_id, t_nazwa) VALUES (GEN_ID(g_t, 1), :n);\n"
                       "END^\n"
                       "SET TERM ; ^\n"
                       "EXECUTE PROCEDURE dodaj('druga;');\n");
    ScriptRunner(db.connection()).runText(script);

    QSqlQuery q = db.connection().run(QStringLiteral("SELECT t_id, t_nazwa FROM t ORDER BY t_id"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 100);
    QCOMPARE(q.value(1).toString(), QStringLiteral("Zażółć; gęślą 'jaźń'"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1001);
    QCOMPARE(q.value(1).toString(), QStringLiteral("druga;"));
}

void TestSqlScript::stopsAtTheFailingStatement() {
    TestDatabase db;
    db.create();
    ScriptRunner runner(db.connection());
    try {
        runner.runText(QStringLiteral("CREATE TABLE a (x INTEGER);\nINSERT INTO a VALUES (1);\n"
                                      "INSERT INTO nie_ma VALUES (2);\nINSERT INTO a VALUES (3);"));
        QFAIL("the script should have failed");
    } catch (const ScriptError& e) {
        QCOMPARE(e.index(), 2);
        QVERIFY(e.message().contains(QStringLiteral("NIE_MA")));
    }
    // What ran before the failing statement stays committed; nothing after it ran.
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM a")), 1);
}

QTEST_GUILESS_MAIN(TestSqlScript)
#include "tst_SqlScript.moc"
