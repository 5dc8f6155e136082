// The register and the master-detail windows over a small master/detail pair of real tables: adding
// and changing entries through a register, saving and abandoning together in a master-detail dialog,
// re-reading on binding, the print drop-downs, the detail search, and the captions, hints and keys.

#include "forms/DataHelpers.h"
#include "forms/ui/TSearchDLG.h"
#include "forms/ui/TbcDlgMD_T2.h"
#include "forms/ui/TbcKsiega.h"
#include "forms/ui/TbcKsiegaEF.h"
#include "forms/ui/TbcKsiegaPozycja.h"
#include "forms/ui/TbclDlgMD_T1.h"
#include "forms/ui/TbclDlgMD_T1D5.h"
#include "platform/ui/FieldBinding.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString kDuplicate =
    QStringLiteral("error|Błąd zapisu do bazy danych|Pozycja o takim kluczu już istnieje.");

void CreateTables(Connection& c) {
    c.execute("CREATE TABLE t_m (m_id INTEGER NOT NULL, m_nazwa VARCHAR(40) NOT NULL, m_lp INTEGER, "
              "CONSTRAINT PK_t_m PRIMARY KEY (m_id), CONSTRAINT IX_t_m1 UNIQUE (m_nazwa))");
    c.execute("CREATE TABLE t_d (d_id INTEGER NOT NULL, d_m_id INTEGER NOT NULL, d_kod VARCHAR(10) NOT NULL, "
              "d_opis VARCHAR(40), CONSTRAINT PK_t_d PRIMARY KEY (d_id), "
              "CONSTRAINT FK_t_d_1 FOREIGN KEY (d_m_id) REFERENCES t_m (m_id), "
              "CONSTRAINT IX_t_d1 UNIQUE (d_m_id, d_kod))");
    c.execute("CREATE GENERATOR g_t_m");
    c.execute("SET GENERATOR g_t_m TO 100");
    c.execute("CREATE GENERATOR g_t_d");
    c.execute("SET GENERATOR g_t_d TO 100");
    c.execute("INSERT INTO t_m VALUES (1, 'Alfa', 30)");
    c.execute("INSERT INTO t_m VALUES (2, 'Beta', 20)");
    c.execute("INSERT INTO t_m VALUES (3, 'Gamma', 10)");
    c.execute("INSERT INTO t_d VALUES (11, 1, 'A1', 'Azot')");
    c.execute("INSERT INTO t_d VALUES (12, 1, 'B2', 'Benzen')");
    c.execute("INSERT INTO t_d VALUES (13, 1, 'BB', 'Bor')");
    c.execute("INSERT INTO t_d VALUES (14, 1, 'C3', 'Chlor')");
    c.execute("INSERT INTO t_d VALUES (21, 2, 'A1', 'Arsen')");
}

void SetUpMaster(Query& q) {
    q.setSql("SELECT * FROM t_m");
    q.setInsertSql("INSERT INTO t_m (m_id, m_nazwa, m_lp) VALUES (:m_id, :m_nazwa, :m_lp)");
    q.setModifySql("UPDATE t_m SET m_nazwa = :m_nazwa, m_lp = :m_lp WHERE m_id = :OLD_m_id");
    q.setDeleteSql("DELETE FROM t_m WHERE m_id = :OLD_m_id");
    q.field("m_nazwa").setLabel("Nazwa");
    q.field("m_lp").setLabel("Lp.");
    q.field("m_id").setLabel("Nr sys.");
    q.afterInsert += [](Query& ds) { ds.fieldByName("m_id").setValue(NewKey("g_t_m")); };
    WireRecordErrors(q, "Pozycji", "Pozycja");
}

