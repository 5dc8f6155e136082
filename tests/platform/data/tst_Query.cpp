// The data set over a query: states, editing through update statements, fields, events, errors,
// master-detail, sort, filter and locate — against a real embedded database.

#include "platform/data/NumberFormat.h"
#include "platform/data/Query.h"
#include "support/TestDatabase.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const char* const kSchema = R"(
CREATE TABLE wojewodztwa (
  woj_id INTEGER NOT NULL,
  woj_nazwa VARCHAR(40) NOT NULL,
  woj_lp INTEGER,
  woj_f_aktualny SMALLINT NOT NULL,
  CONSTRAINT PK_wojewodztwa PRIMARY KEY (woj_id),
  CONSTRAINT IX_wojewodztwa1 UNIQUE (woj_nazwa));
CREATE TABLE powiaty (
  pow_id INTEGER NOT NULL,
  pow_woj_id INTEGER NOT NULL,
  pow_nazwa VARCHAR(40),
  pow_kwota NUMERIC(15,2),
  CONSTRAINT PK_powiaty PRIMARY KEY (pow_id));
ALTER TABLE powiaty ADD CONSTRAINT FK_powiaty_wojewodztwa FOREIGN KEY (pow_woj_id) REFERENCES wojewodztwa (woj_id);
INSERT INTO wojewodztwa VALUES (100, 'Dolnośląskie', 10, 1);
INSERT INTO wojewodztwa VALUES (101, 'Łódzkie', 20, 1);
INSERT INTO wojewodztwa VALUES (102, 'Lubelskie', 30, 0);
INSERT INTO wojewodztwa VALUES (103, 'Zachodniopomorskie', 40, 1);
INSERT INTO powiaty VALUES (1, 100, 'bolesławiecki', 10.25);
INSERT INTO powiaty VALUES (2, 100, 'dzierżoniowski', 1234.5);
INSERT INTO powiaty VALUES (3, 101, 'bełchatowski', NULL);
)";

// A query over the voivodeships with its update statements, as a data module would set it up.
void SetUpVoivodeships(Query& q) {
    q.setSql(QStringList{"SELECT woj_id, woj_nazwa, woj_lp, woj_f_aktualny", "FROM wojewodztwa",
                         "WHERE (woj_f_aktualny = :f_aktualny_1) OR (woj_f_aktualny = :f_aktualny_2)",
                         "ORDER BY woj_lp"});
    q.setParam("f_aktualny_1", 0);
    q.setParam("f_aktualny_2", 1);
    q.setInsertSql("INSERT INTO wojewodztwa (woj_id, woj_nazwa, woj_lp, woj_f_aktualny) "
                   "VALUES (:woj_id, :woj_nazwa, :woj_lp, :woj_f_aktualny)");
    q.setModifySql("UPDATE wojewodztwa SET woj_id = :woj_id, woj_nazwa = :woj_nazwa, woj_lp = :woj_lp, "
                   "woj_f_aktualny = :woj_f_aktualny WHERE woj_id = :OLD_woj_id");
    q.setDeleteSql("DELETE FROM wojewodztwa WHERE woj_id = :OLD_woj_id");
}

} // namespace

class TestQuery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensWithTypedFieldsAndParameters();
    void datesShownThePolishWay_data();
    void datesShownThePolishWay();
    void insertPostEditCancelDelete();
    void eventsRunInOrder();
    void updatesByTheOldKey();
    void requiredFieldRefusedBeforeTheDatabase();
    void postErrorAnswers();
    void deleteErrorAnswers();
    void calculatedFieldsAndChangeHandlers();
    void textHandlersSeeTheRowShown();
    void detailFollowsItsMaster();
    void disabledControlsDeferNotices();
    void sortFilterAndLocate();
    void refreshSeesNewRows();
    void movingAwayPostsTheEdit();
    void connectionSettings();

private:
    std::unique_ptr<TestDatabase> db_;
};

void TestQuery::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->create(QString::fromUtf8(kSchema));
}

void TestQuery::cleanup() {
    db_.reset();
}

