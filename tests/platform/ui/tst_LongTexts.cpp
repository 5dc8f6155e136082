// Texts longer than their place: a bound one-line edit shows the beginning of its text, a grid cell
// cut off with "…" shows the whole text as its tooltip.

#include "platform/data/DataSource.h"
#include "platform/data/Query.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/FieldBinding.h"
#include "support/TestDatabase.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QtTest>

class TestLongTexts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void boundEditShowsTheBeginning_data();
    void boundEditShowsTheBeginning();
    void cutOffCellHasItsTextAsTooltip_data();
    void cutOffCellHasItsTextAsTooltip();

private:
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<Query> q_;
    DataSource source_;
};

namespace {

const QString kLong =
    QStringLiteral("Przedsiębiorstwo Gospodarki Komunalnej i Mieszkaniowej Spółka z ograniczoną "
                   "odpowiedzialnością w Zielonej Górze");

} // namespace

void TestLongTexts::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->create("CREATE TABLE p (id INTEGER NOT NULL, nazwa VARCHAR(200));\n"
                "INSERT INTO p VALUES (1, 'Krótka');\n"
                "INSERT INTO p VALUES (2, '" +
                kLong + "');\n");
    q_ = std::make_unique<Query>(db_->connection());
    q_->setSql("SELECT id, nazwa FROM p ORDER BY id");
    q_->open();
    source_.setDataSet(q_.get());
}

void TestLongTexts::cleanup() {
    source_.setDataSet(nullptr);
    q_.reset();
    db_.reset();
}

void TestLongTexts::boundEditShowsTheBeginning_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("movedThere"); // the long text comes with a move to its row
    QTest::newRow("read-only, shown at once") << true << false;
    QTest::newRow("read-only, after a move") << true << true;
    QTest::newRow("editable, after a move") << false << true;
}

void TestLongTexts::boundEditShowsTheBeginning() {
    QFETCH(bool, readOnly);
    QFETCH(bool, movedThere);
    q_->setRecNo(movedThere ? 0 : 1);
    if (readOnly)
        q_->fieldByName("nazwa").setReadOnly();
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(0, 30, 120, 24);
    FieldBinding::bind(edit, source_, "nazwa");
    window.show();
    other->setFocus();
    if (movedThere)
        q_->setRecNo(1);
    QCOMPARE(edit->text(), kLong);
    QCOMPARE(edit->isReadOnly(), readOnly);
    // The cursor at the start keeps the text's first letters in view.
    QCOMPARE(edit->cursorPosition(), 0);
}

void TestLongTexts::cutOffCellHasItsTextAsTooltip_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("tooltip");
    QTest::newRow("long text, narrow column") << 1 << 150 << true;
    QTest::newRow("long text, wide enough") << 1 << 1500 << false;
    QTest::newRow("short text") << 0 << 150 << false;
}

void TestLongTexts::cutOffCellHasItsTextAsTooltip() {
    QFETCH(int, row);
    QFETCH(int, width);
    QFETCH(bool, tooltip);
    DataGrid grid(source_);
    grid.addColumn("nazwa", "Nazwa");
    grid.setToolTip("Lista nazw");
    grid.resize(1600, 300);
    grid.setColumnWidth(0, width);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QModelIndex cell = grid.model()->index(row, 0);
    const QString text = cell.data().toString();
    QCOMPARE(grid.cutOffText(cell), tooltip ? text : QString());

    const QPoint at = grid.visualRect(cell).center();
    QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &help);
    // Cells that fit keep the list's own hint.
    QTRY_COMPARE(QToolTip::text(), tooltip ? text : QStringLiteral("Lista nazw"));
    QToolTip::hideText();
}

QTEST_MAIN(TestLongTexts)
#include "tst_LongTexts.moc"
