#pragma once

#include "forms/ui/TbcDictItem.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class TdmfZestOdpady;

// The record window of a storage site ("Lokalizacja składowiska odpadów"), on the site that the waste
// window has put into insert or edit state. The location and the address are not typed: they are
// chosen in the location picker with address.
class TSklOdpdNag : public TbcDictItem {
    Q_OBJECT
public:
    explicit TSklOdpdNag(TdmfZestOdpady& odpady, QWidget* parent = nullptr);

    QGroupBox* grpLokalizacja() const { return grpLokalizacja_; }
    QLineEdit* edtWojewodztwo() const { return edtWoj_; }
    QLineEdit* edtPowiat() const { return edtPow_; }
    QLineEdit* edtGmina() const { return edtGm_; }
    QLineEdit* edtAdres() const { return edtAdres_; }
    QPushButton* btnLokalizacja() const { return btnLokalizacja_; }

    // Opens the location picker on the site's location and takes the choice over; a cancelled pick
    // leaves the site as it was.
    void WybierzLokalizacje();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TdmfZestOdpady& odpady_;
    QGroupBox* grpLokalizacja_;
    QLineEdit* edtWoj_;
    QLineEdit* edtPow_;
    QLineEdit* edtGm_;
    QLineEdit* edtAdres_;
    QPushButton* btnLokalizacja_;
};
