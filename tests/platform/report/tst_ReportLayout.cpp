// The banded layout: bands filled from a main data set, its details and variables, long texts
// growing their rows, pages breaking with their headers and footers, group and report sums, and the
// same pages painted into a PDF whose text can be read back.

#include "platform/Decimal.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/Query.h"
#include "platform/report/GoldenText.h"
#include "platform/report/PreparedReport.h"
#include "platform/report/ReportRenderer.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const kSchema = R"(
CREATE TABLE gminy (g_id INTEGER NOT NULL PRIMARY KEY, g_nazwa VARCHAR(60), g_rodzaj VARCHAR(20));
CREATE TABLE oplaty (o_id INTEGER NOT NULL PRIMARY KEY, o_g_id INTEGER, o_opis VARCHAR(500),
  o_kwota NUMERIC(15,2));
INSERT INTO gminy VALUES (1, 'Łowicz', 'gm. m.');
INSERT INTO gminy VALUES (2, 'Łowicz', 'gm. w.');
INSERT INTO gminy VALUES (3, 'Żółkiewka', 'gm. w.');
)";

QString LongText() {
    return QStringLiteral(
        "Pozwolenie Starosty Łowickiego na wprowadzanie gazów lub pyłów do powietrza z "
        "instalacji kotłowni węglowej przy ulicy Przemysłowej, wydane decyzją nr "
        "OŚ.6224.15.2011 z dnia 12 grudnia 2011 r., ważne do dnia 11 grudnia 2021 r., z "
        "późniejszymi zmianami wprowadzonymi decyzją OŚ.6224.3.2014 z dnia 3 marca 2014 r.");
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void bandsFromRowsDetailsAndVariables();
    void longTextGrowsItsRowAndNothingIsCut();
    void pagesBreakWithHeadersAndFooters_data();
    void pagesBreakWithHeadersAndFooters();
    void pdfCarriesTextAuthorAndOrientation();

private:
    void fill(int rows);
    ReportLayout sampleLayout() const;
    PreparedReport prepare(const ReportLayout& layout);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<Query> main_;
    std::unique_ptr<Query> detail_;
};

void TestReportLayout::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->create(QString::fromUtf8(kSchema));
}

void TestReportLayout::cleanup() {
    detail_.reset();
    main_.reset();
    db_.reset();
}

// Fee rows spread over the three communes, the amounts growing by 1234,56.
void TestReportLayout::fill(int rows) {
    Connection& cn = db_->connection();
    for (int i = 1; i <= rows; ++i)
        cn.execute(QStringLiteral("INSERT INTO oplaty VALUES (%1, %2, '%3', %4)")
                       .arg(i)
                       .arg(i % 3 + 1)
                       .arg(i == 2 ? LongText() : QStringLiteral("Kocioł nr %1").arg(i))
                       .arg(QString::number(1234.56 * i, 'f', 2)));
}

ReportLayout TestReportLayout::sampleLayout() const {
    ReportLayout layout;
    layout.caption = QStringLiteral("Opłaty według gmin");
    layout.orientation = QPageLayout::Landscape;
    ReportBand& title = layout.addBand(BandKind::Title, 8);
    title.cells.push_back(TextCell(0, 0, layout.contentWidth(), 8, QStringLiteral("Opłaty za rok [Rok]"),
                                   Qt::AlignCenter, ReportFont{12, true, false}));
    ReportBand& header = layout.addBand(BandKind::PageHeader, 4);
    header.cells.push_back(TextCell(0, 0, 90, 4, QStringLiteral("[HdrLn1]")));
    const ReportColumns cols{{10, 60, 150, 40}};
    layout.addBand(BandKind::ColumnHeader, 6).cells =
        Literal(TableRow(cols,
                         {QStringLiteral("Lp."), QStringLiteral("Gmina"), QStringLiteral("Opis"),
                          QStringLiteral("Kwota [zł]")},
                         6, Qt::AlignCenter, ReportFont{8, true, false}));
    ReportBand& group = layout.addBand(BandKind::GroupHeader, 5, QStringLiteral("G_ID"));
    group.cells.push_back(TextCell(0, 0, 260, 5, QStringLiteral("[G_NAZWA] ([G_RODZAJ])"), Qt::AlignLeft,
                                   ReportFont{8, true, false}));
    auto cells = TableRow(cols,
                          {QStringLiteral("[O_ID]"), QStringLiteral("[G_NAZWA]"), QStringLiteral("[O_OPIS]"),
                           QStringLiteral("[O_KWOTA]")},
                          5);
    cells[2].align = Qt::AlignLeft | Qt::AlignVCenter;
    cells[3].align = Qt::AlignRight | Qt::AlignVCenter;
    layout.addBand(BandKind::Detail, 5).cells = cells;
    ReportBand& footer = layout.addBand(BandKind::GroupFooter, 5, QStringLiteral("G_ID"));
    footer.cells.push_back(TextCell(cols.x(0), 0, cols.width(0, 3), 5,
                                    QStringLiteral("Razem gmina [G_NAZWA]"),
                                    Qt::AlignRight | Qt::AlignVCenter, {}, AllBorders));
    footer.cells.push_back(TextCell(cols.x(3), 0, cols.width(3), 5, QStringLiteral("[SUM(O_KWOTA)]"),
                                    Qt::AlignRight | Qt::AlignVCenter, {}, AllBorders));
    ReportBand& summary = layout.addBand(BandKind::Summary, 5);
    summary.cells.push_back(TextCell(cols.x(0), 0, cols.width(0, 3), 5, QStringLiteral("Razem"),
                                     Qt::AlignRight | Qt::AlignVCenter, ReportFont{8, true, false},
                                     AllBorders));
    summary.cells.push_back(TextCell(cols.x(3), 0, cols.width(3), 5, QStringLiteral("[SUM(O_KWOTA)]"),
                                     Qt::AlignRight | Qt::AlignVCenter, ReportFont{8, true, false},
                                     AllBorders));
    ReportBand& page = layout.addBand(BandKind::PageFooter, 5);
    page.cells.push_back(TextCell(0, 0, layout.contentWidth(), 5,
                                  QStringLiteral("Strona [PAGE#] z [TOTALPAGES#]"), Qt::AlignRight));
    return layout;
}