void SetUpDetail(Query& q, Query& master) {
    q.setSql("SELECT * FROM t_d WHERE d_m_id = :m_id ORDER BY d_kod");
    q.setInsertSql("INSERT INTO t_d (d_id, d_m_id, d_kod, d_opis) VALUES (:d_id, :d_m_id, :d_kod, :d_opis)");
    q.setModifySql("UPDATE t_d SET d_kod = :d_kod, d_opis = :d_opis WHERE d_id = :OLD_d_id");
    q.setDeleteSql("DELETE FROM t_d WHERE d_id = :OLD_d_id");
    q.field("d_kod").setLabel("Kod");
    q.field("d_opis").setLabel("Opis");
    q.setMaster(&master);
    q.afterInsert += [&master](Query& ds) {
        ds.fieldByName("d_id").setValue(NewKey("g_t_d"));
        ds.fieldByName("d_m_id").setValue(master.fieldByName("m_id").value());
    };
    WireRecordErrors(q, "Pozycji", "Pozycja");
}

// The entry dialog of the test register: the name typed into a bound edit.
class TEntry : public TbcKsiegaPozycja {
public:
    TEntry() {
        name = new QLineEdit(this);
        contentLayout()->addWidget(name);
        FieldBinding::bind(name, *dsMain, "m_nazwa");
    }
    void type(const QString& text) {
        name->setText(text);
        emit name->textEdited(text);
    }
    QLineEdit* name;
};

// What a test does with the entry dialog while it is shown.
using EntryScript = std::function<void(TEntry&)>;

template <class Base> class TRegister : public Base {
public:
    explicit TRegister(Query& q) {
        this->Bind(nullptr, &q);
        this->KsiegaKeyField = "m_id";
        this->grid()->addColumn("m_nazwa");
        this->grid()->addColumn("m_lp");
        this->grid()->addColumn("m_id");
    }
    EntryScript script;

protected:
    void actDodajExecute() override { this->AddEntry(entry()); }
    void actPoprawExecute() override { this->EditEntry(entry()); }

private:
    TEntry* entry() {
        auto* e = new TEntry;
        QTimer::singleShot(0, e, [this, e] { script(*e); });
        return e;
    }
};

void ClickTitle(DataGrid* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
}

} // namespace

class TestMasterDetail : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void registerEntry_data();
    void registerEntry();
    void registerShowsAndSorts_data();
    void registerShowsAndSorts();
    void t2Closing_data();
    void t2Closing();
    void t2DetailDuplicateKeepsDialogOpen();
    void t2KeysAnswerInTheirPanel();
    void t2DetailSearch_data();
    void t2DetailSearch();
    void t1BindingRereadsBoth();
    void t1ClosingSavesPendingDetail();
    void t1d5BindingAndPages();
    void printButtons_data();
    void printButtons();
    void commands_data();
    void commands();
    void buttonsAndCaptions_data();
    void buttonsAndCaptions();

private:
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<Query> m_;
    std::unique_ptr<Query> d_;
    QPointer<QWidget> window_;
};

void TestMasterDetail::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    CreateTables(db_->connection());
    messages_ = std::make_unique<ScopedScriptedMessages>();
    m_ = std::make_unique<Query>(db_->connection());
    d_ = std::make_unique<Query>(db_->connection());
    SetUpMaster(*m_);
    SetUpDetail(*d_, *m_);
}

void TestMasterDetail::cleanup() {
    delete window_.data();
    d_.reset();
    m_.reset();
    messages_.reset();
    db_.reset();
}

void TestMasterDetail::registerEntry_data() {
    QTest::addColumn<bool>("add");
    QTest::addColumn<QStringList>("steps"); // a name typed, or a button clicked
    QTest::addColumn<QString>("currentName");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("add, save") << true << QStringList{"Delta", "&Zapisz"} << "Delta" << 4 << QStringList{};
    QTest::newRow("add, abandon") << true << QStringList{"Delta", "&Anuluj"} << "Beta" << 3 << QStringList{};
    QTest::newRow("add, duplicate then corrected")
        << true << QStringList{"Alfa", "&Zapisz", "Delta", "&Zapisz"} << "Delta" << 4
        << QStringList{kDuplicate};
    QTest::newRow("add, duplicate then abandoned")
        << true << QStringList{"Alfa", "&Zapisz", "&Anuluj"} << "Beta" << 3 << QStringList{kDuplicate};
    QTest::newRow("edit, save") << false << QStringList{"Beta 2", "&Zapisz"} << "Beta 2" << 3
                                << QStringList{};
    QTest::newRow("edit, abandon") << false << QStringList{"Beta 2", "&Anuluj"} << "Beta" << 3
                                   << QStringList{};
}

