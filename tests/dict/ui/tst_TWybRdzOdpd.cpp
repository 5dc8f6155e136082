// The waste-type picker on a version-7 database: where it opens in a run (first rows, the remembered
// group, subgroup and type, another year), what confirms and what does not, the browsing form, the
// year list in the fixed-year and free-year modes, withdrawn types, and the focused list.

#include "dict/TdmfDict.h"
#include "dict/WastePickPosition.h"
#include "dict/ui/TWybRdzOdpd.h"
#include "forms/DataHelpers.h"
#include "platform/ui/DataGrid.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

constexpr int k2011 = 1001;
constexpr int k2012 = 1002;

// The codes of the current group, subgroup and waste type.
QStringList Codes(const TdmfDict& dict) {
    QStringList codes;
    for (Query* q : {dict.qrySoTlGrupy(), dict.qrySoTlPodgrupy(), dict.qrySoTlRodzaje()})
        codes << (q->isActive() && !q->isEmpty() ? q->fieldByName("sotl_kod").asString().trimmed()
                                                 : QString());
    return codes;
}

// Moves the three lists to a waste type as the user does, group first.
void GoTo(TdmfDict& dict, const QString& typeCode) {
    QVERIFY(dict.qrySoTlGrupy()->locate("sotl_kod", typeCode.left(2)));
    QVERIFY(dict.qrySoTlPodgrupy()->locate("sotl_kod", typeCode.left(5)));
    QVERIFY(dict.qrySoTlRodzaje()->locate("sotl_kod", typeCode));
}

// Runs `inside` once the picker is shown modally, then the picker's modal run itself.
int RunModal(TWybRdzOdpd& picker, const std::function<void()>& inside) {
    QTimer::singleShot(0, &picker, inside);
    return picker.exec();
}

} // namespace

class TestTWybRdzOdpd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstPickOpensOnFirstRows();
    void reopensWhereConfirmed_data();
    void reopensWhereConfirmed();
    void whatMovesTheRememberedPosition_data();
    void whatMovesTheRememberedPosition();
    void browsingForm();
    void yearList_data();
    void yearList();
    void withdrawnTypeNotOffered();
    void pickHandsBackTheType();
    void focusedListHighlighted();

private:
    // Confirms the given type in the given year through the picker.
    void confirm(int rokId, const QString& typeCode);
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
};

void TestTWybRdzOdpd::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
    // Each case starts as a fresh run of the program.
    WastePickPosition::remembered() = {};
}

void TestTWybRdzOdpd::cleanup() {
    dict_.reset();
    db_.reset();
}

