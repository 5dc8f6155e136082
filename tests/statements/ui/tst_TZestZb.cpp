// The collective summary window and its voivodeship picker on a version-7 database: opened from the
// statement window's button, its lists and commands, adding a summary through the picker, typing only
// into detail items (keys on headings and totals swallowed) with the totals following at once, "Pobierz
// kwoty" with its failure shown, and deleting a summary.

#include "forms/ui/ListCommands.h"
#include "platform/ui/DataGrid.h"
#include "statements/TdmfZest.h"
#include "statements/TdmfZestZb.h"
#include "statements/ui/StatementContentWindows.h"
#include "statements/ui/TWojZZb.h"
#include "statements/ui/TZestZb.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "support/WhenModal.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

namespace {

constexpr int kSlaskie = 111;
constexpr int kMalopolskie = 105;

QStringList Titles(const DataGrid* grid) {
    QStringList titles;
    for (int c = 0; c < grid->gridModel().columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            titles << grid->columnTitle(c);
    return titles;
}

// The cell editor the grid has open.
QLineEdit* OpenEditor(DataGrid* grid) {
    for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// Types into the current cell of the grid (the first key opens the editor) and confirms with Enter.
void TypeIntoCell(DataGrid* grid, const QString& text) {
    QTest::keyClick(grid, text.at(0).toLatin1());
    QLineEdit* editor = OpenEditor(grid);
    QVERIFY(editor);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    // The grid writes the cell once the key is handled.
    QTRY_VERIFY(!grid->isEditorOpen());
}

QString Cell(const DataGrid* grid, int row, const QString& field) {
    return grid->model()->index(row, grid->columnOfField(field)).data().toString();
}

} // namespace

class TestTZestZb : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openedFromTheStatementWindow();
    void listsAndCommands();
    void addingThroughThePicker_data();
    void addingThroughThePicker();
    void pickerWithNothingToOffer();
    void typingOnlyIntoDetailItems_data();
    void typingOnlyIntoDetailItems();
    void typedAmountUpdatesTheTotals();
    void fetchingAmounts();
    void fetchingFailureIsShown();
    void deletingASummary();
    void printEntry();

private:
    Connection& cn() { return db_->connection(); }
    int commune(int wojId);
    void fillFees();
    TZestZb* openWindow();
    int addSummary(int wojId);
    // Makes the item with the printed number current in the grid.
    int goToItem(const QString& lp);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
    QPointer<TZestZb> window_;
    int zId_ = 0;
};

void TestTZestZb::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfZest>(db_->connection());
    cn().run(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) VALUES (2001, ?, "
                       "'Huta Łabędy S.A.', 1)"),
        {commune(kSlaskie)});
    zId_ = 3001;
    cn().execute(
        QStringLiteral("INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, "
                       "z_rok_st_opl_id) VALUES (3001, 1002, 100, 2001, 100, CURRENT_DATE, 1002)"));
    dm_->qryZest()->open();
    QVERIFY(dm_->qryZest()->locate(QStringLiteral("z_id"), zId_));
}

void TestTZestZb::cleanup() {
    delete window_;
    RegisterContentWindow(ContentButton::ZestZb, {});
    TZestZb::SetPrintout({});
    dm_.reset();
    messages_.reset();
    db_.reset();
}

int TestTZestZb::commune(int wojId) {
    return db_->scalar(QStringLiteral("SELECT MIN(gm_id) FROM gminy INNER JOIN powiaty ON pow_id = gm_pow_id "
                                      "WHERE pow_woj_id = %1")
                           .arg(wojId));
}

void TestTZestZb::fillFees() {
    int key = 4001;
    for (const char* amount : {"120.40", "80.10"})
        cn().run(
            QStringLiteral("INSERT INTO lokalizacje_tb (ltb_id, ltb_z_id, ltb_gm_id, ltb_adres, ltb_kwota) "
                           "VALUES (?, ?, ?, 'Stacja %2', %1)")
                .arg(QLatin1String(amount))
                .arg(key),
            {key++, zId_, commune(kSlaskie)});
    cn().run(QStringLiteral(
                 "INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres, ltc_kwota) VALUES "
                 "(?, ?, ?, 'Kotłownia', 450.75)"),
             {key++, zId_, commune(kMalopolskie)});
}

