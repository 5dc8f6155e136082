#include "forms/ui/TbcDialogT1.h"

#include "platform/ui/CentreOnMainWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

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
    CentreOnMainWindow(this);
}