void TestQuery::opensWithTypedFieldsAndParameters() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.setParam("f_aktualny_1", 1);
    q.setParam("f_aktualny_2", 1);
    QCOMPARE(q.state(), DataSetState::Inactive);
    q.open();
    QCOMPARE(q.state(), DataSetState::Browse);
    QCOMPARE(q.recordCount(), 3);
    QCOMPARE(q.fieldByName("WOJ_ID").type(), FieldType::Integer);
    QCOMPARE(q.fieldByName("woj_nazwa").type(), FieldType::String);
    QCOMPARE(q.fieldByName("woj_nazwa").size(), 40);
    QCOMPARE(q.fieldByName("woj_nazwa").asString(), QStringLiteral("Dolnośląskie"));
    QVERIFY_THROWS_EXCEPTION(DataError, q.fieldByName("nie_ma"));
    QVERIFY_THROWS_EXCEPTION(DataError, q.setParam("nie_ma", 1));

    // A colon inside a literal is not a parameter.
    Query literal(db_->connection());
    literal.setSql("SELECT 'a:b' AS tekst, CAST(:p AS INTEGER) AS p FROM RDB$DATABASE");
    QCOMPARE(literal.paramNames(), QStringList{"p"});
    literal.setParam("p", 7);
    literal.open();
    QCOMPARE(literal.fieldByName("tekst").asString(), QStringLiteral("a:b"));
    QCOMPARE(literal.fieldByName("p").asInteger(), 7);

    // Amounts come as numbers and show through the display format.
    Query amounts(db_->connection());
    amounts.setSql("SELECT pow_kwota FROM powiaty ORDER BY pow_id");
    amounts.field("pow_kwota").setDisplayFormat("0.00,");
    amounts.open();
    amounts.next();
    QCOMPARE(amounts.fieldByName("pow_kwota").displayText(), QStringLiteral("1 234,50"));
}

void TestQuery::insertPostEditCancelDelete() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.open();
    QSignalSpy states(&q, &Query::stateChanged);

    q.append();
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(q.recordCount(), 5);
    QCOMPARE(q.recNo(), 4);
    q.fieldByName("woj_id").setValue(200);
    q.fieldByName("woj_nazwa").setValue("Mazowieckie");
    q.fieldByName("woj_lp").setValue("50"); // typed text becomes a number
    q.fieldByName("woj_f_aktualny").setValue(1);
    q.post();
    QCOMPARE(q.state(), DataSetState::Browse);
    QCOMPARE(db_->scalar("SELECT woj_lp FROM wojewodztwa WHERE woj_id = 200"), 50);

    q.edit();
    QCOMPARE(q.state(), DataSetState::Edit);
    q.fieldByName("woj_nazwa").setValue("Zmienione");
    q.cancel();
    QCOMPARE(q.state(), DataSetState::Browse);
    QCOMPARE(q.fieldByName("woj_nazwa").asString(), QStringLiteral("Mazowieckie"));

    // An insert in the middle goes before the current row; cancelling it removes it again.
    q.first();
    q.insert();
    QCOMPARE(q.recNo(), 0);
    QVERIFY(q.fieldByName("woj_id").isNull());
    q.cancel();
    QCOMPARE(q.recordCount(), 5);
    QCOMPARE(q.fieldByName("woj_id").asInteger(), 100);

    QVERIFY(q.locate("woj_id", 200));
    q.deleteRecord();
    QCOMPARE(q.recordCount(), 4);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM wojewodztwa WHERE woj_id = 200"), 0);
    QVERIFY(states.count() >= 6);

    // Values cannot be set outside editing.
    QVERIFY_THROWS_EXCEPTION(DataError, q.fieldByName("woj_nazwa").setValue("x"));
}

void TestQuery::eventsRunInOrder() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    QStringList log;
    auto record = [&log](const char* name) { return [&log, name](Query&) { log << name; }; };
    q.afterOpen += record("afterOpen");
    q.beforeInsert += record("beforeInsert");
    q.afterInsert += [&log](Query& ds) {
        log << "afterInsert";
        ds.fieldByName("woj_id").setValue(300);
        ds.fieldByName("woj_f_aktualny").setValue(1);
    };
    q.beforePost += record("beforePost");
    q.afterPost += record("afterPost");
    q.afterScroll += record("afterScroll");
    q.afterDelete += record("afterDelete");
    q.afterCancel += record("afterCancel");

    q.open();
    q.append();
    q.fieldByName("woj_nazwa").setValue("Opolskie");
    q.post();
    q.edit();
    q.cancel();
    q.deleteRecord();
    QCOMPARE(log, (QStringList{"afterOpen", "afterScroll", "beforeInsert", "afterInsert", "afterScroll",
                               "beforePost", "afterPost", "afterCancel", "afterDelete", "afterScroll"}));

    // A handler that aborts stops the operation silently: nothing reaches the database.
    q.beforePost += [](Query&) { Abort(); };
    q.append();
    q.fieldByName("woj_nazwa").setValue("Opolskie");
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM wojewodztwa WHERE woj_id = 300"), 0);
}

