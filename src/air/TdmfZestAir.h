#pragma once

#include "platform/Decimal.h"

#include <QObject>
#include <QString>

#include <array>

class Query;
class TdmfZest;

// The air content of a statement: the lists of Tables A to D as details of the statement module's
// lists, with their defaults, field labels, the fee computations in the field-change handlers, the
// totals kept by roll-up and the creation of the fee rows of a new place.
//
// Table A: installations (`qryInstDz`) of the statement, with their fuels (`qryChrPlw`) and emission
// sources (`qryZrWprSubst`), and the substances of the current source (`qryOplTA`). A substance's
// fee is its quantity times its unit rate; each save or deletion of a substance recomputes its
// source's total and the installation's, each from the stored rows below.
//
// Table B: places of petrol reloading (`qryLokTB`) with one fee row per operation (`qryOplTB`);
// Table C: places of boilers (`qryLokTC`) with one fee row per boiler category, shown by kind of fuel
// (five lists) and all together (`qryOplTcAll`); Table D: engine types (`qryRdS`) and the statement's
// fee rows per engine type and fuel (`qryOplTD`). `qryStTB`, `qryStTC`, `qryStTD` are the rates of a
// year (parameter `rok_id`).
class TdmfZestAir : public QObject {
    Q_OBJECT
public:
    explicit TdmfZestAir(TdmfZest& dm);

    TdmfZest& zest() const { return dm_; }

    // --- Table A
    Query* qryInstDz() const { return qryInstDz_; }
    Query* qryChrPlw() const { return qryChrPlw_; }
    Query* qryZrWprSubst() const { return qryZrWprSubst_; }
    Query* qryOplTA() const { return qryOplTA_; }

    // Adds the substance of a rate row (`so_tabela_g`) to the current source: the source is saved
    // first; the new row takes the rate times the installation's permit multiplier and is saved at
    // once. A refused save discards the row (a duplicate substance is reported first); false then.
    bool DodajSubstancje(int sotgId);
    // "Przelicz": every substance of the current source takes the present rate of its rate row times
    // the multiplier of the installation's present status, and its fee anew; each row is saved, the
    // last one too, so that the totals follow. The current row stays current.
    void PrzeliczZrodlo();
    // Binds the permit to the current installation (the row is put into editing and its displayed
    // permit fields filled); unbinding empties them. Neither touches the status or any rate.
    void WstawPozwolenie(int pwgpId);
    void UsunPozwolenie();
    // The permit multiplier of the current installation's status.
    Decimal MnoznikPozwolenia() const;

    // --- Table B
    Query* qryLokTB() const { return qryLokTB_; }
    Query* qryOplTB() const { return qryOplTB_; }
    Query* qryStTB() const { return qryStTB_; }

    // --- Table C
    Query* qryLokTC() const { return qryLokTC_; }
    Query* qryOplTcWegiel() const { return qryOplTc_[0]; }
    Query* qryOplTcKoks() const { return qryOplTc_[1]; }
    Query* qryOplTcDrewno() const { return qryOplTc_[2]; }
    Query* qryOplTcOlej() const { return qryOplTc_[3]; }
    Query* qryOplTcGaz() const { return qryOplTc_[4]; }
    // The fee list of a kind of fuel, 0 (coal) to 4 (gaseous fuel), in the order of the tabs.
    Query* qryOplTc(int fuel) const { return qryOplTc_.at(fuel); }
    Query* qryOplTcAll() const { return qryOplTcAll_; }
    Query* qryStTC() const { return qryStTC_; }

    // --- Table D
    Query* qryRdS() const { return qryRdS_; }
    Query* qryOplTD() const { return qryOplTD_; }
    Query* qryStTD() const { return qryStTD_; }
    // Before the Table D window opens: the fee list follows the current statement, and the fee rows
    // of every engine type and fuel that the rate year defines are created when the statement has
    // none. Opens the engine types and the fee rows.
    void PrzygotujTabeleD();

    // --- the converter's target: a quantity field of the current row of a fee list
    // True while the list has a current row that a result can go into.
    static bool MoznaWstawic(const Query* list);
    // Puts the row into editing, sets the field to the result and saves the row (so that its amount
    // and its place's total follow).
    static void WstawWynik(Query& list, const QString& fieldName, const Decimal& megagrams);

private:
    void makeTableA();
    void makeTableB();
    void makeTableC();
    void makeTableD();

    TdmfZest& dm_;
    Query* qryInstDz_;
    Query* qryChrPlw_;
    Query* qryZrWprSubst_;
    Query* qryOplTA_;
    Query* qryLokTB_;
    Query* qryOplTB_;
    Query* qryStTB_;
    Query* qryLokTC_;
    std::array<Query*, 5> qryOplTc_{};
    Query* qryOplTcAll_;
    Query* qryStTC_;
    Query* qryRdS_;
    Query* qryOplTD_;
    Query* qryStTD_;
};
