#pragma once

#include "platform/report/PreparedReport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;
class QPrinter;

// Prints the pages through the printer dialog; false when the user gives up.
bool PrintPreparedReport(const PreparedReport& report, QWidget* parent);
// Paints the pages on a printer already set up (the printer dialog's choice).
void PaintPreparedReport(const PreparedReport& report, QPrinter& printer);
// Asks for a file name (the save dialog asks before overwriting) and writes the PDF there; false
// when the user gives up or the file cannot be written (the reason shown).
bool ExportPreparedReportPdf(const PreparedReport& report, QWidget* parent, const QString& suggestedName);

// The preview of a prepared printout: page navigation, zoom (kept for the run), printing and export
// to PDF.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(const PreparedReport& report, QWidget* parent = nullptr);

    int currentPage() const { return page_; }
    void showPage(int page);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The zoom the previews of this run open with.
    static double rememberedZoom();

    QToolButton* printButton() const { return btnPrint_; }
    QToolButton* pdfButton() const { return btnPdf_; }
    QLabel* pageLabel() const { return page_label_; }

private:
    void render();

    PreparedReport report_;
    int page_ = 0;
    double zoom_ = 1.0;
    QScrollArea* scroll_;
    QLabel* image_;
    QLabel* page_label_;
    QSpinBox* pageSpin_;
    QComboBox* zoomBox_;
    QToolButton* btnPrint_;
    QToolButton* btnPdf_;
};