TZestZb* TestTZestZb::openWindow() {
    window_ = new TZestZb;
    window_->BindModule(dm_->content<TdmfZestZb>());
    window_->show();
    QTest::qWait(0);
    return window_;
}

int TestTZestZb::addSummary(int wojId) {
    TdmfZestZb& zb = dm_->content<TdmfZestZb>();
    const QString name =
        cn().selectValue(QStringLiteral("SELECT woj_nazwa FROM wojewodztwa WHERE woj_id = %1").arg(wojId))
            .toString();
    if (!zb.DodajZestawienie(wojId, name))
        return 0;
    return int(zb.qryZZb()->fieldByName(QStringLiteral("zzb_id")).asInteger());
}

int TestTZestZb::goToItem(const QString& lp) {
    DataGrid* grid = window_->grdD();
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        if (Cell(grid, row, QStringLiteral("spzzb_lp_wydr")) == lp) {
            grid->setFocus();
            grid->setCurrentIndex(
                grid->model()->index(row, grid->columnOfField(QStringLiteral("pzzb_wys_oplaty"))));
            return row;
        }
    return -1;
}

void TestTZestZb::openedFromTheStatementWindow() {
    QVERIFY(!FindContentWindow(ContentButton::ZestZb));
    RegisterSummaryWindows();
    const ContentWindow open = FindContentWindow(ContentButton::ZestZb);
    QVERIFY(open);
    addSummary(kSlaskie);
    bool shown = false;
    QVERIFY(WhenModal<TZestZb>(
        [&](TZestZb& w) {
            shown = w.grdM()->model()->rowCount() == 1 &&
                    Cell(w.grdM(), 0, QStringLiteral("woj_nazwa")) == QStringLiteral("śląskie") &&
                    w.grdD()->model()->rowCount() == 29;
            w.btnZamknij()->click();
        },
        [&] { open(*dm_, nullptr); }));
    QVERIFY(shown);
}

void TestTZestZb::listsAndCommands() {
    addSummary(kSlaskie);
    TZestZb* w = openWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Zestawienie zbiorcze"));
    QCOMPARE(w->lblMaster()->text(), QStringLiteral("Województwa"));
    QCOMPARE(w->lblDetail()->text(), QStringLiteral("Pozycje zestawienia zbiorczego"));
    QCOMPARE(Titles(w->grdM()), (QStringList{"Województwo", "Kwota [zł]", "Opłaty ogółem [zł]", "Nr sys."}));
    QCOMPARE(Titles(w->grdD()), (QStringList{"Lp.", "Rodzaj korzystania ze środowiska", "Kod tabeli",
                                             "Wysokość opłaty [zł]", "Nr sys."}));
    // Table codes centred.
    const QModelIndex code =
        w->grdD()->model()->index(1, w->grdD()->columnOfField(QStringLiteral("spzzb_kod_tabeli")));
    QCOMPARE(code.data().toString(), QStringLiteral("A"));
    QCOMPARE(code.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    // A heading shows no amount; a detail item and a total show theirs.
    QCOMPARE(Cell(w->grdD(), 0, QStringLiteral("pzzb_wys_oplaty")), QString());
    QCOMPARE(Cell(w->grdD(), 1, QStringLiteral("pzzb_wys_oplaty")), QStringLiteral("0,00"));
    QCOMPARE(Cell(w->grdD(), 6, QStringLiteral("pzzb_wys_oplaty")), QStringLiteral("0,00"));

    ListCommands& m = w->masterCommands();
    QVERIFY(m.actDodaj->isVisible() && m.actDodaj->isEnabled());
    QVERIFY(m.actAUUsun->isVisible() && m.actAUUsun->isEnabled());
    QVERIFY(m.actRefresh->isVisible());
    QVERIFY(!m.actPopraw->isVisible());
    QVERIFY(!m.actSearch->isVisible());
    ListCommands& d = w->detailCommands();
    for (QAction* a : {d.actDodaj, d.actPopraw, d.actAUUsun, d.actSearch})
        QVERIFY2(!a->isVisible(), qPrintable(a->objectName()));
    QVERIFY(d.actNext->isVisible() && d.actRefresh->isVisible());
    QCOMPARE(w->actPobierzKwoty()->text(), QStringLiteral("Pobierz kwoty"));
    QCOMPARE(w->actPobierzKwoty()->toolTip(),
             QStringLiteral(
                 "Wypełnij zestawienie zbiorcze automatycznie na podstawie wcześniej wprowadzonych danych "
                 "w zestawieniach detalicznych"));
    QVERIFY(w->tbDetail()->actions().contains(w->actPobierzKwoty()));

    QVERIFY(w->btnMPrint()->isShown());
    QCOMPARE(w->btnMPrint()->text(), QStringLiteral("Zestawienia zbiorczego"));
    QCOMPARE(w->btnMPrint()->toolTip(), QStringLiteral("Wydruk zestawienia zbiorczego"));
    QCOMPARE(w->btnMPrint()->printMenu()->actions().size(), 1);
    QCOMPARE(w->actDrukZestZb()->text(), QStringLiteral("Zestawienie zbiorcze"));
    QCOMPARE(w->actDrukZestZb()->toolTip(), QStringLiteral("Wydruk zestawienia zbiorczego"));
}

void TestTZestZb::addingThroughThePicker_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Anuluj") << false;
}

