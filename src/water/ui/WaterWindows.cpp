#include "water/ui/WaterWindows.h"

#include "statements/TdmfZest.h"
#include "statements/ui/StatementContentWindows.h"
#include "water/SewageDischarge.h"
#include "water/WaterWithdrawal.h"
#include "water/ui/TOplatyScieki.h"
#include "water/ui/TbcPoborWody.h"

namespace {

template <class Window> void ShowIntakes(TdmfZest& dm, QWidget* parent, int tuwId) {
    WaterWithdrawal& water = dm.content<WaterWithdrawal>();
    water.setTypUjecia(tuwId);
    auto* window = new Window(water, parent);
    window->BindDataSets();
    window->exec();
}

} // namespace

void RegisterWaterWindows() {
    RegisterContentWindow(ContentButton::WodaPodziemna, [](TdmfZest& dm, QWidget* parent) {
        ShowIntakes<TPoborWodyPodz>(dm, parent, kTuwPodziemna);
    });
    RegisterContentWindow(ContentButton::WodaPowierzchniowa, [](TdmfZest& dm, QWidget* parent) {
        ShowIntakes<TPoborWodyPow>(dm, parent, kTuwPowierzchniowa);
    });
    RegisterContentWindow(ContentButton::Scieki, [](TdmfZest& dm, QWidget* parent) {
        auto* window = new TOplatyScieki(dm.content<SewageDischarge>(), parent);
        window->BindDataSets();
        window->exec();
    });
}
