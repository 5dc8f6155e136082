#include "platform/ui/DateFieldEdit.h"

#include "platform/ui/DataCommand.h"

#include <QCalendarWidget>
#include <QKeyEvent>

namespace {

// The lowest date of the edit stands for "no date"; no real date of this program is that old.
const QDate kNoDate(1800, 1, 1);

bool IsClearKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier;
}

} // namespace

DateFieldEdit::DateFieldEdit(DataSource& source, const QString& fieldName, QWidget* parent)
    : QDateEdit(parent), link_(source), fieldName_(fieldName) {
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setDateRange(kNoDate, QDate(9999, 12, 31));
    // The text shown for the lowest date: a blank, as an empty field.
    setSpecialValueText(QStringLiteral(" "));
    setCalendarPopup(true);
    // The calendar of an empty date opens on the current month rather than on the stand-in date.
    calendarWidget()->installEventFilter(this);

    connect(&link_, &DataSourceLink::dataSetChanged, this, &DateFieldEdit::refresh);
    connect(&link_, &DataSourceLink::currentChanged, this, &DateFieldEdit::refresh);
    connect(&link_, &DataSourceLink::recordChanged, this, &DateFieldEdit::refresh);
    connect(&link_, &DataSourceLink::stateChanged, this, &DateFieldEdit::refresh);
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!showing_)
            write();
    });
    refresh();
}

Field* DateFieldEdit::field() const {
    Query* q = link_.activeDataSet();
    return q && q->recNo() >= 0 ? q->findField(fieldName_) : nullptr;
}

void DateFieldEdit::refresh() {
    const Field* f = field();
    const QDate shown = f && !f->isNull() ? f->asDate() : kNoDate;
    showing_ = true;
    if (date() != shown)
        setDate(shown.isValid() ? shown : kNoDate);
    showing_ = false;
    setReadOnly(!f || f->isReadOnly() || f->isCalculated());
}

void DateFieldEdit::write() {
    Field* f = field();
    if (!f || f->isReadOnly() || f->isCalculated()) {
        refresh();
        return;
    }
    Query& q = f->dataSet();
    const QVariant value = isEmpty() ? QVariant() : QVariant(date());
    const bool ok = RunDataCommand([&] {
        const bool same = value.isNull() ? f->isNull() : (!f->isNull() && f->asDate() == date());
        if (same)
            return;
        if (!q.isEditing())
            q.edit();
        f->setValue(value);
    });
    if (!ok)
        refresh();
}

bool DateFieldEdit::clearDate() {
    if (isReadOnly())
        return false;
    setDate(kNoDate);
    const Field* f = field();
    return f && f->isNull();
}

bool DateFieldEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsClearKey(event)) {
        // Ctrl+E belongs to the edit while it has the focus.
        event->accept();
        return true;
    }
    return QDateEdit::event(event);
}

void DateFieldEdit::keyPressEvent(QKeyEvent* event) {
    if (IsClearKey(event)) {
        clearDate();
        event->accept();
        return;
    }
    // Typing into an empty date starts from today rather than from the stand-in date.
    if (isEmpty() && !isReadOnly() && !event->text().isEmpty() && event->text().at(0).isPrint())
        setDate(QDate::currentDate());
    QDateEdit::keyPressEvent(event);
}

bool DateFieldEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == calendarWidget() && event->type() == QEvent::Show && isEmpty()) {
        const QDate today = QDate::currentDate();
        calendarWidget()->setCurrentPage(today.year(), today.month());
    }
    return QDateEdit::eventFilter(watched, event);
}
