#pragma once

#include "forms/ui/MasterDetailWindow.h"

// A modal master-detail window with one detail list on the first page of its page control (the
// detail toolbar above the detail grid). The caller creates it, calls BindDataSets, which reads both
// lists afresh, and shows it modally; it opens on the first master row and the first detail row.
class TbclDlgMD_T1 : public MasterDetailWindow {
    Q_OBJECT
public:
    explicit TbclDlgMD_T1(QWidget* parent = nullptr);

    DataSource* const dsD;

    // Binds dsM and dsD and closes and reopens both data sets, so that they are read afresh. A
    // concrete window extends it to bind its further sources.
    virtual void BindDataSets(QObject* dataModule, Query* master, Query* detail);

    DataGrid* grdD() const { return grdD_; }
    // The first page of the page control.
    QWidget* tsDetail() const { return tsDetail_; }
    QVBoxLayout* detailPageLayout() const { return detailPageLayout_; }

protected:
    QList<DataSource*> detailSources() const override { return {dsD}; }
    void showing() override;
    DataGrid* currentDetailGrid() const override { return grdD_; }

private:
    QWidget* tsDetail_;
    QVBoxLayout* detailPageLayout_;
    DataGrid* grdD_;
};
