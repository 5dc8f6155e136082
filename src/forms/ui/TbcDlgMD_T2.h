#pragma once

#include "forms/ui/ListCommands.h"
#include "forms/ui/PrintDropDown.h"
#include "forms/ui/TrSearchData.h"
#include "platform/ui/DataGrid.h"

#include <QDialog>
#include <QPointer>

class DataSource;
class DataSourceLink;
class QFormLayout;
class QPushButton;
class QToolBar;
class QVBoxLayout;

// A modal master-detail dialog in which one master row and its detail rows are edited together and
// saved or abandoned together. The master panel holds its toolbar ("&Popraw", "Zapisz", "&Anuluj",
// "&Refresh") and the master fields; the detail panel its toolbar and grid, whose "&Szukaj" finds a
// detail row by the beginning of a value of the grid's first column.
//
// "Zapisz" saves the master, then the detail; any other close abandons the master's, then the
// detail's pending change. A refused save shows the error and keeps the dialog open. The caller
// creates it, calls BindDataSets and shows it modally; it frees itself when closed.
class TbcDlgMD_T2 : public QDialog {
    Q_OBJECT
public:
    explicit TbcDlgMD_T2(QWidget* parent = nullptr);

    DataSource* const dsM;
    DataSource* const dsD;

    // Binds dsM and dsD and opens each data set that is closed. A concrete dialog extends it to bind
    // its further sources.
    virtual void BindDataSets(QObject* dataModule, Query* master, Query* detail);
    QObject* dataModule() const { return dataModule_; }

    // Saves the master, then the detail, each only while it is being edited or inserted.
    void PostBoth();

    DataGrid* grdD() const { return grdD_; }
    QWidget* pnlMaster() const { return pnlMaster_; }
    QWidget* pnlDetail() const { return pnlDetail_; }
    // The form of captioned master fields below the master toolbar.
    QFormLayout* masterForm() const { return masterForm_; }
    QVBoxLayout* masterLayout() const { return masterLayout_; }
    QVBoxLayout* detailLayout() const { return detailLayout_; }
    QToolBar* tbMaster() const { return tbMaster_; }
    QToolBar* tbDetail() const { return tbDetail_; }
    PrintDropDown* btnMPrint() const { return btnMPrint_; }
    PrintDropDown* btnDPrint() const { return btnDPrint_; }
    QPushButton* btnZapisz() const { return btnZapisz_; }
    QPushButton* btnAnuluj() const { return btnAnuluj_; }

    // Master commands: "&Popraw", "Zapisz", "&Anuluj", "&Refresh".
    QAction* actMPopraw() const { return actMPopraw_; }
    QAction* actMPost() const { return actMPost_; }
    QAction* actMCancel() const { return actMCancel_; }
    QAction* actMRefresh() const { return actMRefresh_; }
    // Detail commands: navigation, "&Szukaj", "&Dodaj", "&Popraw", "&Usuń", "&Refresh", "P&ost",
    // "&Cancel".
    ListCommands& detailCommands() const { return *commandsD_; }

    // The column "&Szukaj" searches: the detail grid's first visible column.
    TrSearchData detailSearchData() const;

    bool commitEditors();
    void done(int result) override;

protected:
    virtual void actMPoprawExecute();
    virtual void actDDodajExecute();
    virtual void actDPoprawExecute();
    virtual void actDSearchExecute();
    void showEvent(QShowEvent* event) override;

private:
    void updateMasterActions();
    bool runMaster(const std::function<void()>& command);

    QPointer<QObject> dataModule_;
    QWidget* pnlMaster_;
    QWidget* pnlDetail_;
    QVBoxLayout* masterLayout_;
    QFormLayout* masterForm_;
    QVBoxLayout* detailLayout_;
    QToolBar* tbMaster_;
    QToolBar* tbDetail_;
    PrintDropDown* btnMPrint_;
    PrintDropDown* btnDPrint_;
    QAction* actMPopraw_;
    QAction* actMPost_;
    QAction* actMCancel_;
    QAction* actMRefresh_;
    DataSourceLink* linkM_;
    ListCommands* commandsD_;
    DataGrid* grdD_;
    QPushButton* btnZapisz_;
    QPushButton* btnAnuluj_;
    bool shownOnce_ = false;
};
