#pragma once

#include "dict/ui/TDictWindow.h"

// Picks the differentiating coefficient of a water intake among those of its type of intake (active
// rows only); the caller reads the current row of the module's query after a confirmation.
class TWspRoznPwLW : public TDictWindow {
    Q_OBJECT
public:
    explicit TWspRoznPwLW(TdmfDict& dict, QWidget* parent = nullptr);
    // Lists the coefficients of this type of intake only (`wrpw_tuw_id`).
    void setTypUjecia(int tuwId);

protected:
    void showing() override;

private:
    int tuwId_ = 0;
};
