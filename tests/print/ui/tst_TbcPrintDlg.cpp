// The print dialog of every printout: its buttons follow the rows of the printout's query, each
// preview and print re-reads them, the base variables reach the layout, and the preview pages,
// zooms (kept for the run) and prints what was prepared.

#include "platform/report/ui/ReportPreview.h"
#include "print/TbcPrint.h"
#include "print/ui/TbcPrintDlg.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"
#include "support/WhenModal.h"

#include "platform/data/Query.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

class SamplePrint : public TbcPrint {
public:
    explicit SamplePrint(Connection& cn) : TbcPrint(cn) {
        setCaption(QStringLiteral("Wydruk próbny"));
        qryMain().setSql(
            QStringLiteral("SELECT p_id, p_nazwa FROM pozycje WHERE p_grupa = :grupa ORDER BY p_id"));
    }
    void setGrupa(int grupa) { qryMain().setParam(QStringLiteral("grupa"), grupa); }

protected:
    QVariant reportVariable(const QString& name) const override {
        return name == QLatin1String("Gmina") ? QVariant(QStringLiteral("Łowicz")) : QVariant();
    }
    ReportLayout layout() const override {
        ReportLayout l;
        ReportParts::AddHeaderLines(l);
        ReportBand& band = l.addBand(BandKind::Detail, 5);
        band.cells.push_back(
            TextCell(0, 0, 120, 5, QStringLiteral("[P_ID]. [P_NAZWA] ([Gmina]) [AppNameForPrt]")));
        ReportParts::AddPageFooter(l);
        return l;
    }
};

} // namespace

class TestTbcPrintDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void buttonsFollowTheRows_data();
    void buttonsFollowTheRows();
    void eachPrintReadsTheRowsAgain();
    void previewPagesAndKeepsItsZoom();

private:
    std::unique_ptr<SamplePrint> printout(int grupa) {
        auto p = std::make_unique<SamplePrint>(db_->connection());
        p->setGrupa(grupa);
        return p;
    }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    QList<PreparedReport> printed_;
};

void TestTbcPrintDlg::init() {
    db_ = std::make_unique<TestDatabase>();
    QString script =
        QStringLiteral("CREATE TABLE pozycje (p_id INTEGER NOT NULL PRIMARY KEY, p_grupa INTEGER, "
                       "p_nazwa VARCHAR(40));\n");
    for (int i = 1; i <= 120; ++i)
        script += QStringLiteral("INSERT INTO pozycje VALUES (%1, 1, 'Pozycja %1');\n").arg(i);
    db_->create(script);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    printed_.clear();
    TbcPrintDlg::printer() = [this](const PreparedReport& report, QWidget*) { printed_ << report; };
}

void TestTbcPrintDlg::cleanup() {
    messages_.reset();
    db_.reset();
}

void TestTbcPrintDlg::buttonsFollowTheRows_data() {
    QTest::addColumn<int>("grupa");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("rows") << 1 << true;
    QTest::newRow("no rows") << 2 << false;
}

void TestTbcPrintDlg::buttonsFollowTheRows() {
    QFETCH(int, grupa);
    QFETCH(bool, enabled);
    TbcPrintDlg dialog(printout(grupa));
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Wydruk próbny"));
    QCOMPARE(dialog.btnPreview()->text(), QStringLiteral("&Przeglądaj wydruk"));
    QCOMPARE(dialog.btnPrint()->text(), QStringLiteral("&Drukuj"));
    QCOMPARE(dialog.btnClose()->text(), QStringLiteral("&Zamknij"));
    QCOMPARE(dialog.btnPreview()->isEnabled(), enabled);
    QCOMPARE(dialog.btnPrint()->isEnabled(), enabled);
    // Asked anyway (the rows may have gone meanwhile): the information box, and nothing printed.
    dialog.PrintReport();
    if (enabled) {
        QCOMPARE(printed_.size(), 1);
        QVERIFY(messages_->log().isEmpty());
    } else {
        QVERIFY(printed_.isEmpty());
        QCOMPARE(messages_->log(),
                 QStringList(QStringLiteral(
                     "information|Komunikat|Nie znaleziono danych dla zadanych parametrów wydruku.")));
    }
    QVERIFY(!dialog.printout().qryMain().isActive());
}

void TestTbcPrintDlg::eachPrintReadsTheRowsAgain() {
    TbcPrintDlg dialog(printout(1));
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    dialog.PrintReport(); // without a preview first
    db_->connection().execute(QStringLiteral("UPDATE pozycje SET p_nazwa = 'Zmieniona' WHERE p_id = 1"));
    dialog.PrintReport();
    QCOMPARE(printed_.size(), 2);
    // The three header lines print empty; the base's and the printout's variables are filled.
    QCOMPARE(printed_[0].dump().first(), QStringLiteral("1|detail|1. Pozycja 1 (Łowicz) ostoja"));
    QCOMPARE(printed_[1].dump().first(), QStringLiteral("1|detail|1. Zmieniona (Łowicz) ostoja"));
    QCOMPARE(printed_[1].pageCount(), 3);
    QCOMPARE(printed_[1].dump().last(), QStringLiteral("3|page-footer|Strona 3 z 3"));
    QCOMPARE(dialog.printout().variable(QStringLiteral("HdrLn2")), QVariant(QString()));
    QVERIFY(!dialog.printout().variable(QStringLiteral("Nieznana")).isValid());
}

void TestTbcPrintDlg::previewPagesAndKeepsItsZoom() {
    TbcPrintDlg dialog(printout(1));
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    const bool reached = WhenModal<ReportPreview>(
        [](ReportPreview& preview) {
            QCOMPARE(preview.pageLabel()->text(), QStringLiteral("z 3"));
            preview.showPage(5);
            QCOMPARE(preview.currentPage(), 2);
            preview.setZoom(1.5);
            if (qEnvironmentVariableIsSet("OSTOJA_PRINT_OUT")) // to look at it
                preview.grab().save(qEnvironmentVariable("OSTOJA_PRINT_OUT") +
                                    QStringLiteral("/preview.png"));
            preview.accept();
        },
        [&] { dialog.btnPreview()->click(); });
    QVERIFY(reached);
    QCOMPARE(ReportPreview::rememberedZoom(), 1.5);
    // The next preview opens with it.
    double zoom = 0;
    WhenModal<ReportPreview>(
        [&](ReportPreview& preview) {
            zoom = preview.zoom();
            preview.accept();
        },
        [&] { dialog.btnPreview()->click(); });
    QCOMPARE(zoom, 1.5);
}

QTEST_MAIN(TestTbcPrintDlg)
#include "tst_TbcPrintDlg.moc"
