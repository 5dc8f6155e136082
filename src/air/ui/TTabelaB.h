#pragma once

#include "forms/ui/TbclDlgMD_T1.h"

class QAction;
class QLineEdit;
class TdmfZestAir;

// Table B, reloading of motor petrol: the statement's places with their fee rows, one per operation
// of the rate year. A place is added and corrected through the location picker; in the fee rows
// only the quantity and the efficiency are typed.
class TTabelaB : public TbclDlgMD_T1 {
    Q_OBJECT
public:
    explicit TTabelaB(TdmfZestAir& air, QWidget* parent = nullptr);

    static void Pokaz(TdmfZestAir& air, QWidget* parent);

    QAction* actPrzeliczL2Mg() const { return actPrzeliczL2Mg_; }
    QLineEdit* edtKwotaOgolem() const { return edtKwota_; }

protected:
    void actMDodajExecute() override;
    void actMPoprawExecute() override;

private:
    TdmfZestAir& air_;
    QAction* actPrzeliczL2Mg_;
    QLineEdit* edtKwota_;
};
