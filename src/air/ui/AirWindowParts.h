#pragma once

#include <QString>

class DataGrid;
class ListCommands;
class Query;
class QAction;
class QWidget;

// Small pieces shared by the air windows.
namespace AirWindowParts {

// A fee list without commands that add, correct or delete rows: those commands are hidden (and with
// them their shortcuts).
void HideRowCommands(ListCommands& commands);

// "Przelicz z [l] do [Mg]" (Ctrl+J) in the toolbar of a fee list and on the context menu of its
// quantity column: opens the converter on the quantity field of the list's current row.
QAction* AddConverterCommand(ListCommands& commands, QWidget* scope, DataGrid* grid, Query* list,
                             const QString& quantityField);

// Asks for a place with the location picker and writes it into the current row of a list of places
// (already put into insert or edit); false when the user gave up.
bool PickPlace(Query& places, const QString& communeField, const QString& addressField, QWidget* parent);

} // namespace AirWindowParts
