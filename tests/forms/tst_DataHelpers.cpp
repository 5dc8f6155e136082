// The data-access helpers: keys, ordinals, defaults, the active filter and the reports of refused
// deletes and posts.

#include "forms/DataHelpers.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QtTest>

namespace {

const char* const kSchema = R"(
CREATE TABLE gminy (
  gm_id INTEGER NOT NULL,
  gm_nazwa VARCHAR(40) NOT NULL,
  gm_lp INTEGER,
  gm_f_aktualny SMALLINT NOT NULL,
  CONSTRAINT PK_gminy PRIMARY KEY (gm_id),
  CONSTRAINT IX_gminy1 UNIQUE (gm_nazwa));
CREATE GENERATOR g_gminy;
SET GENERATOR g_gminy TO 1000;
CREATE TABLE puste (p_id INTEGER NOT NULL, p_lp INTEGER, p_f_aktualny SMALLINT NOT NULL);
CREATE TABLE podmioty (pdm_id INTEGER NOT NULL PRIMARY KEY, pdm_gm_id INTEGER NOT NULL);
ALTER TABLE podmioty ADD CONSTRAINT FK_podmioty_gminy FOREIGN KEY (pdm_gm_id) REFERENCES gminy (gm_id);
INSERT INTO gminy VALUES (100, 'Bolesławiec', 35, 1);
INSERT INTO gminy VALUES (101, 'Chojnów', 5, 0);
INSERT INTO gminy VALUES (102, 'Gromadka', 20, 1);
INSERT INTO podmioty VALUES (1, 100);
)";

// The communes query as a dictionary module sets it up.
void SetUpCommunes(Query& q) {
    q.setSql(QStringList{"SELECT gm_id, gm_nazwa, gm_lp, gm_f_aktualny FROM gminy",
                         "WHERE (gm_f_aktualny  = :f_aktualny_1)", "OR  (gm_f_aktualny  = :f_aktualny_2)"});
    q.setInsertSql("INSERT INTO gminy (gm_id, gm_nazwa, gm_lp, gm_f_aktualny) "
                   "VALUES (:gm_id, :gm_nazwa, :gm_lp, :gm_f_aktualny)");
    q.setModifySql("UPDATE gminy SET gm_nazwa = :gm_nazwa, gm_lp = :gm_lp, gm_f_aktualny = :gm_f_aktualny "
                   "WHERE gm_id = :OLD_gm_id");
    q.setDeleteSql("DELETE FROM gminy WHERE gm_id = :OLD_gm_id");
    q.afterInsert += [](Query& ds) {
        ds.fieldByName("gm_id").setValue(NewKey("g_gminy"));
        ds.fieldByName("gm_lp").setValue(NextLp("gm_lp", "gminy", 10));
        ds.fieldByName("gm_f_aktualny").setValue(1);
    };
    WireRecordErrors(q, "Gminy", "Gmina");
}

} // namespace

class TestDataHelpers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keysOrdinalsAndDefaults();
    void newRowGetsKeyOrdinalAndFlag();
    void activeFilterModes_data();
    void activeFilterModes();
    void confirmDelete();
    void refusedDeleteIsReportedAsInUse();
    void postErrors();
    void refreshKeepKey();
    void smallRoutines();

private:
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
};

void TestDataHelpers::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->create(QString::fromUtf8(kSchema));
    messages_ = std::make_unique<ScopedScriptedMessages>();
}

void TestDataHelpers::cleanup() {
    messages_.reset();
    db_.reset();
}

void TestDataHelpers::keysOrdinalsAndDefaults() {
    QCOMPARE(NewKey("g_gminy"), 1001);
    QCOMPARE(NewKey("g_gminy"), 1002);
    QCOMPARE(NextLp("gm_lp", "gminy", 10), 45);
    QCOMPARE(NextLp("p_lp", "puste", 10), 10);
    QCOMPARE(NextLp("p_lp", "puste", 1), 1);
    // The smallest ordinal among active rows; 0 when there is none.
    QCOMPARE(FirstActiveId("gm_id", "gm_lp", "gm_f_aktualny", "gminy"), 102);
    QCOMPARE(FirstActiveId("p_id", "p_lp", "p_f_aktualny", "puste"), 0);
    db_->connection().execute("UPDATE gminy SET gm_f_aktualny = 0");
    QCOMPARE(FirstActiveId("gm_id", "gm_lp", "gm_f_aktualny", "gminy"), 0);
    // Errors of the engine go on to the caller.
    QVERIFY_THROWS_EXCEPTION(DataError, NewKey("g_nie_ma"));
}

void TestDataHelpers::newRowGetsKeyOrdinalAndFlag() {
    Query q(db_->connection());
    SetUpCommunes(q);
    SetActiveFilter(q, FilterAll);
    q.open();
    q.append();
    QCOMPARE(q.fieldByName("gm_id").asInteger(), 1001);
    QCOMPARE(q.fieldByName("gm_lp").asInteger(), 45);
    QCOMPARE(q.fieldByName("gm_f_aktualny").asInteger(), 1);
}

