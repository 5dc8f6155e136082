#pragma once

#include "platform/Decimal.h"

#include <QString>

// The fee arithmetic of the air tables, apart from the lists that hold the values: each amount is the
// exact product of its factors, rounded once by the rule its table names.
namespace AirFees {

// The permit status that multiplies the unit rates of an installation by five: no permit.
constexpr int kStatusBezPozwolenia = 101;

// Table A: the unit rate of a substance is the table rate times this (5 without a permit, else 1).
Decimal PermitMultiplier(int spwgpId);

// Table A: a few substances are rated per megagram while their emission is entered in kilograms, as
// for every other substance. Their rate rows say so in the substance's name.
bool IsRatedPerMegagram(const QString& substanceName);

// Table A: quantity [kg] × unit rate (÷ 1000 for a rate per Mg), kept in a two-decimal column.
Decimal SubstanceFee(const Decimal& quantityKg, const Decimal& unitRate, bool ratedPerMegagram);

// Table B: rate × quantity × (1 − efficiency / 100), two decimals ties to even.
Decimal TableBAmount(const Decimal& unitRate, const Decimal& quantityMg, const Decimal& efficiencyPercent);

// Table C: the kind of a boiler's fuel as far as its units go.
enum class BoilerUnit {
    Megagram,    // solid and liquid fuels, liquefied propane-butane: consumption in Mg, rate per Mg
    MillionCubic // natural gas: consumption in m3, rate per million m3
};
// The fuel key of the gaseous fuels in the boiler fuel dictionary.
constexpr int kPaliwoGazowe = 104;
// Recognised from the rate row itself (its fuel and its name), in every rate year: a gaseous fuel
// is natural gas unless its name says it is liquefied propane-butane.
BoilerUnit BoilerUnitOf(int plwkId, const QString& rateName);
// The texts shown beside a gaseous fuel's consumption and rate.
QString ConsumptionUnitText(BoilerUnit unit);
QString RateUnitText(BoilerUnit unit);
// Table C: consumption × unit factor (10⁻⁶ for natural gas) × rate, two decimals ties to even.
Decimal TableCAmount(const Decimal& consumption, const Decimal& unitRate, BoilerUnit unit);

// Table D: rate × consumption, two decimals ties to even.
Decimal TableDAmount(const Decimal& unitRate, const Decimal& consumptionMg);

// The converter: litres × 0.001 × density [kg/l], six decimals ties to even.
Decimal LitresToMegagrams(const Decimal& litres, const Decimal& densityKgPerLitre);
// The standard densities of motor petrol and diesel oil [kg/l].
Decimal PetrolDensity();
Decimal DieselDensity();

} // namespace AirFees
