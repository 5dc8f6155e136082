#pragma once

#include <QString>

// A location as a caller hands it to the location picker and gets it back: the voivodeship, county
// and commune (key and name each) and the address. A voivodeship key of 0 means that nothing has
// been chosen yet. The commune name is its display name with the kind of unit ("Kórnik (gm)").
struct TrLokalizacja {
    int wojId = 0;
    QString wojNazwa;
    int powId = 0;
    QString powNazwa;
    int gmId = 0;
    QString gmNazwa;
    QString adres;

    bool operator==(const TrLokalizacja&) const = default;
};
