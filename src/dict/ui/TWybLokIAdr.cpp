#include "dict/ui/TWybLokIAdr.h"

#include "dict/TdmfDict.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The address columns of every place (domain d_adres).
constexpr int kAdresLength = 64;

} // namespace

TWybLokIAdr::TWybLokIAdr(QWidget* parent) : TWybLok(parent) {
    build();
}

TWybLokIAdr::TWybLokIAdr(TdmfDict& dict, QWidget* parent) : TWybLok(dict, parent) {
    build();
}

void TWybLokIAdr::build() {
    setObjectName(QStringLiteral("TWybLokIAdr"));
    edtAdres_ = new QLineEdit(this);
    edtAdres_->setObjectName(QStringLiteral("edtAdres"));
    // Longer text would not fit the place's address column.
    edtAdres_->setMaxLength(kAdresLength);
    auto* row = new QFormLayout;
    row->addRow(QStringLiteral("Adres:"), edtAdres_);
    contentLayout()->addLayout(row);
}

void TWybLokIAdr::setLokalizacja(const TrLokalizacja& lokalizacja) {
    TWybLok::setLokalizacja(lokalizacja);
    edtAdres_->setText(lokalizacja.adres);
}

void TWybLokIAdr::getLokalizacja(TrLokalizacja& lokalizacja) const {
    TWybLok::getLokalizacja(lokalizacja);
    lokalizacja.adres = edtAdres_->text();
}

bool TWybLokIAdr::Execute(TrLokalizacja& lokalizacja, QWidget* parent) {
    TWybLokIAdr picker(parent);
    return picker.pick(lokalizacja);
}

bool WybierzLokalizacjeIAdres(TrLokalizacja& lokalizacja, QWidget* parent) {
    return TWybLokIAdr::Execute(lokalizacja, parent);
}
