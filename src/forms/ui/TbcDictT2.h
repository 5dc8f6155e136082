#pragma once

#include "forms/ui/TbcDictBrowser.h"

#include <QStringList>

// Larger records in a read-only grid that selects whole rows; a row is added or changed in a
// separate modal dialog (the concrete window's `actDodajExecute` / `actPoprawExecute`, typically: start
// an insert or edit on the list's data set, then open its TbcDictItem). A double click runs "&Popraw".
// The window closes without saving anything pending.
class TbcDictT2 : public TbcDictBrowser {
    Q_OBJECT
public:
    explicit TbcDictT2(QWidget* parent = nullptr);

    // The key column; PreselectId: the key of the row made current when the window opens (0: none).
    QString KeyField;
    int PreselectId = 0;
    // Columns whose cells are centred (letter case ignored).
    QStringList CenteredFields;

    // Makes the row with the key current; false when it did not (no key, no key column, closed data
    // set, no such row).
    virtual bool LocateId(int id);

protected:
    void showing() override;
    bool postsActiveToggle() const override { return true; }
    QString refreshKeyField() const override { return KeyField; }
    // After the edit dialog saved a row: the list is read again (the row takes its place in the
    // list's order) and stays on that row.
    void refreshOnSavedRow();
    void onGridDoubleClicked() override;
    void actDodajExecute() override {}
    void actPoprawExecute() override {}
};