void TestMasterDetail::registerEntry() {
    QFETCH(bool, add);
    QFETCH(QStringList, steps);
    QFETCH(QString, currentName);
    QFETCH(int, rows);
    QFETCH(QStringList, messages);
    auto* w = new TRegister<TbcKsiegaEF>(*m_);
    window_ = w;
    w->show();
    QVERIFY(m_->locate("m_id", 2));
    QStringList states;
    bool stayedOpen = true;
    w->script = [&](TEntry& e) {
        states << (m_->state() == DataSetState::Insert ? "insert" : "edit");
        for (const QString& step : steps) {
            if (step == "&Anuluj") {
                e.btnAnuluj()->click();
            } else if (step == "&Zapisz") {
                // A refused save leaves the dialog open, still editing.
                const bool refused = e.name->text() == "Alfa";
                e.btnZapisz()->click();
                if (refused)
                    stayedOpen = stayedOpen && e.isVisible() && m_->isEditing();
            } else {
                e.type(step);
            }
        }
    };
    (add ? w->actDodaj() : w->actPopraw())->trigger();
    QCOMPARE(states, QStringList{add ? "insert" : "edit"});
    QVERIFY(stayedOpen);
    QCOMPARE(m_->state(), DataSetState::Browse);
    QCOMPARE(m_->recordCount(), rows);
    QCOMPARE(m_->fieldByName("m_nazwa").asString(), currentName);
    QCOMPARE(w->grid()->currentIndex().row(), m_->recNo());
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM t_m"), rows);
    QCOMPARE(db_->scalar(QString("SELECT COUNT(*) FROM t_m WHERE m_nazwa = '%1'").arg(currentName)), 1);
    QCOMPARE(messages_->log(), messages);
}

void TestMasterDetail::registerShowsAndSorts_data() {
    QTest::addColumn<bool>("ef");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("sortedFields");
    QTest::addColumn<QString>("searchField");
    QTest::newRow("shown") << false << QList<int>{} << "m_nazwa"
                           << "m_nazwa";
    QTest::newRow("second click reverses") << false << QList<int>{0} << "m_nazwa DESC"
                                           << "m_nazwa";
    QTest::newRow("another column alone") << false << QList<int>{1} << "m_lp"
                                          << "m_lp";
    QTest::newRow("EF shown") << true << QList<int>{} << "m_nazwa, m_lp, m_id"
                              << "m_nazwa";
    QTest::newRow("EF reverses") << true << QList<int>{0} << "m_nazwa DESC, m_lp DESC, m_id DESC"
                                 << "m_nazwa";
    QTest::newRow("EF another column") << true << QList<int>{1} << "m_lp, m_id"
                                       << "m_lp";
}

