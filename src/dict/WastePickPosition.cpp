#include "dict/WastePickPosition.h"

#include "dict/TdmfDict.h"
#include "forms/DataHelpers.h"

namespace {

const QString kId = QStringLiteral("sotl_id");

int CurrentInt(const Query* q, const QString& field) {
    if (!q->isActive() || q->isEmpty())
        return 0;
    return int(q->fieldByName(field).asInteger());
}

void LocateOrFirst(Query* q, int id) {
    if (!q->isActive())
        return;
    if (id == 0 || !q->locate(kId, id))
        q->first();
}

} // namespace

WastePickPosition& WastePickPosition::remembered() {
    static WastePickPosition position;
    return position;
}

WastePickPosition WastePickPosition::current(const TdmfDict& dict) {
    WastePickPosition p;
    p.rokId = CurrentInt(dict.qrySoTlGrupy(), QStringLiteral("sotl_rok_id"));
    p.grupaId = CurrentInt(dict.qrySoTlGrupy(), kId);
    p.podgrupaId = CurrentInt(dict.qrySoTlPodgrupy(), kId);
    p.rodzajId = CurrentInt(dict.qrySoTlRodzaje(), kId);
    return p;
}

void OpenSoTlYear(TdmfDict& dict, int rokId) {
    CloseSoTl(dict);
    dict.setSoTlYear(rokId);
    // The master first, so that each detail reads the rows of its master's first row.
    for (Query* q : {dict.qrySoTlGrupy(), dict.qrySoTlPodgrupy(), dict.qrySoTlRodzaje()}) {
        SetActiveFilter(*q, FilterActive);
        q->open();
    }
}

void CloseSoTl(TdmfDict& dict) {
    // The details first: a closing master would make them re-read for nothing.
    for (Query* q : {dict.qrySoTlRodzaje(), dict.qrySoTlPodgrupy(), dict.qrySoTlGrupy()})
        CloseIfOpen(q);
}

void PositionSoTl(TdmfDict& dict, const WastePickPosition& position) {
    if (position.grupaId == 0)
        return;
    LocateOrFirst(dict.qrySoTlGrupy(), position.grupaId);
    LocateOrFirst(dict.qrySoTlPodgrupy(), position.podgrupaId);
    LocateOrFirst(dict.qrySoTlRodzaje(), position.rodzajId);
}