void TestTZestZb::addingThroughThePicker() {
    QFETCH(bool, ok);
    fillFees();
    addSummary(kMalopolskie);
    TZestZb* w = openWindow();
    QStringList offered;
    QString chosen;
    bool okEnabled = false;
    QVERIFY(WhenModal<TWojZZb>(
        [&](TWojZZb& p) {
            QCOMPARE(p.windowTitle(), QStringLiteral("Województwa zestawienia"));
            DataGrid* g = p.grdWoj();
            for (int row = 0; row < g->model()->rowCount(); ++row)
                offered << Cell(g, row, QStringLiteral("woj_nazwa"));
            okEnabled = p.btnOK()->isEnabled();
            chosen = p.lblWybrane()->text();
            QCOMPARE(p.lblWybrane()->font().bold(), true);
            (ok ? p.btnOK() : p.btnAnuluj())->click();
        },
        [&] { w->masterCommands().actDodaj->trigger(); }));
    // Małopolskie has its summary already.
    QCOMPARE(offered, QStringList{QStringLiteral("śląskie")});
    QVERIFY(okEnabled);
    QCOMPARE(chosen, QStringLiteral("śląskie"));
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM zestawienia_zbiorcze")), ok ? 2 : 1);
    QCOMPARE(w->grdM()->model()->rowCount(), ok ? 2 : 1);
    if (ok) {
        QCOMPARE(dm_->content<TdmfZestZb>().qryZZb()->fieldByName(QStringLiteral("woj_nazwa")).asString(),
                 QStringLiteral("śląskie"));
        QCOMPARE(w->grdD()->model()->rowCount(), 29);
        QCOMPARE(w->grdD()->currentIndex().row(), 0);
    }
    QVERIFY(messages_->shown.isEmpty());
}

void TestTZestZb::pickerWithNothingToOffer() {
    TZestZb* w = openWindow();
    bool okEnabled = true;
    QVERIFY(WhenModal<TWojZZb>(
        [&](TWojZZb& p) {
            okEnabled = p.btnOK()->isEnabled();
            QVERIFY(p.lblWybrane()->text().isEmpty());
            p.btnAnuluj()->click();
        },
        [&] { w->masterCommands().actDodaj->trigger(); }));
    QVERIFY(!okEnabled);
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM zestawienia_zbiorcze")), 0);
}