void TestQuery::updatesByTheOldKey() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.open();
    QVERIFY(q.locate("woj_id", 103));
    q.edit();
    q.fieldByName("woj_id").setValue(150);
    q.post();
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM wojewodztwa WHERE woj_id = 103"), 0);
    QCOMPARE(db_->scalar("SELECT woj_lp FROM wojewodztwa WHERE woj_id = 150"), 40);
}

void TestQuery::requiredFieldRefusedBeforeTheDatabase() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.field("woj_nazwa").setLabel("Nazwa województwa").setRequired();
    q.open();
    for (const QVariant& empty : {QVariant(), QVariant(QStringLiteral("   "))}) {
        q.append();
        q.fieldByName("woj_id").setValue(400);
        q.fieldByName("woj_f_aktualny").setValue(1);
        q.fieldByName("woj_nazwa").setValue(empty);
        try {
            q.post();
            QFAIL("an empty required field must be refused");
        } catch (const DataError& e) {
            QCOMPARE(e.message(), QStringLiteral("Pole „Nazwa województwa” musi mieć wartość."));
            QCOMPARE(e.sqlCode(), 0);
        }
        QCOMPARE(q.state(), DataSetState::Insert);
        q.cancel();
    }
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM wojewodztwa WHERE woj_id = 400"), 0);
}

void TestQuery::postErrorAnswers() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    int seenCode = 0;
    DataAction answer = DataAction::Abort;
    q.onPostError += [&](Query&, const DataError& e, DataAction& action) {
        seenCode = e.sqlCode();
        action = answer;
    };
    q.open();

    // A duplicate of a unique value: "abort" keeps the row in insert state with the user's input.
    q.append();
    q.fieldByName("woj_id").setValue(500);
    q.fieldByName("woj_nazwa").setValue("Łódzkie");
    q.fieldByName("woj_f_aktualny").setValue(1);
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(seenCode, -803);
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(q.fieldByName("woj_nazwa").asString(), QStringLiteral("Łódzkie"));

    // "fail" lets the engine's error go on.
    answer = DataAction::Fail;
    q.fieldByName("woj_nazwa").setValue("Nowe");
    q.fieldByName("woj_f_aktualny").clear();
    try {
        q.post();
        QFAIL("NULL into NOT NULL must fail");
    } catch (const DataError& e) {
        QCOMPARE(e.sqlCode(), -625);
    }
    QCOMPARE(q.state(), DataSetState::Insert);
}

void TestQuery::deleteErrorAnswers() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    int calls = 0;
    q.onDeleteError += [&calls](Query&, const DataError&, DataAction& action) {
        ++calls;
        action = DataAction::Abort;
    };
    q.open();
    QVERIFY(q.locate("woj_id", 100)); // has counties
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.deleteRecord());
    QCOMPARE(calls, 1);
    QCOMPARE(q.recordCount(), 4);
    QCOMPARE(q.fieldByName("woj_id").asInteger(), 100);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM wojewodztwa WHERE woj_id = 100"), 1);
}

void TestQuery::calculatedFieldsAndChangeHandlers() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.addCalculatedField("clc_f_aktualny", FieldType::String, 1);
    q.onCalcFields += [](Query& ds) {
        ds.fieldByName("clc_f_aktualny").setValue(ds.fieldByName("woj_f_aktualny").asInteger() ? "+" : "-");
    };
    int changes = 0;
    q.field("woj_nazwa").onChange += [&changes](Field& f) {
        ++changes;
        f.dataSet().fieldByName("woj_lp").setValue(f.asString().size());
    };
    q.open();
    QCOMPARE(q.fields().back()->name(), QStringLiteral("clc_f_aktualny"));
    QStringList flags;
    for (q.first(); !q.eof(); q.next())
        flags << q.fieldByName("clc_f_aktualny").asString();
    QCOMPARE(flags, (QStringList{"+", "+", "-", "+"}));

    QVERIFY(q.locate("woj_id", 102));
    q.edit();
    q.fieldByName("woj_f_aktualny").setValue(1);
    QCOMPARE(q.fieldByName("clc_f_aktualny").asString(), QStringLiteral("+"));
    q.fieldByName("woj_nazwa").setValue("Lubuskie");
    QCOMPARE(changes, 1);
    QCOMPARE(q.fieldByName("woj_lp").asInteger(), 8);
    q.cancel();
    QCOMPARE(q.fieldByName("clc_f_aktualny").asString(), QStringLiteral("-"));
}

