// Table definitions and totals kept one and two levels up: statements from one description, new keys,
// sums re-read after every save and delete in one transaction with the change, lists brought up to
// the stored totals, and the row signals that let a grid keep its place.

#include "platform/Decimal.h"
#include "platform/data/Query.h"
#include "platform/data/RollUp.h"
#include "platform/data/TableDef.h"
#include "support/TestDatabase.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Installations hold sources, sources hold substance fees; each level keeps the sum of the one below.
const char* const kSchema = R"(
CREATE TABLE inst (
  i_id INTEGER NOT NULL,
  i_suma NUMERIC(15,2) DEFAULT 0 NOT NULL,
  CONSTRAINT PK_inst PRIMARY KEY (i_id));
CREATE TABLE zrodla (
  zr_id INTEGER NOT NULL,
  zr_i_id INTEGER NOT NULL,
  zr_suma NUMERIC(15,2) DEFAULT 0 NOT NULL,
  CONSTRAINT PK_zrodla PRIMARY KEY (zr_id));
CREATE TABLE oplaty (
  op_id INTEGER NOT NULL,
  op_zr_id INTEGER NOT NULL,
  op_kwota NUMERIC(15,2) NOT NULL,
  CONSTRAINT PK_oplaty PRIMARY KEY (op_id),
  CONSTRAINT CK_oplaty CHECK (op_kwota < 100000));
CREATE GENERATOR g_oplaty;
SET GENERATOR g_oplaty TO 500;
INSERT INTO inst VALUES (1, 0);
INSERT INTO zrodla VALUES (10, 1, 0);
INSERT INTO zrodla VALUES (11, 1, 0);
)";

} // namespace

class TestRollUp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void statementsFromTheDefinition();
    void refusesNamesThatAreNotIdentifiers();
    void totalsFollowSavesAndDeletes();
    void failureLeavesNeitherHalf();
    void customTotal();
    void rowSignalsAroundInsertAndRemove();

private:
    Connection& cn() { return db_->connection(); }
    QString text(const QString& sql) { return QString::number(cn().selectValue(sql).toDouble(), 'f', 2); }
    void setUpLists();

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<Query> inst_, zrodla_, oplaty_;
};

void TestRollUp::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->create(QString::fromUtf8(kSchema));
}

void TestRollUp::cleanup() {
    oplaty_.reset();
    zrodla_.reset();
    inst_.reset();
    db_.reset();
}

void TestRollUp::setUpLists() {
    inst_ = std::make_unique<Query>(cn());
    inst_->setSql(QStringLiteral("SELECT i_id, i_suma FROM inst"));
    zrodla_ = std::make_unique<Query>(cn());
    zrodla_->setSql(
        QStringLiteral("SELECT zr_id, zr_i_id, zr_suma FROM zrodla WHERE zr_i_id = :i_id ORDER BY zr_id"));
    zrodla_->setMaster(inst_.get());
    ApplyTableDef(*zrodla_, TableDef{QStringLiteral("zrodla"),
                                     QStringLiteral("zr_id"),
                                     {QStringLiteral("zr_i_id"), QStringLiteral("zr_suma")},
                                     {}});
    oplaty_ = std::make_unique<Query>(cn());
    oplaty_->setSql(QStringLiteral(
        "SELECT op_id, op_zr_id, op_kwota FROM oplaty WHERE op_zr_id = :zr_id ORDER BY op_id"));
    oplaty_->setMaster(zrodla_.get());
    ApplyTableDef(*oplaty_, TableDef{QStringLiteral("oplaty"),
                                     QStringLiteral("op_id"),
                                     {QStringLiteral("op_zr_id"), QStringLiteral("op_kwota")},
                                     {}});
    oplaty_->afterInsert +=
        [](Query& q) { q.fieldByName("op_zr_id").setValue(q.master()->fieldByName("zr_id").value()); };
    AttachRollUp(*oplaty_, QStringLiteral("oplaty"),
                 {RollUpLevel{"zrodla", "zr_id", "zr_suma", "op_zr_id", "op_kwota", zrodla_.get(), {}},
                  RollUpLevel{"inst", "i_id", "i_suma", "zr_i_id", "zr_suma", inst_.get(), {}}});
    inst_->open();
    zrodla_->open();
    oplaty_->open();
}

