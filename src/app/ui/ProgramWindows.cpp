#include "app/ui/ProgramWindows.h"

#include "app/ui/WindowRegistry.h"
#include "dict/TdmfDict.h"
#include "dict/ui/TDictWindow.h"
#include "dict/ui/TWybRdzOdpd.h"

void RegisterProgramWindows(WindowRegistry& registry) {
    for (const DictWindowSpec& spec : DictWindowSpecs()) {
        const QString className = QString::fromLatin1(spec.className);
        registry.setFactory(className, [className] { return CreateDictWindow(className, *dmfDict); });
    }
    registry.setCommand(QStringLiteral("actPrzeglRodzajOdpadu"),
                        [](QWidget* parent) { TWybRdzOdpd::Browse(parent); });
}
