#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QPushButton;
class TbcPrint;
struct PreparedReport;

// The dialog of every printout: "&Przeglądaj wydruk" and "&Drukuj" (enabled only when the printout's
// query has rows), "&Zamknij". Each preview and each print re-reads the rows, so changes made
// elsewhere meanwhile are printed. It owns its printout and frees itself when closed.
class TbcPrintDlg : public QDialog {
    Q_OBJECT
public:
    TbcPrintDlg(std::unique_ptr<TbcPrint> printout, QWidget* parent = nullptr);
    ~TbcPrintDlg() override;

    TbcPrint& printout() { return *printout_; }
    QPushButton* btnPreview() const { return btnPreview_; }
    QPushButton* btnPrint() const { return btnPrint_; }
    QPushButton* btnClose() const { return btnClose_; }

    void ShowPreview();
    void PrintReport();

    // Where the prepared pages go when printed; by default the printer dialog and the printer. A
    // test puts its own here.
    static std::function<void(const PreparedReport&, QWidget*)>& printer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool prepare(PreparedReport* report);

    std::unique_ptr<TbcPrint> printout_;
    QPushButton* btnPreview_;
    QPushButton* btnPrint_;
    QPushButton* btnClose_;
};

// Creates the dialog for the printout and shows it modally (the printout's setters already called).
void ShowPrintDialog(std::unique_ptr<TbcPrint> printout, QWidget* parent);
