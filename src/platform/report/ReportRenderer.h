#pragma once

#include "platform/report/PreparedReport.h"

#include <QByteArray>
#include <QFont>
#include <QImage>

class QPainter;

QFont ReportQFont(const QString& family, const ReportFont& font);

// Paints one page with its top left corner at the painter's origin, pxPerMm device pixels to the
// millimetre; fonts follow the device's resolution, so the device must report it truly.
void PaintReportPage(QPainter& painter, const PreparedReport& report, int page, double pxPerMm);

// The page as an image at the given resolution (the preview and its tests).
QImage RenderReportPage(const PreparedReport& report, int page, double dpi);

// The document's author and subject.
inline constexpr const char* ReportPdfAuthor = "OSTOJA";

// The printout as a PDF document (text that can be searched and copied; author and subject
// "OSTOJA"). The same pages give the same bytes apart from the creation date.
QByteArray ReportToPdf(const PreparedReport& report);
// Writes it to a file; false with the reason in *error when the file cannot be written.
bool WriteReportPdf(const PreparedReport& report, const QString& path, QString* error = nullptr);
