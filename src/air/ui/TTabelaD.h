#pragma once

#include "forms/ui/TbclDlgMD_T1.h"

class QAction;
class TdmfZestAir;

// Table D, engines: the engine types, and below the statement's fee rows of the current engine type,
// one per fuel; only the consumption is typed.
class TTabelaD : public TbclDlgMD_T1 {
    Q_OBJECT
public:
    explicit TTabelaD(TdmfZestAir& air, QWidget* parent = nullptr);

    // Prepares the fee rows of the current statement and shows the window modally.
    static void Pokaz(TdmfZestAir& air, QWidget* parent);

    QAction* actPrzeliczL2Mg() const { return actPrzeliczL2Mg_; }

    void BindDataSets(QObject* dataModule, Query* master, Query* detail) override;

private:
    TdmfZestAir& air_;
    QAction* actPrzeliczL2Mg_;
};