void TestTWybRdzOdpd::confirm(int rokId, const QString& typeCode) {
    TWybRdzOdpd picker;
    picker.setFixedYear(rokId);
    const int result = RunModal(picker, [&] {
        GoTo(*dict_, typeCode);
        picker.btnWybierz()->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
}

void TestTWybRdzOdpd::firstPickOpensOnFirstRows() {
    TWybRdzOdpd picker;
    picker.setFixedYear(k2012);
    QStringList codes;
    RunModal(picker, [&] {
        codes = Codes(*dict_);
        picker.btnAnuluj()->click();
    });
    QCOMPARE(codes, QStringList({"01", "01 01", "01 01 01"}));
    QCOMPARE(picker.windowTitle(), QStringLiteral("Wybierz rodzaj odpadu"));
    QCOMPARE(picker.btnWybierz()->text(), QStringLiteral("Wybierz"));
    QCOMPARE(picker.btnAnuluj()->text(), QStringLiteral("Anuluj"));
    QCOMPARE(picker.btnWybierz()->toolTip(), QStringLiteral("Wybierz rodzaj odpadu"));
    QCOMPARE(picker.btnAnuluj()->toolTip(), QStringLiteral("Zrezygnuj z wyboru"));
    QCOMPARE(WastePickPosition::remembered(), WastePickPosition());
}

void TestTWybRdzOdpd::reopensWhereConfirmed_data() {
    QTest::addColumn<int>("confirmedYear");
    QTest::addColumn<QString>("confirmedType");
    QTest::addColumn<int>("nextYear");
    QTest::addColumn<QStringList>("opensOn");
    QTest::newRow("same year") << k2012 << "20 03 01" << k2012 << QStringList{"20", "20 03", "20 03 01"};
    QTest::newRow("same year, not first of its subgroup")
        << k2012 << "17 05 04" << k2012 << QStringList{"17", "17 05", "17 05 04"};
    QTest::newRow("other year") << k2011 << "20 03 01" << k2012 << QStringList{"01", "01 01", "01 01 01"};
}

void TestTWybRdzOdpd::reopensWhereConfirmed() {
    QFETCH(int, confirmedYear);
    QFETCH(QString, confirmedType);
    QFETCH(int, nextYear);
    QFETCH(QStringList, opensOn);
    confirm(confirmedYear, confirmedType);
    QCOMPARE(WastePickPosition::remembered().rokId, confirmedYear);

    TWybRdzOdpd picker;
    picker.setFixedYear(nextYear);
    QStringList codes;
    int year = 0;
    RunModal(picker, [&] {
        codes = Codes(*dict_);
        year = int(dict_->qrySoTlGrupy()->fieldByName("sotl_rok_id").asInteger());
        picker.btnAnuluj()->click();
    });
    QCOMPARE(year, nextYear);
    QCOMPARE(codes, opensOn);
}

void TestTWybRdzOdpd::whatMovesTheRememberedPosition_data() {
    QTest::addColumn<bool>("browsing");
    QTest::addColumn<QString>("how"); // "button", "escape", "close", "double click"
    QTest::addColumn<bool>("moves");
    QTest::newRow("pick, Anuluj") << false << "button" << false;
    QTest::newRow("pick, Escape") << false << "escape" << false;
    QTest::newRow("pick, window closed") << false << "close" << false;
    QTest::newRow("pick, double click on a type") << false << "double click" << true;
    QTest::newRow("browser, Zamknij") << true << "button" << true;
    QTest::newRow("browser, Escape") << true << "escape" << true;
    QTest::newRow("browser, window closed") << true << "close" << false;
}

void TestTWybRdzOdpd::whatMovesTheRememberedPosition() {
    QFETCH(bool, browsing);
    QFETCH(QString, how);
    QFETCH(bool, moves);
    confirm(k2012, "20 03 01");
    const WastePickPosition before = WastePickPosition::remembered();

    TWybRdzOdpd picker;
    if (browsing)
        picker.setBrowsing(true);
    else
        picker.setFixedYear(k2012);
    WastePickPosition there;
    const int result = RunModal(picker, [&] {
        GoTo(*dict_, "17 05 06");
        there = WastePickPosition::current(*dict_);
        if (how == "button") {
            picker.btnAnuluj()->click();
        } else if (how == "escape") {
            QTest::keyClick(&picker, Qt::Key_Escape);
        } else if (how == "close") {
            picker.close();
        } else {
            DataGrid* grid = picker.grdRodzaje();
            const QRect cell = grid->visualRect(grid->model()->index(dict_->qrySoTlRodzaje()->recNo(), 1));
            // The click that starts a double click, then the second one.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            if (picker.isVisible())
                picker.reject();
        }
    });
    QCOMPARE(result == QDialog::Accepted, moves);
    QVERIFY(!picker.isVisible());
    QCOMPARE(there.rokId, k2012);
    QCOMPARE(WastePickPosition::remembered(), moves ? there : before);
}

void TestTWybRdzOdpd::browsingForm() {
    confirm(k2011, "20 03 01");
    bool wybierzVisible = true, yearEnabled = false;
    QString caption, anuluj, year;
    QStringList codes;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<TWybRdzOdpd*>(QApplication::activeModalWidget());
        if (!picker)
            return;
        caption = picker->windowTitle();
        wybierzVisible = picker->btnWybierz()->isVisible();
        anuluj = picker->btnAnuluj()->text();
        yearEnabled = picker->cbxRok()->isEnabled();
        year = picker->cbxRok()->currentText();
        codes = Codes(*dict_);
        picker->btnAnuluj()->click();
    });
    TWybRdzOdpd::Browse(nullptr);
    QCOMPARE(caption, QStringLiteral("Rodzaje odpadów"));
    QVERIFY(!wybierzVisible);
    QCOMPARE(anuluj, QStringLiteral("Zamknij"));
    // The year is free and opens on the remembered year and position.
    QVERIFY(yearEnabled);
    QCOMPARE(year, QStringLiteral("2011"));
    QCOMPARE(codes, QStringList({"20", "20 03", "20 03 01"}));
}

void TestTWybRdzOdpd::yearList_data() {
    QTest::addColumn<int>("remembered");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("listedYear"); // 0: empty lists
    QTest::newRow("fixed year") << k2011 << k2012 << false << "2012" << k2012;
    QTest::newRow("fixed year without catalogue") << 0 << 1003 << false << "" << 0;
    QTest::newRow("free year, remembered") << k2011 << 0 << true << "2011" << k2011;
    // Nothing remembered yet: the newest catalogue rather than three empty lists.
    QTest::newRow("free year, nothing remembered") << 0 << 0 << true << "2012" << k2012;
}

