// The dictionary browsers over a real dictionary (the regional water boards): sorting by a title
// click, in-place editing, the active flag, preselection, searching, command enabling, closing and
// the picker form; and the field binding of the edits under a grid.

#include "forms/ui/TSearchDLG.h"
#include "forms/ui/TbcDictItem.h"
#include "forms/ui/TbcDictT1.h"
#include "forms/ui/TbcDictT2.h"
#include "platform/ui/FieldBinding.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kGdansk = QStringLiteral("RZGW w Gdańsku");

// The boards query as the dictionaries module sets it up.
void SetUpRzgw(Query& q) {
    q.setSql(QStringList{"SELECT * FROM rzgw", "WHERE (rzgw_f_aktualny  = :f_aktualny_1)",
                         "OR  (rzgw_f_aktualny  = :f_aktualny_2)"});
    q.setInsertSql("INSERT INTO rzgw (rzgw_id, rzgw_nazwa, rzgw_wsp_roznicujacy, rzgw_f_aktualny, rzgw_lp) "
                   "VALUES (:rzgw_id, :rzgw_nazwa, :rzgw_wsp_roznicujacy, :rzgw_f_aktualny, :rzgw_lp)");
    q.setModifySql("UPDATE rzgw SET rzgw_nazwa = :rzgw_nazwa, rzgw_wsp_roznicujacy = :rzgw_wsp_roznicujacy, "
                   "rzgw_f_aktualny = :rzgw_f_aktualny, rzgw_lp = :rzgw_lp WHERE rzgw_id = :OLD_rzgw_id");
    q.setDeleteSql("DELETE FROM rzgw WHERE rzgw_id = :OLD_rzgw_id");
    q.addCalculatedField("clc_f_aktualny", FieldType::String, 1).setLabel("Aktualny");
    q.field("rzgw_nazwa").setLabel("Nazwa");
    q.onCalcFields += [](Query& ds) {
        ds.fieldByName("clc_f_aktualny")
            .setValue(FlagText(int(ds.fieldByName("rzgw_f_aktualny").asInteger())));
    };
    q.afterInsert += [](Query& ds) {
        ds.fieldByName("rzgw_id").setValue(NewKey("g_rzgw"));
        ds.fieldByName("rzgw_lp").setValue(NextLp("rzgw_lp", "rzgw", 10));
        ds.fieldByName("rzgw_f_aktualny").setValue(1);
    };
    WireRecordErrors(q, "Regionalnego zarządu", "RZGW");
}

void AddRzgwColumns(TbcDictBrowser& w) {
    w.addColumn("RZGW_NAZWA");
    w.addColumn("RZGW_WSP_ROZNICUJACY");
    w.addColumn("RZGW_LP");
    w.addColumn("RZGW_F_AKTUALNY", QString(), ColumnHidden);
    w.addColumn("clc_f_aktualny");
    w.addColumn("RZGW_ID");
}

class TRzgwT1 : public TbcDictT1 {
public:
    explicit TRzgwT1(Query& q) {
        setObjectName("TRzgwT1");
        setWindowTitle("RZGW");
        dsMain->setDataSet(&q);
        AddRzgwColumns(*this);
        ActiveField = "rzgw_f_aktualny";
        FlagField = "clc_f_aktualny";
        IdField = "rzgw_id";
    }
};

class TRzgwT2 : public TbcDictT2 {
public:
    explicit TRzgwT2(Query& q) {
        setObjectName("TRzgwT2");
        dsMain->setDataSet(&q);
        AddRzgwColumns(*this);
        ActiveField = "rzgw_f_aktualny";
        KeyField = "rzgw_id";
    }
    int edits = 0;

protected:
    void actPoprawExecute() override { ++edits; }
};

int CurrentId(const Query& q) {
    return int(q.fieldByName("rzgw_id").asInteger());
}

void ClickTitle(DataGrid* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
}

} // namespace

