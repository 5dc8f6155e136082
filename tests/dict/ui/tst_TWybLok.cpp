// The location picker in both forms on a version-7 database: where it opens for a new record, for a
// record on a listed or withdrawn commune, what it hands back on "OK", that a cancelled pick changes
// nothing, the address as typed, and the display name of a commune.

#include "dict/TdmfDict.h"
#include "dict/ui/TWybLok.h"
#include "dict/ui/TWybLokIAdr.h"
#include "forms/DataHelpers.h"
#include "platform/ui/DataGrid.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs `inside` on the picker once it is shown modally by `execute`; answers what `execute` answered.
template <class Picker>
bool RunPicker(bool (*execute)(TrLokalizacja&, QWidget*), TrLokalizacja& record,
               const std::function<void(Picker&)>& inside) {
    bool reached = false;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<Picker*>(QApplication::activeModalWidget());
        if (!picker) {
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
            return;
        }
        reached = true;
        inside(*picker);
    });
    const bool confirmed = execute(record, nullptr);
    if (!reached)
        qWarning("the picker was not shown modally");
    return confirmed && reached;
}

int CurrentId(Query* q, const char* field) {
    return int(q->fieldByName(QString::fromLatin1(field)).asInteger());
}

// Moves a list as a click on its row does.
void ClickRow(DataGrid* grid, int row) {
    grid->setCurrentIndex(grid->model()->index(row, 0));
}

} // namespace

class TestTWybLok : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newRecordOpensOnFirstRows();
    void opensOnTheRecordsLocation_data();
    void opensOnTheRecordsLocation();
    void reopenedPickerHighlightsTheLocation_data();
    void reopenedPickerHighlightsTheLocation();
    void cancelLeavesTheRecord_data();
    void cancelLeavesTheRecord();
    void addressComesBackAsTyped_data();
    void addressComesBackAsTyped();
    void communeDisplayName_data();
    void communeDisplayName();

private:
    int scalar(const QString& sql) { return db_->scalar(sql); }
    // A county with at least three active communes, in a voivodeship other than the first.
    int busyCounty();

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
};

void TestTWybLok::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
}

void TestTWybLok::cleanup() {
    dict_.reset();
    db_.reset();
}

int TestTWybLok::busyCounty() {
    return scalar("SELECT FIRST 1 pow_id FROM powiaty JOIN wojewodztwa ON woj_id = pow_woj_id "
                  "WHERE (SELECT COUNT(*) FROM gminy WHERE gm_pow_id = pow_id AND gm_f_aktualny = 1) >= 3 "
                  "AND woj_id <> (SELECT FIRST 1 woj_id FROM wojewodztwa WHERE woj_f_aktualny = 1 "
                  "ORDER BY woj_lp) ORDER BY woj_lp DESC, pow_lp DESC");
}