void TestTWybRdzOdpd::yearList() {
    QFETCH(int, remembered);
    QFETCH(int, fixed);
    QFETCH(bool, enabled);
    QFETCH(QString, shown);
    QFETCH(int, listedYear);
    if (remembered)
        confirm(remembered, "01 01 01");
    TWybRdzOdpd picker;
    picker.setFixedYear(fixed);
    bool isEnabled = !enabled;
    QString text;
    int groups = -1, groupYear = -1, afterChoice = -1, afterNone = -1;
    RunModal(picker, [&] {
        isEnabled = picker.cbxRok()->isEnabled();
        text = picker.cbxRok()->currentText();
        Query* g = dict_->qrySoTlGrupy();
        groups = g->recordCount();
        groupYear = g->isEmpty() ? 0 : int(g->fieldByName("sotl_rok_id").asInteger());
        if (enabled) {
            // Choosing a year shows its catalogue; choosing none closes the lists.
            picker.cbxRok()->setCurrentIndex(picker.cbxRok()->findText("2012"));
            afterChoice = int(g->fieldByName("sotl_rok_id").asInteger());
            picker.cbxRok()->setCurrentIndex(-1);
            afterNone = g->isActive() ? 1 : 0;
        }
        picker.btnAnuluj()->click();
    });
    QCOMPARE(isEnabled, enabled);
    QCOMPARE(text, shown);
    QCOMPARE(groupYear, listedYear);
    QCOMPARE(groups > 0, listedYear != 0);
    if (enabled) {
        QCOMPARE(afterChoice, k2012);
        QCOMPARE(afterNone, 0);
    }
}

void TestTWybRdzOdpd::withdrawnTypeNotOffered() {
    // The position of "01 01 01" remembered, then the type withdrawn from the 2012 catalogue.
    confirm(k2012, "01 01 01");
    db_->connection().execute("UPDATE so_tabela_l SET sotl_f_aktualny = 0 WHERE sotl_kod = '01 01 01' "
                              "AND sotl_rok_id = 1002");
    // Lists left listing every row by another window are switched back to active rows.
    SetActiveFilter(*dict_->qrySoTlRodzaje(), FilterAll);

    TWybRdzOdpd picker;
    picker.setFixedYear(k2012);
    QStringList codes;
    bool listed = true;
    RunModal(picker, [&] {
        codes = Codes(*dict_);
        listed = dict_->qrySoTlRodzaje()->locate("sotl_kod", "01 01 01");
        picker.btnAnuluj()->click();
    });
    QCOMPARE(codes, QStringList({"01", "01 01", "01 01 02"}));
    QVERIFY(!listed);
}

void TestTWybRdzOdpd::pickHandsBackTheType() {
    TrRodzajOdpadu rodzaj;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<TWybRdzOdpd*>(QApplication::activeModalWidget());
        if (!picker)
            return;
        GoTo(*dict_, "01 01 02");
        picker->btnWybierz()->click();
    });
    QVERIFY(TWybRdzOdpd::Pick(k2012, rodzaj, nullptr));
    QCOMPARE(rodzaj.sotlId, db_->scalar("SELECT sotl_id FROM so_tabela_l WHERE sotl_kod = '01 01 02' "
                                        "AND sotl_rok_id = 1002"));
    QCOMPARE(rodzaj.kod.trimmed(), QStringLiteral("01 01 02"));
    QCOMPARE(rodzaj.rodzaj, QStringLiteral("Odpady z wydobywania kopalin innych niż rudy metali"));
    QVERIFY(!rodzaj.jednStOpl.isNull());
    QCOMPARE(dict_->qrySoTlRodzaje()->fieldByName("clc_kod_rodzaj").asString(),
             QStringLiteral("01 01 02 - Odpady z wydobywania kopalin innych niż rudy metali"));

    // A year without a catalogue hands nothing back even when confirmed.
    TrRodzajOdpadu none;
    QTimer::singleShot(0, [] {
        if (auto* picker = qobject_cast<TWybRdzOdpd*>(QApplication::activeModalWidget()))
            picker->btnWybierz()->click();
    });
    QVERIFY(!TWybRdzOdpd::Pick(1003, none, nullptr));
    QCOMPARE(none.sotlId, 0);
}

void TestTWybRdzOdpd::focusedListHighlighted() {
    TWybRdzOdpd picker;
    picker.setFixedYear(k2012);
    bool typesFocused = false;
    QList<bool> onOpen, onGroups;
    RunModal(picker, [&] {
        QApplication::setActiveWindow(&picker);
        QCoreApplication::processEvents();
        typesFocused = picker.grdRodzaje()->hasFocus();
        for (DataGrid* g : {picker.grdGrupy(), picker.grdPodgrupy(), picker.grdRodzaje()})
            onOpen << picker.isHighlighted(g);
        picker.grdGrupy()->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        for (DataGrid* g : {picker.grdGrupy(), picker.grdPodgrupy(), picker.grdRodzaje()})
            onGroups << picker.isHighlighted(g);
        picker.btnAnuluj()->click();
    });
    QVERIFY(typesFocused);
    QCOMPARE(onOpen, QList<bool>({false, false, true}));
    QCOMPARE(onGroups, QList<bool>({true, false, false}));
}

QTEST_MAIN(TestTWybRdzOdpd)
#include "tst_TWybRdzOdpd.moc"
