#include "waste/WasteFees.h"

bool UwzglednijUwodnienie(const QString& przypis) {
    return przypis.contains(QLatin1Char('1'), Qt::CaseInsensitive);
}

Decimal SuchaMasa(const OdpadDoOplaty& odpad) {
    if (!UwzglednijUwodnienie(odpad.przypis))
        return odpad.masa;
    // w per cent of the mass is water, which is not charged.
    return odpad.masa - odpad.masa * odpad.stanUwodnienia * Decimal(1, 2);
}

Decimal OplataZaOdpad(const OdpadDoOplaty& odpad) {
    const Decimal q = SuchaMasa(odpad);
    const Decimal fee = odpad.skladowanieLegalne ? q * odpad.jednStOpl
                                                 : q * odpad.wspRozn * odpad.jednStOpl * odpad.liczbaDob;
    return RoundForStorage(fee);
}
