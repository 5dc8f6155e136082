#include "print/ui/TbcPrintDlg.h"

#include "platform/Messages.h"
#include "platform/data/DataError.h"
#include "platform/report/ui/ReportPreview.h"
#include "platform/ui/CentreOnMainWindow.h"
#include "print/TbcPrint.h"

#include <QHBoxLayout>
#include <QPushButton>

std::function<void(const PreparedReport&, QWidget*)>& TbcPrintDlg::printer() {
    static std::function<void(const PreparedReport&, QWidget*)> print =
        [](const PreparedReport& report, QWidget* parent) { PrintPreparedReport(report, parent); };
    return print;
}

TbcPrintDlg::TbcPrintDlg(std::unique_ptr<TbcPrint> printout, QWidget* parent)
    : QDialog(parent), printout_(std::move(printout)) {
    setObjectName(QStringLiteral("TbcPrintDlg"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(printout_->caption());
    auto* layout = new QHBoxLayout(this);
    btnPreview_ = new QPushButton(QStringLiteral("&Przeglądaj wydruk"), this);
    btnPreview_->setToolTip(QStringLiteral("Podgląd wyduku"));
    btnPrint_ = new QPushButton(QStringLiteral("&Drukuj"), this);
    btnPrint_->setToolTip(QStringLiteral("Drukuj "));
    btnClose_ = new QPushButton(QStringLiteral("&Zamknij"), this);
    btnClose_->setToolTip(QStringLiteral("Zamknij formularz "));
    layout->addWidget(btnPreview_);
    layout->addWidget(btnPrint_);
    layout->addWidget(btnClose_);
    btnPreview_->setDefault(true);
    connect(btnPreview_, &QPushButton::clicked, this, &TbcPrintDlg::ShowPreview);
    connect(btnPrint_, &QPushButton::clicked, this, &TbcPrintDlg::PrintReport);
    connect(btnClose_, &QPushButton::clicked, this, &QDialog::reject);
}

TbcPrintDlg::~TbcPrintDlg() = default;

void TbcPrintDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnMainWindow(this);
    bool rows = false;
    try {
        printout_->OpenReportData();
        rows = printout_->hasRows();
        printout_->CloseReportData();
    } catch (const DataError& e) {
        ShowStandardError(e.message());
    }
    btnPreview_->setEnabled(rows);
    btnPrint_->setEnabled(btnPreview_->isEnabled());
}

bool TbcPrintDlg::prepare(PreparedReport* report) {
    try {
        if (printout_->Prepare(report))
            return true;
        AppMessages().information(TbcPrint::NoDataMessage());
    } catch (const DataError& e) {
        printout_->CloseReportData();
        ShowStandardError(e.message());
    }
    return false;
}

void TbcPrintDlg::ShowPreview() {
    PreparedReport report;
    if (!prepare(&report))
        return;
    ReportPreview preview(report, this);
    preview.exec();
}

void TbcPrintDlg::PrintReport() {
    PreparedReport report;
    if (!prepare(&report))
        return;
    printer()(report, this);
}

void ShowPrintDialog(std::unique_ptr<TbcPrint> printout, QWidget* parent) {
    auto* dialog = new TbcPrintDlg(std::move(printout), parent);
    dialog->exec();
}
