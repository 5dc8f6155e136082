#pragma once

#include "dict/ui/TWybLok.h"

// The location picker with the address of the place below the three lists.
class TWybLokIAdr : public TWybLok {
    Q_OBJECT
public:
    explicit TWybLokIAdr(QWidget* parent = nullptr); // on the program's dictionaries module
    explicit TWybLokIAdr(TdmfDict& dict, QWidget* parent = nullptr);

    void setLokalizacja(const TrLokalizacja& lokalizacja) override;
    void getLokalizacja(TrLokalizacja& lokalizacja) const override;

    static bool Execute(TrLokalizacja& lokalizacja, QWidget* parent = nullptr);

    QLineEdit* edtAdres() const { return edtAdres_; }

private:
    void build();

    QLineEdit* edtAdres_ = nullptr;
};

// The location picker with an address (every place of use).
bool WybierzLokalizacjeIAdres(TrLokalizacja& lokalizacja, QWidget* parent = nullptr);