void TestMasterDetail::registerShowsAndSorts() {
    QFETCH(bool, ef);
    QFETCH(QList<int>, clicks);
    QFETCH(QString, sortedFields);
    QFETCH(QString, searchField);
    TbcKsiega* w = ef ? static_cast<TbcKsiega*>(new TRegister<TbcKsiegaEF>(*m_))
                      : static_cast<TbcKsiega*>(new TRegister<TbcKsiega>(*m_));
    window_ = w;
    w->CenteredFields = {"M_LP"};
    w->show();
    QVERIFY(m_->isActive());
    QCOMPARE(m_->recNo(), 0);
    QCOMPARE(w->grid()->gridModel().index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(w->grid()->horizontalHeader()->defaultAlignment(), Qt::AlignCenter);
    QCOMPARE(w->grid()->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(!(w->grid()->gridModel().flags(w->grid()->gridModel().index(0, 0)) & Qt::ItemIsEditable));
    for (int c : clicks)
        ClickTitle(w->grid(), c);
    QCOMPARE(m_->sortedFields(), sortedFields);
    QCOMPARE(w->sortedField(), searchField);
    QCOMPARE(w->searchData().fieldName, searchField);
    QCOMPARE(w->searchData().caption, w->grid()->columnTitle(w->grid()->columnOfField(searchField)));
    // The register closes its list when it is gone.
    w->close();
    QTRY_VERIFY(window_.isNull());
    QVERIFY(!m_->isActive());
}

void TestMasterDetail::t2Closing_data() {
    QTest::addColumn<bool>("newMaster");
    QTest::addColumn<bool>("save");
    QTest::newRow("both edited, Anuluj") << false << false;
    QTest::newRow("both edited, Zapisz") << false << true;
    QTest::newRow("new master with a new detail row, Anuluj") << true << false;
    QTest::newRow("new master with a new detail row, Zapisz") << true << true;
}

void TestMasterDetail::t2Closing() {
    QFETCH(bool, newMaster);
    QFETCH(bool, save);
    m_->open();
    auto* dlg = new TbcDlgMD_T2;
    QPointer<TbcDlgMD_T2> guard(dlg);
    dlg->grdD()->addColumn("d_kod");
    dlg->grdD()->addColumn("d_opis");
    dlg->BindDataSets(nullptr, m_.get(), d_.get());
    QVERIFY(d_->isActive());
    QTimer::singleShot(0, dlg, [&] {
        if (newMaster) {
            m_->append();
            m_->fieldByName("m_nazwa").setValue("Delta");
            d_->append();
        } else {
            dlg->actMPopraw()->trigger();
            m_->fieldByName("m_nazwa").setValue("Alfa 2");
            d_->next();
            dlg->detailCommands().actPopraw->trigger();
        }
        d_->fieldByName("d_kod").setValue("Z9");
        d_->fieldByName("d_opis").setValue("Cynk");
        QVERIFY(m_->isEditing() && d_->isEditing());
        QVERIFY(dlg->actMPost()->isEnabled() && dlg->detailCommands().actPost->isEnabled());
        (save ? dlg->btnZapisz() : dlg->btnAnuluj())->click();
    });
    QCOMPARE(dlg->exec(), int(save ? QDialog::Accepted : QDialog::Rejected));
    QVERIFY(guard.isNull());
    QVERIFY(!m_->isEditing() && !d_->isEditing());
    const QString name = newMaster ? "Delta" : "Alfa 2";
    QCOMPARE(db_->scalar(QString("SELECT COUNT(*) FROM t_m WHERE m_nazwa = '%1'").arg(name)), save ? 1 : 0);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM t_d WHERE d_kod = 'Z9'"), save ? 1 : 0);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM t_m"), newMaster && save ? 4 : 3);
    // Abandoned, the lists show what is stored (a new master's row gone, the last one current).
    if (!save) {
        QCOMPARE(m_->recordCount(), 3);
        QCOMPARE(m_->fieldByName("m_nazwa").asString(), newMaster ? "Gamma" : "Alfa");
        QCOMPARE(d_->recordCount(), newMaster ? 0 : 4);
    }
    QVERIFY(messages_->shown.isEmpty());
}

void TestMasterDetail::t2DetailDuplicateKeepsDialogOpen() {
    m_->open();
    auto* dlg = new TbcDlgMD_T2;
    dlg->grdD()->addColumn("d_kod");
    dlg->BindDataSets(nullptr, m_.get(), d_.get());
    bool stayedOpen = false;
    QStringList shown;
    QTimer::singleShot(0, dlg, [&] {
        dlg->actMPopraw()->trigger();
        m_->fieldByName("m_nazwa").setValue("Alfa 2");
        d_->last();
        dlg->detailCommands().actPopraw->trigger();
        d_->fieldByName("d_kod").setValue("A1");
        dlg->btnZapisz()->click();
        stayedOpen = dlg->isVisible() && d_->state() == DataSetState::Edit && !m_->isEditing();
        shown = messages_->log();
        dlg->btnAnuluj()->click();
    });
    QCOMPARE(dlg->exec(), int(QDialog::Rejected));
    QVERIFY(stayedOpen);
    QCOMPARE(shown, QStringList{kDuplicate});
    // The master was saved before the detail failed; the detail change is abandoned.
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM t_m WHERE m_nazwa = 'Alfa 2'"), 1);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM t_d WHERE d_id = 14 AND d_kod = 'C3'"), 1);
    QCOMPARE(d_->fieldByName("d_kod").asString(), "C3");
}

