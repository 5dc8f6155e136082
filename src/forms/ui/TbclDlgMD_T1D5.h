#pragma once

#include "forms/ui/MasterDetailWindow.h"

#include <array>

// A modal master-detail window with five detail lists, one per page of its page control; the detail
// toolbar above the pages acts on the list of the page shown. Its print buttons carry the hint
// "Wydruki z Księgi". It opens on the first master row.
class TbclDlgMD_T1D5 : public MasterDetailWindow {
    Q_OBJECT
public:
    explicit TbclDlgMD_T1D5(QWidget* parent = nullptr);

    DataSource* const dsD1;
    DataSource* const dsD2;
    DataSource* const dsD3;
    DataSource* const dsD4;
    DataSource* const dsD5;

    // Binds dsM and dsD1 to dsD5 and opens each data set that is closed. A concrete window extends it
    // to bind its further sources.
    virtual void BindDataSets(QObject* dataModule, Query* master, Query* detail1, Query* detail2,
                              Query* detail3, Query* detail4, Query* detail5);

    // The detail grids and pages, 1 to 5.
    DataGrid* grdD(int n) const { return grids_.at(n - 1); }
    QWidget* tsDetail(int n) const { return pages_.at(n - 1); }
    DataSource* dsD(int n) const { return sources_.at(n - 1); }

protected:
    QList<DataSource*> detailSources() const override;
    void showing() override;
    DataGrid* currentDetailGrid() const override;

private:
    void followPage(int index);

    std::array<DataSource*, 5> sources_;
    std::array<DataGrid*, 5> grids_{};
    std::array<QWidget*, 5> pages_{};
    // The source of the page shown, which the detail commands act on.
    DataSource* dsDCurrent_;
};