class TestTbcDict : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void titleClickSort_data();
    void titleClickSort();
    void titleClickWhileEditingChangesNothing();
    void singleColumnSort();
    void sortedColumnIsMarked();
    void keyAndFlagColumnsCannotBeTyped();
    void gridEditsAndPostsOnLeavingRow();
    void ustawAktywnyOnT1LeavesRowEditing();
    void ustawAktywnyTwiceOnT2();
    void preselect_data();
    void preselect();
    void search_data();
    void search();
    void commandEnabling();
    void longListKeepsItsPlace();
    void pickerDestroyedWhileOpen();
    void failingCellIsReported();
    void commandsOfTheWindow();
    void t1CloseWithFailingPostStaysOpen();
    void t2DoubleClickEdits();
    void pickerListsActiveRowsOnly();
    void itemDialogSaveAndCancel();
    void fieldBinding();

private:
    template <class W> W* open(Query& q, int filterMode = FilterAll) {
        auto* w = new W(q);
        w->FilterMode = filterMode;
        window_ = w;
        w->show();
        return w;
    }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<Query> q_;
    QPointer<QWidget> window_;
};

void TestTbcDict::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    q_ = std::make_unique<Query>(db_->connection());
    SetUpRzgw(*q_);
}

void TestTbcDict::cleanup() {
    delete window_.data();
    q_.reset();
    messages_.reset();
    db_.reset();
}

void TestTbcDict::titleClickSort_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("sortedFields");
    QTest::addColumn<QString>("searchField");
    QTest::newRow("shown") << QList<int>{} << "RZGW_NAZWA, RZGW_WSP_ROZNICUJACY, RZGW_LP"
                           << "RZGW_NAZWA";
    QTest::newRow("leading column toggles")
        << QList<int>{0} << "RZGW_NAZWA DESC, RZGW_WSP_ROZNICUJACY DESC, RZGW_LP DESC"
        << "RZGW_NAZWA";
    QTest::newRow("toggles back") << QList<int>{0, 0} << "RZGW_NAZWA, RZGW_WSP_ROZNICUJACY, RZGW_LP"
                                  << "RZGW_NAZWA";
    // The hidden active column is skipped.
    QTest::newRow("another column, ascending") << QList<int>{2} << "RZGW_LP, clc_f_aktualny, RZGW_ID"
                                               << "RZGW_LP";
    QTest::newRow("another column keeps descending")
        << QList<int>{0, 2} << "RZGW_LP DESC, clc_f_aktualny DESC, RZGW_ID DESC"
        << "RZGW_LP";
    QTest::newRow("last column alone") << QList<int>{5} << "RZGW_ID"
                                       << "RZGW_ID";
}

void TestTbcDict::titleClickSort() {
    QFETCH(QList<int>, clicks);
    QFETCH(QString, sortedFields);
    QFETCH(QString, searchField);
    auto* w = open<TRzgwT1>(*q_);
    q_->locate("rzgw_id", 103);
    for (int c : clicks)
        ClickTitle(w->grid(), c);
    QCOMPARE(q_->sortedFields(), sortedFields);
    QCOMPARE(w->searchData().fieldName, searchField);
    QCOMPARE(w->searchData().caption, w->grid()->columnTitle(w->grid()->columnOfField(searchField)));
    // The row stays current, and the grid's current row is the data set's.
    if (!clicks.isEmpty())
        QCOMPARE(CurrentId(*q_), 103);
    QCOMPARE(w->grid()->currentIndex().row(), q_->recNo());
    // The rows follow the order.
    const bool descending = sortedFields.contains("DESC");
    const int column = w->grid()->columnOfField(searchField);
    const QVariant first = q_->valueAt(0, w->grid()->gridModel().fieldAt(column)->index());
    const QVariant last = q_->valueAt(q_->recordCount() - 1, w->grid()->gridModel().fieldAt(column)->index());
    if (searchField == "RZGW_NAZWA")
        QCOMPARE(first.toString(), descending ? "RZGW we Wrocławiu" : kGdansk);
    else
        QVERIFY(descending ? first.toInt() > last.toInt() : first.toInt() < last.toInt());
}

void TestTbcDict::titleClickWhileEditingChangesNothing() {
    auto* w = open<TRzgwT1>(*q_);
    q_->edit();
    ClickTitle(w->grid(), 2);
    QCOMPARE(q_->sortedFields(), "RZGW_NAZWA, RZGW_WSP_ROZNICUJACY, RZGW_LP");
    QCOMPARE(w->searchData().fieldName, "RZGW_NAZWA");
    QVERIFY(q_->isEditing());
    QCOMPARE(w->grid()->gridModel().markedColumn(), 0);
}

