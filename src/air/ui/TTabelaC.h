#pragma once

#include "forms/ui/TbclDlgMD_T1D5.h"

class TdmfZestAir;

// Table C, boilers: the statement's places with their fee rows, one per boiler category of the rate
// year, on five tabs by kind of fuel; only the number of boilers and the consumption are typed.
class TTabelaC : public TbclDlgMD_T1D5 {
    Q_OBJECT
public:
    explicit TTabelaC(TdmfZestAir& air, QWidget* parent = nullptr);

    static void Pokaz(TdmfZestAir& air, QWidget* parent);

protected:
    void actMDodajExecute() override;
    void actMPoprawExecute() override;

private:
    TdmfZestAir& air_;
};