void TestDataHelpers::activeFilterModes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("rows");
    QTest::newRow("active") << int(FilterActive) << 2;
    QTest::newRow("inactive") << int(FilterInactive) << 1;
    QTest::newRow("all") << int(FilterAll) << 3;
}

void TestDataHelpers::activeFilterModes() {
    QFETCH(int, mode);
    QFETCH(int, rows);
    Query q(db_->connection());
    SetUpCommunes(q);
    DataSource source;
    source.setDataSet(&q);
    SetActiveFilter(source, mode);
    q.open();
    QCOMPARE(q.recordCount(), rows);

    // Mode 0 touches nothing.
    SetActiveFilter(source, FilterNone);
    q.refresh();
    QCOMPARE(q.recordCount(), rows);

    // A list without the parameters cannot take the filter.
    Query plain(db_->connection());
    plain.setSql("SELECT gm_id FROM gminy");
    QVERIFY_THROWS_EXCEPTION(DataError, SetActiveFilter(plain, mode));
}

void TestDataHelpers::confirmDelete() {
    Query q(db_->connection());
    SetUpCommunes(q);
    DataSource source;
    AttachActiveOnly(source, q, "gm_nazwa ASC");
    QCOMPARE(source.dataSet(), &q);
    QVERIFY(q.isActive());
    QCOMPARE(q.fieldByName("gm_id").asInteger(), 100);
    q.next(); // Gromadka: nothing refers to it

    messages_->answers = {false};
    ConfirmDelete(source);
    QCOMPARE(q.recordCount(), 2);
    QCOMPARE(messages_->log(), QStringList{"question|Decyzja|Usunąć bieżący zapis?"});

    messages_->answers = {true};
    ConfirmDelete(source);
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM gminy WHERE gm_id = 102"), 0);
}

void TestDataHelpers::refusedDeleteIsReportedAsInUse() {
    Query q(db_->connection());
    SetUpCommunes(q);
    SetActiveFilter(q, FilterActive);
    q.open();
    QVERIFY(q.locate("gm_id", 100));
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.deleteRecord());
    QCOMPARE(messages_->log(),
             QStringList{"error|Błąd usuwania zapisu|Nie można usunąć Gminy ponieważ jest w użyciu"});
    QCOMPARE(q.recordCount(), 2);
}

void TestDataHelpers::postErrors() {
    Query q(db_->connection());
    SetUpCommunes(q);
    SetActiveFilter(q, FilterAll);
    q.open();

    // A duplicate: the program's message, and the row stays in editing with the user's input.
    q.append();
    q.fieldByName("gm_nazwa").setValue("Gromadka");
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(messages_->log(),
             QStringList{"error|Błąd zapisu do bazy danych|Gmina o takim kluczu już istnieje."});
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(q.fieldByName("gm_nazwa").asString(), QStringLiteral("Gromadka"));

    // NOT NULL: no message of the program; the engine's error goes on to the standard display.
    messages_->shown.clear();
    q.fieldByName("gm_nazwa").clear();
    try {
        q.post();
        QFAIL("NULL into NOT NULL must fail");
    } catch (const DataError& e) {
        QCOMPARE(e.sqlCode(), -625);
        QVERIFY(e.message().contains("GM_NAZWA"));
    }
    QVERIFY(messages_->shown.isEmpty());
    QCOMPARE(ReportPostError("Gmina", DataError("x", -625)), DataAction::Fail);
}

void TestDataHelpers::refreshKeepKey() {
    Query q(db_->connection());
    SetUpCommunes(q);
    SetActiveFilter(q, FilterAll);
    q.setSortedFields("gm_nazwa");
    q.open();
    QVERIFY(q.locate("gm_id", 102));
    db_->connection().execute("INSERT INTO gminy VALUES (103, 'Aleksandrów', 1, 1)");
    RefreshKeepKey(q, "gm_id");
    QCOMPARE(q.recordCount(), 4);
    QCOMPARE(q.fieldByName("gm_id").asInteger(), 102);

    // A new row whose key is still null: only a refresh (the row is posted first).
    q.afterInsert.clear();
    q.setInsertSql("INSERT INTO gminy (gm_id, gm_nazwa, gm_lp, gm_f_aktualny) VALUES (104, 'Warta', 1, 1)");
    q.append();
    RefreshKeepKey(q, "gm_id");
    QCOMPARE(q.recordCount(), 5);
    QCOMPARE(q.state(), DataSetState::Browse);
}

void TestDataHelpers::smallRoutines() {
    QCOMPARE(FlagText(true), QStringLiteral("+"));
    QCOMPARE(FlagText(0), QStringLiteral("-"));
    QCOMPARE(FlagText(1), QStringLiteral("+"));
    QVERIFY(IsBlank("  \t"));
    QVERIFY(!IsBlank(" a "));
}

QTEST_GUILESS_MAIN(TestDataHelpers)
#include "tst_DataHelpers.moc"
