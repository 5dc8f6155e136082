#pragma once

#include "entities/ui/TbcPozwolenia.h"
#include "forms/ui/TbcDictItem.h"

class DateFieldEdit;
class QComboBox;
class QLineEdit;

// The edit window of one act, on the row that its register has put into insert or edit state:
// number, date of issue, issuing authority and the period of validity; a waste permit also its kind.
class TbcPozwolenie : public TbcDictItem {
    Q_OBJECT
public:
    PermitFamily family() const { return family_; }

    QLineEdit* edtNumer() const { return edtNumer_; }
    DateFieldEdit* edtDataWyd() const { return edtDataWyd_; }
    QLineEdit* edtOrganWyd() const { return edtOrganWyd_; }
    DateFieldEdit* edtTermObow0() const { return edtTermObow0_; }
    DateFieldEdit* edtTermObow1() const { return edtTermObow1_; }
    // The kind of a waste permit (active kinds above 100); null in the other families.
    QComboBox* cbxRodzaj() const { return cbxRodzaj_; }

protected:
    TbcPozwolenie(PermitFamily family, Query* acts, QWidget* parent);

private:
    void addKindList();
    void showKind();
    void kindChosen(int index);

    PermitFamily family_;
    QLineEdit* edtNumer_;
    DateFieldEdit* edtDataWyd_;
    QLineEdit* edtOrganWyd_;
    DateFieldEdit* edtTermObow0_;
    DateFieldEdit* edtTermObow1_;
    QComboBox* cbxRodzaj_ = nullptr;
    bool showingKind_ = false;
};

class TPozWp : public TbcPozwolenie {
    Q_OBJECT
public:
    explicit TPozWp(Query* acts, QWidget* parent = nullptr);
};

class TPozwGp : public TbcPozwolenie {
    Q_OBJECT
public:
    explicit TPozwGp(Query* acts, QWidget* parent = nullptr);
};

class TDecOdpd : public TbcPozwolenie {
    Q_OBJECT
public:
    explicit TDecOdpd(Query* acts, QWidget* parent = nullptr);
};

class TZezwOdpd : public TbcPozwolenie {
    Q_OBJECT
public:
    explicit TZezwOdpd(Query* acts, QWidget* parent = nullptr);
};

// The family's edit window on its register's list (it frees itself when closed).
TbcPozwolenie* CreatePozwolenie(PermitFamily family, Query* acts, QWidget* parent = nullptr);
