// The windows of an entity's permits and decisions on a version-7 database: adding and correcting an
// act through its register and edit window, the kind list of a waste permit, and the selection
// windows.

#include "dict/TdmfDict.h"
#include "entities/ui/TbcPozwolenia.h"
#include "entities/ui/TbcPozwolenie.h"
#include "forms/ui/FillIdNameCombo.h"
#include "platform/ui/DateFieldEdit.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "support/WhenModal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(PermitFamily)

namespace {

constexpr int kEntity = 900001;
constexpr int kOther = 900002;

struct Family {
    QString table;
    QString prefix;
    int kind; // 0: the table has no kind
};

Family Of(PermitFamily family) {
    switch (family) {
    case PermitFamily::PozwoleniaWp:
        return {"pozwolenia_wp", "pwp", 0};
    case PermitFamily::PozwoleniaGp:
        return {"pozwolenia_gp", "pwgp", 0};
    case PermitFamily::DecyzjeOdpd:
        return {"decyzje_odpd", "dcodpd", 100};
    case PermitFamily::ZezwoleniaOdpd:
        break;
    }
    return {"decyzje_odpd", "dcodpd", 101};
}

void AddFamilies() {
    QTest::addColumn<PermitFamily>("family");
    QTest::newRow("water-law") << PermitFamily::PozwoleniaWp;
    QTest::newRow("gas and dust") << PermitFamily::PozwoleniaGp;
    QTest::newRow("approvals") << PermitFamily::DecyzjeOdpd;
    QTest::newRow("waste permits") << PermitFamily::ZezwoleniaOdpd;
}

} // namespace

class TestTbcPozwolenia : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void registerWindow_data();
    void registerWindow();
    void addThroughRegister_data();
    void addThroughRegister();
    void correctWastePermitKind();
    void selectionWindow_data();
    void selectionWindow();
    void selectionWindowOwnerClosed();
    void registerOverTheMainWindow_data();
    void registerOverTheMainWindow();

private:
    Connection& cn() { return db_->connection(); }
    int count(const QString& sql) { return db_->scalar(sql); }
    int addAct(PermitFamily family, int pdmId, const QString& numer, int kind = 0);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    QPointer<QWidget> window_;
    int nextId_ = 800001;
};

void TestTbcPozwolenia::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
    messages_ = std::make_unique<ScopedScriptedMessages>();
    const int gm = count("SELECT FIRST 1 gm_id FROM gminy ORDER BY gm_id");
    for (int id : {kEntity, kOther})
        cn().run("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) VALUES (?, ?, ?, 1)",
                 {id, gm, QStringLiteral("Podmiot %1").arg(id)});
}

void TestTbcPozwolenia::cleanup() {
    delete window_;
    messages_.reset();
    dmfDict = nullptr;
    dict_.reset();
    db_.reset();
}

int TestTbcPozwolenia::addAct(PermitFamily family, int pdmId, const QString& numer, int kind) {
    const Family f = Of(family);
    if (!kind)
        kind = f.kind;
    const int id = nextId_++;
    const QString extra = kind ? QStringLiteral(", %1_rdodpd_id").arg(f.prefix) : QString();
    const QString extraValue = kind ? QStringLiteral(", %1").arg(kind) : QString();
    cn().run(QStringLiteral("INSERT INTO %1 (%2_id, %2_pdm_id, %2_numer, %2_data_wyd, %2_organ_wyd, "
                            "%2_term_obow_0, %2_term_obow_1%3) VALUES (?, ?, ?, '2010-01-01', 'Starosta', "
                            "'2010-01-01', '2020-12-31'%4)")
                 .arg(f.table, f.prefix, extra, extraValue),
             {id, pdmId, numer});
    return id;
}

void TestTbcPozwolenia::registerWindow_data() {
    AddFamilies();
}

void TestTbcPozwolenia::registerWindow() {
    QFETCH(PermitFamily, family);
    const Family f = Of(family);
    const int first = addAct(family, kEntity, "A/1");
    const int second = addAct(family, kEntity, "B/2");
    addAct(family, kOther, "C/3");
    TbcPozwolenia* w = CreatePozwolenia(family, kEntity);
    window_ = w;
    w->PreselectId = second;
    w->show();
    Query* q = w->qryPozwolenia();
    QCOMPARE(q->recordCount(), 2);
    QCOMPARE(int(q->fieldByName(f.prefix + "_id").asInteger()), second);
    QVERIFY(!w->actUstawAktywny->isVisible());
    QCOMPARE(w->grid()->columnField(0).toLower(), f.prefix + "_numer");
    QCOMPARE(w->grid()->columnField(w->grid()->gridModel().columnCount() - 1).toLower(), f.prefix + "_id");

    // Another entity: its own acts, from the first one.
    w->SetPodmiot(kOther);
    QCOMPARE(q->recordCount(), 1);
    w->SetPodmiot(kEntity);
    QCOMPARE(int(q->fieldByName(f.prefix + "_id").asInteger()), first);
}

void TestTbcPozwolenia::registerOverTheMainWindow_data() {
    AddFamilies();
}

