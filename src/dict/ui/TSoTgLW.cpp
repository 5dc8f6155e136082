#include "dict/ui/TSoTgLW.h"

#include "dict/TdmfDict.h"

TSoTgLW::TSoTgLW(TdmfDict& dict, QWidget* parent)
    : TDictWindow(*FindDictWindowDef(QStringLiteral("TSoTG")), dict, parent) {
    setObjectName(QStringLiteral("TSoTgLW"));
    setWindowTitle(QStringLiteral("Wybierz substancję ..."));
    setPickerMode(true);
}

void TSoTgLW::setYear(int rokId) {
    dict().setSoTgYear(rokId);
}
