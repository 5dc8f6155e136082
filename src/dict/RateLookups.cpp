#include "dict/RateLookups.h"

#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QStringList>

namespace {

// Runs a read-only query and answers the named column of its first row; 0 when there is none.
double FirstValue(Connection& connection, const QStringList& sql, const QString& column,
                  const QList<QPair<QString, QVariant>>& params) {
    Query q(connection);
    q.setSql(sql);
    for (const auto& [name, value] : params)
        q.setParam(name, value);
    q.open();
    const double value = q.isEmpty() ? 0.0 : q.fieldByName(column).asFloat();
    q.close();
    return value;
}

// Rate codes are VARCHAR(16): a longer one matches no row, and the engine would refuse to bind it.
constexpr int kKodLength = 16;

double RateByCode(Connection& connection, const QStringList& sql, const QString& kod, int rokId) {
    if (kod.size() > kKodLength)
        return 0.0;
    return FirstValue(connection, sql, QStringLiteral("kwota"),
                      {{QStringLiteral("rok_id"), rokId}, {QStringLiteral("kod"), kod}});
}

} // namespace

double GetStawkaTC(Connection& connection, const QString& kod, int rokId) {
    return RateByCode(connection,
                      {QStringLiteral("SELECT sotc_kwota AS kwota"), QStringLiteral("FROM so_tabela_c"),
                       QStringLiteral("WHERE sotc_rok_id = :rok_id"), QStringLiteral("AND sotc_kod = :kod")},
                      kod, rokId);
}

double GetStawkaTC(const QString& kod, int rokId) {
    return GetStawkaTC(MainConnection(), kod, rokId);
}

QString KodTempWody(double temperature) {
    // Bands are open below and closed above: 26 gives nothing, 32 the first band, 35 the second.
    if (!(temperature > 26.0))
        return QString();
    if (temperature <= 32.0)
        return QString::fromLatin1(kKodTemp26_32);
    if (temperature <= 35.0)
        return QString::fromLatin1(kKodTemp32_35);
    return QString::fromLatin1(kKodTempPonad35);
}

double GetStawkaTempWody(Connection& connection, double temperature, int rokId) {
    const QString kod = KodTempWody(temperature);
    return kod.isEmpty() ? 0.0 : GetStawkaTC(connection, kod, rokId);
}

double GetStawkaTempWody(double temperature, int rokId) {
    const QString kod = KodTempWody(temperature);
    return kod.isEmpty() ? 0.0 : GetStawkaTC(kod, rokId);
}

double GetStawkaSoTab(Connection& connection, const QString& table, const QString& kod, int rokId) {
    if (table == QLatin1String("a"))
        return RateByCode(connection,
                          {QStringLiteral("SELECT sota_kwota AS kwota"), QStringLiteral("FROM so_tabela_a"),
                           QStringLiteral("WHERE sota_rok_id = :rok_id"),
                           QStringLiteral("AND sota_kod = :kod")},
                          kod, rokId);
    if (table == QLatin1String("b"))
        return RateByCode(connection,
                          {QStringLiteral("SELECT sotb_kwota AS kwota"), QStringLiteral("FROM so_tabela_b"),
                           QStringLiteral("WHERE sotb_rok_id = :rok_id"),
                           QStringLiteral("AND sotb_kod = :kod")},
                          kod, rokId);
    return 0.0;
}

double GetStawkaSoTab(const QString& table, const QString& kod, int rokId) {
    if (table != QLatin1String("a") && table != QLatin1String("b"))
        return 0.0;
    return GetStawkaSoTab(MainConnection(), table, kod, rokId);
}

