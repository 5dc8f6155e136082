#include "entities/ui/TPodmiotyLW.h"

#include <QPushButton>

TPodmiotyLW::TPodmiotyLW(QWidget* parent) : TPodmioty(parent) {
    setObjectName(QStringLiteral("TPodmiotyLW"));
    setWindowTitle(QStringLiteral("Wybierz podmiot "));
    FilterMode = FilterActive;
    btnWybierz()->setToolTip(QStringLiteral("Wybierz"));
    setPickerMode(true);
}

bool WybierzPodmiot(int currentPdmId, QWidget* parent,
                    const std::function<void(const Query& podmioty)>& onChosen) {
    TPodmiotyLW picker(parent);
    picker.PreselectId = currentPdmId;
    if (!picker.ExecPicker())
        return false;
    const Query* q = picker.dsMain->dataSet();
    if (!q || !q->isActive() || q->isEmpty())
        return false;
    if (onChosen)
        onChosen(*q);
    return true;
}
