#include "app/TdmfUprawnUzytkow.h"

#include "app/AppUser.h"
#include "forms/DataHelpers.h"

#include <QDateTime>
#include <QSqlQuery>

TdmfUprawnUzytkow::TdmfUprawnUzytkow(int userId, Connection& connection, QObject* parent)
    : QObject(parent), connection_(connection), qryUprawn_(new Query(connection, this)), userId_(userId) {
    Query& q = *qryUprawn_;
    q.setSql(QStringList{QStringLiteral("SELECT apuf_uf_id  uf_id, uf_nr, uf_nazwa, 1 uzytkow_ma_uprawn"),
                         QStringLiteral("FROM ap_uf "),
                         QStringLiteral("INNER JOIN upr_fun ON uf_id = apuf_uf_id "),
                         QStringLiteral("WHERE apuf_au_id = :apuf_au_id"), QStringLiteral("UNION"),
                         QStringLiteral("SELECT uf_id, uf_nr, uf_nazwa, 0 uzytkow_ma_uprawn"),
                         QStringLiteral("FROM upr_fun "), QStringLiteral("WHERE uf_id NOT IN ("),
                         QStringLiteral("   SELECT apuf_uf_id"), QStringLiteral("   FROM ap_uf "),
                         QStringLiteral("   WHERE apuf_au_id = :apuf_au_id"), QStringLiteral(")")});
    q.setParam(QStringLiteral("apuf_au_id"), userId);
    q.field(QStringLiteral("uf_id")).setVisible(false).setReadOnly();
    q.field(QStringLiteral("uf_nr")).setLabel(QStringLiteral("Nr upr.")).setReadOnly();
    q.field(QStringLiteral("uf_nazwa")).setLabel(QStringLiteral("Nazwa")).setReadOnly();
    q.field(QStringLiteral("uzytkow_ma_uprawn")).setVisible(false).setReadOnly();
    q.addCalculatedField(QStringLiteral("clc_ma_uprawn"), FieldType::String, 1)
        .setLabel(QStringLiteral("Włączone"));
    q.onCalcFields += [](Query& r) {
        r.fieldByName(QStringLiteral("clc_ma_uprawn"))
            .setValue(FlagText(r.fieldByName(QStringLiteral("uzytkow_ma_uprawn")).asInteger() != 0));
    };
}

void TdmfUprawnUzytkow::ToggleRight() {
    Query& q = *qryUprawn_;
    if (!q.isActive() || q.isEmpty())
        return;
    const int functionId = int(q.fieldByName(QStringLiteral("uf_id")).asInteger());
    if (q.fieldByName(QStringLiteral("uzytkow_ma_uprawn")).asInteger() != 0) {
        connection_.run(QStringLiteral("DELETE FROM ap_uf WHERE apuf_au_id = ? AND apuf_uf_id = ?"),
                        {userId_, functionId});
    } else {
        connection_.run(QStringLiteral("INSERT INTO ap_uf (apuf_id, apuf_au_id, apuf_uf_id, apuf_uc, "
                                       "apuf_dc) VALUES (?, ?, ?, ?, ?)"),
                        {NewKey(connection_, QStringLiteral("g_ap_uf")), userId_, functionId, SignedInLogin(),
                         QDateTime::currentDateTime()});
    }
    q.refresh();
    q.locate(QStringLiteral("uf_id"), functionId);
}
