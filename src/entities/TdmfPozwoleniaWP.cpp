#include "entities/TdmfPozwoleniaWP.h"

#include "entities/PermitQuery.h"

TdmfPozwoleniaWP::TdmfPozwoleniaWP(Connection& connection, QObject* parent)
    : QObject(parent), qryPozwoleniaWP_(new Query(connection, this)) {
    PermitQueryDef def;
    def.table = QStringLiteral("pozwolenia_wp");
    def.prefix = QStringLiteral("pwp");
    def.select = QStringLiteral("SELECT * FROM pozwolenia_wp WHERE pwp_pdm_id = :pdm_id");
    def.genitive = QStringLiteral("Pozwolenia");
    def.nominative = QStringLiteral("Pozwolenie");
    def.issuedToday = true;
    SetUpPermitQuery(*qryPozwoleniaWP_, def);
}

void TdmfPozwoleniaWP::SetPodmiot(int pdmId) {
    SetPermitEntity(*qryPozwoleniaWP_, pdmId);
}

int TdmfPozwoleniaWP::podmiot() const {
    return qryPozwoleniaWP_->param(QStringLiteral("pdm_id")).toInt();
}
