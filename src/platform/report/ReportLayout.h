#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <vector>

// A printout described as data: the page, and bands of cells whose texts name the values to print.
// Lengths are millimetres. A cell's text is literal except for names in brackets: "[NAZWA]" is a
// field of the row being printed (of the band's data set, then of the main data set) or else a
// variable; "[SUM(KWOTA)]" the sum of a main data set's field over the group or the whole report;
// "[LINE#]" the running number of the row; "[PAGE#]" and "[TOTALPAGES#]" the page number and the
// page count. An unknown name prints empty.

enum class BandKind {
    Title,
    PageHeader,
    ColumnHeader,
    GroupHeader,
    Detail,
    GroupFooter,
    Summary,
    PageFooter
};

enum ReportBorder {
    NoBorder = 0,
    LeftBorder = 1,
    TopBorder = 2,
    RightBorder = 4,
    BottomBorder = 8,
    AllBorders = 15
};

struct ReportFont {
    double size = 8; // points
    bool bold = false;
    bool italic = false;
};

struct ReportCell {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 5;
    QString text;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    int borders = NoBorder;
    ReportFont font;
    // Long text wraps onto further lines and makes the cell (and its band) taller; nothing is cut.
    bool wordWrap = true;
    // Names in brackets are filled in; off for literal texts such as headings with units ("[Mg]").
    bool expand = true;
    // Display format of a sum ("0.00," and the like); empty for the field's own.
    QString format;
};

struct ReportBand {
    BandKind kind = BandKind::Detail;
    double height = 5;
    std::vector<ReportCell> cells;
    // Detail band: the data set it runs over, once per row of the main data set; empty for the main
    // data set itself.
    QString dataSet;
    // Group header or footer: the field of the main data set whose change starts a new group.
    QString groupBy;
};

struct ReportLayout {
    QString caption;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10};
    QString fontFamily = QStringLiteral("DejaVu Sans");
    std::vector<ReportBand> bands;

    // Width and height of the printable area between the margins.
    double contentWidth() const;
    double contentHeight() const;
    ReportBand& addBand(BandKind kind, double height, const QString& dataSetOrGroup = QString());
};

// A row of cells side by side: the widths of a table's columns, starting at the left margin.
struct ReportColumns {
    std::vector<double> widths;
    double left = 0;
    double x(int column) const;
    double width(int from, int count = 1) const;
};

// Cells of one table row: one per text, framed, with the given alignment and font.
std::vector<ReportCell> TableRow(const ReportColumns& columns, const QStringList& texts, double height,
                                 Qt::Alignment align = Qt::AlignCenter, ReportFont font = {}, double y = 0);

ReportCell TextCell(double x, double y, double width, double height, const QString& text,
                    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, ReportFont font = {},
                    int borders = NoBorder);

// The same cells printed as they are written (column headings: "[kg]" is a unit, not a name).
std::vector<ReportCell> Literal(std::vector<ReportCell> cells);

const char* BandKindName(BandKind kind);
