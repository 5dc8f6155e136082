#include "app/ui/ProgramWindows.h"

#include "air/ui/AirWindows.h"
#include "app/ui/UserWindows.h"
#include "app/ui/WindowRegistry.h"
#include "dict/TdmfDict.h"
#include "dict/ui/TDictWindow.h"
#include "dict/ui/TWybRdzOdpd.h"
#include "entities/ui/TPodmioty.h"
#include "statements/ui/PrtZestZbWindows.h"
#include "statements/ui/TZestZb.h"
#include "statements/ui/TZestawienia.h"
#include "waste/ui/TOplatyOdpady.h"
#include "water/ui/WaterWindows.h"

void RegisterProgramWindows(WindowRegistry& registry) {
    for (const DictWindowDef& def : DictWindowDefs()) {
        const QString className = QString::fromLatin1(def.className);
        registry.setFactory(className, [className] { return CreateDictWindow(className, *dmfDict); });
    }
    registry.setFactory(QStringLiteral("TPodmioty"), [] { return new TPodmioty(); });
    registry.setFactory(QStringLiteral("TZestawienia"), [] { return new TZestawienia(); });
    RegisterUserWindows(registry);
    registry.setCommand(QStringLiteral("actPrzeglRodzajOdpadu"),
                        [](QWidget* parent) { TWybRdzOdpd::Browse(parent); });
    RegisterSummaryWindows();
    RegisterSummaryPrintouts();
    RegisterWaterWindows();
    RegisterWasteWindows();
    RegisterAirWindows();
}