void TestTZestZb::typingOnlyIntoDetailItems_data() {
    QTest::addColumn<QString>("lp");
    QTest::addColumn<bool>("typed");
    QTest::newRow("detail 2.3") << "2.3" << true;
    QTest::newRow("detail 3.1.2") << "3.1.2" << true;
    QTest::newRow("total II") << "II" << false;
    QTest::newRow("suma") << "suma" << false;
    QTest::newRow("heading 2") << "2" << false;
}

void TestTZestZb::typingOnlyIntoDetailItems() {
    QFETCH(QString, lp);
    QFETCH(bool, typed);
    const int zzbId = addSummary(kSlaskie);
    TZestZb* w = openWindow();
    const int row = goToItem(lp);
    QVERIFY(row >= 0);
    QCOMPARE(w->PozycjaDoWpisania(), typed);
    QTest::keyClicks(w->grdD(), QStringLiteral("7"));
    QCOMPARE(w->grdD()->isEditorOpen(), typed);
    // Nor does F2 open a cell of a computed line.
    if (!typed) {
        QTest::keyClick(w->grdD(), Qt::Key_F2);
        QVERIFY(!w->grdD()->isEditorOpen());
        // The row stays where it was: a key does not search the list either (every amount begins
        // with "0").
        QTest::keyClick(w->grdD(), '0');
        QVERIFY(!w->grdD()->isEditorOpen());
        QCOMPARE(w->grdD()->currentIndex().row(), row);
    } else {
        QCOMPARE(OpenEditor(w->grdD())->text(), QStringLiteral("7"));
        QTest::keyClick(OpenEditor(w->grdD()), Qt::Key_Return);
        // The grid writes the cell once the key is handled.
        QTRY_VERIFY(!w->grdD()->isEditorOpen());
    }
    QCOMPARE(db_->scalar(QStringLiteral("SELECT CAST(SUM(pzzb_wys_oplaty) AS INTEGER) FROM pozycje_zzb "
                                        "INNER JOIN szablony_poz_zzb ON spzzb_id = pzzb_spzzb_id WHERE "
                                        "pzzb_zzb_id = %1 AND spzzb_lp_wydr = '%2'")
                             .arg(zzbId)
                             .arg(lp)),
             typed ? 7 : 0);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTZestZb::typedAmountUpdatesTheTotals() {
    const int zzbId = addSummary(kSlaskie);
    TZestZb* w = openWindow();
    DataGrid* items = w->grdD();
    goToItem(QStringLiteral("2.1"));
    TypeIntoCell(items, QStringLiteral("300"));
    goToItem(QStringLiteral("2.3"));
    TypeIntoCell(items, QStringLiteral("100,5"));
    // Saved at once, totals shown at once: II = 400,50 → 401, which counts.
    QVERIFY(!dm_->content<TdmfZestZb>().qryZZbPoz()->isEditing());
    const int rowII = goToItem(QStringLiteral("II"));
    QCOMPARE(Cell(items, rowII, QStringLiteral("pzzb_wys_oplaty")), QStringLiteral("401,00"));
    const int rowSuma = goToItem(QStringLiteral("suma"));
    QCOMPARE(Cell(items, rowSuma, QStringLiteral("pzzb_wys_oplaty")), QStringLiteral("401,00"));
    QCOMPARE(Cell(w->grdM(), 0, QStringLiteral("zzb_kwota")), QStringLiteral("400,50"));
    QCOMPARE(Cell(w->grdM(), 0, QStringLiteral("zzb_oplata_og")), QStringLiteral("401,00"));
    QCOMPARE(
        db_->scalar(QStringLiteral("SELECT CAST(zzb_oplata_og AS INTEGER) FROM zestawienia_zbiorcze WHERE "
                                   "zzb_id = %1")
                        .arg(zzbId)),
        401);
}

void TestTZestZb::fetchingAmounts() {
    fillFees();
    addSummary(kSlaskie);
    TZestZb* w = openWindow();
    w->actPobierzKwoty()->trigger();
    DataGrid* items = w->grdD();
    QCOMPARE(Cell(items, goToItem(QStringLiteral("1.2")), QStringLiteral("pzzb_wys_oplaty")),
             QStringLiteral("200,50"));
    QCOMPARE(Cell(items, goToItem(QStringLiteral("1.3")), QStringLiteral("pzzb_wys_oplaty")),
             QStringLiteral("0,00"));
    QCOMPARE(Cell(items, goToItem(QStringLiteral("I")), QStringLiteral("pzzb_wys_oplaty")),
             QStringLiteral("201,00"));
    QCOMPARE(Cell(w->grdM(), 0, QStringLiteral("zzb_kwota")), QStringLiteral("200,50"));
    QCOMPARE(Cell(w->grdM(), 0, QStringLiteral("zzb_oplata_og")), QStringLiteral("0,00"));
    QVERIFY(messages_->shown.isEmpty());
}

void TestTZestZb::fetchingFailureIsShown() {
    fillFees();
    const int zzbId = addSummary(kSlaskie);
    TZestZb* w = openWindow();
    cn().execute(QStringLiteral("CREATE EXCEPTION e_test 'odmowa zapisu'"));
    cn().execute(QStringLiteral("CREATE TRIGGER t_test FOR zestawienia_zbiorcze BEFORE UPDATE AS BEGIN "
                                "EXCEPTION e_test; END"));
    w->actPobierzKwoty()->trigger();
    QCOMPARE(messages_->shown.size(), 1);
    QCOMPARE(messages_->shown.first().kind, ScriptedMessages::Kind::Error);
    QVERIFY2(messages_->shown.first().text.contains(QStringLiteral("odmowa zapisu")),
             qPrintable(messages_->shown.first().text));
    // Nothing of it stayed.
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb WHERE pzzb_zzb_id = %1 AND "
                                        "pzzb_wys_oplaty <> 0")
                             .arg(zzbId)),
             0);
    QCOMPARE(Cell(w->grdD(), goToItem(QStringLiteral("1.2")), QStringLiteral("pzzb_wys_oplaty")),
             QStringLiteral("0,00"));
}