void TestRollUp::statementsFromTheDefinition() {
    const TableDef def{QStringLiteral("oplaty"),
                       QStringLiteral("op_id"),
                       {QStringLiteral("op_zr_id"), QStringLiteral("op_kwota")},
                       {}};
    QCOMPARE(def.insertSql(), QStringLiteral("INSERT INTO oplaty (op_id, op_zr_id, op_kwota)\n"
                                             "VALUES (:op_id, :op_zr_id, :op_kwota)"));
    QCOMPARE(def.modifySql(), QStringLiteral("UPDATE oplaty SET op_id = :op_id, op_zr_id = :op_zr_id, "
                                             "op_kwota = :op_kwota\nWHERE op_id = :OLD_op_id"));
    QCOMPARE(def.deleteSql(), QStringLiteral("DELETE FROM oplaty WHERE op_id = :OLD_op_id"));
    QCOMPARE(def.generatorName(), QStringLiteral("g_oplaty"));

    // The new row's key comes from the generator, one step at a time.
    setUpLists();
    oplaty_->append();
    QCOMPARE(oplaty_->fieldByName("op_id").asInteger(), 501);
    oplaty_->cancel();
    oplaty_->append();
    QCOMPARE(oplaty_->fieldByName("op_id").asInteger(), 502);
    oplaty_->cancel();
}

void TestRollUp::refusesNamesThatAreNotIdentifiers() {
    Query q(cn());
    for (const TableDef& bad :
         {TableDef{QStringLiteral("oplaty; DROP TABLE inst"), QStringLiteral("op_id"), {}, {}},
          TableDef{
              QStringLiteral("oplaty"), QStringLiteral("op_id"), {QStringLiteral("op_kwota = 0 --")}, {}},
          TableDef{QStringLiteral("oplaty"), QStringLiteral("op_id"), {}, QStringLiteral("g_x(1)")}})
        QVERIFY_THROWS_EXCEPTION(DataError, ApplyTableDef(q, bad));
    QVERIFY_THROWS_EXCEPTION(DataError, cn().nextKey(QStringLiteral("g_oplaty, 1) FROM inst --")));
}

void TestRollUp::totalsFollowSavesAndDeletes() {
    setUpLists();
    // Amounts that binary floating point sums to 7123.4999…: the stored total is exact.
    auto add = [this](const char* amount) {
        oplaty_->append();
        oplaty_->fieldByName("op_kwota").setValue(QString::fromLatin1(amount));
        oplaty_->post();
    };
    for (const char* amount : {"4892.94", "556.69", "1265.82"})
        add(amount);
    QVERIFY(zrodla_->locate("zr_id", 11));
    for (const char* amount : {"49.30", "358.75"})
        add(amount);
    QCOMPARE(text("SELECT zr_suma FROM zrodla WHERE zr_id = 10"), QStringLiteral("6715.45"));
    QCOMPARE(text("SELECT zr_suma FROM zrodla WHERE zr_id = 11"), QStringLiteral("408.05"));
    QCOMPARE(text("SELECT i_suma FROM inst WHERE i_id = 1"), QStringLiteral("7123.50"));
    // The lists show the stored totals without being read again, and stay where they were.
    QCOMPARE(zrodla_->fieldByName("zr_suma").asDecimal(), Decimal(40805, 2));
    QCOMPARE(inst_->fieldByName("i_suma").asDecimal(), Decimal(712350, 2));
    QCOMPARE(zrodla_->state(), DataSetState::Browse);
    QCOMPARE(oplaty_->recordCount(), 2);

    // A changed amount and a deleted row are rolled up too; the last row gone leaves 0.
    oplaty_->first();
    oplaty_->edit();
    oplaty_->fieldByName("op_kwota").setValue(50);
    oplaty_->post();
    QCOMPARE(text("SELECT zr_suma FROM zrodla WHERE zr_id = 11"), QStringLiteral("408.75"));
    oplaty_->deleteRecord();
    oplaty_->deleteRecord();
    QCOMPARE(text("SELECT zr_suma FROM zrodla WHERE zr_id = 11"), QStringLiteral("0.00"));
    QCOMPARE(text("SELECT i_suma FROM inst WHERE i_id = 1"), QStringLiteral("6715.45"));
    QCOMPARE(inst_->fieldByName("i_suma").asDecimal(), Decimal(671545, 2));
}

