#pragma once

#include "entities/ui/TPodmioty.h"

#include <functional>

class Query;

// The entity picker: the register shown modally with active entities only, positioned on the entity
// given as PreselectId (the first row when it is not listed). A double click confirms while the list
// is browsed.
class TPodmiotyLW : public TPodmioty {
    Q_OBJECT
public:
    explicit TPodmiotyLW(QWidget* parent = nullptr);
};

// Lets the user choose an entity; `currentPdmId` is the entity to show as current (0: none). On
// "&Wybierz" calls `onChosen` with the picker's list positioned on the chosen entity (read `pdm_id`,
// `pdm_nazwa`, `pdm_adres`, `pdm_regon`, `pdm_telefon_faks`, `gm_nazwa`, `pow_nazwa`, `woj_nazwa`)
// and returns true; returns false when the user gave up.
bool WybierzPodmiot(int currentPdmId, QWidget* parent,
                    const std::function<void(const Query& podmioty)>& onChosen);
