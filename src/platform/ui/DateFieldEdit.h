#pragma once

#include "platform/ui/DataSourceLink.h"

#include <QDateEdit>

// A date edit bound to a date or timestamp field, shown as dd.MM.yyyy with a calendar, that may be
// empty: an empty field shows no text, and Ctrl+E empties the date. A date the user sets is written
// at once (a timestamp at midnight), putting the data set into edit state. Read-only while there is
// no row or the field is read-only.
//
// Typing replaces the whole date: the user types "dd.mm.rrrr" (dots included) wherever the cursor
// stands, and the date is taken when the year is complete, on Enter or when the focus leaves. The
// arrow keys and the calendar still change the date part by part. A date that does not exist or
// lies outside 1900-2100 is refused with a message and the field keeps its date.
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

    static QDate earliestDate() { return QDate(1900, 1, 1); }
    static QDate latestDate() { return QDate(2100, 12, 31); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void write();
    bool typeKey(QKeyEvent* event);
    void showText(const QString& text);
    void showTyped();
    // Takes the typed text as the date; false when it was refused (the field keeps its date).
    bool acceptTyped();
    void cancelTyped();
    Field* field() const;

    DataSourceLink link_;
    QString fieldName_;
    bool showing_ = false;
    bool typing_ = false;
    QString typed_;
};