void TestTZestZb::deletingASummary() {
    const int zzbId = addSummary(kSlaskie);
    addSummary(kMalopolskie);
    TZestZb* w = openWindow();
    QVERIFY(dm_->content<TdmfZestZb>().qryZZb()->locate(QStringLiteral("zzb_id"), zzbId));
    messages_->answers = {false, true};
    w->masterCommands().actAUUsun->trigger();
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM zestawienia_zbiorcze")), 2);
    w->masterCommands().actAUUsun->trigger();
    QCOMPARE(messages_->log(), (QStringList{"question|Decyzja|Usunąć bieżący zapis?",
                                            "question|Decyzja|Usunąć bieżący zapis?"}));
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM zestawienia_zbiorcze")), 1);
    QCOMPARE(
        db_->scalar(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb WHERE pzzb_zzb_id = %1").arg(zzbId)), 0);
    QCOMPARE(w->grdM()->model()->rowCount(), 1);
    QCOMPARE(w->grdD()->model()->rowCount(), 29);
}

void TestTZestZb::printEntry() {
    const int zzbId = addSummary(kSlaskie);
    TZestZb* w = openWindow();
    // Without the printout of summaries the entry is there but disabled.
    QVERIFY(!w->actDrukZestZb()->isEnabled());
    delete window_;
    int printed = 0;
    TZestZb::SetPrintout([&](TdmfZestZb& zb, QWidget*) {
        printed = int(zb.qryZZb()->fieldByName(QStringLiteral("zzb_id")).asInteger());
    });
    w = openWindow();
    QVERIFY(w->actDrukZestZb()->isEnabled());
    w->actDrukZestZb()->trigger();
    QCOMPARE(printed, zzbId);
}

QTEST_MAIN(TestTZestZb)
#include "tst_TZestZb.moc"