void TestTWybLok::newRecordOpensOnFirstRows() {
    const int woj = scalar("SELECT FIRST 1 woj_id FROM wojewodztwa WHERE woj_f_aktualny = 1 ORDER BY woj_lp");
    const int pow = scalar(QStringLiteral("SELECT FIRST 1 pow_id FROM powiaty WHERE pow_woj_id = %1 "
                                          "AND pow_f_aktualny = 1 ORDER BY pow_lp")
                               .arg(woj));
    const int gm = scalar(QStringLiteral("SELECT FIRST 1 gm_id FROM gminy WHERE gm_pow_id = %1 "
                                         "AND gm_f_aktualny = 1 ORDER BY gm_lp")
                              .arg(pow));
    QVERIFY(woj && pow && gm);

    // The module's lists left elsewhere by an earlier window: a new record still starts at the top.
    Query* qWoj = dict_->qryWojewodztwa();
    OpenIfClosed(qWoj);
    OpenIfClosed(dict_->qryPowiaty());
    OpenIfClosed(dict_->qryGminy());
    qWoj->last();
    dict_->qryPowiaty()->last();
    dict_->qryGminy()->last();

    TrLokalizacja record;
    QString shownWoj, shownPow, shownGm, caption;
    const bool confirmed = RunPicker<TWybLok>(&WybierzLokalizacje, record, [&](TWybLok& picker) {
        caption = picker.windowTitle();
        shownWoj = picker.edtWojewodztwo()->text();
        shownPow = picker.edtPowiat()->text();
        shownGm = picker.edtGmina()->text();
        picker.btnOK()->click();
    });
    QVERIFY(confirmed);
    QCOMPARE(caption, QStringLiteral("Wybierz lokalizację ..."));
    QCOMPARE(record.wojId, woj);
    QCOMPARE(record.powId, pow);
    QCOMPARE(record.gmId, gm);
    QCOMPARE(record.wojNazwa,
             db_->connection()
                 .selectValue(QStringLiteral("SELECT woj_nazwa FROM wojewodztwa WHERE woj_id = %1").arg(woj))
                 .toString());
    QVERIFY(record.gmNazwa.endsWith(QLatin1Char(')')));
    QCOMPARE(shownWoj, record.wojNazwa);
    QCOMPARE(shownPow, record.powNazwa);
    QCOMPARE(shownGm, record.gmNazwa);
    QVERIFY(record.adres.isEmpty());
    // The lists stay open, active units only, for the next window.
    QVERIFY(qWoj->isActive() && dict_->qryGminy()->isActive());
    QCOMPARE(dict_->qryGminy()->param("f_aktualny_1").toInt(), 1);
    QCOMPARE(dict_->qryGminy()->param("f_aktualny_2").toInt(), 1);
}

void TestTWybLok::opensOnTheRecordsLocation_data() {
    QTest::addColumn<bool>("withdrawn");
    QTest::addColumn<bool>("listsShowAll");
    QTest::newRow("listed commune") << false << false;
    QTest::newRow("withdrawn commune") << true << false;
    QTest::newRow("withdrawn commune, lists showing every row") << true << true;
}

void TestTWybLok::opensOnTheRecordsLocation() {
    QFETCH(bool, withdrawn);
    QFETCH(bool, listsShowAll);
    const int pow = busyCounty();
    QVERIFY(pow);
    const int woj = scalar(QStringLiteral("SELECT pow_woj_id FROM powiaty WHERE pow_id = %1").arg(pow));
    const QString communes =
        QStringLiteral("SELECT gm_id FROM gminy WHERE gm_pow_id = %1 AND gm_f_aktualny = 1 ORDER BY gm_lp")
            .arg(pow);
    const int firstGm = scalar(QString(communes).replace("SELECT gm_id", "SELECT FIRST 1 gm_id"));
    const int secondGm = scalar(QString(communes).replace("SELECT gm_id", "SELECT FIRST 1 SKIP 1 gm_id"));
    const int lastGm = scalar(QStringLiteral("SELECT FIRST 1 gm_id FROM gminy WHERE gm_pow_id = %1 "
                                             "AND gm_f_aktualny = 1 ORDER BY gm_lp DESC")
                                  .arg(pow));

    // The territorial tables change outside the program, before it reads them.
    if (withdrawn)
        db_->connection().execute(
            QStringLiteral("UPDATE gminy SET gm_f_aktualny = 0 WHERE gm_id = %1").arg(firstGm));
    // An earlier pick in the same county left the commune list on its last commune.
    TrLokalizacja earlier{woj, {}, pow, {}, lastGm, {}, {}};
    QVERIFY(RunPicker<TWybLok>(&WybierzLokalizacje, earlier, [](TWybLok& p) { p.btnOK()->click(); }));
    QCOMPARE(earlier.gmId, lastGm);

    TrLokalizacja record{woj, QStringLiteral("stara nazwa"), pow, {}, withdrawn ? firstGm : secondGm, {}, {}};
    if (listsShowAll) {
        SetActiveFilter(*dict_->qryGminy(), FilterAll);
        dict_->qryGminy()->refresh();
    }
    int openWoj = 0, openPow = 0, openGm = 0;
    bool withdrawnListed = true;
    RunPicker<TWybLok>(&WybierzLokalizacje, record, [&](TWybLok& picker) {
        openWoj = CurrentId(dict_->qryWojewodztwa(), "woj_id");
        openPow = CurrentId(dict_->qryPowiaty(), "pow_id");
        openGm = CurrentId(dict_->qryGminy(), "gm_id");
        Query* gm = dict_->qryGminy();
        withdrawnListed = false;
        for (int row = 0; row < gm->recordCount(); ++row)
            if (gm->valueAt(row, gm->fieldByName("gm_id").index()).toInt() == firstGm)
                withdrawnListed = true;
        picker.reject();
    });
    QCOMPARE(openWoj, woj);
    QCOMPARE(openPow, pow);
    // A withdrawn commune is not offered; the list starts at the county's first active commune.
    QCOMPARE(openGm, secondGm);
    QCOMPARE(withdrawnListed, !withdrawn);
}

