#include "platform/ui/FieldBinding.h"

#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

FieldBinding::FieldBinding(QWidget* editor, DataSource& source, const QString& fieldName)
    : QObject(editor), editor_(editor), link_(source), fieldName_(fieldName) {
    connect(&link_, &DataSourceLink::dataSetChanged, this, &FieldBinding::refresh);
    connect(&link_, &DataSourceLink::currentChanged, this, &FieldBinding::refresh);
    // A value changed by a handler shows at once, unless the user is still typing here.
    const auto unlessTyping = [this] {
        if (!dirty_)
            refresh();
    };
    connect(&link_, &DataSourceLink::stateChanged, this, unlessTyping);
    connect(&link_, &DataSourceLink::recordChanged, this, unlessTyping);
}

FieldBinding* FieldBinding::bind(QLineEdit* edit, DataSource& source, const QString& fieldName) {
    auto* b = new FieldBinding(edit, source, fieldName);
    b->line_ = edit;
    connect(edit, &QLineEdit::textEdited, b, [b] { b->dirty_ = true; });
    connect(edit, &QLineEdit::editingFinished, b, &FieldBinding::commit);
    b->refresh();
    return b;
}

FieldBinding* FieldBinding::bind(QPlainTextEdit* edit, DataSource& source, const QString& fieldName) {
    auto* b = new FieldBinding(edit, source, fieldName);
    b->memo_ = edit;
    connect(edit, &QPlainTextEdit::textChanged, b, [b] {
        if (!b->showing_)
            b->dirty_ = true;
    });
    edit->installEventFilter(b);
    b->refresh();
    return b;
}

Field* FieldBinding::field() const {
    Query* q = link_.activeDataSet();
    return q ? q->findField(fieldName_) : nullptr;
}

QString FieldBinding::editorText() const {
    if (line_)
        return line_->text();
    return memo_ ? memo_->toPlainText() : QString();
}

void FieldBinding::setEditorText(const QString& text) {
    if (text == editorText())
        return;
    showing_ = true;
    if (line_) {
        line_->setText(text);
        // A field narrower than its text shows its beginning (the cursor would put the end in view).
        if (!line_->hasFocus())
            line_->setCursorPosition(0);
    } else if (memo_)
        memo_->setPlainText(text);
    showing_ = false;
}

void FieldBinding::setEditorReadOnly(bool readOnly) {
    if (line_)
        line_->setReadOnly(readOnly);
    else if (memo_)
        memo_->setReadOnly(readOnly);
}

void FieldBinding::refresh() {
    if (!editor_)
        return;
    dirty_ = false;
    const Query* q = link_.activeDataSet();
    const Field* f = field();
    const bool hasRow = q && f && q->recNo() >= 0;
    QString text;
    if (hasRow) {
        RunReportingLater([&] { text = f->text(); });
    }
    // Before the text: a new length limit sets the text again, with the cursor at its end.
    if (line_ && f && f->type() == FieldType::String && f->size() > 0 && line_->maxLength() != f->size())
        line_->setMaxLength(f->size());
    setEditorText(text);
    setEditorReadOnly(!hasRow || f->isReadOnly() || f->isCalculated());
}

bool FieldBinding::commit() {
    if (!dirty_ || !editor_)
        return true;
    Query* q = link_.activeDataSet();
    Field* f = field();
    if (!q || !f || q->recNo() < 0 || f->isReadOnly() || f->isCalculated()) {
        refresh();
        return true;
    }
    const QString text = editorText();
    const bool ok = RunDataCommand([&] {
        // Text left as shown changes nothing (nor cuts a value to the decimals shown).
        if (f->text() == text)
            return;
        if (!q->isEditing())
            q->edit();
        f->setText(text);
    });
    if (ok)
        refresh();
    return ok;
}

bool FieldBinding::commitAll(QWidget* root) {
    bool ok = true;
    if (!root)
        return ok;
    for (FieldBinding* b : root->findChildren<FieldBinding*>())
        ok = b->commit() && ok;
    return ok;
}

bool FieldBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::FocusOut)
        commit();
    return QObject::eventFilter(watched, event);
}
