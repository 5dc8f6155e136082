// The program's own upgrade scripts, interrupted in the middle of each step, resume and reach a
// database identical in content to one upgraded without interruption.

#include "app/TdmfDbUpGrade.h"
#include "platform/data/SqlScript.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

// Row counts of every table of the database (the progress table of the driver excluded).
QMap<QString, int> Fingerprint(Connection& connection) {
    QStringList tables;
    QSqlQuery q = connection.run(QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS "
                                                "WHERE RDB$SYSTEM_FLAG = 0 AND RDB$VIEW_BLR IS NULL"));
    while (q.next())
        tables << q.value(0).toString();
    QMap<QString, int> counts;
    for (const QString& table : tables)
        if (table != QLatin1String("DB_VER_KROK"))
            counts.insert(table,
                          connection.selectValue(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt());
    return counts;
}

} // namespace

class TestUpgradeResume : public QObject {
    Q_OBJECT
private slots:
    void interruptedStepResumes_data();
    void interruptedStepResumes();
};

void TestUpgradeResume::interruptedStepResumes_data() {
    QTest::addColumn<int>("from");
    for (int from = 1; from <= 6; ++from)
        QTest::newRow(qPrintable(QStringLiteral("%1 -> %2").arg(from).arg(from + 1))) << from;
}

void TestUpgradeResume::interruptedStepResumes() {
    QFETCH(int, from);
    TestDatabase reference;
    reference.createAtVersion(7);
    const QMap<QString, int> expected = Fingerprint(reference.connection());

    TestDatabase db;
    db.createAtVersion(from);
    ScriptedMessages messages;
    {
        TdmfDbUpGrade upgrade(db.connection(), messages);
        const int middle = int(SplitSqlScript(upgrade.step(from).script).size() / 2);
        upgrade.beforeStatement = [from, middle](int step, int index, const QString&) {
            if (step == from && index == middle)
                throw DataError(QStringLiteral("przerwano"));
        };
        QVERIFY(!upgrade.Run(from));
    }
    QCOMPARE(messages.log(),
             QStringList{QStringLiteral("error|Błąd|Błąd aktualizacji bazy danych (%1 -> %2): przerwano")
                             .arg(from)
                             .arg(from + 1)});
    QCOMPARE(db.scalar(QStringLiteral("SELECT metadata FROM db_ver")), from);

    messages.shown.clear();
    QVERIFY2(TdmfDbUpGrade(db.connection(), messages).Run(from), qPrintable(messages.log().join('\n')));
    QCOMPARE(db.scalar(QStringLiteral("SELECT metadata FROM db_ver")), 7);
    QCOMPARE(Fingerprint(db.connection()), expected);
}

QTEST_GUILESS_MAIN(TestUpgradeResume)
#include "tst_UpgradeResume.moc"