void TestRollUp::failureLeavesNeitherHalf() {
    setUpLists();
    oplaty_->append();
    oplaty_->fieldByName("op_kwota").setValue(10);
    oplaty_->post();
    // A total the master table refuses: the detail's change is rolled back with it.
    cn().execute(QStringLiteral("ALTER TABLE zrodla ADD CONSTRAINT CK_zrodla CHECK (zr_suma < 20)"));
    oplaty_->edit();
    oplaty_->fieldByName("op_kwota").setValue(25);
    QVERIFY_THROWS_EXCEPTION(DataError, oplaty_->post());
    QCOMPARE(oplaty_->state(), DataSetState::Edit);
    QCOMPARE(text("SELECT op_kwota FROM oplaty"), QStringLiteral("10.00"));
    QCOMPARE(text("SELECT zr_suma FROM zrodla WHERE zr_id = 10"), QStringLiteral("10.00"));
    QVERIFY(!cn().inTransaction());
    oplaty_->cancel();
    // Nothing is left pending: the next save goes through on its own.
    oplaty_->edit();
    oplaty_->fieldByName("op_kwota").setValue(15);
    oplaty_->post();
    QCOMPARE(text("SELECT i_suma FROM inst WHERE i_id = 1"), QStringLiteral("15.00"));
}

void TestRollUp::customTotal() {
    setUpLists();
    // The largest fee counts whole, the others not at all.
    Query q(cn());
    q.setSql(QStringLiteral("SELECT op_id, op_zr_id, op_kwota FROM oplaty"));
    ApplyTableDef(q, TableDef{QStringLiteral("oplaty"),
                              QStringLiteral("op_id"),
                              {QStringLiteral("op_zr_id"), QStringLiteral("op_kwota")},
                              {}});
    AttachRollUp(q, QStringLiteral("oplaty"),
                 {RollUpLevel{"zrodla", "zr_id", "zr_suma", "op_zr_id", "op_kwota", nullptr,
                              "SELECT MAX(op_kwota) FROM oplaty WHERE op_zr_id = :key"}});
    q.open();
    for (int amount : {3, 7, 5}) {
        q.append();
        q.fieldByName("op_zr_id").setValue(11);
        q.fieldByName("op_kwota").setValue(amount);
        q.post();
    }
    QCOMPARE(text("SELECT zr_suma FROM zrodla WHERE zr_id = 11"), QStringLiteral("7.00"));
}

void TestRollUp::rowSignalsAroundInsertAndRemove() {
    setUpLists();
    QStringList log;
    QObject::connect(oplaty_.get(), &Query::rowAboutToBeInserted, [&](int p) {
        log << QStringLiteral("about to insert %1 of %2").arg(p).arg(oplaty_->recordCount());
    });
    QObject::connect(oplaty_.get(), &Query::rowInserted, [&](int p) {
        log << QStringLiteral("inserted %1 of %2").arg(p).arg(oplaty_->recordCount());
    });
    QObject::connect(oplaty_.get(), &Query::rowAboutToBeRemoved, [&](int p) {
        log << QStringLiteral("about to remove %1 of %2").arg(p).arg(oplaty_->recordCount());
    });
    QObject::connect(oplaty_.get(), &Query::rowRemoved, [&](int p) {
        log << QStringLiteral("removed %1 of %2").arg(p).arg(oplaty_->recordCount());
    });
    QSignalSpy changed(zrodla_.get(), &Query::rowChanged);

    oplaty_->append();
    oplaty_->fieldByName("op_kwota").setValue(1);
    oplaty_->post();
    oplaty_->insert();
    oplaty_->cancel();
    oplaty_->deleteRecord();
    QCOMPARE(log, (QStringList{"about to insert 0 of 0", "inserted 0 of 1", "about to insert 0 of 1",
                               "inserted 0 of 2", "about to remove 0 of 2", "removed 0 of 1",
                               "about to remove 0 of 1", "removed 0 of 0"}));

    // A total of a row that is not current: that row alone is told to redraw.
    QVERIFY(zrodla_->setStoredValue("zr_id", 11, "zr_suma", 3.5));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 1);
    QVERIFY(!zrodla_->setStoredValue("zr_id", 99, "zr_suma", 1));
}

QTEST_GUILESS_MAIN(TestRollUp)
#include "tst_RollUp.moc"
