#include "air/ui/AirWindowParts.h"

#include "air/ui/TPrzeliczL2Mg.h"
#include "dict/TrLokalizacja.h"
#include "dict/ui/TWybLokIAdr.h"
#include "forms/ui/ListCommands.h"
#include "platform/ui/DataGrid.h"
#include "statements/TdmfZest.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QToolBar>

namespace AirWindowParts {

void HideRowCommands(ListCommands& commands) {
    for (QAction* a : {commands.actDodaj, commands.actPopraw, commands.actAUUsun}) {
        a->setVisible(false);
        a->setShortcut(QKeySequence());
    }
}

QAction* AddConverterCommand(ListCommands& commands, QWidget* scope, DataGrid* grid, Query* list,
                             const QString& quantityField) {
    QAction* act = ListCommands::MakeAction(
        scope, QStringLiteral("actPrzeliczL2Mg"), QStringLiteral("Przelicz z [l] do [Mg]"),
        QStringLiteral("Przelicz z [l] do [Mg]"), QKeySequence(QStringLiteral("Ctrl+J")));
    QObject::connect(act, &QAction::triggered, scope, [&commands, scope, list, quantityField] {
        if (commands.commitEditors && !commands.commitEditors())
            return;
        TPrzeliczL2Mg::Przelicz(list, quantityField, scope->window());
        commands.updateActions();
    });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        grid, &QWidget::customContextMenuRequested, grid, [grid, act, quantityField](const QPoint& pos) {
            const QModelIndex index = grid->indexAt(pos);
            if (!index.isValid() ||
                grid->columnField(index.column()).compare(quantityField, Qt::CaseInsensitive) != 0)
                return;
            grid->setCurrentIndex(index);
            QMenu menu(grid);
            menu.addAction(act);
            menu.exec(grid->viewport()->mapToGlobal(pos));
        });
    return act;
}

bool PickPlace(Query& places, const QString& communeField, const QString& addressField, QWidget* parent) {
    TrLokalizacja location;
    TdmfZest::ReadLocation(places, communeField, addressField, location);
    if (!WybierzLokalizacjeIAdres(location, parent))
        return false;
    TdmfZest::WriteLocation(places, communeField, addressField, location);
    return true;
}

} // namespace AirWindowParts
