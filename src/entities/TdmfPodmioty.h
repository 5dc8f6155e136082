#pragma once

#include "dict/TrLokalizacja.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QObject>

// The entities (companies charged for their use of the environment), each joined to its commune,
// county and voivodeship. One instance per register or selection window.
//
// The list carries the active-flag condition (active entities only until the window chooses another
// filter), shows the flag as `clc_f_aktualny` and writes only the columns of `podmioty`.
class TdmfPodmioty : public QObject {
    Q_OBJECT
public:
    explicit TdmfPodmioty(Connection& connection = MainConnection(), QObject* parent = nullptr);

    Query* qryPodmioty() const { return qryPodmioty_; }

    // The location of the current entity: voivodeship, county and commune (no address).
    void ReadLocation(TrLokalizacja& location) const;
    // Puts the location into the current entity (the row is put into editing when it is not); the
    // names are for display until the row is read again.
    void WriteLocation(const TrLokalizacja& location);

private:
    Connection& connection_;
    Query* qryPodmioty_;
};
