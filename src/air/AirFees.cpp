#include "air/AirFees.h"

namespace AirFees {

Decimal PermitMultiplier(int spwgpId) {
    return Decimal(spwgpId == kStatusBezPozwolenia ? 5 : 1);
}

bool IsRatedPerMegagram(const QString& substanceName) {
    return substanceName.contains(QStringLiteral("zł/Mg"), Qt::CaseInsensitive);
}

Decimal SubstanceFee(const Decimal& quantityKg, const Decimal& unitRate, bool ratedPerMegagram) {
    Decimal fee = quantityKg * unitRate;
    if (ratedPerMegagram)
        fee *= Decimal(1, 3);
    return RoundForStorage(fee);
}

Decimal TableBAmount(const Decimal& unitRate, const Decimal& quantityMg, const Decimal& efficiencyPercent) {
    // (1 − e / 100) as (100 − e) × 0.01, exactly.
    const Decimal remaining = (Decimal(100) - efficiencyPercent) * Decimal(1, 2);
    return RoundTwoDecimals(unitRate * quantityMg * remaining);
}

BoilerUnit BoilerUnitOf(int plwkId, const QString& rateName) {
    if (plwkId != kPaliwoGazowe)
        return BoilerUnit::Megagram;
    const QString name = rateName.toLower();
    const bool liquefied = name.contains(QStringLiteral("propan")) ||
                           name.contains(QStringLiteral("butan")) || name.contains(QStringLiteral("płynny"));
    return liquefied ? BoilerUnit::Megagram : BoilerUnit::MillionCubic;
}

QString ConsumptionUnitText(BoilerUnit unit) {
    return unit == BoilerUnit::MillionCubic ? QStringLiteral("m3") : QStringLiteral("Mg");
}

QString RateUnitText(BoilerUnit unit) {
    return unit == BoilerUnit::MillionCubic ? QStringLiteral("zł/mln m3") : QStringLiteral("zł/Mg");
}

Decimal TableCAmount(const Decimal& consumption, const Decimal& unitRate, BoilerUnit unit) {
    Decimal amount = consumption * unitRate;
    if (unit == BoilerUnit::MillionCubic)
        amount *= Decimal(1, 6);
    return RoundTwoDecimals(amount);
}

Decimal TableDAmount(const Decimal& unitRate, const Decimal& consumptionMg) {
    return RoundTwoDecimals(unitRate * consumptionMg);
}

Decimal LitresToMegagrams(const Decimal& litres, const Decimal& densityKgPerLitre) {
    return (litres * Decimal(1, 3) * densityKgPerLitre).rounded(6, Rounding::TiesToEven);
}

Decimal PetrolDensity() {
    return Decimal(755, 3);
}

Decimal DieselDensity() {
    return Decimal(84, 2);
}

} // namespace AirFees
