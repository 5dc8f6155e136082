#include "platform/ui/DateFieldEdit.h"

#include "platform/Messages.h"
#include "platform/ui/DataCommand.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QValidator>

namespace {

// The lowest date of the edit stands for "no date"; no real date of this program is that old.
const QDate kNoDate(1800, 1, 1);

bool IsClearKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier;
}

bool IsSeparator(QChar c) {
    return c == u'.' || c == u',' || c == u'-' || c == u'/';
}

// What may stand in the field while a date is being typed: "d", "dd.", "dd.m", "dd.mm.rr", ... or
// up to eight digits without separators.
bool IsTypedPrefix(const QString& text) {
    static const QRegularExpression re(QStringLiteral(R"(^(\d{1,2}(\.(\d{1,2}(\.\d{0,4})?)?)?|\d{0,8})$)"));
    return re.match(text).hasMatch();
}

// A typed date that is complete: "d.m.rrrr" with one or two digits for day and month, or "ddmmrrrr".
QRegularExpressionMatch MatchTypedDate(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral(R"(^(\d{1,2})\.(\d{1,2})\.(\d{4})$|^(\d{2})(\d{2})(\d{4})$)"));
    return re.match(text);
}

QDate TypedDate(const QRegularExpressionMatch& m) {
    const int first = m.capturedLength(1) > 0 ? 1 : 4;
    return QDate(m.captured(first + 2).toInt(), m.captured(first + 1).toInt(), m.captured(first).toInt());
}

QString RangeMessage() {
    return QStringLiteral("Data musi być z zakresu od %1 do %2.")
        .arg(DateFieldEdit::earliestDate().toString(QStringLiteral("dd.MM.yyyy")),
             DateFieldEdit::latestDate().toString(QStringLiteral("dd.MM.yyyy")));
}

} // namespace

DateFieldEdit::DateFieldEdit(DataSource& source, const QString& fieldName, QWidget* parent)
    : QDateEdit(parent), link_(source), fieldName_(fieldName) {
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setDateRange(kNoDate, latestDate());
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
    if (!isEmpty() && date() < earliestDate()) {
        AppMessages().error(RangeMessage());
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
        cancelTyped();
        clearDate();
        event->accept();
        return;
    }
    if (typeKey(event)) {
        event->accept();
        return;
    }
    // Stepping an empty date starts from today rather than from the stand-in date.
    const int key = event->key();
    if (isEmpty() && !isReadOnly() &&
        (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        setDate(QDate::currentDate());
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

// Handles a key of a date being typed; false for keys that the edit handles as usual.
bool DateFieldEdit::typeKey(QKeyEvent* event) {
    if (isReadOnly())
        return false;
    const QString text = event->text();
    const QChar c = text.size() == 1 ? text.at(0) : QChar();
    const bool modified =
        event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool digit = c >= u'0' && c <= u'9';
    if (!modified && (digit || IsSeparator(c))) {
        if (!typing_) {
            // The first character replaces the whole date, wherever the cursor stands.
            typing_ = true;
            typed_.clear();
        }
        const QString candidate = typed_ + (digit ? c : QChar(u'.'));
        if (IsTypedPrefix(candidate)) {
            typed_ = candidate;
            showTyped();
            if (MatchTypedDate(typed_).hasMatch())
                acceptTyped();
        }
        return true;
    }
    if (!typing_)
        return false;
    switch (event->key()) {
    case Qt::Key_Backspace:
        typed_.chop(1);
        showTyped();
        return true;
    case Qt::Key_Escape:
        cancelTyped();
        return true;
    case Qt::Key_Enter:
    case Qt::Key_Return:
        // A refused date keeps the Enter from reaching the dialog's default button.
        return !acceptTyped();
    default:
        if (!modified && c.isPrint())
            return true; // letters have no place in a date
        acceptTyped();
        return false;
    }
}

// Shows a text in the edit as it is: the spin box would reinterpret (and "correct") a partial date at
// every change, through its signals and its validator; it sees the date when it is complete.
void DateFieldEdit::showText(const QString& text) {
    QLineEdit* line = lineEdit();
    const QSignalBlocker blocker(line);
    const QValidator* validator = line->validator();
    line->setValidator(nullptr);
    line->setText(text);
    line->setCursorPosition(int(text.size()));
    line->setValidator(validator);
}

void DateFieldEdit::showTyped() {
    showText(typed_);
}

void DateFieldEdit::cancelTyped() {
    if (!typing_)
        return;
    typing_ = false;
    typed_.clear();
    showText(isEmpty() ? specialValueText() : textFromDateTime(dateTime()));
}

bool DateFieldEdit::acceptTyped() {
    if (!typing_)
        return true;
    const QString typed = typed_;
    cancelTyped();
    if (typed.isEmpty())
        return true;
    const QRegularExpressionMatch m = MatchTypedDate(typed);
    QString problem;
    QDate d;
    if (!m.hasMatch()) {
        problem =
            QStringLiteral("„%1” nie jest pełną datą. Datę wpisuje się w postaci dd.mm.rrrr.").arg(typed);
    } else {
        d = TypedDate(m);
        if (!d.isValid())
            problem = QStringLiteral("Data „%1” nie istnieje.").arg(typed);
        else if (d < earliestDate() || d > latestDate())
            problem = RangeMessage();
    }
    if (!problem.isEmpty()) {
        AppMessages().error(problem);
        refresh();
        return false;
    }
    setDate(d);
    return true;
}

void DateFieldEdit::focusOutEvent(QFocusEvent* event) {
    acceptTyped();
    QDateEdit::focusOutEvent(event);
}

void DateFieldEdit::mousePressEvent(QMouseEvent* event) {
    acceptTyped();
    QDateEdit::mousePressEvent(event);
}

bool DateFieldEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == calendarWidget() && event->type() == QEvent::Show) {
        // The stand-in date for "no date" is not a date to pick.
        calendarWidget()->setMinimumDate(earliestDate());
        if (isEmpty()) {
            const QDate today = QDate::currentDate();
            calendarWidget()->setCurrentPage(today.year(), today.month());
        }
    }
    return QDateEdit::eventFilter(watched, event);
}