void TestMasterDetail::t2KeysAnswerInTheirPanel() {
    m_->open();
    auto* dlg = new TbcDlgMD_T2;
    window_ = dlg;
    auto* name = new QLineEdit(dlg);
    dlg->masterForm()->addRow("Nazwa:", name);
    FieldBinding::bind(name, *dlg->dsM, "m_nazwa");
    dlg->grdD()->addColumn("d_kod");
    dlg->BindDataSets(nullptr, m_.get(), d_.get());
    dlg->show();
    QApplication::setActiveWindow(dlg);
    QVERIFY(QTest::qWaitForWindowActive(dlg));
    // The master and the detail share Ctrl+P and Ctrl+Z; each panel answers its own.
    dlg->grdD()->setFocus();
    QTest::keyClick(dlg->grdD(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(d_->state(), DataSetState::Edit);
    QCOMPARE(m_->state(), DataSetState::Browse);
    d_->fieldByName("d_opis").setValue("Azot 2");
    QTest::keyClick(dlg->grdD(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(d_->state(), DataSetState::Browse);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM t_d WHERE d_opis = 'Azot 2'"), 1);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(m_->state(), DataSetState::Edit);
    QCOMPARE(d_->state(), DataSetState::Browse);
}

void TestMasterDetail::t2DetailSearch_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("first letter") << "b"
                                  << "B2";
    QTest::newRow("first letters, either case") << "bB"
                                                << "BB";
    QTest::newRow("no match keeps the row") << "x"
                                            << "C3";
}

void TestMasterDetail::t2DetailSearch() {
    QFETCH(QString, typed);
    QFETCH(QString, found);
    m_->open();
    auto* dlg = new TbcDlgMD_T2;
    dlg->grdD()->addColumn("d_id", QString(), ColumnHidden);
    dlg->grdD()->addColumn("d_kod");
    dlg->grdD()->addColumn("d_opis");
    dlg->BindDataSets(nullptr, m_.get(), d_.get());
    QString caption;
    QTimer::singleShot(0, dlg, [&] {
        d_->last();
        QVERIFY(dlg->detailCommands().actSearch->isEnabled());
        QTimer::singleShot(0, dlg, [&] {
            auto* search = qobject_cast<TSearchDLG*>(QApplication::activeModalWidget());
            QVERIFY(search);
            caption = search->windowTitle();
            for (const QChar ch : typed)
                search->edtFraza()->insert(QString(ch));
            search->btnOK()->click();
        });
        dlg->detailCommands().actSearch->trigger();
        dlg->btnAnuluj()->click();
    });
    dlg->exec();
    QCOMPARE(caption, "Wyszukiwanie po kolumnie Kod");
    QCOMPARE(d_->fieldByName("d_kod").asString(), found);
}

void TestMasterDetail::t1BindingRereadsBoth() {
    m_->open();
    d_->open();
    m_->last();
    QCOMPARE(d_->recordCount(), 0);
    m_->first();
    d_->last();
    // Changed behind the back of the open lists.
    db_->connection().execute("UPDATE t_m SET m_nazwa = 'Alfa nowa' WHERE m_id = 1");
    db_->connection().execute("UPDATE t_d SET d_opis = 'Azot nowy' WHERE d_id = 11");
    QCOMPARE(m_->fieldByName("m_nazwa").asString(), "Alfa");
    auto* dlg = new TbclDlgMD_T1;
    dlg->grdM()->addColumn("m_nazwa");
    dlg->grdD()->addColumn("d_kod");
    dlg->grdD()->addColumn("d_opis");
    dlg->BindDataSets(nullptr, m_.get(), d_.get());
    QCOMPARE(m_->fieldByName("m_nazwa").asString(), "Alfa nowa");
    QVERIFY(d_->locate("d_id", 11));
    QCOMPARE(d_->fieldByName("d_opis").asString(), "Azot nowy");
    int masterRow = -1, detailRow = -1;
    QTimer::singleShot(0, dlg, [&] {
        masterRow = m_->recNo();
        detailRow = d_->recNo();
        dlg->btnZamknij()->click();
    });
    QCOMPARE(dlg->exec(), int(QDialog::Accepted));
    QCOMPARE(masterRow, 0);
    QCOMPARE(detailRow, 0);
}

void TestMasterDetail::t1ClosingSavesPendingDetail() {
    auto* dlg = new TbclDlgMD_T1;
    dlg->grdD()->addColumn("d_kod");
    dlg->BindDataSets(nullptr, m_.get(), d_.get());
    bool stayedOpen = false;
    QStringList shown;
    QTimer::singleShot(0, dlg, [&] {
        d_->last();
        dlg->detailCommands().actPopraw->trigger();
        d_->fieldByName("d_kod").setValue("A1");
        dlg->btnZamknij()->click();
        stayedOpen = dlg->isVisible() && d_->isEditing();
        shown = messages_->log();
        d_->fieldByName("d_kod").setValue("C4");
        dlg->btnZamknij()->click();
    });
    QCOMPARE(dlg->exec(), int(QDialog::Accepted));
    QVERIFY(stayedOpen);
    QCOMPARE(shown, QStringList{kDuplicate});
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM t_d WHERE d_id = 14 AND d_kod = 'C4'"), 1);
    // "&Szukaj" has no handler in these windows.
    auto* other = new TbclDlgMD_T1;
    window_ = other;
    QVERIFY(!other->masterCommands().actSearch->isEnabled());
    QVERIFY(!other->detailCommands().actSearch->isEnabled());
}

void TestMasterDetail::t1d5BindingAndPages() {
    // Details over the same rows (a detail per page); the closed ones are opened.
    std::vector<std::unique_ptr<Query>> details;
    for (int i = 0; i < 5; ++i) {
        details.push_back(std::make_unique<Query>(db_->connection()));
        SetUpDetail(*details.back(), *m_);
    }
    auto* dlg = new TbclDlgMD_T1D5;
    window_ = dlg;
    QCOMPARE(dlg->pcDetail()->count(), 5);
    dlg->BindDataSets(nullptr, m_.get(), details[0].get(), details[1].get(), details[2].get(),
                      details[3].get(), details[4].get());
    QVERIFY(m_->isActive());
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(dlg->dsD(i)->dataSet(), details[i - 1].get());
        QVERIFY(details[i - 1]->isActive());
        QCOMPARE(dlg->grdD(i)->dataSet(), details[i - 1].get());
    }
    // The detail commands act on the list of the page shown.
    dlg->pcDetail()->setCurrentIndex(2);
    dlg->detailCommands().actLast->trigger();
    QCOMPARE(details[2]->recNo(), 3);
    QCOMPARE(details[0]->recNo(), 0);
    dlg->detailCommands().actDodaj->trigger();
    QCOMPARE(details[2]->state(), DataSetState::Insert);
    QCOMPARE(details[0]->state(), DataSetState::Browse);
    details[2]->cancel();
}

void TestMasterDetail::printButtons_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("hint");
    QTest::newRow("register") << "TbcKsiega"
                              << "btnPrint"
                              << "Wydruki z Księgi";
    QTest::newRow("T1 master") << "TbclDlgMD_T1"
                               << "btnMPrint"
                               << "Wydruki ...";
    QTest::newRow("T1 detail") << "TbclDlgMD_T1"
                               << "btnDPrint"
                               << "Wydruki ...";
    QTest::newRow("T1D5 master") << "TbclDlgMD_T1D5"
                                 << "btnMPrint"
                                 << "Wydruki z Księgi";
    QTest::newRow("T1D5 detail") << "TbclDlgMD_T1D5"
                                 << "btnDPrint"
                                 << "Wydruki z Księgi";
    QTest::newRow("T2 master") << "TbcDlgMD_T2"
                               << "btnMPrint"
                               << "Wydruki ...";
    QTest::newRow("T2 detail") << "TbcDlgMD_T2"
                               << "btnDPrint"
                               << "Wydruki ...";
}

namespace {

QWidget* MakeWindow(const QString& name) {
    if (name == "TbcKsiega")
        return new TbcKsiega;
    if (name == "TbcKsiegaEF")
        return new TbcKsiegaEF;
    if (name == "TbcKsiegaPozycja")
        return new TbcKsiegaPozycja;
    if (name == "TbclDlgMD_T1")
        return new TbclDlgMD_T1;
    if (name == "TbclDlgMD_T1D5")
        return new TbclDlgMD_T1D5;
    return new TbcDlgMD_T2;
}

} // namespace

void TestMasterDetail::printButtons() {
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, hint);
    QWidget* w = MakeWindow(window);
    window_ = w;
    auto* b = w->findChild<PrintDropDown*>(button);
    QVERIFY(b);
    QCOMPARE(b->toolTip(), hint);
    QCOMPARE(b->popupMode(), QToolButton::InstantPopup);
    w->show();
    QVERIFY(!b->isVisible());
    QVERIFY(!b->isEnabled());
    QAction* printout = b->addPrintout("Tabela X", "Wydruk tabeli X");
    b->showButton();
    QTRY_VERIFY(b->isVisible());
    QVERIFY(b->isEnabled());
    // A click on the button itself drops down the menu.
    QWidget* popup = nullptr;
    QTimer::singleShot(0, b, [&] {
        popup = QApplication::activePopupWidget();
        if (popup)
            popup->close();
    });
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    QCOMPARE(popup, b->printMenu());
    QVERIFY(b->printMenu()->actions().contains(printout));
}

