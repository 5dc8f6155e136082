// The dictionary windows over the dictionaries module: their captions, class names and columns, what
// can be typed into, the rate decimals in the grid, one window per class from the main menu, and the
// three selection forms.

#include "app/ui/ProgramWindows.h"
#include "app/ui/TMain.h"
#include "app/ui/WindowRegistry.h"
#include "dict/TdmfDict.h"
#include "dict/ui/TDictWindow.h"
#include "dict/ui/TKodyRdzScLW.h"
#include "dict/ui/TSoTgLW.h"
#include "dict/ui/TWspRoznPwLW.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestDictWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void everyWindowShowsItsColumns_data();
    void everyWindowShowsItsColumns();
    void rateDecimalsInTheGrid();
    void cellLeftAsShownKeepsItsValue();
    void menuOpensOneWindowPerClass();
    void pickersListActiveRowsOnly();

private:
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
};

void TestDictWindows::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
    messages_ = std::make_unique<ScopedScriptedMessages>();
}

void TestDictWindows::cleanup() {
    messages_.reset();
    dict_.reset();
    db_.reset();
}

void TestDictWindows::everyWindowShowsItsColumns_data() {
    QTest::addColumn<QString>("className");
    for (const DictWindowDef& def : DictWindowDefs())
        QTest::newRow(def.className) << QString::fromLatin1(def.className);
}

void TestDictWindows::everyWindowShowsItsColumns() {
    QFETCH(QString, className);
    const DictWindowDef& def = *FindDictWindowDef(className);
    std::unique_ptr<TDictWindow> window(CreateDictWindow(className, *dict_));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    QCOMPARE(window->objectName(), className);
    QCOMPARE(window->windowTitle(), QString::fromUtf8(def.caption));
    Query* q = window->dsMain->dataSet();
    QVERIFY(q->isActive());
    QVERIFY2(q->recordCount() > 0, "the dictionary lists its loaded rows");

    DataGrid* grid = window->grid();
    QueryTableModel& model = grid->gridModel();
    QCOMPARE(model.columnCount(), int(def.columns.size()));
    for (int c = 0; c < model.columnCount(); ++c) {
        const DictWindowDef::Column& column = def.columns[c];
        const QString field = QString::fromLatin1(column.field);
        QCOMPARE(grid->columnField(c), field);
        QVERIFY2(model.fieldAt(c), qPrintable(field));
        const bool keyOrFlag =
            field.compare(QString::fromLatin1(def.prefix) + "_id", Qt::CaseInsensitive) == 0 ||
            field.startsWith("clc_");
        const bool readOnly = column.readOnly || keyOrFlag;
        QVERIFY2(model.isCellEditable(c) != readOnly, qPrintable(field));
        if (column.title)
            QCOMPARE(grid->columnTitle(c), QString::fromUtf8(column.title));
    }
    // Rows of both kinds are listed: withdraw the first and it stays, marked "-".
    const int rows = q->recordCount();
    q->first();
    const QVariant key = q->fieldByName(QString::fromLatin1(def.prefix) + "_id").value();
    window->actUstawAktywny->trigger();
    window->actPost->trigger();
    QCOMPARE(q->state(), DataSetState::Browse);
    QCOMPARE(q->recordCount(), rows);
    QVERIFY(q->locate(QString::fromLatin1(def.prefix) + "_id", key));
    QCOMPARE(q->fieldByName("clc_f_aktualny").asString(), QStringLiteral("-"));
    if (def.memoField) {
        auto* memo = window->findChild<QPlainTextEdit*>();
        QVERIFY(memo);
        QCOMPARE(memo->toPlainText(), q->fieldByName(QString::fromLatin1(def.memoField)).text());
    }
    QVERIFY(window->close());
    QVERIFY(messages_->shown.isEmpty());
}

void TestDictWindows::rateDecimalsInTheGrid() {
    std::unique_ptr<TDictWindow> window(CreateDictWindow("TSoScTA", *dict_));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    Query* q = window->dsMain->dataSet();
    QueryTableModel& model = window->grid()->gridModel();
    const int column = model.columnOfField("SOTA_KWOTA");
    const struct {
        const char* code;
        const char* shown;
        double stored;
    } cases[] = {{"Cl+SO4", "0,012", 0.012}, {"Cl+SO4-RZGW-Gd", "0,0123", 0.0123}, {"BZT5", "0,01", 0.01}};
    for (const auto& c : cases) {
        QVERIFY(q->locate("sota_kod;sota_rok_id", {QString::fromLatin1(c.code), 1002}));
        const QModelIndex cell = model.index(q->recNo(), column);
        QVERIFY(model.setData(cell, QStringLiteral("0,01234")));
        window->actPost->trigger();
        QCOMPARE(model.data(cell).toString(), QString::fromLatin1(c.shown));
        QCOMPARE(db_->scalar(QStringLiteral("SELECT CAST(sota_kwota * 100000 AS INTEGER) FROM so_tabela_a "
                                            "WHERE sota_rok_id = 1002 AND sota_kod = '%1'")
                                 .arg(QString::fromLatin1(c.code))),
                 qRound(c.stored * 100000));
    }
}

