#pragma once

#include "platform/IdName.h"
#include "platform/ui/DataSourceLink.h"

#include <QObject>
#include <QPointer>

class QComboBox;

// Binds a pick list of id/name items (each with a TScIdName attached) to a key field of a data
// source and the field that shows the key's name: the list shows the item of the current row's key
// and writes the key and name of the item the user picks (putting the data set into edit state).
// Ctrl+E empties both fields. A key that is not among the items (a withdrawn dictionary row) is
// shown by its name with no item selected. Disabled while there is no row, while the key field is
// read-only, or while locked by the window. The binding belongs to the list.
class IdComboBinding : public QObject {
    Q_OBJECT
public:
    static IdComboBinding* bind(QComboBox* combo, DataSource& source, const QString& idField,
                                const QString& nameField);

    // Keeps the user from changing the value (the list is disabled).
    void setLocked(bool locked);
    bool isLocked() const { return locked_; }

    // Shows the current row's value again.
    void refresh();
    // Empties the key and its name; false when the data set refused it.
    bool clearValue();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    IdComboBinding(QComboBox* combo, DataSource& source, const QString& idField, const QString& nameField);
    void pick(int index);
    bool hasRow() const;

    QPointer<QComboBox> combo_;
    DataSourceLink link_;
    QString idField_;
    QString nameField_;
    bool locked_ = false;
};

// The TScIdName attached to an item of a pick list (empty when none).
TScIdName ComboItem(const QComboBox* combo, int index);
