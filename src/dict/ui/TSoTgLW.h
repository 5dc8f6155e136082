#pragma once

#include "dict/ui/TDictWindow.h"

// Picks a substance of the gas and dust rates of one rate year (active rows only). Closing hides the
// window so that the caller can read the current row of the module's query.
class TSoTgLW : public TDictWindow {
    Q_OBJECT
public:
    explicit TSoTgLW(TdmfDict& dict, QWidget* parent = nullptr);
    // The rate year whose rates are listed (the statement's); the module keeps it for later openings.
    void setYear(int rokId);
};
