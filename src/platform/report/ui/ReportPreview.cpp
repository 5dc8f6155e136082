#include "platform/report/ui/ReportPreview.h"

#include "platform/Messages.h"
#include "platform/report/ReportRenderer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

double g_zoom = 1.0; // the zoom of the last preview, for the rest of the run

constexpr double ScreenDpi = 96.0;

} // namespace

void PaintPreparedReport(const PreparedReport& report, QPrinter& printer) {
    printer.setFullPage(true);
    QPainter painter(&printer);
    const double pxPerMm = printer.resolution() / 25.4;
    int from = 0;
    int to = report.pageCount() - 1;
    if (printer.fromPage() > 0) {
        from = printer.fromPage() - 1;
        to = std::min(to, printer.toPage() - 1);
    }
    for (int p = from; p <= to; ++p) {
        if (p > from)
            printer.newPage();
        PaintReportPage(painter, report, p, pxPerMm);
    }
}

bool PrintPreparedReport(const PreparedReport& report, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(report.pageSize), report.orientation, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
    printer.setDocName(report.caption);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, report.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PaintPreparedReport(report, printer);
    return true;
}

bool ExportPreparedReportPdf(const PreparedReport& report, QWidget* parent, const QString& suggestedName) {
    QString name = suggestedName.isEmpty() ? report.caption : suggestedName;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Eksport do PDF"), folder + QLatin1Char('/') + name + QStringLiteral(".pdf"),
        QStringLiteral("Dokument PDF (*.pdf)"));
    if (path.isEmpty())
        return false;
    QString error;
    if (!WriteReportPdf(report, path, &error)) {
        AppMessages().error(QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, error));
        return false;
    }
    return true;
}

double ReportPreview::rememberedZoom() {
    return g_zoom;
}

ReportPreview::ReportPreview(const PreparedReport& report, QWidget* parent)
    : QDialog(parent), report_(report) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Podgląd wydruku - %1").arg(report.caption));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto button = [&](const QString& text, const QString& hint) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(hint);
        bar->addWidget(b);
        return b;
    };
    btnPrint_ = button(QStringLiteral("Drukuj"), QStringLiteral("Drukuj"));
    btnPdf_ = button(QStringLiteral("PDF"), QStringLiteral("Eksport do PDF"));
    bar->addSpacing(12);
    QToolButton* first = button(QStringLiteral("|<"), QStringLiteral("Pierwsza strona"));
    QToolButton* prior = button(QStringLiteral("<"), QStringLiteral("Poprzednia strona"));
    pageSpin_ = new QSpinBox(this);
    pageSpin_->setRange(1, std::max(1, report_.pageCount()));
    bar->addWidget(pageSpin_);
    page_label_ = new QLabel(this);
    bar->addWidget(page_label_);
    QToolButton* next = button(QStringLiteral(">"), QStringLiteral("Następna strona"));
    QToolButton* last = button(QStringLiteral(">|"), QStringLiteral("Ostatnia strona"));
    bar->addSpacing(12);
    zoomBox_ = new QComboBox(this);
    for (int percent : {50, 75, 100, 125, 150, 200})
        zoomBox_->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    bar->addWidget(zoomBox_);
    bar->addStretch();
    QToolButton* close = button(QStringLiteral("Zamknij"), QStringLiteral("Zamknij podgląd"));
    layout->addLayout(bar);

    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    image_ = new QLabel;
    scroll_->setWidget(image_);
    layout->addWidget(scroll_, 1);

    connect(btnPrint_, &QToolButton::clicked, this, [this] { PrintPreparedReport(report_, this); });
    connect(btnPdf_, &QToolButton::clicked, this,
            [this] { ExportPreparedReportPdf(report_, this, QString()); });
    connect(first, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(prior, &QToolButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next, &QToolButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(last, &QToolButton::clicked, this, [this] { showPage(report_.pageCount() - 1); });
    connect(pageSpin_, &QSpinBox::valueChanged, this, [this](int value) { showPage(value - 1); });
    connect(zoomBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoom(zoomBox_->itemData(index).toDouble()); });
    connect(close, &QToolButton::clicked, this, &QDialog::accept);

    zoom_ = g_zoom;
    const int index = zoomBox_->findData(zoom_);
    zoomBox_->setCurrentIndex(index < 0 ? zoomBox_->findData(1.0) : index);
    render();
    resize(1000, 750);
}

void ReportPreview::showPage(int page) {
    page = std::clamp(page, 0, std::max(0, report_.pageCount() - 1));
    if (page == page_ && !image_->pixmap().isNull())
        return;
    page_ = page;
    render();
}

void ReportPreview::setZoom(double zoom) {
    if (zoom <= 0 || zoom == zoom_)
        return;
    zoom_ = zoom;
    g_zoom = zoom;
    const int index = zoomBox_->findData(zoom);
    if (index >= 0 && index != zoomBox_->currentIndex())
        zoomBox_->setCurrentIndex(index);
    render();
}

void ReportPreview::render() {
    const QImage page = RenderReportPage(report_, page_, ScreenDpi * zoom_);
    image_->setPixmap(QPixmap::fromImage(page));
    image_->resize(page.size());
    const QSignalBlocker block(pageSpin_);
    pageSpin_->setValue(page_ + 1);
    page_label_->setText(QStringLiteral("z %1").arg(report_.pageCount()));
}
