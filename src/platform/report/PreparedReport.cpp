#include "platform/report/PreparedReport.h"
#include "platform/report/ReportRenderer.h"

#include "platform/Decimal.h"
#include "platform/data/Field.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/Query.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>

namespace {

// Text is measured at a fixed resolution so that the pages are the same whatever the device.
constexpr double MeasureDpi = 720.0;
constexpr double MmPerInch = 25.4;
// Room between a cell's frame and its text.
constexpr double CellPadding = 0.6;

const QRegularExpression& NamePattern() {
    static const QRegularExpression pattern(QStringLiteral("\\[([^\\[\\]]+)\\]"));
    return pattern;
}

class Preparer {
public:
    Preparer(const ReportLayout& layout, const ReportData& data) : layout_(layout), data_(data) {}

    PreparedReport run();

private:
    struct Scope {
        Query* dataSet = nullptr; // detail data set of the band being printed
        int groupStart = 0;       // first main row of the current group
        int row = -1;             // current main row
    };

    void printBand(const ReportBand& band);
    void newPage();
    void finishPage();
    std::vector<PreparedCell> layoutBand(const ReportBand& band, double top, double* height);
    QString resolve(const QString& text, const ReportCell& cell) const;
    QString valueOf(const QString& name, const ReportCell& cell) const;
    QString fieldText(Query* query, const QString& name, bool* found) const;
    QString sumOf(const QString& name, const ReportCell& cell) const;
    QString groupValue(const QString& field, int row) const;
    const ReportBand* band(BandKind kind) const;
    std::vector<const ReportBand*> bands(BandKind kind) const;

