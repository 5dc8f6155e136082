#pragma once

#include "forms/ui/TbcDictT1.h"

#include <vector>

class Query;
class TdmfDict;

// What one dictionary window shows: its class name and caption, the module's query, the table's
// column prefix (for the active flag and the key), its grid columns and an optional multi-line edit of
// a long text under the grid.
struct DictWindowDef {
    struct Column {
        const char* field;
        bool readOnly = false;
        const char* title = nullptr; // the field's label when not given
    };
    const char* className;
    const char* caption;
    Query* (TdmfDict::*query)() const;
    const char* prefix;
    std::vector<Column> columns;
    const char* memoCaption = nullptr;
    const char* memoField = nullptr;
};

// The dictionary windows of the settings menu, in menu order.
const std::vector<DictWindowDef>& DictWindowDefs();
const DictWindowDef* FindDictWindowDef(const QString& className);

// A dictionary window edited in place in its grid, showing active and withdrawn rows.
class TDictWindow : public TbcDictT1 {
    Q_OBJECT
public:
    TDictWindow(const DictWindowDef& def, TdmfDict& dict, QWidget* parent = nullptr);

    TdmfDict& dict() const { return dict_; }

protected:
    void showing() override;

private:
    TdmfDict& dict_;
};

// The window of the class on the program's dictionaries module; nullptr for another class name.
TDictWindow* CreateDictWindow(const QString& className, TdmfDict& dict);
