#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class Decimal;
class Query;
class TdmfZest;

// Keys with a fixed meaning in the sewage fees.
inline constexpr int kSpwscNieMa = 101; // permit status "nie ma"
inline constexpr int kRosJezioro = 101; // kind of receiver: a lake
inline constexpr int kWskChlorkiSiarczany = 103;

// The sewage receivers of a statement with everything charged under them, as a content part of the
// statement data module: the receivers (with their cooling-water and saline-water fees), the
// quantities by kind-of-sewage code with their indicator fees, and the rain and snowmelt fees.
class SewageDischarge : public QObject {
    Q_OBJECT
public:
    explicit SewageDischarge(TdmfZest& dm);

    TdmfZest& dm() const { return dm_; }

    Query* qryOdbSc() const { return qryOdbSc_; }
    Query* qryKdTA() const { return qryKdTA_; }
    Query* qryOplZaWskTA() const { return qryOplZaWskTA_; }
    Query* qryWskTaSc() const { return qryWskTaSc_; }
    Query* qryOplOR() const { return qryOplOR_; }
    Query* qryRdzTrnSc() const { return qryRdzTrnSc_; }

    // The codes of the kinds of sewage a code row may carry.
    static const QStringList& KodyRodzajuScieku();

    // --- receivers
    // After the record window saved a new receiver: the list read again on it, the receiver saved and,
    // when it has none, its rain rows generated. False when the refresh failed (pending changes are
    // then cancelled).
    bool PoZapisieNowegoOdbiornika();
    // The receiver total: stored code and rain fees plus the cooling and saline fees of the row as it
    // stands (in editing or not).
    Decimal SumaOdbiornika() const;
    // "Przelicz" of the cooling and of the saline water: the receiver recomputed and saved.
    void PrzeliczChlodnicze();
    void PrzeliczZasolone();
    void WstawPozwolenie(const Query& permits);
    void UsunPozwolenie();

    // --- code rows
    int LiczbaOplatWsk() const;
    // Whether the code of the current code row may still change; says why not.
    bool KodMoznaZmienic();
    void UstawKod(const QString& kod);
    // "Generuj opłaty": one indicator row per active indicator; refused when the code row has them.
    void GenerujOplatyWsk();
    // "Przelicz": each indicator row takes the rate and coefficient of the receiver's present water
    // board and the statement's rate year, is recomputed with the code's quantity and saved.
    void PrzeliczWsk();

    // --- rain and snowmelt
    int LiczbaOplatOR() const;
    // Generates the rain rows of the current receiver, one per active kind of area of the rate year;
    // answers how many.
    int GenerujOplatyOR();
    // "&Dodaj" of the rain page.
    void DodajOplatyOR();
    // "Przelicz opłaty" of the rain page.
    void PrzeliczOplatyOR();

private:
    void setUpReceivers();
    void setUpCodes();
    void setUpIndicators();
    void setUpRain();
    QVariant receiverKey() const;
    Decimal multiplier(int permitFactor, int lakeFactor) const;
    void computeCooling();
    void computeSaline();
    void computeRain(Query& rain);
    void computeTotal();
    // Walks every row of a list, each put into editing, changed and saved, the last one as well.
    void walk(Query& list, const QString& keyField, const std::function<void(Query&)>& change);

    TdmfZest& dm_;
    Query* qryOdbSc_;
    Query* qryKdTA_;
    Query* qryOplZaWskTA_;
    Query* qryWskTaSc_;
    Query* qryOplOR_;
    Query* qryRdzTrnSc_;
};
