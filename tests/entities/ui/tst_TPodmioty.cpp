// The entity windows on a version-7 database: the register with its edit window (the location check,
// REGON typing, the location picker), the selection window, and the way from an entity to its acts.

#include "dict/TdmfDict.h"
#include "dict/ui/TWybLok.h"
#include "entities/TdmfPodmioty.h"
#include "entities/ui/TPodmiot.h"
#include "entities/ui/TPodmioty.h"
#include "entities/ui/TPodmiotyLW.h"
#include "entities/ui/TbcPozwolenia.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "support/WhenModal.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

const QString kNoLocation = QStringLiteral("error|Błąd|Podmiot musi mieć określoną lokalizację (województwo, "
                                           "powiat, gmina).");

// Entities of the tests: two active ones around a withdrawn one (by name).
constexpr int kAlfa = 900001;
constexpr int kBeta = 900002; // withdrawn
constexpr int kCelina = 900003;

int Id(const Query& q, const char* field) {
    return int(q.fieldByName(QString::fromLatin1(field)).asInteger());
}

} // namespace

class TestTPodmioty : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void registerWindow();
    void savingWithoutLocation();
    void regonTakesDigitsOnly();
    void newEntityInItsSortedPlace_data();
    void newEntityInItsSortedPlace();
    void refreshKeepsTheEntity();
    void locationPick_data();
    void locationPick();
    void selectionWindow_data();
    void selectionWindow();
    void actsOfTheCurrentEntity_data();
    void actsOfTheCurrentEntity();

private:
    Connection& cn() { return db_->connection(); }
    int count(const QString& sql) { return db_->scalar(sql); }
    int gmina(int nth);
    void addEntity(int id, const QString& name, int active, int gmId);
    TPodmioty* openRegister(int currentId = 0);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    QPointer<QWidget> window_;
};

void TestTPodmioty::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
    messages_ = std::make_unique<ScopedScriptedMessages>();
    addEntity(kAlfa, QStringLiteral("Alfa"), 1, gmina(0));
    addEntity(kBeta, QStringLiteral("Beta"), 0, gmina(1));
    addEntity(kCelina, QStringLiteral("Celina"), 1, gmina(2));
}

void TestTPodmioty::cleanup() {
    delete window_;
    messages_.reset();
    dmfDict = nullptr;
    dict_.reset();
    db_.reset();
}

int TestTPodmioty::gmina(int nth) {
    QSqlQuery q = cn().run(QStringLiteral("SELECT gm_id FROM gminy WHERE gm_f_aktualny = 1 ORDER BY gm_id"));
    for (int i = 0; i <= nth; ++i)
        if (!q.next())
            qFatal("no commune");
    return q.value(0).toInt();
}

void TestTPodmioty::addEntity(int id, const QString& name, int active, int gmId) {
    cn().run(QStringLiteral(
                 "INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) VALUES (?, ?, ?, ?)"),
             {id, gmId, name, active});
}

TPodmioty* TestTPodmioty::openRegister(int currentId) {
    auto* w = new TPodmioty;
    w->PreselectId = currentId;
    window_ = w;
    w->show();
    return w;
}