PreparedReport TestReportLayout::prepare(const ReportLayout& layout) {
    main_ = std::make_unique<Query>(db_->connection());
    main_->setSql(
        QStringLiteral("SELECT o.o_id, o.o_opis, o.o_kwota, g.g_id, g.g_nazwa, g.g_rodzaj FROM oplaty o "
                       "JOIN gminy g ON g.g_id = o.o_g_id ORDER BY g.g_nazwa, g.g_id, o.o_id"));
    main_->field(QStringLiteral("O_KWOTA")).setDisplayFormat(QStringLiteral("0.00,"));
    main_->open();
    ReportData data;
    data.main = main_.get();
    data.variable = [](const QString& name) {
        if (name == QLatin1String("Rok"))
            return QVariant(QStringLiteral("2011"));
        if (name == QLatin1String("HdrLn1"))
            return QVariant(QString());
        return QVariant();
    };
    return PrepareReport(layout, data);
}

void TestReportLayout::bandsFromRowsDetailsAndVariables() {
    fill(7);
    // A detail data set prints its rows under each row of the main one; an unknown name prints empty.
    ReportLayout layout;
    layout.caption = QStringLiteral("Gminy");
    ReportBand& master = layout.addBand(BandKind::Detail, 5);
    master.cells.push_back(TextCell(0, 0, 100, 5, QStringLiteral("[G_NAZWA] [Nieznana]| [Rok]")));
    ReportBand& rows = layout.addBand(BandKind::Detail, 5, QStringLiteral("oplaty"));
    rows.cells.push_back(TextCell(10, 0, 60, 5, QStringLiteral("[O_OPIS]")));
    rows.cells.push_back(TextCell(70, 0, 30, 5, QStringLiteral("[oplaty.O_KWOTA]"), Qt::AlignRight));
    layout.addBand(BandKind::Summary, 5)
        .cells.push_back(TextCell(0, 0, 100, 5, QStringLiteral("Koniec: [G_NAZWA]")));

    main_ = std::make_unique<Query>(db_->connection());
    main_->setSql(QStringLiteral("SELECT g_id, g_nazwa FROM gminy ORDER BY g_id"));
    detail_ = std::make_unique<Query>(db_->connection());
    detail_->setSql(QStringLiteral("SELECT o_opis, o_kwota FROM oplaty WHERE o_g_id = :g_id AND o_id <> 2 "
                                   "ORDER BY o_id"));
    detail_->field(QStringLiteral("O_KWOTA")).setDisplayFormat(QStringLiteral("0.00,"));
    detail_->setMaster(main_.get());
    main_->open();
    detail_->open();
    ReportData data;
    data.main = main_.get();
    data.details.insert(QStringLiteral("oplaty"), detail_.get());
    data.variable = [](const QString& name) {
        return name == QLatin1String("Rok") ? QVariant(2011) : QVariant();
    };
    const PreparedReport report = PrepareReport(layout, data);
    QCOMPARE(report.dump(), QStringList({
                                "1|detail|Łowicz | 2011",
                                "1|detail|Kocioł nr 3",
                                "1|detail|3 703,68",
                                "1|detail|Kocioł nr 6",
                                "1|detail|7 407,36",
                                "1|detail|Łowicz | 2011",
                                "1|detail|Kocioł nr 1",
                                "1|detail|1 234,56",
                                "1|detail|Kocioł nr 4",
                                "1|detail|4 938,24",
                                "1|detail|Kocioł nr 7",
                                "1|detail|8 641,92",
                                "1|detail|Żółkiewka | 2011",
                                "1|detail|Kocioł nr 5",
                                "1|detail|6 172,80",
                                "1|summary|Koniec: ",
                            }));
    // The main data set is left on its first row.
    QCOMPARE(main_->recNo(), 0);
}

