#pragma once

#include <QObject>
#include <QString>

class Query;
class TdmfZest;
class Field;

// Types of intake (typ_ujecia_wody), fixed keys.
inline constexpr int kTuwPodziemna = 100;
inline constexpr int kTuwPowierzchniowa = 101;

// The water intakes of a statement and their fee rows, as a content part of the statement data
// module: one intake list filtered by the type of intake, two fee lists over the same rows (the
// underground one computes without the water board's coefficient, the surface one with it) and the
// rate list the fee rows are generated from.
class WaterWithdrawal : public QObject {
    Q_OBJECT
public:
    explicit WaterWithdrawal(TdmfZest& dm);

    TdmfZest& dm() const { return dm_; }

    // Intakes of the current statement of the type in the parameter `tuw_id`.
    Query* qryUjW() const { return qryUjW_; }
    Query* qryOplUwPodZ() const { return qryOplUwPodZ_; }
    Query* qryOplUwPow() const { return qryOplUwPow_; }
    Query* qryStUW() const { return qryStUW_; }
    // The fee list of a type of intake.
    Query* feeList(int tuwId) const { return tuwId == kTuwPowierzchniowa ? qryOplUwPow_ : qryOplUwPodZ_; }

    // Sets the type of intake listed (closes the list; `open` reads it again).
    void setTypUjecia(int tuwId);
    int typUjecia() const;

    // The 17 quality indicators in their order: the column stem `uw_j_<name>_st/_il` and the label.
    struct Indicator {
        const char* name;
        const char* label;
    };
    static const Indicator kIndicators[17];

    // Generates the fee rows of the current intake of the listed type, one per active rate of the type
    // in the statement's rate year, and answers how many. The list is left on the first fee row.
    int GenerujOplaty();
    // Number of fee rows the current intake has in the database.
    int LiczbaOplat() const;
    // After the record window saved a new intake: the list read again on it, then its fee rows
    // generated. When the rate year had no rates the user is told so. False when the refresh failed
    // (the intake's pending changes are then cancelled).
    bool PoZapisieNowegoUjecia();
    // For an intake without fee rows (its rate year had none when it was made): generates them now.
    // Says why when it has rows already or there are still no rates.
    void DodajOplatyUjecia();

    // The coefficient chosen for the current fee row (the row is put into editing).
    void UstawWspRozn(double value);

    // Binds the permit in the current row of `permits` (pozwolenia_wp) as the intake's permit 1 or 2,
    // or clears that permit.
    void WstawPozwolenie(int n, const Query& permits);
    void UsunPozwolenie(int n);

    // Recomputes the 17 substance quantities of the current intake (run on every change of a content
    // or of the quantity of water that became sewage).
    void PrzeliczIlosciSubstancji();

private:
    void computeFee(Query& fees, bool withBoard);
    void setUpFeeList(Query& fees, bool withBoard);
    // After a saved change of the water board: the surface rows of the intake take the new
    // coefficient and their fees and the intake's total are recomputed in the same transaction.
    void applyBoardToFeeRows(Query& intakes);

    TdmfZest& dm_;
    Query* qryUjW_;
    Query* qryOplUwPodZ_;
    Query* qryOplUwPow_;
    Query* qryStUW_;
    bool boardChanged_ = false;
    bool boardRowsRewritten_ = false;
};