void TestTPodmioty::registerWindow() {
    TPodmioty* w = openRegister();
    QCOMPARE(w->objectName(), QStringLiteral("TPodmioty"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Podmioty"));
    QCOMPARE(w->menuBar()->actions().value(0)->text(), QStringLiteral("&Podmioty"));
    DataGrid* g = w->grid();
    QStringList fields;
    for (int c = 0; c < g->gridModel().columnCount(); ++c)
        fields << g->columnField(c);
    QCOMPARE(fields, (QStringList{"PDM_NAZWA", "PDM_ADRES", "GM_NAZWA", "POW_NAZWA", "WOJ_NAZWA", "PDM_REGON",
                                  "PDM_TELEFON_FAKS", "clc_f_aktualny", "PDM_ID"}));

    // All entities are listed, the withdrawn one with "-", centred.
    Query* q = w->dsMain->dataSet();
    QCOMPARE(q->recordCount(), 3);
    QVERIFY(q->locate("pdm_id", kBeta));
    const int flag = g->columnOfField("clc_f_aktualny");
    const QModelIndex cell = g->model()->index(q->recNo(), flag);
    QCOMPARE(cell.data().toString(), QStringLiteral("-"));
    QVERIFY(cell.data(Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter);

    // "Ustaw aktywny" brings it back at once.
    w->actUstawAktywny->trigger();
    QCOMPARE(q->state(), DataSetState::Browse);
    QCOMPARE(count(QStringLiteral("SELECT pdm_f_aktualny FROM podmioty WHERE pdm_id = %1").arg(kBeta)), 1);
    QCOMPARE(g->model()->index(q->recNo(), flag).data().toString(), QStringLiteral("+"));
}

void TestTPodmioty::savingWithoutLocation() {
    TPodmioty* w = openRegister();
    const int before = count("SELECT COUNT(*) FROM podmioty");
    bool stayedOpen = false;
    const bool reached = WhenModal<TPodmiot>(
        [&](TPodmiot& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Podmiot"));
            // Opens ready for typing the name, not on a button that a blank would press.
            QCOMPARE(d.focusWidget(), d.edtNazwa());
            QCOMPARE(d.edtNazwa()->toolTip(), QStringLiteral("Nazwa podmiotu"));
            QCOMPARE(d.btnLokalizacja()->toolTip(), QStringLiteral("Wybierz lokalizację"));
            QVERIFY(d.edtGmina()->isReadOnly());
            QTest::keyClicks(d.edtNazwa(), QStringLiteral("Nowy podmiot"));
            QTest::mouseClick(d.btnZapisz(), Qt::LeftButton);
            stayedOpen = d.isVisible();
            d.btnAnuluj()->click();
        },
        [&] { w->actDodaj->trigger(); });
    QVERIFY(reached);
    QVERIFY(stayedOpen);
    QCOMPARE(messages_->log(), QStringList{kNoLocation});
    QCOMPARE(count("SELECT COUNT(*) FROM podmioty"), before);
    QCOMPARE(w->dsMain->dataSet()->state(), DataSetState::Browse);
    QCOMPARE(w->dsMain->dataSet()->recordCount(), 3);
}

void TestTPodmioty::newEntityInItsSortedPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row");
    QTest::newRow("first") << "Aaron" << 0;
    QTest::newRow("between") << "Bogdan" << 2;
    QTest::newRow("last") << "Zenon" << 3;
}

// The register is sorted by name: a new entity is shown in its place and stays the current row.
void TestTPodmioty::newEntityInItsSortedPlace() {
    QFETCH(QString, name);
    QFETCH(int, row);
    TPodmioty* w = openRegister(kCelina);
    Query* q = w->dsMain->dataSet();
    const bool reached = WhenModal<TPodmiot>(
        [&](TPodmiot& d) {
            QTest::keyClicks(d.edtNazwa(), name);
            q->fieldByName("pdm_gm_id").setValue(gmina(3));
            QTest::mouseClick(d.btnZapisz(), Qt::LeftButton);
        },
        [&] { w->actDodaj->trigger(); });
    QVERIFY(reached);
    QCOMPARE(messages_->log(), QStringList());
    QCOMPARE(q->recordCount(), 4);
    QCOMPARE(q->fieldByName("pdm_nazwa").asString(), name);
    QCOMPARE(q->recNo(), row);
    QCOMPARE(w->grid()->currentIndex().row(), row);
    QStringList names;
    for (int r = 0; r < q->recordCount(); ++r)
        names << q->textAt(r, q->fieldByName("pdm_nazwa"));
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(names, sorted);
}

void TestTPodmioty::refreshKeepsTheEntity() {
    TPodmioty* w = openRegister(kCelina);
    Query* q = w->dsMain->dataSet();
    QCOMPARE(Id(*q, "pdm_id"), kCelina);
    QCOMPARE(q->recNo(), 2);
    // Another entity, sorting before the current one, was recorded meanwhile.
    addEntity(kCelina + 10, QStringLiteral("Adam"), 1, gmina(4));
    w->actRefresh->trigger();
    QCOMPARE(q->recordCount(), 4);
    QCOMPARE(Id(*q, "pdm_id"), kCelina);
    QCOMPARE(q->recNo(), 3);
    QCOMPARE(w->grid()->currentIndex().row(), 3);
}

void TestTPodmioty::regonTakesDigitsOnly() {
    TdmfPodmioty dm(cn());
    dm.qryPodmioty()->open();
    dm.qryPodmioty()->append();
    auto* d = new TPodmiot(dm);
    window_ = d;
    d->show();
    QTest::keyClicks(d->edtRegon(), QStringLiteral("12a-3"));
    QCOMPARE(d->edtRegon()->text(), QStringLiteral("123"));
    QTest::keyClick(d->edtRegon(), Qt::Key_Backspace);
    QCOMPARE(d->edtRegon()->text(), QStringLiteral("12"));
    // Pasted text is taken as it is.
    d->edtRegon()->insert(QStringLiteral("x"));
    QCOMPARE(d->edtRegon()->text(), QStringLiteral("12x"));
}

void TestTPodmioty::locationPick_data() {
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("confirm");
    QTest::newRow("button, cancelled") << false << false;
    QTest::newRow("double click, cancelled") << true << false;
    QTest::newRow("button, confirmed") << false << true;
}

void TestTPodmioty::locationPick() {
    QFETCH(bool, doubleClick);
    QFETCH(bool, confirm);
    TdmfPodmioty dm(cn());
    Query* q = dm.qryPodmioty();
    q->open();
    QVERIFY(q->locate("pdm_id", kAlfa));
    const int gmBefore = Id(*q, "pdm_gm_id");
    const QString nameBefore = q->fieldByName("gm_nazwa").asString();
    q->edit();
    auto* d = new TPodmiot(dm);
    window_ = d;
    d->show();

    int chosenGm = 0;
    const bool reached = WhenModal<TWybLok>(
        [&](TWybLok& picker) {
            // Another commune of the same county is highlighted before the user decides.
            DataGrid* communes = picker.grdGminy();
            QVERIFY(communes->model()->rowCount() > 1);
            const int row = communes->currentIndex().row() == 0 ? 1 : 0;
            communes->setCurrentIndex(communes->model()->index(row, 0));
            chosenGm = Id(*communes->dataSet(), "gm_id");
            if (confirm)
                picker.accept();
            else
                picker.reject();
        },
        [&] {
            if (doubleClick)
                QTest::mouseDClick(d->edtGmina(), Qt::LeftButton);
            else
                d->btnLokalizacja()->click();
        });
    QVERIFY(reached);
    QVERIFY(chosenGm != gmBefore);
    if (confirm) {
        QCOMPARE(Id(*q, "pdm_gm_id"), chosenGm);
        QVERIFY(d->edtGmina()->text() != nameBefore);
    } else {
        QCOMPARE(Id(*q, "pdm_gm_id"), gmBefore);
        QCOMPARE(d->edtGmina()->text(), nameBefore);
    }
    QTest::mouseClick(d->btnZapisz(), Qt::LeftButton);
    QCOMPARE(messages_->log(), QStringList());
    QCOMPARE(count(QStringLiteral("SELECT pdm_gm_id FROM podmioty WHERE pdm_id = %1").arg(kAlfa)),
             confirm ? chosenGm : gmBefore);
}

void TestTPodmioty::selectionWindow_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("shown");
    QTest::newRow("listed entity") << kCelina << kCelina;
    QTest::newRow("withdrawn entity") << kBeta << kAlfa;
    QTest::newRow("no entity") << 0 << kAlfa;
}

void TestTPodmioty::selectionWindow() {
    QFETCH(int, current);
    QFETCH(int, shown);
    int rows = -1, shownId = 0, chosen = 0;
    bool betaListed = true;
    QString caption;
    const bool reached = WhenModal<TPodmiotyLW>(
        [&](TPodmiotyLW& picker) {
            caption = picker.windowTitle();
            Query* q = picker.dsMain->dataSet();
            rows = q->recordCount();
            shownId = Id(*q, "pdm_id");
            betaListed = q->locate("pdm_id", kBeta);
            QVERIFY(q->locate("pdm_id", shownId));
            // A double click while the row is being edited chooses nothing.
            q->edit();
            emit picker.grid()->doubleClicked(picker.grid()->currentIndex());
            QVERIFY(picker.isVisible());
            q->cancel();
            emit picker.grid()->doubleClicked(picker.grid()->currentIndex());
        },
        [&] {
            QVERIFY(WybierzPodmiot(current, nullptr, [&](const Query& q) { chosen = Id(q, "pdm_id"); }));
        });
    QVERIFY(reached);
    QCOMPARE(caption, QStringLiteral("Wybierz podmiot "));
    QCOMPARE(rows, 2);
    QVERIFY(!betaListed);
    QCOMPARE(shownId, shown);
    QCOMPARE(chosen, shown);

    // Giving up calls nothing.
    bool called = false;
    QVERIFY(WhenModal<TPodmiotyLW>(
        [](TPodmiotyLW& picker) { picker.btnZrezygnuj()->click(); },
        [&] { QVERIFY(!WybierzPodmiot(kAlfa, nullptr, [&](const Query&) { called = true; })); }));
    QVERIFY(!called);
}

void TestTPodmioty::actsOfTheCurrentEntity_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("kind");
    QTest::newRow("water-law") << "actPozwoleniaWp"
                               << "TPozwoleniaWp"
                               << "pozwolenia_wp"
                               << "pwp" << 0;
    QTest::newRow("gas and dust") << "actPozwoleniaGp"
                                  << "TPozwoleniaGp"
                                  << "pozwolenia_gp"
                                  << "pwgp" << 0;
    QTest::newRow("approvals") << "actDecyzjeOdpd"
                               << "TDecyzjeOdpd"
                               << "decyzje_odpd"
                               << "dcodpd" << 100;
    QTest::newRow("waste permits") << "actZezwoleniaOdpd"
                                   << "TZezwoleniaOdpd"
                                   << "decyzje_odpd"
                                   << "dcodpd" << 101;
}

