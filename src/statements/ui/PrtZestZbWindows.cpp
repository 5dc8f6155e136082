#include "statements/ui/PrtZestZbWindows.h"

#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "print/ui/TbcPrintDlg.h"
#include "statements/PrtZestZb.h"
#include "statements/TdmfZest.h"
#include "statements/TdmfZestZb.h"
#include "statements/ui/TZestZb.h"

namespace {

// What is typed is what is printed: a pending edit of the summary or its items is saved first.
void SavePending(Query* query) {
    if (query && query->isEditing())
        query->post();
}

void PrintZestZb(TdmfZestZb& zb, QWidget* parent) {
    SavePending(zb.qryZZbPoz());
    SavePending(zb.qryZZb());
    const int zzbId = int(zb.qryZZb()->fieldByName(QStringLiteral("zzb_id")).asInteger());
    const Query& zest = *zb.dm().qryZest();
    auto printout = std::make_unique<TprtZestZb>(MainConnection());
    printout->SetZestZb(zzbId);
    printout->SetPodmiot(zb.dm().PodmiotZestawieniaZbiorczego(zzbId));
    printout->SetRokPolrocze(zest.fieldByName(QStringLiteral("rok_nazwa")).asString(),
                             zest.fieldByName(QStringLiteral("pr_nazwa")).asString());
    ShowPrintDialog(std::move(printout), parent);
}

} // namespace

void RegisterSummaryPrintouts() {
    TZestZb::SetPrintout(&PrintZestZb);
}
