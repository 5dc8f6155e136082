#include "statements/TdmfZest.h"

#include "dict/LocationTransfer.h"
#include "forms/DataHelpers.h"
#include "platform/data/TableDef.h"

#include <QDateTime>
#include <QSqlQuery>

namespace {

// The entity of a statement: its key and the fields shown with it.
const char* const kEntityFields[] = {"z_pdm_id",         "pdm_nazwa", "pdm_adres", "pdm_regon",
                                     "pdm_telefon_faks", "gm_nazwa",  "pow_nazwa", "woj_nazwa"};

// The tables of a statement's content that lock its rate year, with their statement column, in the
// order in which they are counted.
const char* const kContent[][2] = {{"instalacje_dzialalnosci", "ild_z_id"},
                                   {"lokalizacje_tb", "ltb_z_id"},
                                   {"lokalizacja_tc", "ltc_z_id"},
                                   {"oplaty_td", "otd_z_id"},
                                   {"ujecia_wody", "uw_z_id"},
                                   {"odbiorniki_sc", "osc_z_id"},
                                   {"skladowiska_odpd", "skod_z_id"}};

QString Name(const char* name) {
    return QString::fromLatin1(name);
}

// A dictionary key for a new statement; a dictionary without an active row leaves the field empty,
// so that saving names it instead of failing on the reference.
QVariant DefaultKey(Connection& cn, const char* prefix, const char* table) {
    const QString p = Name(prefix);
    const int id = FirstActiveId(cn, p + QStringLiteral("_id"), p + QStringLiteral("_lp"),
                                 p + QStringLiteral("_f_aktualny"), Name(table));
    return id != 0 ? QVariant(id) : QVariant();
}

} // namespace

TdmfZest::TdmfZest(Connection& connection, QObject* parent)
    : QObject(parent), connection_(connection), qryZest_(new Query(connection, this)) {
    Query& q = *qryZest_;
    q.setSql(QStringLiteral(
        "SELECT z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, z_notatka, rz.rok_nazwa AS rok_nazwa, "
        "pr_nazwa, pdm_nazwa, pdm_adres, pdm_regon, pdm_telefon_faks, gm_nazwa, pow_nazwa, woj_nazwa, "
        "stz_nazwa, z_rok_st_opl_id, rso.rok_nazwa AS rok_st_opl FROM zestawienia INNER JOIN lata rz ON "
        "rz.rok_id = z_rok_id INNER JOIN lata rso ON rso.rok_id = z_rok_st_opl_id INNER JOIN polrocza ON "
        "pr_id = z_pr_id INNER JOIN podmioty ON pdm_id = z_pdm_id INNER JOIN gminy ON gm_id = pdm_gm_id "
        "INNER JOIN powiaty ON pow_id = gm_pow_id INNER JOIN wojewodztwa ON woj_id = pow_woj_id INNER JOIN "
        "stan_zestawienia ON stz_id = z_stz_id"));
    TableDef table{QStringLiteral("zestawienia"), QStringLiteral("z_id"), {}, {}};
    for (const char* column :
         {"z_rok_id", "z_pr_id", "z_pdm_id", "z_stz_id", "z_dt_utw", "z_notatka", "z_rok_st_opl_id"})
        table.columns << Name(column);
    ApplyTableDef(q, table);

    auto own = [&q](const char* name, const char* label, bool required) -> Field& {
        return q.field(Name(name)).setLabel(QString::fromUtf8(label)).setRequired(required);
    };
    own("z_id", "Nr sys.", false).setReadOnly();
    own("z_rok_id", "Rok Id", true).setVisible(false);
    own("z_pr_id", "Półrocze", true).setVisible(false);
    own("z_pdm_id", "Podmiot", true).setVisible(false);
    own("z_stz_id", "Stan zestawienia", true).setVisible(false);
    own("z_dt_utw", "Data utw.", true);
    own("z_notatka", "Notatka", false);
    own("z_rok_st_opl_id", "Id roku st. opl.", true).setVisible(false);
    auto shown = [&q](const char* name, const char* label, int size) {
        q.field(Name(name)).setLabel(QString::fromUtf8(label)).setSize(size).setReadOnly();
    };
    shown("rok_nazwa", "Rok", 0);
    shown("pr_nazwa", "Półrocze", 16);
    shown("pdm_nazwa", "Podmiot", 128);
    shown("pdm_adres", "Adres podmiotu", 64);
    shown("pdm_regon", "REGON", 14);
    shown("pdm_telefon_faks", "Telefon/faks", 40);
    shown("gm_nazwa", "Gmina", 64);
    shown("pow_nazwa", "Powiat", 24);
    shown("woj_nazwa", "Województwo", 24);
    shown("stz_nazwa", "Stan zestawienia", 16);
    shown("rok_st_opl", "Rok st. opl.", 0);

    WireRecordErrors(q, QStringLiteral("Zestawienia"), QStringLiteral("Zestawienie"));

    Connection* cn = &connection_;
    q.afterInsert += [cn](Query& r) {
        const QVariant year = DefaultKey(*cn, "rok", "lata");
        r.fieldByName(QStringLiteral("z_rok_id")).setValue(year);
        r.fieldByName(QStringLiteral("z_rok_st_opl_id")).setValue(year);
        r.fieldByName(QStringLiteral("z_pr_id")).setValue(DefaultKey(*cn, "pr", "polrocza"));
        r.fieldByName(QStringLiteral("z_stz_id")).setValue(DefaultKey(*cn, "stz", "stan_zestawienia"));
        r.fieldByName(QStringLiteral("z_dt_utw")).setValue(QDateTime(QDate::currentDate(), QTime(0, 0)));
    };
}

int TdmfZest::RokStOplId() const {
    return int(qryZest_->fieldByName(QStringLiteral("z_rok_st_opl_id")).asInteger());
}

