#include "dict/ui/TKodyRdzScLW.h"

TKodyRdzScLW::TKodyRdzScLW(TdmfDict& dict, QWidget* parent)
    : TDictWindow(*FindDictWindowDef(QStringLiteral("TKodyRdzSc")), dict, parent) {
    setObjectName(QStringLiteral("TKodyRdzScLW"));
    setWindowTitle(QStringLiteral("Wybierz kod rodzaju ścieku"));
    setPickerMode(true);
}
