#include "platform/ui/QtMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QWidget* Parent() {
    return QApplication::activeWindow();
}

void Show(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, Parent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

} // namespace

bool QtMessages::question(const QString& text) {
    QMessageBox box(QMessageBox::Question, questionCaption(), text, QMessageBox::Yes | QMessageBox::No,
                    Parent());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtMessages::error(const QString& text, const QString& caption) {
    Show(QMessageBox::Critical, caption.isEmpty() ? errorCaption() : caption, text);
}

void QtMessages::warning(const QString& text) {
    Show(QMessageBox::Warning, warningCaption(), text);
}

void QtMessages::information(const QString& text) {
    Show(QMessageBox::Information, informationCaption(), text);
}
