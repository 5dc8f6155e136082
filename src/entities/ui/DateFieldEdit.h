#pragma once

#include "platform/ui/DataSourceLink.h"

#include <QDateEdit>

// A date picker bound to a date field of a data source: shows the field's date in the current row and
// writes the date the user picks back at once (putting the data set into edit state). A field without
// a date shows an empty box; the calendar then opens on today. Ctrl+E empties the date again.
// Read-only while the field is or there is no row.
class DateFieldEdit : public QDateEdit {
    Q_OBJECT
public:
    DateFieldEdit(DataSource& source, const QString& fieldName, QWidget* parent = nullptr);

    const QString& fieldName() const { return fieldName_; }
    // Whether the box shows no date.
    bool isEmpty() const;
    // Shows the field's date of the current row again.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void write();
    Field* field() const;

    DataSourceLink link_;
    QString fieldName_;
    bool showing_ = false;
};