void TestTWybLok::reopenedPickerHighlightsTheLocation_data() {
    QTest::addColumn<int>("opening");
    QTest::newRow("first opening") << 1;
    QTest::newRow("second opening") << 2;
    QTest::newRow("third opening") << 3;
}

// Each opening on a record with a location shows that location as the highlighted row of each list,
// also when the module's lists already stand there from the opening before.
void TestTWybLok::reopenedPickerHighlightsTheLocation() {
    QFETCH(int, opening);
    const int pow = busyCounty();
    const int woj = scalar(QStringLiteral("SELECT pow_woj_id FROM powiaty WHERE pow_id = %1").arg(pow));
    const int gm = scalar(QStringLiteral("SELECT FIRST 1 gm_id FROM gminy WHERE gm_pow_id = %1 "
                                         "AND gm_f_aktualny = 1 ORDER BY gm_lp DESC")
                              .arg(pow));
    TrLokalizacja record{woj, {}, pow, {}, gm, {}, {}};
    for (int i = 1; i <= opening; ++i) {
        QStringList unmarked;
        RunPicker<TWybLok>(&WybierzLokalizacje, record, [&](TWybLok& picker) {
            for (DataGrid* grid : {picker.grdWojewodztwa(), picker.grdPowiaty(), picker.grdGminy()}) {
                const int row = grid->dataSet()->recNo();
                if (row < 0 || grid->currentIndex().row() != row ||
                    !grid->selectionModel()->isRowSelected(row, QModelIndex()))
                    unmarked << grid->objectName();
            }
            picker.btnOK()->click();
        });
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(' ')));
    }
    QCOMPARE(record.gmId, gm);
    QCOMPARE(record.powId, pow);
}

void TestTWybLok::cancelLeavesTheRecord_data() {
    QTest::addColumn<bool>("withAddress");
    QTest::addColumn<bool>("byButton");
    QTest::newRow("without address, Anuluj") << false << true;
    QTest::newRow("without address, window closed") << false << false;
    QTest::newRow("with address, Anuluj") << true << true;
    QTest::newRow("with address, window closed") << true << false;
}

void TestTWybLok::cancelLeavesTheRecord() {
    QFETCH(bool, withAddress);
    QFETCH(bool, byButton);
    const int pow = busyCounty();
    const int woj = scalar(QStringLiteral("SELECT pow_woj_id FROM powiaty WHERE pow_id = %1").arg(pow));
    const int gm = scalar(QStringLiteral("SELECT FIRST 1 gm_id FROM gminy WHERE gm_pow_id = %1 "
                                         "AND gm_f_aktualny = 1 ORDER BY gm_lp DESC")
                              .arg(pow));
    const TrLokalizacja original{woj,
                                 QStringLiteral("Województwo X"),
                                 pow,
                                 QStringLiteral("Powiat X"),
                                 gm,
                                 QStringLiteral("Gmina X (gm)"),
                                 QStringLiteral("ul. Leśna 3")};
    TrLokalizacja record = original;
    int firstPowOfOtherWoj = -1, countyAfterMove = 0;
    auto move = [&](TWybLok& picker) {
        Query* qWoj = dict_->qryWojewodztwa();
        ClickRow(picker.grdWojewodztwa(), qWoj->recNo() == 0 ? 1 : 0);
        const int otherWoj = CurrentId(qWoj, "woj_id");
        firstPowOfOtherWoj = scalar(QStringLiteral("SELECT FIRST 1 pow_id FROM powiaty WHERE pow_woj_id = %1 "
                                                   "AND pow_f_aktualny = 1 ORDER BY pow_lp")
                                        .arg(otherWoj));
        countyAfterMove = CurrentId(dict_->qryPowiaty(), "pow_id");
        ClickRow(picker.grdPowiaty(), 1);
        ClickRow(picker.grdGminy(), 1);
        if (auto* withAdr = qobject_cast<TWybLokIAdr*>(&picker))
            withAdr->edtAdres()->setText(QStringLiteral("ul. Inna 7"));
        if (byButton)
            picker.btnAnuluj()->click();
        else
            picker.close();
    };
    const bool confirmed = withAddress ? RunPicker<TWybLok>(&WybierzLokalizacjeIAdres, record, move)
                                       : RunPicker<TWybLok>(&WybierzLokalizacje, record, move);
    QVERIFY(!confirmed);
    QCOMPARE(record, original);
    // Choosing another voivodeship showed its counties from the first.
    QCOMPARE(countyAfterMove, firstPowOfOtherWoj);
}

