#pragma once

#include "platform/Decimal.h"

#include <QString>

// Fixed keys of the waste tables that the fee and the lists rely on.
namespace WasteKeys {
// Ways of storing (`typy_skladow_odpd`): with and without segregation.
constexpr int Selektywnie = 100;
constexpr int Nieselektywnie = 101;
// The legal status of a site that meets every legal requirement (`wsp_rozn_odpd`): its waste is
// charged without coefficient and days.
constexpr int SkladowanieLegalne = 100;
} // namespace WasteKeys

// Whether the footnote marks of a waste type (`sotl_przypis`, such as "1", "3" or "1;3") let the water
// content reduce the mass charged: marks that contain the character "1".
bool UwzglednijUwodnienie(const QString& przypis);

// One stored waste row as the fee sees it.
struct OdpadDoOplaty {
    Decimal masa;                    // m [Mg]
    Decimal stanUwodnienia;          // w [%]
    QString przypis;                 // footnote marks of the waste type
    Decimal wspRozn;                 // k, the site's coefficient copied into the row
    Decimal liczbaDob;               // d
    Decimal jednStOpl;               // r [zł/Mg]
    bool skladowanieLegalne = false; // the site's legal status is the lawful one (key 100)
};

// The mass charged: (1 − w / 100) × m where the footnote marks allow for water, m otherwise. Exact.
Decimal SuchaMasa(const OdpadDoOplaty& odpad);

// The fee of a stored waste row: q × r on a lawful site, q × k × r × d on any other, computed exactly
// and brought to the grosz by the storage rule.
Decimal OplataZaOdpad(const OdpadDoOplaty& odpad);
