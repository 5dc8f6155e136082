#pragma once

#include "entities/ui/TbcPozwolenia.h"
#include "forms/ui/TbcDictT2.h"

class TdmfPodmioty;

// The register of entities: all entities, active and withdrawn, added and corrected in the entity
// edit window. From the current entity the user reaches its permits and decisions, so that they can
// be recorded before any statement exists.
class TPodmioty : public TbcDictT2 {
    Q_OBJECT
public:
    explicit TPodmioty(QWidget* parent = nullptr);

    TdmfPodmioty* dmfPodmioty() const { return dmf_; }

    QAction* actPozwoleniaWp;
    QAction* actPozwoleniaGp;
    QAction* actDecyzjeOdpd;
    QAction* actZezwoleniaOdpd;

protected:
    void actDodajExecute() override;
    void actPoprawExecute() override;

private:
    void openEditWindow();
    void openPermits(PermitFamily family);
    // The acts belong to a saved entity: their commands follow the list's row and state.
    void updateFamilyActions();

    TdmfPodmioty* dmf_;
};
