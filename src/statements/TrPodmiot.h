#pragma once

#include <QString>

// The entity of a statement as its printouts head it. An entity key of 0 means that none was found.
struct TrPodmiot {
    int pdmId = 0;
    QString nazwa;
    QString adres;
    QString regon;
    QString telefonFaks;

    bool operator==(const TrPodmiot&) const = default;
};