bool WskTaRateRow(int indicatorId, int rzgwId, QString* table, QString* kod) {
    constexpr int kRzgwGdansk = 100;
    QString t, k;
    if (indicatorId == 100) {
        t = QStringLiteral("a");
        k = QStringLiteral("BZT5");
    } else if (indicatorId == 101) {
        t = QStringLiteral("a");
        k = QStringLiteral("ChZT-Cr");
    } else if (indicatorId == 102) {
        t = QStringLiteral("a");
        k = QStringLiteral("ZO");
    } else if (indicatorId == 103) {
        t = QStringLiteral("a");
        k = rzgwId == kRzgwGdansk ? QStringLiteral("Cl+SO4-RZGW-Gd") : QStringLiteral("Cl+SO4");
    } else if (indicatorId == 104) {
        t = QStringLiteral("b");
        k = QStringLiteral("FENOLE-LOTNE");
    } else if (indicatorId >= 105 && indicatorId <= 115) {
        // Heavy metals and the remaining listed substances share one rate.
        t = QStringLiteral("b");
        k = QStringLiteral("INNE-SUBSTANCJE");
    } else {
        return false;
    }
    if (table)
        *table = t;
    if (kod)
        *kod = k;
    return true;
}

double GetStawkaWskTA(Connection& connection, int indicatorId, int rzgwId, int rokId) {
    QString table, kod;
    if (!WskTaRateRow(indicatorId, rzgwId, &table, &kod))
        return 0.0;
    return GetStawkaSoTab(connection, table, kod, rokId);
}

double GetStawkaWskTA(int indicatorId, int rzgwId, int rokId) {
    QString table, kod;
    if (!WskTaRateRow(indicatorId, rzgwId, &table, &kod))
        return 0.0;
    return GetStawkaSoTab(table, kod, rokId);
}

double GetWspRoznSc(Connection& connection, int id) {
    return FirstValue(connection,
                      {QStringLiteral("SELECT wrsc_wspolczynnik AS wsp"), QStringLiteral("FROM wsp_rozn_sc"),
                       QStringLiteral("WHERE wrsc_id = :id")},
                      QStringLiteral("wsp"), {{QStringLiteral("id"), id}});
}

double GetWspRoznSc(int id) {
    return GetWspRoznSc(MainConnection(), id);
}

namespace {

// The row of wsp_rozn_sc for an indicator and a kind of sewage; 0 when the pair has no coefficient.
int WspRoznScRow(int indicatorId, const QString& kindCode) {
    const bool domestic = kindCode == QLatin1String("a");
    const bool municipal = kindCode == QLatin1String("b");
    if (indicatorId == 100 && domestic)
        return 100;
    if (indicatorId == 100 && municipal)
        return 102;
    if (indicatorId == 101 && domestic)
        return 101;
    if (indicatorId == 101 && municipal)
        return 103;
    return 0;
}

} // namespace

double GetWspRoznScWsk(Connection& connection, int indicatorId, const QString& kindCode) {
    const int row = WspRoznScRow(indicatorId, kindCode);
    return row ? GetWspRoznSc(connection, row) : 1.0;
}

double GetWspRoznScWsk(int indicatorId, const QString& kindCode) {
    const int row = WspRoznScRow(indicatorId, kindCode);
    return row ? GetWspRoznSc(row) : 1.0;
}

double GetWspRoznOdpd(Connection& connection, int id) {
    return FirstValue(connection,
                      {QStringLiteral("SELECT wrodpd_wartosc AS wsp"), QStringLiteral("FROM wsp_rozn_odpd"),
                       QStringLiteral("WHERE wrodpd_id = :id")},
                      QStringLiteral("wsp"), {{QStringLiteral("id"), id}});
}

double GetWspRoznOdpd(int id) {
    return GetWspRoznOdpd(MainConnection(), id);
}

QList<TIdName> LataSoTL(Connection& connection) {
    Query q(connection);
    q.setSql(QStringList{
        QStringLiteral("SELECT DISTINCT rok_id, rok_nazwa"), QStringLiteral("FROM so_tabela_l"),
        QStringLiteral("INNER JOIN lata ON rok_id = sotl_rok_id"), QStringLiteral("ORDER BY rok_nazwa")});
    q.open();
    QList<TIdName> years;
    const Field& id = q.fieldByName(QStringLiteral("rok_id"));
    const Field& name = q.fieldByName(QStringLiteral("rok_nazwa"));
    for (q.first(); !q.eof(); q.next())
        years.append({int(id.asInteger()), name.asString()});
    q.close();
    return years;
}

QList<TIdName> LataSoTL() {
    return LataSoTL(MainConnection());
}
