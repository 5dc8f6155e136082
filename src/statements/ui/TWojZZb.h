#pragma once

#include "forms/ui/TbcDialogT1.h"

class DataGrid;
class DataSource;
class DataSourceLink;
class Query;
class QLabel;
class TdmfZestZb;

// The voivodeship of a new collective summary, picked from those of the statement's places of use
// and sewage receivers that have no summary yet. "OK" is enabled only while a voivodeship is current.
class TWojZZb : public TbcDialogT1 {
    Q_OBJECT
public:
    explicit TWojZZb(QWidget* parent = nullptr);

    // Reads the list for the current statement and shows the picker. True on "OK", with the choice.
    static bool Wybierz(TdmfZestZb& zb, QWidget* parent, int& wojId, QString& wojNazwa);

    // The list shown (the module's qryZZbWoj, already read).
    void BindList(Query* list);

    DataGrid* grdWoj() const { return grdWoj_; }
    QLabel* lblWybrane() const { return lblWybrane_; }
    int wojId() const;
    QString wojNazwa() const;

private:
    void follow();

    DataSource* dsWoj_;
    DataSourceLink* link_;
    DataGrid* grdWoj_;
    QLabel* lblWybrane_;
};
