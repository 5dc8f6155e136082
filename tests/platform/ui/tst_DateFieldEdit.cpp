// Typing dates into the bound date edit: whatever the entry (empty field or over a date, after a
// click into the day or the year, after Tab), "dd.mm.rrrr" typed with its dots gives that date;
// dates that do not exist or lie outside 1900-2100 are refused with a message and change nothing.

#include "platform/data/DataSource.h"
#include "platform/data/Query.h"
#include "platform/ui/DateFieldEdit.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

class TestDateFieldEdit : public QObject {
    Q_OBJECT
private slots:
    void typedDate_data();
    void typedDate();
    void escapeKeepsTheDate();
};

namespace {

enum class Entry { ClickDay, ClickYear, Tab };

const QDate kStored(2011, 6, 20);

} // namespace

Q_DECLARE_METATYPE(Entry)

void TestDateFieldEdit::typedDate_data() {
    QTest::addColumn<bool>("emptyField");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("keys");   // "\t" leaves the field
    QTest::addColumn<QDate>("expected"); // null: the field stays empty
    QTest::addColumn<QString>("message");

    const QString none;
    const struct {
        const char* name;
        Entry entry;
    } entries[] = {{"click day", Entry::ClickDay}, {"click year", Entry::ClickYear}, {"tab", Entry::Tab}};
    for (const auto& e : entries) {
        for (const bool empty : {true, false}) {
            const QByteArray where = QByteArray(empty ? "empty, " : "over a date, ") + e.name;
            const QDate kept = empty ? QDate() : kStored;
            QTest::newRow(where + ": 15.03.2012")
                << empty << e.entry << "15.03.2012" << QDate(2012, 3, 15) << none;
            QTest::newRow(where + ": 28.02.2023")
                << empty << e.entry << "28.02.2023" << QDate(2023, 2, 28) << none;
            QTest::newRow(where + ": 01.01.2012")
                << empty << e.entry << "01.01.2012" << QDate(2012, 1, 1) << none;
            QTest::newRow(where + ": 29.02.2024")
                << empty << e.entry << "29.02.2024" << QDate(2024, 2, 29) << none;
            QTest::newRow(where + ": 1.3.2012")
                << empty << e.entry << "1.3.2012" << QDate(2012, 3, 1) << none;
            QTest::newRow(where + ": without dots")
                << empty << e.entry << "31122099" << QDate(2099, 12, 31) << none;
            QTest::newRow(where + ": 31.02.2012")
                << empty << e.entry << "31.02.2012" << kept << "Data „31.02.2012” nie istnieje.";
            QTest::newRow(where + ": 29.02.2023")
                << empty << e.entry << "29.02.2023" << kept << "Data „29.02.2023” nie istnieje.";
            QTest::newRow(where + ": 1899") << empty << e.entry << "31.12.1899" << kept
                                            << "Data musi być z zakresu od 01.01.1900 do 31.12.2100.";
            QTest::newRow(where + ": 2101") << empty << e.entry << "01.01.2101" << kept
                                            << "Data musi być z zakresu od 01.01.1900 do 31.12.2100.";
            QTest::newRow(where + ": short year, then Tab")
                << empty << e.entry << "15.03.12\t" << kept
                << "„15.03.12” nie jest pełną datą. Datę wpisuje się w postaci dd.mm.rrrr.";
            QTest::newRow(where + ": backspace")
                << empty << e.entry << "16\b5.03.2012" << QDate(2012, 3, 15) << none;
            QTest::newRow(where + ": letters ignored")
                << empty << e.entry << "15.x03.2012" << QDate(2012, 3, 15) << none;
        }
    }
}

void TestDateFieldEdit::typedDate() {
    QFETCH(bool, emptyField);
    QFETCH(Entry, entry);
    QFETCH(QString, keys);
    QFETCH(QDate, expected);
    QFETCH(QString, message);

    TestDatabase db;
    db.create("CREATE TABLE akty (id INTEGER NOT NULL, data_wyd DATE);\n"
              "INSERT INTO akty VALUES (1, NULL);\n"
              "INSERT INTO akty VALUES (2, '2011-06-20');\n");
    Query q(db.connection());
    q.setSql("SELECT id, data_wyd FROM akty ORDER BY id");
    q.open();
    q.setRecNo(emptyField ? 0 : 1);
    DataSource ds;
    ds.setDataSet(&q);

    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* edit = new DateFieldEdit(ds, "data_wyd", &window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(edit);
    layout->addWidget(after);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(edit->isEmpty(), emptyField);

    auto* line = edit->findChild<QLineEdit*>();
    QVERIFY(line);
    switch (entry) {
    case Entry::ClickDay:
    case Entry::ClickYear:
        // Then between the day's digits, or between the year's, as the click would put the cursor.
        QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(4, line->height() / 2));
        line->setCursorPosition(entry == Entry::ClickDay || emptyField ? 1 : 8);
        break;
    case Entry::Tab:
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        break;
    }
    QVERIFY(edit->hasFocus());

    ScopedScriptedMessages messages;
    for (const QChar c : keys) {
        QWidget* target = QApplication::focusWidget();
        if (c == u'\t')
            QTest::keyClick(target, Qt::Key_Tab);
        else if (c == u'\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClick(target, c.toLatin1());
    }
    // The focus leaves the field: nothing more may change.
    after->setFocus();

    QCOMPARE(messages.shown.isEmpty() ? QString() : messages.shown.first().text, message);
    QCOMPARE(messages.shown.size(), message.isEmpty() ? 0 : 1);
    if (expected.isNull()) {
        QVERIFY(edit->isEmpty());
        QVERIFY(q.fieldByName("data_wyd").isNull());
        QCOMPARE(edit->text().trimmed(), QString());
    } else {
        QCOMPARE(edit->date(), expected);
        QCOMPARE(q.fieldByName("data_wyd").asDate(), expected);
        QCOMPARE(edit->text(), expected.toString("dd.MM.yyyy"));
    }
    // A refused date leaves the row as it was.
    QCOMPARE(q.isEditing(), message.isEmpty() && expected != (emptyField ? QDate() : kStored));
}

void TestDateFieldEdit::escapeKeepsTheDate() {
    TestDatabase db;
    db.create("CREATE TABLE akty (id INTEGER NOT NULL, data_wyd DATE);\n"
              "INSERT INTO akty VALUES (2, '2011-06-20');\n");
    Query q(db.connection());
    q.setSql("SELECT id, data_wyd FROM akty");
    q.open();
    DataSource ds;
    ds.setDataSet(&q);
    DateFieldEdit edit(ds, "data_wyd");
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, "15.03");
    QCOMPARE(edit.text(), QStringLiteral("15.03"));
    QTest::keyClick(&edit, Qt::Key_Escape);
    QCOMPARE(edit.text(), QStringLiteral("20.06.2011"));
    QCOMPARE(edit.date(), kStored);
    QVERIFY(!q.isEditing());
}

QTEST_MAIN(TestDateFieldEdit)
#include "tst_DateFieldEdit.moc"
