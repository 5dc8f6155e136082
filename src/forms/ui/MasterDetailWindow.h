#pragma once

#include "forms/ui/ListCommands.h"
#include "forms/ui/PrintDropDown.h"
#include "platform/ui/DataGrid.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class DataSource;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolBar;
class QVBoxLayout;

// The frame of the modal master-detail windows (TbclDlgMD_T1 with one detail list, TbclDlgMD_T1D5
// with five): a master panel with a caption strip, its toolbar and a read-only grid; below a splitter
// a detail panel with a caption strip and a page control; at the bottom "Zamknij". The master and
// the detail commands each answer their keys inside their own panel. "&Szukaj" has no handler in
// these windows and stays disabled.
//
// Closing writes what is still being edited (master first, then the details); a refused save shows
// the error and keeps the window open. The window frees itself when closed; the data sets belong to
// the caller.
class MasterDetailWindow : public QDialog {
    Q_OBJECT
public:
    ~MasterDetailWindow() override;

    DataSource* const dsM;

    QObject* dataModule() const { return dataModule_; }

    DataGrid* grdM() const { return grdM_; }
    QWidget* pnlMaster() const { return pnlMaster_; }
    QWidget* pnlDetail() const { return pnlDetail_; }
    QLabel* lblMaster() const { return lblMaster_; }
    QLabel* lblDetail() const { return lblDetail_; }
    QSplitter* splitter() const { return splitter_; }
    QTabWidget* pcDetail() const { return pcDetail_; }
    QToolBar* tbMaster() const { return tbMaster_; }
    QToolBar* tbDetail() const { return tbDetail_; }
    PrintDropDown* btnMPrint() const { return btnMPrint_; }
    PrintDropDown* btnDPrint() const { return btnDPrint_; }
    ListCommands& masterCommands() const { return *commandsM_; }
    ListCommands& detailCommands() const { return *commandsD_; }
    QPushButton* btnZamknij() const { return btnZamknij_; }
    // The master panel's layout (caption strip, toolbar, grid), for a concrete window's fields.
    QVBoxLayout* masterLayout() const { return masterLayout_; }
    // The detail panel's layout (caption strip, page control).
    QVBoxLayout* detailLayout() const { return detailLayout_; }
    // The row of "Zamknij", for a concrete window's totals or buttons left of it.
    QHBoxLayout* bottomLayout() const { return bottomLayout_; }

    // Writes pending typing in the grids and edits to the data sets; false when one was refused.
    bool commitEditors();

    void done(int result) override;

protected:
    MasterDetailWindow(const QString& printHint, QWidget* parent);

    void setDataModule(QObject* dataModule) { dataModule_ = dataModule; }
    // The detail commands act on `source`, their toolbar is tbDetail.
    void createDetailCommands(DataSource& source);
    // The detail sources written on closing, in order.
    virtual QList<DataSource*> detailSources() const = 0;
    // Where the window stands when first shown.
    virtual void showing() = 0;

    virtual void actMDodajExecute() {}
    virtual void actMPoprawExecute() {}
    // Insert into or edit the detail data set, when there is one.
    virtual void actDDodajExecute();
    virtual void actDPoprawExecute();
    // The grid the detail commands work in (focus after an insert or edit).
    virtual DataGrid* currentDetailGrid() const = 0;

    void showEvent(QShowEvent* event) override;

private:
    QPointer<QObject> dataModule_;
    QString printHint_;
    DataGrid* grdM_;
    QWidget* pnlMaster_;
    QWidget* pnlDetail_;
    QLabel* lblMaster_;
    QLabel* lblDetail_;
    QSplitter* splitter_;
    QTabWidget* pcDetail_;
    QToolBar* tbMaster_;
    QToolBar* tbDetail_ = nullptr;
    PrintDropDown* btnMPrint_;
    PrintDropDown* btnDPrint_ = nullptr;
    ListCommands* commandsM_;
    ListCommands* commandsD_ = nullptr;
    QPushButton* btnZamknij_;
    QVBoxLayout* masterLayout_;
    QVBoxLayout* detailLayout_;
    QHBoxLayout* bottomLayout_;
    bool shownOnce_ = false;
};