void TestTPodmioty::actsOfTheCurrentEntity() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(QString, table);
    QFETCH(QString, prefix);
    QFETCH(int, kind);
    // Acts of two entities; of the other family of waste decisions too.
    int id = 800001;
    const auto addAct = [&](int pdmId, int actKind) {
        const QString extra = actKind ? QStringLiteral(", %1_rdodpd_id").arg(prefix) : QString();
        const QString extraValue = actKind ? QStringLiteral(", %1").arg(actKind) : QString();
        cn().run(
            QStringLiteral("INSERT INTO %1 (%2_id, %2_pdm_id, %2_numer, %2_data_wyd, %2_organ_wyd, "
                           "%2_term_obow_0, %2_term_obow_1%3) VALUES (?, ?, ?, '2010-01-01', 'Starosta', "
                           "'2010-01-01', '2020-12-31'%4)")
                .arg(table, prefix, extra, extraValue),
            {id, pdmId, QStringLiteral("N/%1").arg(id)});
        ++id;
    };
    addAct(kAlfa, kind);
    addAct(kCelina, kind);
    addAct(kCelina, kind);
    if (kind)
        addAct(kCelina, kind == 100 ? 101 : 100);

    TPodmioty* w = openRegister(kCelina);
    auto* action = w->findChild<QAction*>(command);
    QVERIFY(action);
    QVERIFY(w->menuBar()->actions().value(0)->menu()->actions().contains(action));
    QVERIFY(action->isEnabled());
    action->trigger();

    TbcPozwolenia* acts = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == window && top->isVisible())
            acts = qobject_cast<TbcPozwolenia*>(top);
    QVERIFY(acts);
    QVERIFY(acts->isModal());
    QVERIFY(!acts->actUstawAktywny->isVisible());
    QCOMPARE(acts->podmiot(), kCelina);
    Query* q = acts->qryPozwolenia();
    QCOMPARE(q->recordCount(), 2);
    for (q->first(); !q->eof(); q->next())
        QCOMPARE(Id(*q, QStringLiteral("%1_pdm_id").arg(prefix).toLatin1().constData()), kCelina);
    acts->close();
}

QTEST_MAIN(TestTPodmioty)
#include "tst_TPodmioty.moc"