    const ReportLayout& layout_;
    const ReportData& data_;
    PreparedReport report_;
    Scope scope_;
    double y_ = 0;
    double bottom_ = 0;
    bool pageOpen_ = false;
};

const ReportBand* Preparer::band(BandKind kind) const {
    for (const ReportBand& b : layout_.bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

std::vector<const ReportBand*> Preparer::bands(BandKind kind) const {
    std::vector<const ReportBand*> result;
    for (const ReportBand& b : layout_.bands)
        if (b.kind == kind)
            result.push_back(&b);
    return result;
}

QString Preparer::fieldText(Query* query, const QString& name, bool* found) const {
    *found = false;
    if (!query || !query->isActive())
        return QString();
    const Field* field = query->findField(name);
    if (!field)
        return QString();
    *found = true;
    const int row = query == data_.main ? scope_.row : query->recNo();
    if (row < 0 || row >= query->recordCount())
        return QString();
    return query->textAt(row, *field);
}

QString Preparer::sumOf(const QString& name, const ReportCell& cell) const {
    Query* main = data_.main;
    const Field* field = main ? main->findField(name) : nullptr;
    if (!field)
        return QString();
    Decimal sum;
    const int last = scope_.row < 0 ? main->recordCount() - 1 : scope_.row;
    for (int row = scope_.groupStart; row <= last && row < main->recordCount(); ++row)
        sum = sum + Decimal::fromVariant(main->valueAt(row, field->index()));
    QString format = cell.format;
    if (format.isEmpty())
        format = field->displayFormat().isEmpty() ? QStringLiteral("0.00") : field->displayFormat();
    return FormatNumber(sum, format);
}

QString Preparer::valueOf(const QString& name, const ReportCell& cell) const {
    if (name == QLatin1String("PAGE#") || name == QLatin1String("TOTALPAGES#"))
        return QLatin1Char('[') + name + QLatin1Char(']'); // filled in once the pages are counted
    if (name == QLatin1String("LINE#"))
        return QString::number((scope_.dataSet ? scope_.dataSet->recNo() : scope_.row) + 1);
    static const QRegularExpression sum(QStringLiteral("^SUM\\((.+)\\)$"));
    const QRegularExpressionMatch m = sum.match(name);
    if (m.hasMatch())
        return sumOf(m.captured(1).trimmed(), cell);
    bool found = false;
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot > 0) {
        Query* query = data_.details.value(name.left(dot));
        const QString text = fieldText(query, name.mid(dot + 1), &found);
        if (found)
            return text;
    }
    QString text = fieldText(scope_.dataSet, name, &found);
    if (found)
        return text;
    text = fieldText(data_.main, name, &found);
    if (found)
        return text;
    if (data_.variable) {
        const QVariant value = data_.variable(name);
        if (value.isValid())
            return value.toString();
    }
    return QString();
}

QString Preparer::resolve(const QString& text, const ReportCell& cell) const {
    QString result;
    qsizetype last = 0;
    auto it = NamePattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        result += text.mid(last, m.capturedStart() - last);
        result += valueOf(m.captured(1), cell);
        last = m.capturedEnd();
    }
    result += text.mid(last);
    return result;
}

std::vector<PreparedCell> Preparer::layoutBand(const ReportBand& band, double top, double* height) {
    std::vector<PreparedCell> cells;
    double bandHeight = band.height;
    for (const ReportCell& cell : band.cells) {
        PreparedCell out;
        out.text = cell.expand ? resolve(cell.text, cell) : cell.text;
        out.align = cell.align;
        out.borders = cell.borders;
        out.font = cell.font;
        out.wordWrap = cell.wordWrap;
        out.band = band.kind;
        const double needed = MeasureTextHeight(layout_.fontFamily, cell.font, cell.width - 2 * CellPadding,
                                                out.text, cell.wordWrap) +
                              2 * CellPadding;
        const double cellHeight = std::max(cell.height, needed);
        out.rect = QRectF(layout_.margins.left() + cell.x, top + cell.y, cell.width, cellHeight);
        bandHeight = std::max(bandHeight, cell.y + cellHeight);
        cells.push_back(out);
    }
    // Cells that reached the band's bottom follow it when another cell made it grow, so that the
    // frames of a table row stay aligned.
    for (size_t i = 0; i < cells.size(); ++i) {
        const ReportCell& cell = band.cells[i];
        if (cell.y + cell.height >= band.height - 0.01)
            cells[i].rect.setBottom(top + bandHeight);
    }
    *height = bandHeight;
    return cells;
}

void Preparer::newPage() {
    report_.pages.emplace_back();
    pageOpen_ = true;
    y_ = layout_.margins.top();
    bottom_ = layout_.margins.top() + layout_.contentHeight();
    if (const ReportBand* footer = band(BandKind::PageFooter)) {
        double h = 0;
        layoutBand(*footer, 0, &h);
        bottom_ -= h;
    }
    if (report_.pages.size() == 1)
        for (const ReportBand* b : bands(BandKind::Title))
            printBand(*b);
    for (const ReportBand* b : bands(BandKind::PageHeader))
        printBand(*b);
    for (const ReportBand* b : bands(BandKind::ColumnHeader))
        printBand(*b);
}

void Preparer::finishPage() {
    if (!pageOpen_)
        return;
    pageOpen_ = false;
    for (const ReportBand* b : bands(BandKind::PageFooter)) {
        double h = 0;
        std::vector<PreparedCell> cells = layoutBand(*b, bottom_, &h);
        for (PreparedCell& c : cells)
            report_.pages.back().cells.push_back(c);
    }
}

void Preparer::printBand(const ReportBand& band) {
    if (!pageOpen_)
        newPage();
    double h = 0;
    std::vector<PreparedCell> cells = layoutBand(band, y_, &h);
    const bool pageBand = band.kind == BandKind::Title || band.kind == BandKind::PageHeader ||
                          band.kind == BandKind::ColumnHeader;
    if (!pageBand && y_ + h > bottom_ + 0.01) {
        const bool emptyPage = report_.pages.back().cells.empty() ||
                               y_ <= layout_.margins.top() + 0.01; // nothing but headers would not help
        if (!emptyPage) {
            finishPage();
            newPage();
            cells = layoutBand(band, y_, &h);
        }
    }
    for (PreparedCell& c : cells)
        report_.pages.back().cells.push_back(c);
    y_ += h;
}

QString Preparer::groupValue(const QString& field, int row) const {
    const Field* f = data_.main->findField(field);
    return f ? data_.main->valueAt(row, f->index()).toString() : QString();
}

PreparedReport Preparer::run() {
    report_.caption = layout_.caption;
    report_.pageSize = layout_.pageSize;
    report_.orientation = layout_.orientation;
    report_.fontFamily = layout_.fontFamily;
    newPage();

    Query* main = data_.main;
    const int rows = main && main->isActive() ? main->recordCount() : 0;
    const std::vector<const ReportBand*> groupHeaders = bands(BandKind::GroupHeader);
    const std::vector<const ReportBand*> groupFooters = bands(BandKind::GroupFooter);
    for (int row = 0; row < rows; ++row) {
        // Moving the main data set re-reads its details.
        main->setRecNo(row);
        scope_.row = row;
        for (const ReportBand* b : groupHeaders)
            if (row == 0 || groupValue(b->groupBy, row) != groupValue(b->groupBy, row - 1)) {
                scope_.groupStart = row;
                printBand(*b);
            }
        for (const ReportBand& b : layout_.bands) {
            if (b.kind != BandKind::Detail)
                continue;
            if (b.dataSet.isEmpty()) {
                printBand(b);
                continue;
            }
            Query* detail = data_.details.value(b.dataSet);
            if (!detail || !detail->isActive())
                continue;
            scope_.dataSet = detail;
            for (int d = 0; d < detail->recordCount(); ++d) {
                detail->setRecNo(d);
                printBand(b);
            }
            scope_.dataSet = nullptr;
        }
        for (const ReportBand* b : groupFooters)
            if (row == rows - 1 || groupValue(b->groupBy, row) != groupValue(b->groupBy, row + 1))
                printBand(*b);
    }
    scope_.row = -1;
    scope_.groupStart = 0;
    for (const ReportBand* b : bands(BandKind::Summary))
        printBand(*b);
    finishPage();

    const QString total = QString::number(report_.pages.size());
    for (size_t p = 0; p < report_.pages.size(); ++p)
        for (PreparedCell& c : report_.pages[p].cells) {
            c.text.replace(QLatin1String("[PAGE#]"), QString::number(p + 1));
            c.text.replace(QLatin1String("[TOTALPAGES#]"), total);
        }
    if (main && rows > 0)
        main->first();
    return report_;
}

} // namespace