// The register opened from an entity: over the centre of the main window, every column in view, dates
// the Polish way, "&Zamknij" and Esc to close it.
void TestTbcPozwolenia::registerOverTheMainWindow() {
    QFETCH(PermitFamily, family);
    addAct(family, kEntity, "OŚ-III.7322.15.2012");
    QMainWindow main;
    main.setGeometry(QGuiApplication::primaryScreen()->availableGeometry()); // as it is after the sign-in
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QPointer<TbcPozwolenia> w = PokazPozwolenia(family, kEntity, 0, &main);
    window_ = w;
    QVERIFY(w->isVisible());
    QVERIFY(w->isWindow());
    QCOMPARE(w->windowModality(), Qt::ApplicationModal);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QPoint offset = w->frameGeometry().center() - main.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    DataGrid* grid = w->grid();
    // As wide as its columns need, as far as the screen allows.
    const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
    QCOMPARE(w->frameGeometry().width(), std::min(w->sizeHint().width(), screen));
    if (w->sizeHint().width() <= screen)
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
    const int date = grid->columnOfField(Of(family).prefix.toUpper() + "_DATA_WYD");
    QCOMPARE(grid->model()->index(0, date).data().toString(), QStringLiteral("01.01.2010"));
    if (const QByteArray dir = qgetenv("OSTOJA_SCREENSHOTS"); !dir.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(QStringLiteral("%1/permits-%2.png")
                                                                 .arg(QString::fromLocal8Bit(dir))
                                                                 .arg(QTest::currentDataTag()));

    auto* close = w->findChild<QPushButton*>("btnZamknij");
    QVERIFY(close && close->isVisible());
    QCOMPARE(close->text(), QStringLiteral("&Zamknij"));
    QTest::keyClick(w->grid(), Qt::Key_Escape);
    QTRY_VERIFY(!w || !w->isVisible());
}

void TestTbcPozwolenia::addThroughRegister_data() {
    AddFamilies();
}

void TestTbcPozwolenia::addThroughRegister() {
    QFETCH(PermitFamily, family);
    const Family f = Of(family);
    addAct(family, kEntity, "A/1");
    addAct(family, kEntity, "Z/9");
    TbcPozwolenia* w = CreatePozwolenia(family, kEntity);
    window_ = w;
    w->show();
    Query* q = w->qryPozwolenia();
    const QDate from(2011, 1, 1), until(2021, 12, 31);

    bool issuedToday = false, issuedEmpty = false, noApprovalKind = true;
    int shownKind = 0;
    const bool reached = WhenModal<TbcPozwolenie>(
        [&](TbcPozwolenie& d) {
            issuedToday = !d.edtDataWyd()->isEmpty() && d.edtDataWyd()->date() == QDate::currentDate();
            issuedEmpty = d.edtDataWyd()->isEmpty();
            if (QComboBox* kinds = d.cbxRodzaj()) {
                shownKind = ComboItem(kinds, kinds->currentIndex()).id;
                for (int i = 0; i < kinds->count(); ++i)
                    noApprovalKind = noApprovalKind && ComboItem(kinds, i).id > 100;
            }
            QTest::keyClicks(d.edtNumer(), "M/5");
            QTest::keyClicks(d.edtOrganWyd(), "Wojewoda");
            d.edtDataWyd()->setDate(from);
            d.edtTermObow0()->setDate(from);
            // Saving without the end of validity is refused and keeps the window open.
            QTest::mouseClick(d.btnZapisz(), Qt::LeftButton);
            QVERIFY(d.isVisible());
            d.edtTermObow1()->setDate(until);
            QTest::mouseClick(d.btnZapisz(), Qt::LeftButton);
        },
        [&] { w->actDodaj->trigger(); });
    QVERIFY(reached);
    const bool today = family == PermitFamily::PozwoleniaWp || family == PermitFamily::PozwoleniaGp;
    QCOMPARE(issuedToday, today);
    QCOMPARE(issuedEmpty, !today);
    if (family == PermitFamily::ZezwoleniaOdpd) {
        QCOMPARE(shownKind, 101);
        QVERIFY(noApprovalKind);
    }
    QCOMPARE(messages_->shown.size(), 1); // the missing date

    // Saved for the entity, and the current act of the list (the list keeps its order by number).
    QCOMPARE(q->state(), DataSetState::Browse);
    QCOMPARE(q->recordCount(), 3);
    QCOMPARE(q->fieldByName(f.prefix + "_numer").asString(), QStringLiteral("M/5"));
    const int id = int(q->fieldByName(f.prefix + "_id").asInteger());
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2_id = %3 AND %2_pdm_id = %4 AND "
                                  "%2_term_obow_1 = '2021-12-31'")
                       .arg(f.table, f.prefix)
                       .arg(id)
                       .arg(kEntity)),
             1);
    if (f.kind) {
        QCOMPARE(
            count(QStringLiteral("SELECT dcodpd_rdodpd_id FROM decyzje_odpd WHERE dcodpd_id = %1").arg(id)),
            f.kind);
        // A waste permit's list shows its kind: it is read again after saving.
        if (family == PermitFamily::ZezwoleniaOdpd)
            QVERIFY(!q->fieldByName("rdodpd_nazwa").asString().isEmpty());
    }
}

