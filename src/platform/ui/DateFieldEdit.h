#pragma once

#include "platform/ui/DataSourceLink.h"

#include <QDateEdit>

// A date edit bound to a date or timestamp field, shown as dd.MM.yyyy with a calendar, that may be
// empty: an empty field shows no text, and Ctrl+E empties the date. A date the user sets is written
// at once (a timestamp at midnight), putting the data set into edit state. Read-only while there is
// no row or the field is read-only.
class DateFieldEdit : public QDateEdit {
    Q_OBJECT
public:
    DateFieldEdit(DataSource& source, const QString& fieldName, QWidget* parent = nullptr);

    const QString& fieldName() const { return fieldName_; }
    bool isEmpty() const { return date() == minimumDate(); }
    // Empties the date (and the field); false when the data set refused it.
    bool clearDate();
    // Shows the field of the current row again.
    void refresh();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void write();
    Field* field() const;

    DataSourceLink link_;
    QString fieldName_;
    bool showing_ = false;
};