void TestTWybLok::addressComesBackAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("emptied") << QString();
    QTest::newRow("typed with blanks") << QStringLiteral("  ul. Kościuszki 12/4 ");
}

void TestTWybLok::addressComesBackAsTyped() {
    QFETCH(QString, typed);
    TrLokalizacja record;
    record.adres = QStringLiteral("ul. Polna 1");
    QString shown;
    const bool confirmed =
        RunPicker<TWybLokIAdr>(&WybierzLokalizacjeIAdres, record, [&](TWybLokIAdr& picker) {
            shown = picker.edtAdres()->text();
            picker.edtAdres()->setText(typed);
            picker.btnOK()->click();
        });
    QVERIFY(confirmed);
    QCOMPARE(shown, QStringLiteral("ul. Polna 1"));
    QCOMPARE(record.adres, typed);
    QVERIFY(record.gmId != 0);
}

void TestTWybLok::communeDisplayName_data() {
    QTest::addColumn<QString>("abbreviation"); // SQL literal
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks around name and abbreviation") << "'  gm. w '"
                                                         << "Nowa Wieś Ełcka (gm. w)";
    QTest::newRow("empty abbreviation") << "''"
                                        << "Nowa Wieś Ełcka ()";
    QTest::newRow("no abbreviation") << "NULL"
                                     << "Nowa Wieś Ełcka ()";
}

void TestTWybLok::communeDisplayName() {
    QFETCH(QString, abbreviation);
    QFETCH(QString, expected);
    const int pow = busyCounty();
    const int woj = scalar(QStringLiteral("SELECT pow_woj_id FROM powiaty WHERE pow_id = %1").arg(pow));
    Connection& cn = db_->connection();
    cn.execute(QStringLiteral("INSERT INTO rodzaje_jednostek_teryt (rjt_id, rjt_nazwa, rjt_skrot, "
                              "rjt_f_aktualny, rjt_lp) VALUES (9001, 'gmina próbna', %1, 1, 9000)")
                   .arg(abbreviation));
    cn.execute(
        QStringLiteral("INSERT INTO gminy (gm_id, gm_pow_id, gm_identyfikator, gm_nazwa, gm_rjt_id, "
                       "gm_f_aktualny, gm_lp) VALUES (9001, %1, 'T9001', '  Nowa Wieś Ełcka  ', 9001, 1, "
                       "99999)")
            .arg(pow));
    TrLokalizacja record{woj, {}, pow, {}, 9001, {}, {}};
    QString shown;
    QVERIFY(RunPicker<TWybLok>(&WybierzLokalizacje, record, [&](TWybLok& picker) {
        shown = picker.edtGmina()->text();
        picker.btnOK()->click();
    }));
    QCOMPARE(record.gmId, 9001);
    QCOMPARE(shown, expected);
    QCOMPARE(record.gmNazwa, expected);
}

QTEST_MAIN(TestTWybLok)
#include "tst_TWybLok.moc"
