#include "forms/ui/TbcKsiegaPozycja.h"

#include "platform/ui/FocusFirstInput.h"

#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TbcKsiegaPozycja::TbcKsiegaPozycja(QWidget* parent)
    : QDialog(parent), dsMain(new DataSource(this)), content_(new QVBoxLayout),
      btnZapisz_(new QPushButton(QStringLiteral("&Zapisz"), this)),
      btnAnuluj_(new QPushButton(QStringLiteral("&Anuluj"), this)) {
    setObjectName(QStringLiteral("TbcKsiegaPozycja"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pozycja księgi"));
    btnZapisz_->setObjectName(QStringLiteral("btnZapisz"));
    btnAnuluj_->setObjectName(QStringLiteral("btnAnuluj"));
    btnZapisz_->setToolTip(QStringLiteral("Zapisz zmiany i zamknij formularz"));
    btnAnuluj_->setToolTip(QStringLiteral("Zamknij formularz bez zapisu zmian"));
    btnZapisz_->setDefault(true);
    connect(btnZapisz_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnAnuluj_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnZapisz_);
    buttons->addWidget(btnAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content_, 1);
    layout->addLayout(buttons);
}

void TbcKsiegaPozycja::BindEntry(QObject* dataModule, Query* dataSet) {
    dataModule_ = dataModule;
    dsMain->setDataSet(dataSet);
}

void TbcKsiegaPozycja::done(int result) {
    if (result == QDialog::Accepted) {
        if (!FieldBinding::commitAll(this))
            return;
        if (!RunDataCommand([this] { PostIfEditing(*dsMain); }))
            return;
    }
    if (!RunDataCommand([this] { CancelIfEditing(*dsMain); }))
        return;
    QDialog::done(result);
}

void TbcKsiegaPozycja::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The record opens ready for typing in its first field, not on a button.
    if (!focusPlaced_)
        focusPlaced_ = FocusFirstInput(this);
}