void TestTbcDict::singleColumnSort() {
    auto* w = open<TRzgwT1>(*q_);
    w->grid()->setSortMode(DataGrid::SortMode::SingleColumn);
    // The leading column of a three-column order is not the whole order: sorted alone, direction kept.
    ClickTitle(w->grid(), 0);
    QCOMPARE(q_->sortedFields(), "RZGW_NAZWA");
    ClickTitle(w->grid(), 0);
    QCOMPARE(q_->sortedFields(), "RZGW_NAZWA DESC");
    ClickTitle(w->grid(), 2);
    QCOMPARE(q_->sortedFields(), "RZGW_LP DESC");
}

void TestTbcDict::sortedColumnIsMarked() {
    auto* w = open<TRzgwT1>(*q_);
    ClickTitle(w->grid(), 2);
    const QueryTableModel& m = w->grid()->gridModel();
    const QPalette palette = w->grid()->palette();
    for (int c = 0; c < m.columnCount(); ++c) {
        QCOMPARE(m.headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().underline(), c == 2);
        QCOMPARE(m.index(0, c).data(Qt::BackgroundRole).value<QColor>(),
                 palette.color(c == 2 ? QPalette::HighlightedText : QPalette::ToolTipBase));
    }
}

void TestTbcDict::keyAndFlagColumnsCannotBeTyped() {
    auto* w = open<TRzgwT1>(*q_);
    const QueryTableModel& m = w->grid()->gridModel();
    for (int c = 0; c < m.columnCount(); ++c) {
        const QString field = m.column(c).fieldName;
        const bool locked = field == "clc_f_aktualny" || field == "RZGW_ID";
        QCOMPARE(bool(m.flags(m.index(0, c)) & Qt::ItemIsEditable), !locked);
    }
    QCOMPARE(m.index(0, m.columnOfField("clc_f_aktualny")).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignCenter));
    QCOMPARE(w->grid()->horizontalHeader()->defaultAlignment(), Qt::AlignCenter);
    QVERIFY(w->grid()->isColumnHidden(m.columnOfField("RZGW_F_AKTUALNY")));
}

void TestTbcDict::gridEditsAndPostsOnLeavingRow() {
    auto* w = open<TRzgwT1>(*q_);
    QueryTableModel& m = w->grid()->gridModel();
    QCOMPARE(CurrentId(*q_), 100);
    QCOMPARE(m.index(0, 1).data().toString(), "1");
    // Leaving a cell unchanged starts no edit.
    QVERIFY(m.setData(m.index(0, 0), kGdansk));
    QVERIFY(!q_->isEditing());
    QVERIFY(m.setData(m.index(0, 0), "RZGW w Gdańsku (nowy)"));
    QCOMPARE(q_->state(), DataSetState::Edit);
    QCOMPARE(m.headerData(0, Qt::Vertical).toString(), "I");
    w->grid()->setCurrentIndex(m.index(3, 0));
    QCOMPARE(q_->state(), DataSetState::Browse);
    QCOMPARE(q_->recNo(), 3);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM rzgw WHERE rzgw_nazwa = 'RZGW w Gdańsku (nowy)'"), 1);
    // A text the field cannot take is refused with a message; nothing crashes, the data set is intact.
    QVERIFY(!m.setData(m.index(3, 2), "abc"));
    QVERIFY(!messages_->shown.isEmpty());
    QCOMPARE(messages_->shown.last().kind, ScriptedMessages::Kind::Error);
}

void TestTbcDict::ustawAktywnyOnT1LeavesRowEditing() {
    auto* w = open<TRzgwT1>(*q_);
    w->actUstawAktywny->trigger();
    QCOMPARE(q_->state(), DataSetState::Edit);
    QCOMPARE(q_->fieldByName("clc_f_aktualny").asString(), "-");
    w->actPost->trigger();
    QCOMPARE(db_->scalar("SELECT rzgw_f_aktualny FROM rzgw WHERE rzgw_id = 100"), 0);
}

