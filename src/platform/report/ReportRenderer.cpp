#include "platform/report/ReportRenderer.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

constexpr double CellPadding = 0.6;
constexpr int PdfResolution = 1200;

int TextFlags(const PreparedCell& cell) {
    return int(cell.align) | (cell.wordWrap ? int(Qt::TextWordWrap) : 0);
}

// Adds the author and subject to the document information of a PDF that Qt wrote, as an update
// appended to the file (a new information object, cross-reference section and trailer).
QByteArray WithAuthorAndSubject(const QByteArray& pdf) {
    static const QRegularExpression startXref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    static const QRegularExpression trailerInfo(QStringLiteral("/Info\\s+(\\d+)\\s+0\\s+R"));
    static const QRegularExpression trailerSize(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression trailerRoot(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)"));
    const QString text = QString::fromLatin1(pdf);
    const QRegularExpressionMatch xref = startXref.match(text);
    const qsizetype trailerAt = text.lastIndexOf(QLatin1String("trailer"));
    if (!xref.hasMatch() || trailerAt < 0)
        return pdf;
    const QString trailer = text.mid(trailerAt);
    const QRegularExpressionMatch info = trailerInfo.match(trailer);
    const QRegularExpressionMatch size = trailerSize.match(trailer);
    const QRegularExpressionMatch root = trailerRoot.match(trailer);
    if (!info.hasMatch() || !size.hasMatch() || !root.hasMatch())
        return pdf;
    // The old information dictionary, kept whole.
    const QString objectStart = QStringLiteral("\n%1 0 obj").arg(info.captured(1));
    const qsizetype at = text.indexOf(objectStart);
    const qsizetype open = at < 0 ? -1 : text.indexOf(QLatin1String("<<"), at);
    const qsizetype end = at < 0 ? -1 : text.indexOf(QLatin1String("endobj"), at);
    const qsizetype close = end < 0 ? -1 : text.lastIndexOf(QLatin1String(">>"), end);
    if (open < 0 || close < open)
        return pdf;
    const QString entries = text.mid(open + 2, close - open - 2);

    const int number = size.captured(1).toInt();
    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out += '\n';
    const qsizetype objectAt = out.size();
    out += QStringLiteral("%1 0 obj\n<<%2/Author (%3)\n/Subject (%3)\n>>\nendobj\n")
               .arg(number)
               .arg(entries, QLatin1String(ReportPdfAuthor))
               .toLatin1();
    const qsizetype xrefAt = out.size();
    out += QStringLiteral("xref\n%1 1\n%2 00000 n \ntrailer\n<< /Size %3 /Root %4 /Info %1 0 R /Prev %5 >>\n"
                          "startxref\n%6\n%%EOF\n")
               .arg(number)
               .arg(objectAt, 10, 10, QLatin1Char('0'))
               .arg(number + 1)
               .arg(root.captured(1), xref.captured(1))
               .arg(xrefAt)
               .toLatin1();
    return out;
}

QByteArray XmpMetadata(const QString& title) {
    QString escaped = title.toHtmlEscaped();
    return QStringLiteral("<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
                          "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
                          "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
                          "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>\n"
                          "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt></dc:title>\n"
                          "<dc:creator><rdf:Seq><rdf:li>%2</rdf:li></rdf:Seq></dc:creator>\n"
                          "<dc:description><rdf:Alt><rdf:li "
                          "xml:lang='x-default'>%2</rdf:li></rdf:Alt></dc:description>\n"
                          "</rdf:Description>\n"
                          "</rdf:RDF>\n"
                          "</x:xmpmeta>\n"
                          "<?xpacket end='w'?>\n")
        .arg(escaped, QLatin1String(ReportPdfAuthor))
        .toUtf8();
}

} // namespace

void PaintReportPage(QPainter& painter, const PreparedReport& report, int page, double pxPerMm) {
    if (page < 0 || page >= report.pageCount())
        return;
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 0.2 * pxPerMm));
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    for (const PreparedCell& cell : report.pages[size_t(page)].cells) {
        const QRectF r(cell.rect.left() * pxPerMm, cell.rect.top() * pxPerMm, cell.rect.width() * pxPerMm,
                       cell.rect.height() * pxPerMm);
        if (cell.borders & LeftBorder)
            painter.drawLine(r.topLeft(), r.bottomLeft());
        if (cell.borders & TopBorder)
            painter.drawLine(r.topLeft(), r.topRight());
        if (cell.borders & RightBorder)
            painter.drawLine(r.topRight(), r.bottomRight());
        if (cell.borders & BottomBorder)
            painter.drawLine(r.bottomLeft(), r.bottomRight());
        if (cell.text.isEmpty())
            continue;
        painter.setFont(ReportQFont(report.fontFamily, cell.font));
        const double pad = CellPadding * pxPerMm;
        painter.drawText(r.adjusted(pad, pad, -pad, -pad), TextFlags(cell), cell.text);
    }
    painter.restore();
}

QImage RenderReportPage(const PreparedReport& report, int page, double dpi) {
    const double pxPerMm = dpi / 25.4;
    const QSizeF paper = report.paperSize();
    QImage image(int(paper.width() * pxPerMm + 0.5), int(paper.height() * pxPerMm + 0.5),
                 QImage::Format_RGB32);
    const int dpm = int(dpi / 0.0254 + 0.5); // dots per metre
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintReportPage(painter, report, page, pxPerMm);
    return image;
}

QByteArray ReportToPdf(const PreparedReport& report) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(report.pageSize), report.orientation,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setTitle(report.caption);
        writer.setCreator(QLatin1String(ReportPdfAuthor));
        writer.setDocumentXmpMetadata(XmpMetadata(report.caption));
        QPainter painter(&writer);
        const double pxPerMm = PdfResolution / 25.4;
        for (int p = 0; p < report.pageCount(); ++p) {
            if (p > 0)
                writer.newPage();
            PaintReportPage(painter, report, p, pxPerMm);
        }
        painter.end();
    }
    return WithAuthorAndSubject(bytes);
}

bool WriteReportPdf(const PreparedReport& report, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ReportToPdf(report)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
