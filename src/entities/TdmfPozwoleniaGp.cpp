#include "entities/TdmfPozwoleniaGp.h"

#include "entities/PermitQuery.h"

TdmfPozwoleniaGp::TdmfPozwoleniaGp(Connection& connection, QObject* parent)
    : QObject(parent), qryPozwoleniaGp_(new Query(connection, this)) {
    PermitQueryDef def;
    def.table = QStringLiteral("pozwolenia_gp");
    def.prefix = QStringLiteral("pwgp");
    def.select = QStringLiteral("SELECT * FROM pozwolenia_gp WHERE pwgp_pdm_id = :pdm_id");
    def.genitive = QStringLiteral("Pozwolenia");
    def.nominative = QStringLiteral("Pozwolenie");
    def.issuedToday = true;
    SetUpPermitQuery(*qryPozwoleniaGp_, def);
}

void TdmfPozwoleniaGp::SetPodmiot(int pdmId) {
    SetPermitEntity(*qryPozwoleniaGp_, pdmId);
}

int TdmfPozwoleniaGp::podmiot() const {
    return qryPozwoleniaGp_->param(QStringLiteral("pdm_id")).toInt();
}
