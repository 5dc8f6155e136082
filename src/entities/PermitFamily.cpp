#include "entities/PermitFamily.h"

#include "entities/TdmfDecyzjeOdpd.h"
#include "entities/TdmfPozwoleniaGp.h"
#include "entities/TdmfPozwoleniaWP.h"

Query* CreatePermitList(PermitFamily family, Connection& connection, QObject* parent) {
    switch (family) {
    case PermitFamily::PozwoleniaWp:
        return (new TdmfPozwoleniaWP(connection, parent))->qryPozwoleniaWP();
    case PermitFamily::PozwoleniaGp:
        return (new TdmfPozwoleniaGp(connection, parent))->qryPozwoleniaGp();
    case PermitFamily::DecyzjeOdpd:
    case PermitFamily::ZezwoleniaOdpd:
        break;
    }
    const auto kind = family == PermitFamily::DecyzjeOdpd ? TdmfDecyzjeOdpd::Kind::Approvals
                                                          : TdmfDecyzjeOdpd::Kind::Permits;
    return (new TdmfDecyzjeOdpd(kind, connection, parent))->qryDecyzjeOdpd();
}
