#include "forms/ui/FillIdNameCombo.h"

#include <QComboBox>

void FillIdNameCombo(QComboBox* combo, Query& query, const QString& idField, int idToSelect,
                     const QString& nameField) {
    combo->blockSignals(true);
    combo->clear();
    OpenIfClosed(&query);
    const Field& id = query.fieldByName(idField);
    const Field& name = query.fieldByName(nameField);
    for (query.first(); !query.eof(); query.next())
        combo->addItem(name.asString(), QVariant::fromValue(TScIdName(int(id.asInteger()), name.asString())));
    query.close();
    combo->setCurrentIndex(-1);
    combo->blockSignals(false);
    for (int i = 0; i < combo->count(); ++i)
        if (ComboItem(combo, i).id == idToSelect) {
            combo->setCurrentIndex(i);
            break;
        }
}
