#include "forms/ui/TbcDialogT1.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

TbcDialogT1::TbcDialogT1(QWidget* parent)
    : QDialog(parent), content_(new QVBoxLayout), btnOK_(new QPushButton(QStringLiteral("OK"), this)),
      btnAnuluj_(new QPushButton(QStringLiteral("Anuluj"), this)) {
    setWindowTitle(QStringLiteral("Dialog ..."));
    btnOK_->setDefault(true);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnAnuluj_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content_, 1);
    layout->addLayout(buttons);
}

void TbcDialogT1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    // Centred on the main window: the top-level main window of the program, else the parent.
    QWidget* main = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible() && !w->parentWidget()) {
            main = w;
            break;
        }
    if (!main)
        main = parentWidget() ? parentWidget()->window() : nullptr;
    if (main && main != this) {
        QRect frame = frameGeometry();
        frame.moveCenter(main->frameGeometry().center());
        // Never partly off the screen, even when the dialog is wider than the main window.
        if (const QScreen* screen = main->screen()) {
            const QRect available = screen->availableGeometry();
            frame.moveLeft(std::clamp(frame.left(), available.left(),
                                      std::max(available.left(), available.right() - frame.width() + 1)));
            frame.moveTop(std::clamp(frame.top(), available.top(),
                                     std::max(available.top(), available.bottom() - frame.height() + 1)));
        }
        move(frame.topLeft());
    }
}
