#pragma once

#include "dict/TrLokalizacja.h"
#include "forms/ui/TbcDialogT1.h"

class DataGrid;
class DataSource;
class QLineEdit;
class Query;
class TdmfDict;

// The location picker: voivodeship, county and commune in three linked lists of the dictionaries
// module (active units only), each with a read-only field repeating the current choice. Created for
// one pick; the module's lists stay open after it.
class TWybLok : public TbcDialogT1 {
    Q_OBJECT
public:
    explicit TWybLok(QWidget* parent = nullptr); // on the program's dictionaries module
    explicit TWybLok(TdmfDict& dict, QWidget* parent = nullptr);

    // Opens the lists (active units only) and positions them on the record's location; a record
    // without a location, or a unit that is no longer listed, gives the first row of that list.
    virtual void setLokalizacja(const TrLokalizacja& lokalizacja);
    // Writes the current choice into the record (a commune list without rows gives key 0, no name).
    virtual void getLokalizacja(TrLokalizacja& lokalizacja) const;

    // Shows the picker modally on the record; on "OK" writes the choice into it and answers true,
    // otherwise leaves it as it was.
    static bool Execute(TrLokalizacja& lokalizacja, QWidget* parent = nullptr);

    DataGrid* grdWojewodztwa() const { return grdWoj_; }
    DataGrid* grdPowiaty() const { return grdPow_; }
    DataGrid* grdGminy() const { return grdGm_; }
    QLineEdit* edtWojewodztwo() const { return edtWoj_; }
    QLineEdit* edtPowiat() const { return edtPow_; }
    QLineEdit* edtGmina() const { return edtGm_; }

protected:
    TdmfDict& dict() const { return dict_; }
    // The picker's modal run on the record, shared by both forms.
    bool pick(TrLokalizacja& lokalizacja);

private:
    DataGrid* addList(Query* query, const QString& field, const QString& caption, const QString& hint,
                      QLineEdit*& choice, const QString& choiceHint);

    TdmfDict& dict_;
    DataGrid* grdWoj_ = nullptr;
    DataGrid* grdPow_ = nullptr;
    DataGrid* grdGm_ = nullptr;
    QLineEdit* edtWoj_ = nullptr;
    QLineEdit* edtPow_ = nullptr;
    QLineEdit* edtGm_ = nullptr;
};

// The location picker without an address (the entity's seat).
bool WybierzLokalizacje(TrLokalizacja& lokalizacja, QWidget* parent = nullptr);