void TestTbcDict::ustawAktywnyTwiceOnT2() {
    int posts = 0;
    q_->afterPost += [&](Query&) { ++posts; };
    auto* w = open<TRzgwT2>(*q_);
    q_->locate("rzgw_id", 104);
    w->actUstawAktywny->trigger();
    QCOMPARE(db_->scalar("SELECT rzgw_f_aktualny FROM rzgw WHERE rzgw_id = 104"), 0);
    w->actUstawAktywny->trigger();
    QCOMPARE(posts, 2);
    QCOMPARE(q_->state(), DataSetState::Browse);
    QCOMPARE(q_->fieldByName("rzgw_f_aktualny").asInteger(), 1);
    QCOMPARE(db_->scalar("SELECT rzgw_f_aktualny FROM rzgw WHERE rzgw_id = 104"), 1);
}

void TestTbcDict::preselect_data() {
    QTest::addColumn<int>("preselect");
    QTest::addColumn<int>("expected");
    QTest::newRow("visible row") << 106 << 106;
    QTest::newRow("row hidden by the filter") << 103 << 100;
    QTest::newRow("no such row") << 999 << 100;
    QTest::newRow("none") << 0 << 100;
}

void TestTbcDict::preselect() {
    QFETCH(int, preselect);
    QFETCH(int, expected);
    db_->connection().run("UPDATE rzgw SET rzgw_f_aktualny = 0 WHERE rzgw_id = 103");
    auto* w = new TRzgwT2(*q_);
    window_ = w;
    w->FilterMode = FilterActive;
    w->PreselectId = preselect;
    w->show();
    QCOMPARE(q_->recordCount(), 7);
    QCOMPARE(CurrentId(*q_), expected);
    QCOMPARE(w->grid()->currentIndex().row(), q_->recNo());
}

void TestTbcDict::search_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("first letters") << "RZGW w P" << 103;
    QTest::newRow("other letter case") << "rzgw WE" << 107;
    QTest::newRow("Polish letters") << "rzgw w gdań" << 100;
    QTest::newRow("no match keeps the row") << "xyz" << 102;
}

void TestTbcDict::search() {
    QFETCH(QString, typed);
    QFETCH(int, expected);
    q_->setSortedFields("rzgw_nazwa");
    SetActiveFilter(*q_, FilterAll);
    q_->open();
    q_->locate("rzgw_id", 102);
    TSearchDLG dlg(q_.get(), TrSearchData{"Nazwa", "rzgw_nazwa"});
    QCOMPARE(dlg.windowTitle(), "Wyszukiwanie po kolumnie Nazwa");
    QCOMPARE(dlg.lblFraza()->text(), "Nazwa:");
    QCOMPARE(dlg.edtFraza()->toolTip(), "Wpisz szukaną frazę");
    // Typed letter by letter, each change searching anew.
    for (const QChar ch : typed)
        dlg.edtFraza()->insert(QString(ch));
    QCOMPARE(CurrentId(*q_), expected);
    dlg.btnClear()->click();
    QVERIFY(dlg.edtFraza()->text().isEmpty());
}

void TestTbcDict::commandEnabling() {
    auto* w = open<TRzgwT1>(*q_);
    const auto enabled = [w] {
        QString s;
        for (QAction* a : {w->actFirst, w->actPrior, w->actNext, w->actLast, w->actPopraw, w->actAUUsun,
                           w->actPost, w->actCancel, w->actSearch, w->actUstawAktywny})
            s += a->isEnabled() ? '1' : '0';
        return s;
    };
    QCOMPARE(enabled(), "0011110011");
    q_->next();
    QCOMPARE(enabled(), "1111110011");
    q_->last();
    QCOMPARE(enabled(), "1100110011");
    q_->edit();
    QCOMPARE(enabled(), "1100111111");
    w->actCancel->trigger();
    QCOMPARE(enabled(), "1100110011");
    // No withdrawn boards: an empty list.
    w->close();
    QTRY_VERIFY(!q_->isActive());
    auto* empty = open<TRzgwT1>(*q_, FilterInactive);
    QVERIFY(q_->isActive() && q_->isEmpty());
    for (QAction* a : {empty->actFirst, empty->actPrior, empty->actNext, empty->actLast, empty->actPopraw,
                       empty->actAUUsun, empty->actPost, empty->actCancel})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(empty->actSearch->isEnabled());
    QVERIFY(empty->actUstawAktywny->isEnabled());
    QVERIFY(empty->actDodaj->isEnabled());
    empty->actUstawAktywny->trigger();
    QVERIFY(!q_->isEditing());
}

