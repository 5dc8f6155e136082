#pragma once

#include "forms/DataHelpers.h"
#include "platform/ui/IdComboBinding.h"

class QComboBox;

// Fills a drop-down list from a query (opened when closed): one item per row, its text the name field,
// a TScIdName attached; the query is closed afterwards. Selects the first item with the given id; when
// none has it, nothing is selected.
void FillIdNameCombo(QComboBox* combo, Query& query, const QString& idField, int idToSelect,
                     const QString& nameField);
