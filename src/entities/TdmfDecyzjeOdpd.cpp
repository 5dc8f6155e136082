#include "entities/TdmfDecyzjeOdpd.h"

#include "dict/DictQuery.h"
#include "entities/PermitQuery.h"

TdmfDecyzjeOdpd::TdmfDecyzjeOdpd(Kind kind, Connection& connection, QObject* parent)
    : QObject(parent), kind_(kind), qryDecyzjeOdpd_(new Query(connection, this)) {
    const bool approvals = kind == Kind::Approvals;
    PermitQueryDef def;
    def.table = QStringLiteral("decyzje_odpd");
    def.prefix = QStringLiteral("dcodpd");
    def.extraColumns = QStringList{QStringLiteral("dcodpd_rdodpd_id")};
    def.select = approvals
                     ? QStringLiteral("SELECT decyzje_odpd.*, rdodpd_nazwa FROM decyzje_odpd\n"
                                      "INNER JOIN rdz_decyzji_odpd ON rdodpd_id = dcodpd_rdodpd_id\n"
                                      "WHERE dcodpd_rdodpd_id = 100 AND dcodpd_pdm_id = :pdm_id")
                     : QStringLiteral("SELECT decyzje_odpd.*, rdodpd_nazwa FROM decyzje_odpd\n"
                                      "LEFT OUTER JOIN rdz_decyzji_odpd ON rdodpd_id = dcodpd_rdodpd_id\n"
                                      "WHERE dcodpd_rdodpd_id > 100 AND dcodpd_pdm_id = :pdm_id");
    def.genitive = approvals ? QStringLiteral("Decyzji zatwierdzającej") : QStringLiteral("Zezwolenia");
    def.nominative = approvals ? QStringLiteral("Decyzja zatwierdzająca") : QStringLiteral("Zezwolenia");
    Query& q = *qryDecyzjeOdpd_;
    SetUpPermitQuery(q, def);

    q.field(QStringLiteral("rdodpd_nazwa"))
        .setLabel(QStringLiteral("Rodzaj decyzji"))
        .setSize(96)
        .setReadOnly();
    q.field(QStringLiteral("dcodpd_rdodpd_id"))
        .setLabel(QStringLiteral("Rodzaj decyzji"))
        .setRequired()
        .setVisible(false);
    // The family's kind: the approval's one and only, or the usual waste permit until the user picks
    // another.
    const int newKind = approvals ? kApprovalKind : kDefaultPermitKind;
    q.afterInsert +=
        [newKind](Query& r) { r.fieldByName(QStringLiteral("dcodpd_rdodpd_id")).setValue(newKind); };
}

void TdmfDecyzjeOdpd::SetPodmiot(int pdmId) {
    SetPermitEntity(*qryDecyzjeOdpd_, pdmId);
}

int TdmfDecyzjeOdpd::podmiot() const {
    return qryDecyzjeOdpd_->param(QStringLiteral("pdm_id")).toInt();
}
