#pragma once

#include "forms/ui/TbcDlgMD_T2.h"

class QLineEdit;
class TdmfZestOdpady;

// "Odpady składowe odpadu składowanego nieselektywnie": one mixed waste, shown read-only, and its
// components, whose masses are typed in the grid. "&Dodaj" picks the component's waste type in the
// statement's rate year. Every saved or deleted component gives the mixed waste the total mass and the
// highest unit rate of its components.
class TOdpadySkladowe : public TbcDlgMD_T2 {
    Q_OBJECT
public:
    explicit TOdpadySkladowe(TdmfZestOdpady& odpady, QWidget* parent = nullptr);

    using TbcDlgMD_T2::BindDataSets;
    // Binds the module's mixed waste and its components, read afresh.
    void BindDataSets(TdmfZestOdpady& odpady);

    // Opens the dialog modally on the current mixed waste of the module.
    static void Pokaz(TdmfZestOdpady& odpady, QWidget* parent);

    QLineEdit* edtKod() const { return edtKod_; }
    QLineEdit* edtRodzaj() const { return edtRodzaj_; }
    QLineEdit* edtMasa() const { return edtMasa_; }
    QLineEdit* edtJednStOpl() const { return edtJednStOpl_; }

protected:
    void actDDodajExecute() override;

private:
    TdmfZestOdpady& odpady_;
    QLineEdit* edtKod_;
    QLineEdit* edtRodzaj_;
    QLineEdit* edtMasa_;
    QLineEdit* edtJednStOpl_;
};
