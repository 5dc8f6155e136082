#include "forms/ui/TbcDictItem.h"

#include "platform/ui/FocusFirstInput.h"

#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/FieldBinding.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TbcDictItem::TbcDictItem(Query* dataSet, QWidget* parent) : QDialog(parent), dsMain(new DataSource(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pozycja słownika"));
    dsMain->setDataSet(dataSet);

    form_ = new QFormLayout;
    btnZapisz_ = new QPushButton(QStringLiteral("&Zapisz"), this);
    btnAnuluj_ = new QPushButton(QStringLiteral("&Anuluj"), this);
    btnZapisz_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnZapisz_);
    buttons->addWidget(btnAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btnZapisz_, &QPushButton::clicked, this, &TbcDictItem::save);
    connect(btnAnuluj_, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TbcDictItem::addEdit(const QString& caption, const QString& fieldName) {
    auto* edit = new QLineEdit(this);
    form_->addRow(caption, edit);
    FieldBinding::bind(edit, *dsMain, fieldName);
    return edit;
}

QPlainTextEdit* TbcDictItem::addMemo(const QString& caption, const QString& fieldName) {
    auto* memo = new QPlainTextEdit(this);
    form_->addRow(caption, memo);
    FieldBinding::bind(memo, *dsMain, fieldName);
    return memo;
}

void TbcDictItem::save() {
    if (!FieldBinding::commitAll(this))
        return;
    if (!RunDataCommand([this] { PostIfEditing(*dsMain); }))
        return;
    accept();
}

void TbcDictItem::done(int result) {
    if (result != QDialog::Accepted)
        RunDataCommand([this] { CancelIfEditing(*dsMain); });
    QDialog::done(result);
}

void TbcDictItem::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The record opens ready for typing in its first field, not on a button.
    if (!focusPlaced_)
        focusPlaced_ = FocusFirstInput(this);
}
