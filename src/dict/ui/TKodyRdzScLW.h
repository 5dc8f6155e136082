#pragma once

#include "dict/ui/TDictWindow.h"

// Picks a code of a kind of sewage (active codes only); the caller reads the current row of the
// module's query after a confirmation.
class TKodyRdzScLW : public TDictWindow {
    Q_OBJECT
public:
    explicit TKodyRdzScLW(TdmfDict& dict, QWidget* parent = nullptr);
};
