#pragma once

#include "forms/ui/TbcDlgMD_T2.h"

class QAction;
class QLineEdit;
class TdmfZestAir;

// One emission source with the substances it emits: the source's name and fee above, the substances
// below. "Dodaj" picks a substance of the statement's rate year; "Przelicz" brings every substance
// in line with the present rates and permit status.
class TZrWprSubstTaOpl : public TbcDlgMD_T2 {
    Q_OBJECT
public:
    explicit TZrWprSubstTaOpl(TdmfZestAir& air, QWidget* parent = nullptr);

    // Opens the window modally on the current source (inserted or not) of the module.
    static void Pokaz(TdmfZestAir& air, QWidget* parent);

    QAction* actPrzelicz() const { return actPrzelicz_; }

protected:
    void actDDodajExecute() override;
    void actDPoprawExecute() override;

private:
    void updatePrzelicz();

    TdmfZestAir& air_;
    QAction* actPrzelicz_;
};