bool TdmfZest::ZestawienieJestPuste(int zId) const {
    for (const auto& [table, column] : kContent) {
        const QString sql =
            QString::asprintf("SELECT COUNT(*) AS licznik FROM %s WHERE %s = ?", table, column);
        QSqlQuery q = connection_.run(sql, {zId});
        if (q.next() && q.value(0).toInt() > 0)
            return false;
    }
    return true;
}

bool TdmfZest::RokStOplZablokowany() {
    const Query& q = *qryZest_;
    // Without a statement there is no rate year to change.
    if (!q.isActive() || q.recNo() < 0)
        return true;
    const QVariant zId = q.fieldByName(QStringLiteral("z_id")).value();
    if (zId.isNull())
        return true;
    if (lockCache_.first != zId.toInt() || !lockCache_.second.has_value()) {
        // One query for the seven tables; the answer holds until content is added or removed.
        QStringList exists;
        QVariantList keys;
        for (const auto& [table, column] : kContent) {
            exists << QString::asprintf("EXISTS (SELECT 1 FROM %s WHERE %s = ?)", table, column);
            keys << zId;
        }
        QSqlQuery check = connection_.run(
            QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE ") + exists.join(QStringLiteral(" OR ")), keys);
        lockCache_ = {zId.toInt(), check.next()};
    }
    return *lockCache_.second;
}

void TdmfZest::ZawartoscZmieniona() {
    lockCache_.second.reset();
}

TrPodmiot TdmfZest::LookUpPodmiot(const QString& sql, const QString& param, int key) const {
    Query q(connection_);
    q.setSql(sql);
    q.setParam(param, key);
    q.open();
    TrPodmiot podmiot;
    if (!q.isEmpty()) {
        podmiot.pdmId = int(q.fieldByName(QStringLiteral("pdm_id")).asInteger());
        podmiot.nazwa = q.fieldByName(QStringLiteral("pdm_nazwa")).asString();
        podmiot.adres = q.fieldByName(QStringLiteral("pdm_adres")).asString();
        podmiot.regon = q.fieldByName(QStringLiteral("pdm_regon")).asString();
        podmiot.telefonFaks = q.fieldByName(QStringLiteral("pdm_telefon_faks")).asString();
    }
    return podmiot;
}

TrPodmiot TdmfZest::PodmiotZestawienia(int zId) const {
    return LookUpPodmiot(
        QStringLiteral(
            "SELECT DISTINCT pdm_id, pdm_nazwa, pdm_adres, pdm_regon, pdm_telefon_faks FROM podmioty "
            "INNER JOIN zestawienia ON z_pdm_id = pdm_id WHERE z_id = :z_id"),
        QStringLiteral("z_id"), zId);
}

TrPodmiot TdmfZest::PodmiotZestawieniaZbiorczego(int zzbId) const {
    return LookUpPodmiot(
        QStringLiteral(
            "SELECT DISTINCT pdm_id, pdm_nazwa, pdm_adres, pdm_regon, pdm_telefon_faks FROM podmioty "
            "INNER JOIN zestawienia ON z_pdm_id = pdm_id INNER JOIN zestawienia_zbiorcze ON "
            "zzb_z_id = z_id WHERE zzb_id = :zzb_id"),
        QStringLiteral("zzb_id"), zzbId);
}

void TdmfZest::SetPodmiot(const TrPodmiot& podmiot, const TrLokalizacja& siedziba) {
    ClearPodmiot();
    Query& q = *qryZest_;
    q.fieldByName(QStringLiteral("z_pdm_id")).setValue(podmiot.pdmId);
    q.fieldByName(QStringLiteral("pdm_nazwa")).setValue(podmiot.nazwa);
    q.fieldByName(QStringLiteral("pdm_adres")).setValue(podmiot.adres);
    q.fieldByName(QStringLiteral("pdm_regon")).setValue(podmiot.regon);
    q.fieldByName(QStringLiteral("pdm_telefon_faks")).setValue(podmiot.telefonFaks);
    q.fieldByName(QStringLiteral("gm_nazwa")).setValue(siedziba.gmNazwa);
    q.fieldByName(QStringLiteral("pow_nazwa")).setValue(siedziba.powNazwa);
    q.fieldByName(QStringLiteral("woj_nazwa")).setValue(siedziba.wojNazwa);
}

void TdmfZest::SetPodmiot(const Query& podmioty) {
    auto text = [&podmioty](const char* name) { return podmioty.fieldByName(Name(name)).asString(); };
    TrPodmiot podmiot;
    podmiot.pdmId = int(podmioty.fieldByName(QStringLiteral("pdm_id")).asInteger());
    podmiot.nazwa = text("pdm_nazwa");
    podmiot.adres = text("pdm_adres");
    podmiot.regon = text("pdm_regon");
    podmiot.telefonFaks = text("pdm_telefon_faks");
    TrLokalizacja siedziba;
    siedziba.gmNazwa = text("gm_nazwa");
    siedziba.powNazwa = text("pow_nazwa");
    siedziba.wojNazwa = text("woj_nazwa");
    SetPodmiot(podmiot, siedziba);
}

void TdmfZest::ClearPodmiot() {
    Query& q = *qryZest_;
    EnsureEdit(&q);
    for (const char* name : kEntityFields)
        q.fieldByName(Name(name)).clear();
}

void TdmfZest::ReadLocation(const Query& list, const QString& communeField, const QString& addressField,
                            TrLokalizacja& location) {
    ::ReadLocation(list, communeField, addressField, location);
}

void TdmfZest::WriteLocation(Query& list, const QString& communeField, const QString& addressField,
                             const TrLokalizacja& location) {
    ::WriteLocation(list, communeField, addressField, location);
}
