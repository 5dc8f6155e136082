#pragma once

#include "forms/ui/TbcDictItem.h"

class QGroupBox;
class QLineEdit;
class QToolButton;
class TdmfPodmioty;

// The edit window of one entity, on the row that the register has put into insert or edit state.
// The location (voivodeship, county, commune) is not typed: it is chosen in the location picker.
class TPodmiot : public TbcDictItem {
    Q_OBJECT
public:
    explicit TPodmiot(TdmfPodmioty& dmf, QWidget* parent = nullptr);

    QLineEdit* edtNazwa() const { return edtNazwa_; }
    QLineEdit* edtAdres() const { return edtAdres_; }
    QLineEdit* edtRegon() const { return edtRegon_; }
    QLineEdit* edtTelefonFaks() const { return edtTelefonFaks_; }
    QGroupBox* grpLokalizacja() const { return grpLokalizacja_; }
    QLineEdit* edtWojewodztwo() const { return edtWoj_; }
    QLineEdit* edtPowiat() const { return edtPow_; }
    QLineEdit* edtGmina() const { return edtGm_; }
    QToolButton* btnLokalizacja() const { return btnLokalizacja_; }

    // Opens the location picker on the entity's location and takes the choice over; a cancelled pick
    // leaves the row as it was.
    void WybierzLokalizacje();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TdmfPodmioty& dmf_;
    QLineEdit* edtNazwa_;
    QLineEdit* edtAdres_;
    QLineEdit* edtRegon_;
    QLineEdit* edtTelefonFaks_;
    QGroupBox* grpLokalizacja_;
    QLineEdit* edtWoj_;
    QLineEdit* edtPow_;
    QLineEdit* edtGm_;
    QToolButton* btnLokalizacja_;
};
