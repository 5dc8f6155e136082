#include "platform/report/ReportLayout.h"

#include <QSizeF>
#include <QStringList>

static QSizeF PaperSize(const ReportLayout& layout) {
    const QSizeF size = QPageSize(layout.pageSize).size(QPageSize::Millimeter);
    return layout.orientation == QPageLayout::Landscape ? size.transposed() : size;
}

double ReportLayout::contentWidth() const {
    return PaperSize(*this).width() - margins.left() - margins.right();
}

double ReportLayout::contentHeight() const {
    return PaperSize(*this).height() - margins.top() - margins.bottom();
}

ReportBand& ReportLayout::addBand(BandKind kind, double height, const QString& dataSetOrGroup) {
    ReportBand band;
    band.kind = kind;
    band.height = height;
    if (kind == BandKind::Detail)
        band.dataSet = dataSetOrGroup;
    else if (kind == BandKind::GroupHeader || kind == BandKind::GroupFooter)
        band.groupBy = dataSetOrGroup;
    bands.push_back(band);
    return bands.back();
}

double ReportColumns::x(int column) const {
    double result = left;
    for (int i = 0; i < column && i < int(widths.size()); ++i)
        result += widths[i];
    return result;
}

double ReportColumns::width(int from, int count) const {
    double result = 0;
    for (int i = from; i < from + count && i < int(widths.size()); ++i)
        result += widths[i];
    return result;
}

std::vector<ReportCell> TableRow(const ReportColumns& columns, const QStringList& texts, double height,
                                 Qt::Alignment align, ReportFont font, double y) {
    std::vector<ReportCell> cells;
    for (int i = 0; i < texts.size() && i < int(columns.widths.size()); ++i)
        cells.push_back(
            TextCell(columns.x(i), y, columns.widths[i], height, texts.at(i), align, font, AllBorders));
    return cells;
}

ReportCell TextCell(double x, double y, double width, double height, const QString& text, Qt::Alignment align,
                    ReportFont font, int borders) {
    ReportCell cell;
    cell.x = x;
    cell.y = y;
    cell.width = width;
    cell.height = height;
    cell.text = text;
    cell.align = align;
    cell.font = font;
    cell.borders = borders;
    return cell;
}

std::vector<ReportCell> Literal(std::vector<ReportCell> cells) {
    for (ReportCell& cell : cells)
        cell.expand = false;
    return cells;
}

const char* BandKindName(BandKind kind) {
    switch (kind) {
    case BandKind::Title:
        return "title";
    case BandKind::PageHeader:
        return "page-header";
    case BandKind::ColumnHeader:
        return "column-header";
    case BandKind::GroupHeader:
        return "group-header";
    case BandKind::Detail:
        return "detail";
    case BandKind::GroupFooter:
        return "group-footer";
    case BandKind::Summary:
        return "summary";
    case BandKind::PageFooter:
        return "page-footer";
    }
    return "";
}
