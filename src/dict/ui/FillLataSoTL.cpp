#include "dict/ui/FillLataSoTL.h"

#include "dict/RateLookups.h"
#include "forms/ui/FillIdNameCombo.h"

#include <QComboBox>

void FillLataSoTL(QComboBox* combo, int selectRokId) {
    const QList<TIdName> years = LataSoTL();
    combo->blockSignals(true);
    combo->clear();
    for (const TIdName& year : years)
        combo->addItem(year.name, QVariant::fromValue(TScIdName(year.id, year.name)));
    combo->setCurrentIndex(-1);
    combo->blockSignals(false);
    for (int i = 0; i < combo->count(); ++i)
        if (ComboItem(combo, i).id == selectRokId) {
            combo->setCurrentIndex(i);
            break;
        }
}