void TestDictWindows::cellLeftAsShownKeepsItsValue() {
    // A rate with more decimals than the grid shows survives an edit of another cell of its row.
    db_->connection().execute("UPDATE so_tabela_g SET sotg_jedn_st_opl = 0.523 WHERE sotg_id = 100");
    std::unique_ptr<TDictWindow> window(CreateDictWindow("TSoTG", *dict_));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    Query* q = window->dsMain->dataSet();
    QueryTableModel& model = window->grid()->gridModel();
    QVERIFY(q->locate("sotg_id", 100));
    const QModelIndex rate = model.index(q->recNo(), model.columnOfField("SOTG_JEDN_ST_OPL"));
    const QModelIndex lp = model.index(q->recNo(), model.columnOfField("SOTG_LP"));
    QCOMPARE(model.data(rate).toString(), QStringLiteral("0,52"));
    QVERIFY(model.setData(lp, QStringLiteral("15")));
    QVERIFY(model.setData(rate, model.data(rate, Qt::EditRole)));
    window->actPost->trigger();
    QCOMPARE(
        db_->scalar("SELECT CAST(sotg_jedn_st_opl * 1000 AS INTEGER) FROM so_tabela_g WHERE sotg_id = 100"),
        523);
    QCOMPARE(db_->scalar("SELECT sotg_lp FROM so_tabela_g WHERE sotg_id = 100"), 15);
}

void TestDictWindows::menuOpensOneWindowPerClass() {
    WindowRegistry registry;
    RegisterProgramWindows(registry);
    TMain::Options options;
    options.registry = &registry;
    options.signIn = [] { return true; };
    options.userName = [] { return QStringLiteral("Jan Kowalski"); };
    TMain main(options);
    main.show();
    for (const char* name :
         {"actLataZest", "actSoScTA", "actStSilnikPaliwo", "actPrzeglRodzajOdpadu", "actAppUsers"})
        QVERIFY2(main.action(name)->isEnabled(), name);

    // The statements register: one window, maximised, and back maximised after minimising.
    main.action("actZestawienia")->trigger();
    QMdiSubWindow* statements = main.mdiArea()->activeSubWindow();
    QCOMPARE(statements->widget()->objectName(), QStringLiteral("TZestawienia"));
    QVERIFY(statements->isMaximized());
    statements->showMinimized();
    main.action("actZestawienia")->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    QVERIFY(statements->isMaximized());
    main.mdiArea()->closeAllSubWindows();

    main.action("actStSilnikPaliwo")->trigger();
    QVERIFY(main.mdiArea()->activeSubWindow()->isMaximized());
    main.mdiArea()->closeActiveSubWindow();

    main.action("actLataZest")->trigger();
    main.action("actPolrocza")->trigger();
    QMdiSubWindow* years = main.mdiArea()->subWindowList().first();
    years->showMinimized();
    main.action("actLataZest")->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(main.mdiArea()->activeSubWindow(), years);
    QVERIFY(!years->isMinimized() && !years->isMaximized());
    QVERIFY(main.close());
}

void TestDictWindows::pickersListActiveRowsOnly() {
    db_->connection().execute("UPDATE kody_rdz_sc SET krsc_f_aktualny = 0 WHERE krsc_kod = 'a'");
    const int activeCodes = db_->scalar("SELECT COUNT(*) FROM kody_rdz_sc WHERE krsc_f_aktualny = 1");
    // The dictionary window open beside the picker keeps its list when the picker goes.
    std::unique_ptr<TDictWindow> codes(CreateDictWindow("TKodyRdzSc", *dict_));
    codes->setAttribute(Qt::WA_DeleteOnClose, false);
    codes->show();
    {
        TKodyRdzScLW picker(*dict_);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Wybierz kod rodzaju ścieku"));
        QTimer::singleShot(0, &picker, [&picker] { picker.btnWybierz()->click(); });
        QVERIFY(picker.ExecPicker());
        QCOMPARE(dict_->qryKodyRdzSc()->recordCount(), activeCodes);
        QVERIFY(!dict_->qryKodyRdzSc()->locate("krsc_kod", QStringLiteral("a")));
    }
    QVERIFY(dict_->qryKodyRdzSc()->isActive());
    codes.reset();
    QVERIFY(!dict_->qryKodyRdzSc()->isActive());
    {
        TSoTgLW picker(*dict_);
        picker.setYear(1002);
        QTimer::singleShot(0, &picker, [&picker] { picker.btnZrezygnuj()->click(); });
        QVERIFY(!picker.ExecPicker());
        QCOMPARE(dict_->qrySoTabelaG()->recordCount(), 67);
    }
    {
        const int tuw = db_->scalar("SELECT FIRST 1 wrpw_tuw_id FROM wsp_rozn_pw ORDER BY wrpw_tuw_id DESC");
        TWspRoznPwLW picker(*dict_);
        picker.setTypUjecia(tuw);
        QTimer::singleShot(0, &picker, [&picker] { picker.btnWybierz()->click(); });
        QVERIFY(picker.ExecPicker());
        Query* q = dict_->qryWspRoznPw();
        QCOMPARE(
            q->recordCount(),
            db_->scalar(
                QString("SELECT COUNT(*) FROM wsp_rozn_pw WHERE wrpw_f_aktualny = 1 AND wrpw_tuw_id = %1")
                    .arg(tuw)));
        QCOMPARE(q->fieldByName("wrpw_tuw_id").asInteger(), tuw);
    }
    // The dictionary window itself shows every coefficient again.
    std::unique_ptr<TDictWindow> window(CreateDictWindow("TWspRoznPw", *dict_));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    QCOMPARE(dict_->qryWspRoznPw()->recordCount(), db_->scalar("SELECT COUNT(*) FROM wsp_rozn_pw"));
}

QTEST_MAIN(TestDictWindows)
#include "tst_DictWindows.moc"
