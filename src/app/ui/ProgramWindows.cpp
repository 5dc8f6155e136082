#include "app/ui/ProgramWindows.h"

#include "app/ui/WindowRegistry.h"
#include "dict/TdmfDict.h"
#include "dict/ui/TDictWindow.h"

void RegisterProgramWindows(WindowRegistry& registry) {
    for (const DictWindowSpec& spec : DictWindowSpecs()) {
        const QString className = QString::fromLatin1(spec.className);
        registry.setFactory(className, [className] { return CreateDictWindow(className, *dmfDict); });
    }
}
