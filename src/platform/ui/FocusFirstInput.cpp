#include "platform/ui/FocusFirstInput.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool IsInput(const QWidget* w) {
    if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
        return false;
    if (qobject_cast<const QAbstractButton*>(w))
        return false;
    if (const auto* line = qobject_cast<const QLineEdit*>(w))
        return !line->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(w))
        return !text->isReadOnly();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
        return !spin->isReadOnly();
    return qobject_cast<const QComboBox*>(w) != nullptr;
}

} // namespace

bool FocusFirstInput(QWidget* window) {
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (window->isAncestorOf(w) && IsInput(w)) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}
