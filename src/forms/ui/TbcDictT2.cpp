#include "forms/ui/TbcDictT2.h"

#include <QAction>

TbcDictT2::TbcDictT2(QWidget* parent) : TbcDictBrowser(parent) {
    actPopraw->setToolTip(QStringLiteral("Popraw"));
    actPopraw->setStatusTip(QStringLiteral("Popraw"));
    grid()->setInPlaceEditing(false);
}

bool TbcDictT2::LocateId(int id) {
    Query* q = dsMain->dataSet();
    if (id == 0 || KeyField.trimmed().isEmpty() || !q || !q->isActive())
        return false;
    return q->locate(KeyField.trimmed(), id);
}

void TbcDictT2::showing() {
    if (!dsMain->dataSet())
        return;
    SetActiveFilter(*dsMain, effectiveFilterMode());
    DataGrid* g = grid();
    g->centerTitles();
    for (int c = 0; c < g->gridModel().columnCount(); ++c)
        if (CenteredFields.contains(g->columnField(c), Qt::CaseInsensitive))
            g->setColumnCentered(c, true);
    OpenIfClosed(*dsMain);
    g->fitColumns();
    g->SortByColumn(0, false);
    setSearchColumn(0);
    if (!LocateId(PreselectId))
        dsMain->dataSet()->first();
}

void TbcDictT2::refreshOnSavedRow() {
    Query* q = dsMain->dataSet();
    if (!q || !q->isActive() || q->isEditing() || q->recNo() < 0)
        return;
    runCommand([this] { RefreshKeepKey(*dsMain, KeyField.trimmed()); }, false);
}

void TbcDictT2::onGridDoubleClicked() {
    if (isPickerMode()) {
        TbcDictBrowser::onGridDoubleClicked();
        return;
    }
    if (actPopraw->isEnabled())
        actPopraw->trigger();
}