void TestQuery::textHandlersSeeTheRowShown() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    // The ordinal shown with as many decimals as the flag says, typed text read back doubled.
    q.field("woj_lp").onGetText = [](const Field& f) {
        return FormatNumber(f.asFloat(),
                            f.dataSet().fieldByName("woj_f_aktualny").asInteger() ? "0.0" : "0.00");
    };
    q.field("woj_lp").onSetText = [](Field& f, const QString& text) { f.setValue(text.toInt() * 2); };
    q.open();
    QVERIFY(q.locate("woj_id", 100));
    QCOMPARE(q.textAt(2, q.fieldByName("woj_lp")), QStringLiteral("30,00"));
    QCOMPARE(q.textAt(3, q.fieldByName("woj_lp")), QStringLiteral("40,0"));
    QCOMPARE(q.recNo(), 0);
    QCOMPARE(q.fieldByName("woj_lp").text(), QStringLiteral("10,0"));
    QCOMPARE(q.textAt(1, q.fieldByName("woj_nazwa")), QStringLiteral("Łódzkie"));
    q.edit();
    q.fieldByName("woj_lp").setText("7");
    QCOMPARE(q.fieldByName("woj_lp").asInteger(), 14);
    q.fieldByName("woj_nazwa").setText("Dolny Śląsk");
    QCOMPARE(q.fieldByName("woj_nazwa").asString(), QStringLiteral("Dolny Śląsk"));
    q.cancel();
}

void TestQuery::detailFollowsItsMaster() {
    Query master(db_->connection());
    SetUpVoivodeships(master);
    Query detail(db_->connection());
    detail.setSql("SELECT pow_id, pow_nazwa FROM powiaty WHERE pow_woj_id = :woj_id ORDER BY pow_id");
    detail.setMaster(&master);
    master.open();
    detail.open();
    QCOMPARE(detail.recordCount(), 2);
    // Moving the master starts the detail on its first row, wherever it was before.
    detail.last();
    master.last();
    master.first();
    QCOMPARE(detail.recNo(), 0);
    QCOMPARE(detail.fieldByName("pow_id").asInteger(), 1);
    master.next();
    QCOMPARE(detail.recordCount(), 1);
    QCOMPARE(detail.fieldByName("pow_nazwa").asString(), QStringLiteral("bełchatowski"));
    master.next();
    QVERIFY(detail.isEmpty());

    // A new master row without a key has no details; once keyed, the detail reads for that key.
    master.append();
    QVERIFY(detail.isEmpty());
    master.cancel();

    // With an explicit mapping of parameter to master field.
    Query mapped(db_->connection());
    mapped.setSql("SELECT pow_id FROM powiaty WHERE pow_woj_id = :wybrane");
    mapped.setMaster(&master, {{"wybrane", "woj_id"}});
    master.first();
    mapped.open();
    QCOMPARE(mapped.recordCount(), 2);
}

void TestQuery::disabledControlsDeferNotices() {
    Query master(db_->connection());
    SetUpVoivodeships(master);
    Query detail(db_->connection());
    detail.setSql("SELECT pow_id FROM powiaty WHERE pow_woj_id = :woj_id");
    detail.setMaster(&master);
    master.open();
    detail.open();
    QSignalSpy changed(&master, &Query::dataSetChanged);
    master.disableControls();
    master.disableControls();
    master.next();
    QCOMPARE(detail.recordCount(), 2); // not re-read while the master's controls are disabled
    master.enableControls();
    QCOMPARE(changed.count(), 0);
    master.enableControls();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(detail.recordCount(), 1);
}