QSizeF PreparedReport::paperSize() const {
    const QSizeF size = QPageSize(pageSize).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

QStringList PreparedReport::dump() const {
    QStringList lines;
    for (size_t p = 0; p < pages.size(); ++p)
        for (const PreparedCell& c : pages[p].cells) {
            if (c.text.trimmed().isEmpty())
                continue;
            QString text = c.text;
            text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
            lines << QStringLiteral("%1|%2|%3").arg(p + 1).arg(QLatin1String(BandKindName(c.band)), text);
        }
    return lines;
}

QFont ReportQFont(const QString& family, const ReportFont& font) {
    QFont f(family);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

double MeasureTextHeight(const QString& fontFamily, const ReportFont& font, double width, const QString& text,
                         bool wordWrap) {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dpm = int(MeasureDpi / 0.0254); // dots per metre
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        return image;
    }();
    const QFontMetricsF metrics(ReportQFont(fontFamily, font), &device);
    const double pxPerMm = MeasureDpi / MmPerInch;
    if (text.isEmpty())
        return metrics.height() / pxPerMm;
    const int flags = wordWrap ? int(Qt::TextWordWrap) : 0;
    const QRectF box = metrics.boundingRect(QRectF(0, 0, std::max(1.0, width * pxPerMm), 1e7), flags, text);
    // A little room for the rounding of other devices' font sizes.
    return box.height() / pxPerMm * 1.04;
}

PreparedReport PrepareReport(const ReportLayout& layout, const ReportData& data) {
    return Preparer(layout, data).run();
}
