#include "air/ui/AirWindows.h"

#include "air/TdmfZestAir.h"
#include "air/ui/TGpTabelaA.h"
#include "air/ui/TTabelaB.h"
#include "air/ui/TTabelaC.h"
#include "air/ui/TTabelaD.h"
#include "statements/TdmfZest.h"
#include "statements/ui/StatementContentWindows.h"

void RegisterAirWindows() {
    RegisterContentWindow(ContentButton::TabelaA, [](TdmfZest& dm, QWidget* parent) {
        TGpTabelaA::Pokaz(dm.content<TdmfZestAir>(), parent);
    });
    RegisterContentWindow(ContentButton::TabelaB, [](TdmfZest& dm, QWidget* parent) {
        TTabelaB::Pokaz(dm.content<TdmfZestAir>(), parent);
    });
    RegisterContentWindow(ContentButton::TabelaC, [](TdmfZest& dm, QWidget* parent) {
        TTabelaC::Pokaz(dm.content<TdmfZestAir>(), parent);
    });
    RegisterContentWindow(ContentButton::TabelaD, [](TdmfZest& dm, QWidget* parent) {
        TTabelaD::Pokaz(dm.content<TdmfZestAir>(), parent);
    });
}