void TestQuery::sortFilterAndLocate() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.open();
    auto names = [&q] {
        QStringList out;
        for (q.first(); !q.eof(); q.next())
            out << q.fieldByName("woj_nazwa").asString();
        return out;
    };
    q.setSortedFields("woj_nazwa DESC");
    // Polish order: "Ł" comes after "L".
    QCOMPARE(names(), (QStringList{"Zachodniopomorskie", "Łódzkie", "Lubelskie", "Dolnośląskie"}));
    q.setSortedFields("woj_f_aktualny ASC; woj_nazwa ASC");
    QCOMPARE(names(), (QStringList{"Lubelskie", "Dolnośląskie", "Łódzkie", "Zachodniopomorskie"}));
    // An unknown field is refused and the order in force stays usable.
    QVERIFY_THROWS_EXCEPTION(DataError, q.setSortedFields("woj_brak ASC"));
    q.refresh();
    QCOMPARE(names(), (QStringList{"Lubelskie", "Dolnośląskie", "Łódzkie", "Zachodniopomorskie"}));

    q.setFilter([](const RecordView& r) { return r.value("woj_f_aktualny").toInt() == 1; });
    q.setFiltered(true);
    QCOMPARE(q.recordCount(), 3);
    QVERIFY(!q.locate("woj_nazwa", "Lubelskie"));
    q.setFiltered(false);
    QCOMPARE(q.recordCount(), 4);

    QVERIFY(q.locate("woj_nazwa", "łódz", CaseInsensitive | PartialKey));
    QCOMPARE(q.fieldByName("woj_id").asInteger(), 101);
    QVERIFY(!q.locate("woj_nazwa", "łódzkie"));
    QVERIFY(q.locate("woj_f_aktualny;woj_lp", {1, 40}));
    QCOMPARE(q.fieldByName("woj_id").asInteger(), 103);
}

void TestQuery::refreshSeesNewRows() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.open();
    q.setRecNo(2);
    db_->connection().execute("INSERT INTO wojewodztwa VALUES (104, 'Podlaskie', 50, 1)");
    q.refresh();
    QCOMPARE(q.recordCount(), 5);
    QCOMPARE(q.recNo(), 2);
}

void TestQuery::movingAwayPostsTheEdit() {
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.open();
    q.edit();
    q.fieldByName("woj_lp").setValue(15);
    q.next();
    QCOMPARE(q.state(), DataSetState::Browse);
    QCOMPARE(db_->scalar("SELECT woj_lp FROM wojewodztwa WHERE woj_id = 100"), 15);
}

void TestQuery::connectionSettings() {
    // Snapshot isolation for the statements of the one connection.
    QCOMPARE(db_->scalar("SELECT MON$ISOLATION_MODE FROM MON$TRANSACTIONS "
                         "WHERE MON$TRANSACTION_ID = CURRENT_TRANSACTION"),
             1);

    // Text the WIN1250 database cannot hold, or too long for its column, is refused in Polish.
    Query q(db_->connection());
    SetUpVoivodeships(q);
    q.open();
    const QList<QPair<QString, QString>> cases = {
        {QStringLiteral("Жytomierz"),
         QStringLiteral("Tekst zawiera znak, którego baza danych nie może przechować")},
        {QString(41, QLatin1Char('x')),
         QStringLiteral("Tekst jest dłuższy, niż pozwala pole w bazie danych.")},
    };
    for (const auto& [name, message] : cases) {
        q.edit();
        q.fieldByName("woj_nazwa").setValue(name);
        try {
            q.post();
            QFAIL("the engine must refuse the text");
        } catch (const DataError& e) {
            QCOMPARE(e.sqlCode(), -802);
            QVERIFY2(e.message().startsWith(message), qPrintable(e.message()));
        }
        q.cancel();
    }
    // Every Polish letter and the other WIN1250 characters round-trip.
    q.edit();
    q.fieldByName("woj_nazwa").setValue(QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż €„”"));
    q.post();
    q.refresh();
    QCOMPARE(q.fieldByName("woj_nazwa").asString(), QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż €„”"));
}

void TestQuery::datesShownThePolishWay_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");
    QTest::newRow("date") << QVariant(QDate(2012, 3, 15)) << int(FieldType::Date) << QString()
                          << "15.03.2012";
    QTest::newRow("timestamp at midnight") << QVariant(QDateTime(QDate(2012, 3, 5), QTime(0, 0)))
                                           << int(FieldType::DateTime) << QString() << "05.03.2012";
    QTest::newRow("timestamp with a time") << QVariant(QDateTime(QDate(2012, 3, 5), QTime(8, 5, 9)))
                                           << int(FieldType::DateTime) << QString() << "05.03.2012 08:05:09";
    QTest::newRow("the field's own format") << QVariant(QDate(2012, 3, 15)) << int(FieldType::Date) << "yyyy"
                                            << "2012";
    QTest::newRow("no date") << QVariant(QMetaType(QMetaType::QDate)) << int(FieldType::Date) << QString()
                             << QString();
}

void TestQuery::datesShownThePolishWay() {
    QFETCH(QVariant, value);
    QFETCH(int, type);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(DisplayText(value, FieldType(type), format), shown);
}

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_Query.moc"