void TestMasterDetail::commands_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shortcut");
    const struct {
        const char* prefix;
        const char* window;
    } lists[] = {{"act", "TbcKsiega"},       {"actM", "TbclDlgMD_T1"},   {"actD", "TbclDlgMD_T1"},
                 {"actM", "TbclDlgMD_T1D5"}, {"actD", "TbclDlgMD_T1D5"}, {"actD", "TbcDlgMD_T2"}};
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        const char* shortcut;
    } common[] = {
        {"First", "Pierwszy", "Pierwszy ", ""},
        {"Prior", "Poprzedni", "Poprzedni", ""},
        {"Next", "Napstępny", "Następny ", ""},
        {"Last", "Ostatni", "Ostatni", ""},
        {"Search", "&Szukaj", "Szukaj zadanej frazy", "Ctrl+S"},
        {"Dodaj", "&Dodaj", "Dodaj", "Ctrl+D"},
        {"Popraw", "&Popraw", "Popraw", "Ctrl+P"},
        {"AUUsun", "&Usuń", "Usuń ", "Ctrl+U"},
        {"Refresh", "&Refresh", "Pobierz ponownie dane z bazy danych", "Ctrl+O"},
    };
    for (const auto& list : lists)
        for (const auto& c : common) {
            const QString name = QString::fromLatin1(list.prefix) + QString::fromLatin1(c.name);
            QTest::addRow("%s %s", list.window, qPrintable(name))
                << list.window << name << QString::fromUtf8(c.caption) << QString::fromUtf8(c.hint)
                << c.shortcut;
        }
    QTest::newRow("T2 detail post") << "TbcDlgMD_T2"
                                    << "actDPost"
                                    << "P&ost"
                                    << "Zapisz w bazie danych"
                                    << "Ctrl+Z";
    QTest::newRow("T2 detail cancel") << "TbcDlgMD_T2"
                                      << "actDCancel"
                                      << "&Cancel"
                                      << "Anuluj zmiany"
                                      << "Ctrl+Alt+C";
    QTest::newRow("T2 master edit") << "TbcDlgMD_T2"
                                    << "actMPopraw"
                                    << "&Popraw"
                                    << "Popraw"
                                    << "Ctrl+P";
    QTest::newRow("T2 master post") << "TbcDlgMD_T2"
                                    << "actMPost"
                                    << "Zapisz"
                                    << "Zapisz w bazie danych"
                                    << "Ctrl+Z";
    QTest::newRow("T2 master cancel") << "TbcDlgMD_T2"
                                      << "actMCancel"
                                      << "&Anuluj"
                                      << "Anuluj zmiany"
                                      << "Ctrl+Alt+C";
    QTest::newRow("T2 master refresh") << "TbcDlgMD_T2"
                                       << "actMRefresh"
                                       << "&Refresh"
                                       << "Pobierz ponownie dane z bazy danych"
                                       << "Ctrl+O";
}

