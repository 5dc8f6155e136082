#pragma once

#include "dict/TrLokalizacja.h"

#include <QString>

class Query;

// A location kept in a row of a list: the commune key and the address in columns of the list's own
// table, the voivodeship (`woj_id`, `woj_nazwa`), the county (`pow_id`, `pow_nazwa`) and the commune's
// name (`gm_nazwa`) joined to it. An empty address field means the list keeps no address.
void ReadLocation(const Query& list, const QString& communeField, const QString& addressField,
                  TrLokalizacja& location);
// The same written back into the current row (put into editing first).
void WriteLocation(Query& list, const QString& communeField, const QString& addressField,
                   const TrLokalizacja& location);