void TestTbcDict::commandsOfTheWindow() {
    auto* w = open<TRzgwT1>(*q_);
    struct Expected {
        QAction* action;
        const char* caption;
        const char* hint;
        const char* shortcut;
    };
    const Expected expected[] = {
        {w->actFirst, "Pierwszy", "Pierwszy ", ""},
        {w->actPrior, "Poprzedni", "Poprzedni", ""},
        {w->actNext, "Napstępny", "Następny ", ""},
        {w->actLast, "Ostatni", "Ostatni", ""},
        {w->actSearch, "&Szukaj", "Szukaj zadanej frazy", "Ctrl+S"},
        {w->actDodaj, "&Dodaj", "Dodaj", "Ctrl+D"},
        {w->actPopraw, "&Popraw", "Popraw", "Ctrl+P"},
        {w->actUstawAktywny, "Ustaw aktywny", "Ustaw pozycję słownika na aktywną/nieaktywną", "Ctrl+Alt+A"},
        {w->actAUUsun, "&Usuń", "Usuń ", "Ctrl+U"},
        {w->actRefresh, "&Refresh", "Pobierz ponownie dane z bazy danych", "Ctrl+O"},
        {w->actPost, "&Zapisz", "Zapisz w bazie danych", "Ctrl+Z"},
        {w->actCancel, "&Anuluj", "Anuluj zmiany", "Ctrl+Alt+C"},
    };
    for (const Expected& e : expected) {
        QCOMPARE(e.action->text(), QString::fromUtf8(e.caption));
        QCOMPARE(e.action->toolTip(), QString::fromUtf8(e.hint));
        QCOMPARE(e.action->shortcut().toString(), QString::fromUtf8(e.shortcut));
        QCOMPARE(e.action->shortcutContext(), Qt::WidgetWithChildrenShortcut);
        QVERIFY(w->actions().contains(e.action));
        QVERIFY(w->dictMenu()->actions().contains(e.action));
    }
    QCOMPARE(w->dictMenu()->title(), "&Słownik");
    const QList<QAction*> context = w->gridMenu()->actions();
    QCOMPARE(context.size(), 4);
    QCOMPARE(context.at(0), w->actPopraw);
    QCOMPARE(context.at(1), w->actUstawAktywny);
    QVERIFY(context.at(2)->isSeparator());
    QCOMPARE(context.at(3), w->actAUUsun);

    QApplication::setActiveWindow(w);
    w->grid()->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(w));
    // Ctrl+D adds a row with its key, ordinal and flag; Ctrl+Z saves it once named.
    QTest::keyClick(w->grid(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(q_->state(), DataSetState::Insert);
    QCOMPARE(CurrentId(*q_), 1001);
    q_->fieldByName("rzgw_nazwa").setValue("RZGW testowy");
    q_->fieldByName("rzgw_wsp_roznicujacy").setValue(1);
    QTest::keyClick(w->grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(q_->state(), DataSetState::Browse);
    QCOMPARE(db_->scalar("SELECT rzgw_lp FROM rzgw WHERE rzgw_id = 1001"), 90);
    // Ctrl+U asks, and deletes on Yes.
    messages_->answers = {true};
    QTest::keyClick(w->grid(), Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(messages_->log().last(), "question|Decyzja|Usunąć bieżący zapis?");
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM rzgw WHERE rzgw_id = 1001"), 0);
}

void TestTbcDict::t1CloseWithFailingPostStaysOpen() {
    auto* w = open<TRzgwT1>(*q_);
    QueryTableModel& m = w->grid()->gridModel();
    QVERIFY(m.setData(m.index(0, 0), "RZGW w Gliwicach"));
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    QCOMPARE(q_->state(), DataSetState::Edit);
    QCOMPARE(messages_->log(),
             QStringList{"error|Błąd zapisu do bazy danych|RZGW o takim kluczu już istnieje."});
    // Corrected, it saves and closes; the window frees itself and closes the data set.
    QVERIFY(m.setData(m.index(0, 0), "RZGW w Gdańsku 2"));
    QVERIFY(w->close());
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM rzgw WHERE rzgw_nazwa = 'RZGW w Gdańsku 2'"), 1);
    QTRY_VERIFY(window_.isNull());
    QVERIFY(!q_->isActive());
}

void TestTbcDict::t2DoubleClickEdits() {
    auto* w = open<TRzgwT2>(*q_);
    QCOMPARE(w->actPopraw->toolTip(), "Popraw");
    QVERIFY(!w->grid()->gridModel().flags(w->grid()->gridModel().index(0, 0)).testFlag(Qt::ItemIsEditable));
    QCOMPARE(w->grid()->selectionBehavior(), QAbstractItemView::SelectRows);
    emit w->grid()->doubleClicked(w->grid()->gridModel().index(2, 0));
    QCOMPARE(w->edits, 1);
    // A T2 window closes without saving.
    q_->edit();
    QVERIFY(w->close());
    QVERIFY(messages_->shown.isEmpty());
}

void TestTbcDict::pickerListsActiveRowsOnly() {
    db_->connection().run("UPDATE rzgw SET rzgw_f_aktualny = 0 WHERE rzgw_id = 101");
    for (const bool choose : {true, false}) {
        TRzgwT1 picker(*q_);
        picker.setWindowTitle("Wybierz RZGW");
        QCOMPARE(picker.FilterMode, int(FilterAll));
        int rows = -1;
        QString buttons;
        QTimer::singleShot(0, &picker, [&] {
            rows = q_->recordCount();
            buttons = picker.btnWybierz()->text() + "|" + picker.btnZrezygnuj()->text() + "|" +
                      picker.btnZrezygnuj()->toolTip();
            q_->locate("rzgw_id", 104);
            (choose ? picker.btnWybierz() : picker.btnZrezygnuj())->click();
        });
        const int result = picker.exec();
        QCOMPARE(rows, 7);
        QCOMPARE(buttons, "&Wybierz|&Zrezygnuj|Zrezygnuj z wyboru");
        QCOMPARE(result, int(choose ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(picker.isHidden());
        // The caller reads the chosen row.
        QCOMPARE(CurrentId(*q_), 104);
    }
    // A double click chooses while browsing.
    TRzgwT1 picker(*q_);
    QTimer::singleShot(0, &picker,
                       [&] { emit picker.grid()->doubleClicked(picker.grid()->gridModel().index(1, 0)); });
    QCOMPARE(picker.exec(), int(QDialog::Accepted));
}

void TestTbcDict::itemDialogSaveAndCancel() {
    SetActiveFilter(*q_, FilterAll);
    q_->open();
    q_->append();
    auto* dlg = new TbcDictItem(q_.get());
    QPointer<TbcDictItem> guard(dlg);
    QCOMPARE(dlg->windowTitle(), "Pozycja słownika");
    QLineEdit* name = dlg->addEdit("Nazwa:", "rzgw_nazwa");
    dlg->addEdit("Współczynnik:", "rzgw_wsp_roznicujacy");
    dlg->show();
    name->setText(kGdansk);
    emit name->textEdited(kGdansk);
    emit name->editingFinished();
    q_->fieldByName("rzgw_wsp_roznicujacy").setValue(1);
    dlg->btnZapisz()->click();
    QVERIFY(dlg->isVisible());
    QCOMPARE(q_->state(), DataSetState::Insert);
    QCOMPARE(messages_->log(),
             QStringList{"error|Błąd zapisu do bazy danych|RZGW o takim kluczu już istnieje."});
    // Closing any other way drops the new row; the dialog frees itself.
    dlg->btnAnuluj()->click();
    QCOMPARE(q_->state(), DataSetState::Browse);
    QCOMPARE(q_->recordCount(), 8);
    QTRY_VERIFY(guard.isNull());
}

void TestTbcDict::fieldBinding() {
    SetActiveFilter(*q_, FilterAll);
    DataSource source;
    source.setDataSet(q_.get());
    QLineEdit name;
    QPlainTextEdit memo;
    QLineEdit flag;
    FieldBinding::bind(&name, source, "rzgw_nazwa");
    FieldBinding::bind(&memo, source, "rzgw_nazwa");
    FieldBinding::bind(&flag, source, "clc_f_aktualny");
    QVERIFY(name.isReadOnly());
    q_->open();
    QCOMPARE(name.text(), kGdansk);
    QCOMPARE(memo.toPlainText(), kGdansk);
    QVERIFY(!name.isReadOnly());
    QVERIFY(flag.isReadOnly());
    q_->next();
    QCOMPARE(name.text(), "RZGW w Gliwicach");
    // Typing in the memo is written back when it loses the focus; the other edit follows.
    memo.setPlainText("RZGW w Gliwicach i okolicach");
    QEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(&memo, &focusOut);
    QCOMPARE(q_->state(), DataSetState::Edit);
    QCOMPARE(name.text(), "RZGW w Gliwicach i okolicach");
    q_->post();
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM rzgw WHERE rzgw_nazwa = 'RZGW w Gliwicach i okolicach'"), 1);
    q_->close();
    QVERIFY(name.text().isEmpty());
    QVERIFY(name.isReadOnly());
}

QTEST_MAIN(TestTbcDict)
#include "tst_TbcDict.moc"

void TestTbcDict::longListKeepsItsPlace() {
    // A thousand boards: adding, abandoning and deleting one row moves that row only; the grid is never
    // reset (which would throw away its scroll position and selection), and the model keeps Qt's rules.
    db_->connection().execute(QStringLiteral(
        "EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 1000) DO BEGIN "
        "INSERT INTO rzgw (rzgw_id, rzgw_nazwa, rzgw_wsp_roznicujacy, rzgw_f_aktualny, rzgw_lp) "
        "VALUES (5000 + :i, 'Zarząd ' || (5000 + :i), 1, 1, 5000 + :i); i = i + 1; END END"));
    auto* w = open<TRzgwT1>(*q_);
    QueryTableModel& m = w->grid()->gridModel();
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&m, &QAbstractItemModel::modelReset);
    const int rows = m.rowCount();
    QVERIFY(rows > 1000);
    q_->setRecNo(500);
    QCoreApplication::processEvents();
    QVERIFY(w->grid()->verticalScrollBar()->value() > 0);

    q_->insert();
    QCOMPARE(m.rowCount(), rows + 1);
    QCOMPARE(w->grid()->currentIndex().row(), 500);
    q_->cancel();
    QCOMPARE(m.rowCount(), rows);
    q_->setRecNo(501);
    const int deleted = CurrentId(*q_);
    q_->deleteRecord();
    QCoreApplication::processEvents();
    QCOMPARE(m.rowCount(), rows - 1);
    QVERIFY(CurrentId(*q_) != deleted);
    QCOMPARE(w->grid()->currentIndex().row(), q_->recNo());
    QCOMPARE(resets.count(), 0);
    QVERIFY(w->grid()->verticalScrollBar()->value() > 0);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTbcDict::pickerDestroyedWhileOpen() {
    // The picker's owner closes under it while it waits for the user: the wait ends as given up and
    // nothing of the freed window is touched (the address sanitizer run watches for that).
    auto* owner = new QWidget;
    auto* picker = new TRzgwT1(*q_);
    picker->setParent(owner, Qt::Window);
    QTimer::singleShot(0, owner, [owner] { delete owner; });
    QCOMPARE(picker->exec(), int(QDialog::Rejected));
}

void TestTbcDict::failingCellIsReported() {
    // A cell whose text cannot be made stays blank, and the reason reaches the standard error display
    // once the paint is over, once, instead of being dropped without a word.
    q_->field("rzgw_nazwa").onGetText = [](const Field& f) -> QString {
        if (f.dataSet().fieldByName("rzgw_lp").asInteger() == 20)
            throw DataError(QStringLiteral("Nie można pokazać nazwy."));
        return f.displayText();
    };
    auto* w = open<TRzgwT1>(*q_);
    const QueryTableModel& m = w->grid()->gridModel();
    const int column = m.columnOfField("RZGW_NAZWA");
    int failing = -1;
    for (int row = 0; row < m.rowCount(); ++row)
        if (m.index(row, m.columnOfField("RZGW_LP")).data().toString() == "20")
            failing = row;
    QVERIFY(failing >= 0);
    QVERIFY(m.index(failing, column).data().toString().isEmpty());
    QVERIFY(!m.index(failing == 0 ? 1 : 0, column).data().toString().isEmpty());
    w->grid()->viewport()->repaint();
    QCoreApplication::processEvents();
    QCOMPARE(messages_->log(), QStringList{"error|Błąd|Nie można pokazać nazwy."});
}