void TestMasterDetail::commands() {
    QFETCH(QString, window);
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(QString, shortcut);
    QWidget* w = MakeWindow(window);
    window_ = w;
    auto* a = w->findChild<QAction*>(action);
    QVERIFY(a);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->toolTip(), hint);
    QCOMPARE(a->shortcut().toString(), shortcut);
    QCOMPARE(a->shortcutContext(), Qt::WidgetWithChildrenShortcut);
    // On a toolbar of the window.
    bool onToolBar = false;
    for (QToolBar* t : w->findChildren<QToolBar*>())
        onToolBar = onToolBar || t->actions().contains(a);
    QVERIFY(onToolBar);
}

void TestMasterDetail::buttonsAndCaptions_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("result");
    QTest::newRow("entry save") << "TbcKsiegaPozycja"
                                << "btnZapisz"
                                << "&Zapisz"
                                << "Zapisz zmiany i zamknij formularz" << int(QDialog::Accepted);
    QTest::newRow("entry cancel") << "TbcKsiegaPozycja"
                                  << "btnAnuluj"
                                  << "&Anuluj"
                                  << "Zamknij formularz bez zapisu zmian" << int(QDialog::Rejected);
    QTest::newRow("T1 close") << "TbclDlgMD_T1"
                              << "btnZamknij"
                              << "Zamknij" << QString() << int(QDialog::Accepted);
    QTest::newRow("T1D5 close") << "TbclDlgMD_T1D5"
                                << "btnZamknij"
                                << "Zamknij" << QString() << int(QDialog::Accepted);
    QTest::newRow("T2 save") << "TbcDlgMD_T2"
                             << "btnZapisz"
                             << "Zapisz"
                             << "Zapisz ostatnie zmiany i zamknij formularz " << int(QDialog::Accepted);
    QTest::newRow("T2 cancel") << "TbcDlgMD_T2"
                               << "btnAnuluj"
                               << "Anuluj"
                               << "Anuluj ostatnie zmiany i zamknij formularz" << int(QDialog::Rejected);
}

void TestMasterDetail::buttonsAndCaptions() {
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(int, result);
    auto* dlg = qobject_cast<QDialog*>(MakeWindow(window));
    QVERIFY(dlg);
    QPointer<QDialog> guard(dlg);
    QCOMPARE(dlg->objectName(), window);
    static const QHash<QString, QString> titles{{"TbcKsiegaPozycja", "Pozycja księgi"},
                                                {"TbclDlgMD_T1", "Master Detail Dialog DB "},
                                                {"TbclDlgMD_T1D5", "Master Detail Dialog DB "},
                                                {"TbcDlgMD_T2", "Dialog Master-Detail T2"}};
    QCOMPARE(dlg->windowTitle(), titles.value(window));
    auto* b = dlg->findChild<QPushButton*>(button);
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolTip(), hint);
    QTimer::singleShot(0, b, &QPushButton::click);
    QCOMPARE(dlg->exec(), result);
    // Every window of these frees itself when closed.
    QVERIFY(guard.isNull());
}

QTEST_MAIN(TestMasterDetail)
#include "tst_MasterDetail.moc"
