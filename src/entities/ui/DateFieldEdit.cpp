#include "entities/ui/DateFieldEdit.h"

#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"

#include <QKeyEvent>

namespace {

// The lowest date of the box stands for "no date"; it shows as a blank.
const QDate kNoDate(1900, 1, 1);

} // namespace

DateFieldEdit::DateFieldEdit(DataSource& source, const QString& fieldName, QWidget* parent)
    : QDateEdit(parent), link_(source), fieldName_(fieldName) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setMinimumDate(kNoDate);
    setSpecialValueText(QStringLiteral(" "));
    connect(&link_, &DataSourceLink::dataSetChanged, this, &DateFieldEdit::refresh);
    connect(&link_, &DataSourceLink::currentChanged, this, &DateFieldEdit::refresh);
    connect(&link_, &DataSourceLink::stateChanged, this, &DateFieldEdit::refresh);
    connect(&link_, &DataSourceLink::recordChanged, this, &DateFieldEdit::refresh);
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!showing_)
            write();
    });
    refresh();
}

bool DateFieldEdit::isEmpty() const {
    return date() == kNoDate;
}

Field* DateFieldEdit::field() const {
    Query* q = link_.activeDataSet();
    return q && q->recNo() >= 0 ? q->findField(fieldName_) : nullptr;
}

void DateFieldEdit::refresh() {
    const Field* f = field();
    QDate shown = kNoDate;
    if (f && !f->isNull())
        shown = f->asDate();
    showing_ = true;
    setDate(shown.isValid() ? shown : kNoDate);
    showing_ = false;
    setReadOnly(!f || f->isReadOnly() || f->isCalculated());
}

void DateFieldEdit::write() {
    Query* q = link_.activeDataSet();
    Field* f = field();
    if (!q || !f || f->isReadOnly() || f->isCalculated())
        return;
    const QVariant value = isEmpty() ? QVariant() : QVariant(date());
    const bool ok = RunDataCommand([&] {
        const QDate old = f->isNull() ? QDate() : f->asDate();
        if (old == value.toDate() && f->isNull() == value.isNull())
            return;
        if (!q->isEditing())
            q->edit();
        f->setValue(value);
    });
    if (!ok)
        refresh();
}

void DateFieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Delete) ||
        (event->key() == Qt::Key_E && event->modifiers() == Qt::ControlModifier)) {
        if (!isReadOnly())
            setDate(kNoDate);
        event->accept();
        return;
    }
    // Typing into an empty box starts from today rather than from the blank's placeholder date.
    if (isEmpty() && !isReadOnly() && !event->text().isEmpty() && event->text().at(0).isPrint())
        setDate(QDate::currentDate());
    QDateEdit::keyPressEvent(event);
}

void DateFieldEdit::mousePressEvent(QMouseEvent* event) {
    // The calendar of an empty box opens on today (and the box then shows what it will hold).
    if (isEmpty() && !isReadOnly())
        setDate(QDate::currentDate());
    QDateEdit::mousePressEvent(event);
}