void TestTbcPozwolenia::correctWastePermitKind() {
    const int other = count("SELECT FIRST 1 rdodpd_id FROM rdz_decyzji_odpd WHERE rdodpd_id > 101 AND "
                            "rdodpd_f_aktualny = 1 ORDER BY rdodpd_id");
    QVERIFY(other > 101);
    addAct(PermitFamily::ZezwoleniaOdpd, kEntity, "A/1");
    const int act = addAct(PermitFamily::ZezwoleniaOdpd, kEntity, "B/2");
    TbcPozwolenia* w = CreatePozwolenia(PermitFamily::ZezwoleniaOdpd, kEntity);
    window_ = w;
    w->PreselectId = act;
    w->show();
    QString otherName;
    QVERIFY(WhenModal<TbcPozwolenie>(
        [&](TbcPozwolenie& d) {
            QComboBox* kinds = d.cbxRodzaj();
            QCOMPARE(ComboItem(kinds, kinds->currentIndex()).id, 101);
            int at = -1;
            for (int i = 0; i < kinds->count(); ++i)
                if (ComboItem(kinds, i).id == other)
                    at = i;
            QVERIFY(at >= 0);
            otherName = kinds->itemText(at);
            kinds->setCurrentIndex(at);
            emit kinds->activated(at);
            QTest::mouseClick(d.btnZapisz(), Qt::LeftButton);
        },
        [&] { w->actPopraw->trigger(); }));
    Query* q = w->qryPozwolenia();
    QCOMPARE(q->state(), DataSetState::Browse);
    QCOMPARE(int(q->fieldByName("dcodpd_id").asInteger()), act);
    QCOMPARE(q->fieldByName("rdodpd_nazwa").asString(), otherName);
    QCOMPARE(count(QStringLiteral("SELECT dcodpd_rdodpd_id FROM decyzje_odpd WHERE dcodpd_id = %1").arg(act)),
             other);
}

void TestTbcPozwolenia::selectionWindow_data() {
    QTest::addColumn<PermitFamily>("family");
    QTest::addColumn<QString>("caption");
    QTest::newRow("water-law") << PermitFamily::PozwoleniaWp << "Wybierz pozwolenie wodnoprawne";
    QTest::newRow("gas and dust") << PermitFamily::PozwoleniaGp
                                  << "Wybierz pozwolenie na wprowadznie gazów lub pyłów do powietrza";
    QTest::newRow("approvals") << PermitFamily::DecyzjeOdpd
                               << "Decyzja zatwierdzająca instrukcję eksploatacji składowiska odpadów ";
    QTest::newRow("waste permits")
        << PermitFamily::ZezwoleniaOdpd
        << "Zezwolenia odnośnie odzysku lub unieszkodliwiania odpadów/pozwolenia zintegrowane/inne decyzje ";
}

void TestTbcPozwolenia::selectionWindow() {
    QFETCH(PermitFamily, family);
    QFETCH(QString, caption);
    const Family f = Of(family);
    addAct(family, kEntity, "A/1");
    const int current = addAct(family, kEntity, "B/2");
    addAct(family, kOther, "C/3");
    QString shownCaption;
    int rows = 0, shownId = 0, chosen = 0;
    bool canAdd = false;
    const bool reached = WhenModal<TbcPozwolenia>(
        [&](TbcPozwolenia& picker) {
            shownCaption = picker.windowTitle();
            rows = picker.qryPozwolenia()->recordCount();
            shownId = int(picker.qryPozwolenia()->fieldByName(f.prefix + "_id").asInteger());
            canAdd = picker.actDodaj->isEnabled();
            emit picker.grid()->doubleClicked(picker.grid()->currentIndex());
        },
        [&] {
            QVERIFY(WybierzPozwolenie(family, kEntity, current, nullptr, [&](const Query& q) {
                chosen = int(q.fieldByName(f.prefix + "_id").asInteger());
            }));
        });
    QVERIFY(reached);
    QCOMPARE(messages_->log(), QStringList());
    QCOMPARE(shownCaption, caption);
    QCOMPARE(rows, 2);
    QCOMPARE(shownId, current);
    QCOMPARE(chosen, current);
    QVERIFY(canAdd);
}

void TestTbcPozwolenia::selectionWindowOwnerClosed() {
    // The window that asked for a permit closes while the selection window waits: the choice counts as
    // given up and the selection window, freed with its owner, is not freed a second time.
    addAct(PermitFamily::PozwoleniaGp, kEntity, "A/1");
    auto* owner = new QWidget;
    QTimer::singleShot(0, owner, [owner] { delete owner; });
    bool chosen = false;
    QVERIFY(!WybierzPozwolenieGp(kEntity, 0, owner, [&](const Query&) { chosen = true; }));
    QVERIFY(!chosen);
}

QTEST_MAIN(TestTbcPozwolenia)
#include "tst_TbcPozwolenia.moc"