void TestReportLayout::longTextGrowsItsRowAndNothingIsCut() {
    fill(3);
    const PreparedReport report = prepare(sampleLayout());
    const PreparedCell* longCell = nullptr;
    const PreparedCell* amount = nullptr;
    const auto& cells = report.pages.at(0).cells;
    for (size_t i = 0; i < cells.size(); ++i)
        if (cells[i].text == LongText()) {
            longCell = &cells[i];
            amount = &cells[i + 1];
        }
    QVERIFY(longCell);
    // The whole text is kept and its cell is tall enough for every line of it.
    const double needed = MeasureTextHeight(report.fontFamily, longCell->font, longCell->rect.width() - 1.2,
                                            longCell->text, true);
    QVERIFY2(needed > 9, qPrintable(QString::number(needed)));
    QVERIFY(longCell->rect.height() >= needed);
    // The row's other cells follow its height, so the frames line up.
    QCOMPARE(amount->rect.top(), longCell->rect.top());
    QCOMPARE(amount->rect.height(), longCell->rect.height());
    QCOMPARE(amount->text, QStringLiteral("2 469,12"));
    // The next row starts below it.
    bool below = false;
    for (const PreparedCell& c : cells)
        if (c.text == QStringLiteral("Razem gmina Żółkiewka"))
            below = c.rect.top() >= longCell->rect.bottom() - 0.001;
    QVERIFY(below);
}

void TestReportLayout::pagesBreakWithHeadersAndFooters_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("golden");
    QTest::newRow("one page") << 7 << QStringLiteral("layout_one_page");
    QTest::newRow("several pages") << 75 << QStringLiteral("layout_pages");
}

void TestReportLayout::pagesBreakWithHeadersAndFooters() {
    QFETCH(int, rows);
    QFETCH(QString, golden);
    fill(rows);
    const PreparedReport report = prepare(sampleLayout());
    COMPARE_GOLDEN(report.dump(), golden);
    // Every page has the column headings, its footer at the bottom, and no cell beyond the margin.
    for (int p = 0; p < report.pageCount(); ++p) {
        int headings = 0;
        int footers = 0;
        for (const PreparedCell& c : report.pages[size_t(p)].cells) {
            headings += c.band == BandKind::ColumnHeader && c.text == QLatin1String("Gmina");
            if (c.band == BandKind::PageFooter) {
                ++footers;
                QCOMPARE(c.text, QStringLiteral("Strona %1 z %2").arg(p + 1).arg(report.pageCount()));
            }
            QVERIFY2(c.rect.bottom() <= report.paperSize().height() - 10 + 0.001, qPrintable(c.text));
        }
        QCOMPARE(headings, 1);
        QCOMPARE(footers, 1);
    }
    // The report's sum is the exact sum of the amounts: 1234,56 × (1 + 2 + ... + rows).
    bool found = false;
    for (const PreparedCell& c : report.pages.back().cells)
        if (c.band == BandKind::Summary && c.text != QLatin1String("Razem")) {
            QCOMPARE(c.text, FormatNumber(*Decimal::fromText(QStringLiteral("1234.56")) *
                                              Decimal::fromVariant(rows * (rows + 1) / 2),
                                          QStringLiteral("0.00,")));
            found = true;
        }
    QVERIFY(found);
}

void TestReportLayout::pdfCarriesTextAuthorAndOrientation() {
    REQUIRE_POPPLER();
    fill(75);
    const PreparedReport report = prepare(sampleLayout());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("opłaty.pdf"));
    QString error;
    QVERIFY2(WriteReportPdf(report, path, &error), qPrintable(error));
    if (qEnvironmentVariableIsSet("OSTOJA_PRINT_OUT")) // to look at it
        QFile::copy(path, qEnvironmentVariable("OSTOJA_PRINT_OUT") + QStringLiteral("/layout.pdf"));

    const QString info = PopplerOutput(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Author:\\s+OSTOJA\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Subject:\\s+OSTOJA\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Opłaty według gmin\\n"))),
             qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(report.pageCount()))),
             qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts \\(A4\\)"))),
             qPrintable(info));

    const QString text =
        PopplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("Opłaty za rok 2011")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Kwota [zł]")));
    QVERIFY(text.contains(QStringLiteral("Żółkiewka (gm. w.)")));
    QVERIFY(text.contains(QStringLiteral("92 592,00")));
    QVERIFY(text.contains(QStringLiteral("Strona 1 z %1").arg(report.pageCount())));
    QVERIFY(text.contains(QStringLiteral("późniejszymi zmianami")));

    // The same pages give the same bytes, apart from the creation date.
    auto withoutDate = [](QByteArray bytes) {
        static const QRegularExpression date(QStringLiteral("/CreationDate \\([^)]*\\)"));
        return QString::fromLatin1(bytes).remove(date);
    };
    QCOMPARE(withoutDate(ReportToPdf(report)), withoutDate(ReportToPdf(report)));
}

QTEST_MAIN(TestReportLayout)
#include "tst_ReportLayout.moc"
