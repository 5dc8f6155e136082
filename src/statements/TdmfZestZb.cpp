#include "statements/TdmfZestZb.h"

#include "forms/DataHelpers.h"
#include "platform/Messages.h"
#include "platform/data/Connection.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/SqlParams.h"
#include "platform/data/TableDef.h"
#include "statements/TdmfZest.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

namespace {

const QString kAmountFormat = QStringLiteral("0.00,");

// One sum of the statement's fees in a voivodeship and the template of the item it fills. The
// queries take `z_id`, `woj_id` and, where the table needs it, one further parameter.
struct Agregacja {
    int spzzbId;
    const char* sql;
    const char* param = nullptr;
    QVariant value = {};
};

const char* const kUjecia =
    "SELECT SUM( uw_kwota ) AS kwota FROM ujecia_wody INNER JOIN gminy ON gm_id = uw_gm_id INNER JOIN "
    "powiaty ON pow_id = gm_pow_id WHERE uw_tuw_id = :tuw_id AND uw_z_id = :z_id AND pow_woj_id = :woj_id";
const char* const kKodyTa =
    "SELECT sum( kta_kwota ) AS kwota FROM kody_ta INNER JOIN odbiorniki_sc ON kta_osc_id = osc_id INNER "
    "JOIN gminy ON osc_gm_id = gm_id INNER JOIN powiaty ON pow_id = gm_pow_id WHERE kta_kod = :kta_kod AND "
    "osc_z_id = :z_id AND pow_woj_id = :woj_id";
const char* const kOdpady =
    "SELECT SUM( odpd_oplata ) AS kwota FROM odpady INNER JOIN skladowiska_odpd ON skod_id = odpd_skod_id "
    "INNER JOIN gminy ON gm_id = skod_gm_id INNER JOIN powiaty ON pow_id = gm_pow_id WHERE odpd_tsodpd_id = "
    ":tsodpd_id AND skod_z_id = :z_id AND pow_woj_id = :woj_id";

// In the order of the form's lines.
const QList<Agregacja>& Agregacje() {
    static const QList<Agregacja> list = {
        {101,
         "SELECT SUM( zws_oplata ) AS kwota FROM zrodla_wprow_subst INNER JOIN instalacje_dzialalnosci ON "
         "ild_id = zws_ild_id INNER JOIN gminy ON gm_id = ild_gm_id INNER JOIN powiaty ON pow_id = gm_pow_id "
         "INNER JOIN wojewodztwa ON woj_id = pow_woj_id WHERE ild_z_id = :z_id AND woj_id = :woj_id"},
        {102, "SELECT SUM( ltb_kwota ) AS kwota FROM lokalizacje_tb INNER JOIN gminy ON gm_id = ltb_gm_id "
              "INNER JOIN powiaty ON pow_id = gm_pow_id INNER JOIN wojewodztwa ON woj_id = pow_woj_id WHERE "
              "ltb_z_id = :z_id AND woj_id = :woj_id"},
        {103, "SELECT SUM( ltc_kwota ) AS kwota FROM lokalizacja_tc INNER JOIN gminy ON gm_id = ltc_gm_id "
              "INNER JOIN powiaty ON pow_id = gm_pow_id INNER JOIN wojewodztwa ON woj_id = pow_woj_id WHERE "
              "ltc_z_id = :z_id AND woj_id = :woj_id"},
        // Table D has no place: it counts at the entity's seat.
        {104, "SELECT SUM( otd_kwota ) AS kwota FROM oplaty_td INNER JOIN zestawienia ON z_id = otd_z_id "
              "INNER JOIN podmioty ON pdm_id = z_pdm_id INNER JOIN gminy ON gm_id = pdm_gm_id INNER JOIN "
              "powiaty ON pow_id = gm_pow_id INNER JOIN wojewodztwa ON woj_id = pow_woj_id WHERE otd_z_id = "
              ":z_id AND woj_id = :woj_id"},
        {108, kUjecia, "tuw_id", 100},
        {109, kUjecia, "tuw_id", 101},
        {113, kKodyTa, "kta_kod", QStringLiteral("a")},
        {114, kKodyTa, "kta_kod", QStringLiteral("b")},
        {115, kKodyTa, "kta_kod", QStringLiteral("c")},
        {116, kKodyTa, "kta_kod", QStringLiteral("d")},
        {117, kKodyTa, "kta_kod", QStringLiteral("rwś")},
        {118, kKodyTa, "kta_kod", QStringLiteral("rł")},
        {119,
         "SELECT sum( osc_chl_oplata ) AS kwota FROM odbiorniki_sc INNER JOIN gminy ON osc_gm_id = gm_id "
         "INNER JOIN powiaty ON pow_id = gm_pow_id WHERE osc_z_id = :z_id AND pow_woj_id = :woj_id"},
        {120, "SELECT SUM( oor_oplata ) AS kwota FROM oplaty_opady_roztopy INNER JOIN odbiorniki_sc ON "
              "oor_osc_id = osc_id INNER JOIN gminy ON osc_gm_id = gm_id INNER JOIN powiaty ON pow_id = "
              "gm_pow_id WHERE osc_z_id = :z_id AND pow_woj_id = :woj_id"},
        {121,
         "SELECT SUM( osc_chls_oplata ) AS kwota FROM odbiorniki_sc INNER JOIN gminy ON osc_gm_id = gm_id "
         "INNER JOIN powiaty ON pow_id = gm_pow_id WHERE osc_z_id = :z_id AND pow_woj_id = :woj_id"},
        {125, kOdpady, "tsodpd_id", 100},
        {126, kOdpady, "tsodpd_id", 101},
    };
    return list;
}

// Runs a statement written with named parameters, the values given by name.
QSqlQuery RunNamed(Connection& cn, const QString& sql, const QHash<QString, QVariant>& values) {
    const PositionalSql ps = ToPositional(sql);
    QVariantList bound;
    for (const QString& name : ps.names)
        bound << values.value(name.toLower());
    return cn.run(ps.sql, bound);
}

QString Name(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

// --- roles and totals

RolaPozycjiZZb RolaPozycji(const QString& lpWydr) {
    const QString lp = lpWydr.trimmed();
    if (SekcjaPozycji(lp) != 0)
        return RolaPozycjiZZb::Szczegolowa;
    for (const char* section : {"I", "II", "III", "IV"})
        if (lp == QLatin1String(section))
            return RolaPozycjiZZb::Sekcja;
    if (lp == QLatin1String("suma"))
        return RolaPozycjiZZb::Suma;
    return RolaPozycjiZZb::Inna;
}

int SekcjaPozycji(const QString& lpWydr) {
    const QString lp = lpWydr.trimmed();
    for (int section = 1; section <= 4; ++section)
        if (lp.startsWith(QString::number(section) + QLatin1Char('.'), Qt::CaseInsensitive))
            return section;
    return 0;
}

namespace {

// The form's rule on whole złoty; a negative correction is rounded on its size.
Decimal WholeZloty(const Decimal& value) {
    return value.isNegative() ? -RoundWholeZloty(-value) : RoundWholeZloty(value);
}

int SectionOfTotal(const QString& lpWydr) {
    const QString lp = lpWydr.trimmed();
    const char* const totals[] = {"I", "II", "III", "IV"};
    for (int i = 0; i < 4; ++i)
        if (lp == QLatin1String(totals[i]))
            return i;
    return -1;
}

} // namespace

SumyZZb ObliczSumyZZb(const QList<std::pair<QString, Decimal>>& pozycje) {
    SumyZZb s;
    for (const auto& [lp, kwota] : pozycje)
        if (const int section = SekcjaPozycji(lp))
            s.sumy[section - 1] += kwota;
    const Decimal threshold(400);
    for (int i = 0; i < 4; ++i) {
        s.sekcje[i] = WholeZloty(s.sumy[i]);
        if (s.sekcje[i] > threshold)
            s.suma += s.sekcje[i];
        s.kwota += s.sumy[i];
    }
    s.kwota = RoundTwoDecimals(s.kwota);
    return s;
}

// --- the module

TdmfZestZb::TdmfZestZb(TdmfZest& dm)
    : QObject(&dm), dm_(dm), qryZZb_(new Query(dm.connection(), this)),
      qryZZbPoz_(new Query(dm.connection(), this)), qryZZbWoj_(new Query(dm.connection(), this)),
      qryZZbPozSz_(new Query(dm.connection(), this)) {
    buildSummaries();
    buildItems();

    // The voivodeships of the statement's places of use, and of its sewage receivers: their sewage,
    // cooling, rain and saline fees are summarised in the receiver's voivodeship, which may have no
    // other place.
    qryZZbWoj_->setSql(QStringLiteral(
        "SELECT * FROM v_zzb_woj WHERE z_id = :z_id AND woj_id NOT IN ( SELECT zzb_woj_id FROM "
        "zestawienia_zbiorcze WHERE zzb_z_id = :z_id ) UNION SELECT woj_id, woj_nazwa, osc_z_id FROM "
        "odbiorniki_sc INNER JOIN gminy ON gm_id = osc_gm_id INNER JOIN powiaty ON pow_id = gm_pow_id "
        "INNER JOIN wojewodztwa ON woj_id = pow_woj_id WHERE osc_z_id = :z_id AND woj_id NOT IN ( SELECT "
        "zzb_woj_id FROM zestawienia_zbiorcze WHERE zzb_z_id = :z_id ) ORDER BY 1"));
    qryZZbWoj_->field(QStringLiteral("woj_nazwa")).setLabel(QStringLiteral("Województwo"));
    qryZZbWoj_->field(QStringLiteral("woj_id")).setVisible(false);
    qryZZbWoj_->field(QStringLiteral("z_id")).setVisible(false);

    qryZZbPozSz_->setSql(QStringLiteral(
        "SELECT * FROM szablony_poz_zzb WHERE spzzb_f_aktualny = 1 ORDER BY spzzb_poz_wydruku"));
}

void TdmfZestZb::buildSummaries() {
    Query& q = *qryZZb_;
    q.setSql(QStringLiteral("SELECT zzb_id, zzb_z_id, zzb_woj_id, zzb_kwota, zzb_oplata_og, woj_nazwa FROM "
                            "zestawienia_zbiorcze INNER JOIN wojewodztwa ON woj_id = zzb_woj_id WHERE "
                            "zzb_z_id = :z_id"));
    q.setMaster(dm_.qryZest(), {{QStringLiteral("z_id"), QStringLiteral("z_id")}});
    ApplyTableDef(q, TableDef{QStringLiteral("zestawienia_zbiorcze"),
                              QStringLiteral("zzb_id"),
                              {QStringLiteral("zzb_z_id"), QStringLiteral("zzb_woj_id"),
                               QStringLiteral("zzb_kwota"), QStringLiteral("zzb_oplata_og")},
                              {}});
    q.field(QStringLiteral("zzb_id")).setLabel(QStringLiteral("Nr sys.")).setReadOnly();
    q.field(QStringLiteral("zzb_z_id")).setLabel(QStringLiteral("Id zest.")).setRequired().setVisible(false);
    q.field(QStringLiteral("zzb_woj_id")).setLabel(QStringLiteral("Id woj.")).setRequired().setVisible(false);
    q.field(QStringLiteral("woj_nazwa")).setLabel(QStringLiteral("Województwo")).setReadOnly().setSize(24);
    q.field(QStringLiteral("zzb_kwota"))
        .setLabel(QStringLiteral("Kwota [zł]"))
        .setDisplayFormat(kAmountFormat)
        .setReadOnly()
        .setSize(14);
    q.field(QStringLiteral("zzb_oplata_og"))
        .setLabel(QStringLiteral("Opłaty ogółem [zł]"))
        .setDisplayFormat(kAmountFormat)
        .setReadOnly()
        .setSize(14);
    WireRecordErrors(q, QStringLiteral("Zestawienia zbiorczego"), QStringLiteral("Zestawienie zbiorcze"));
}

void TdmfZestZb::buildItems() {
    Query& q = *qryZZbPoz_;
    q.setSql(QStringLiteral(
        "SELECT pzzb_id, pzzb_zzb_id, pzzb_spzzb_id, pzzb_wys_oplaty, spzzb_id, spzzb_lp_wydr, "
        "spzzb_etykieta_frm, spzzb_etykieta_prt, spzzb_kod_tabeli, spzzb_poz_wydruku, spzzb_f_aktualny, "
        "spzzb_lp FROM pozycje_zzb INNER JOIN szablony_poz_zzb ON spzzb_id = pzzb_spzzb_id WHERE "
        "pzzb_zzb_id = :zzb_id ORDER BY spzzb_poz_wydruku ASC"));
    q.setMaster(qryZZb_, {{QStringLiteral("zzb_id"), QStringLiteral("zzb_id")}});
    ApplyTableDef(q, TableDef{QStringLiteral("pozycje_zzb"),
                              QStringLiteral("pzzb_id"),
                              {QStringLiteral("pzzb_zzb_id"), QStringLiteral("pzzb_spzzb_id"),
                               QStringLiteral("pzzb_wys_oplaty")},
                              {}});
    q.field(QStringLiteral("pzzb_id")).setLabel(QStringLiteral("Nr sys.")).setReadOnly();
    q.field(QStringLiteral("pzzb_zzb_id")).setLabel(QStringLiteral("Id zest. zb.")).setVisible(false);
    q.field(QStringLiteral("pzzb_spzzb_id")).setVisible(false);
    q.field(QStringLiteral("spzzb_id")).setVisible(false).setReadOnly();
    auto shown = [&q](const char* name, const char* label, int size) -> Field& {
        return q.field(Name(name)).setLabel(QString::fromUtf8(label)).setReadOnly().setSize(size);
    };
    shown("spzzb_lp_wydr", "Lp.", 6);
    shown("spzzb_etykieta_frm", "Rodzaj korzystania ze środowiska", 60);
    shown("spzzb_etykieta_prt", "Rodzaj korzystania ze środowiska", 60).setVisible(false);
    shown("spzzb_kod_tabeli", "Kod tabeli", 4);
    shown("spzzb_poz_wydruku", "Poz. wydr.", 4).setVisible(false);
    shown("spzzb_f_aktualny", "", 1).setVisible(false);
    shown("spzzb_lp", "Lp.", 4).setVisible(false);

    Field& amount = q.field(QStringLiteral("pzzb_wys_oplaty"));
    amount.setLabel(QStringLiteral("Wysokość opłaty [zł]")).setDisplayFormat(kAmountFormat).setSize(14);
    // A heading carries no amount: its cell stays empty.
    amount.onGetText = [](const Field& f) -> QString {
        const QString lp = f.dataSet().fieldByName(QStringLiteral("spzzb_lp_wydr")).asString();
        if (f.isNull() || RolaPozycji(lp) == RolaPozycjiZZb::Inna)
            return {};
        return FormatNumber(f.asDecimal(), kAmountFormat);
    };
    // Typed amounts are kept to the grosz, as the fee tables keep theirs; an emptied cell is 0.
    amount.onSetText = [](Field& f, const QString& text) {
        if (IsBlank(text)) {
            f.setDecimal(Decimal());
            return;
        }
        const std::optional<Decimal> value = Decimal::fromText(text);
        if (!value)
            throw DataError(
                QStringLiteral("„%1” nie jest kwotą (pole „%2”).").arg(text.trimmed(), f.label()));
        f.setDecimal(RoundTwoDecimals(*value));
    };
    // A typed amount is saved at once, so that the totals follow it.
    amount.onChange += [this](Field& f) {
        Query& items = f.dataSet();
        if (items.state() == DataSetState::Edit && !creatingItems_)
            items.post();
    };
    // Only detail items are typed into: section totals and "suma" are computed, headings stay empty.
    q.beforeEdit += [](Query& items) {
        if (RolaPozycji(items.fieldByName(QStringLiteral("spzzb_lp_wydr")).asString()) !=
            RolaPozycjiZZb::Szczegolowa)
            Abort();
    };
    // Items come and go with their summary only.
    q.beforeInsert += [this](Query&) {
        if (!creatingItems_)
            Abort();
    };
    q.beforeDelete += [](Query&) { Abort(); };
    // The totals follow a changed item in the same transaction; the lists show them once it is through.
    q.afterWrite += [this](Query& items) {
        pending_ = {};
        if (items.state() != DataSetState::Edit)
            return;
        pending_ = zapiszSumy(int(items.fieldByName(QStringLiteral("pzzb_zzb_id")).asInteger()));
    };
    q.afterPost += [this](Query&) {
        const Zapisane shown = std::exchange(pending_, {});
        if (shown.zzbId != 0)
            pokaz(shown);
    };
    WireRecordErrors(q, QStringLiteral("Pozycji zestawienia zbiorczego"),
                     QStringLiteral("Pozycja zestawienia zbiorczego"));
}

void TdmfZestZb::OtworzWojewodztwa() {
    Query& q = *qryZZbWoj_;
    q.close();
    q.setParam(QStringLiteral("z_id"), dm_.qryZest()->fieldByName(QStringLiteral("z_id")).value());
    q.open();
}

bool TdmfZestZb::DodajZestawienie(int wojId, const QString& wojNazwa) {
    Query& summaries = *qryZZb_;
    Query& items = *qryZZbPoz_;
    if (wojId == 0 || IsBlank(wojNazwa)) {
        if (summaries.isActive())
            summaries.cancel();
        return false;
    }
    const QVariant zId = dm_.qryZest()->fieldByName(QStringLiteral("z_id")).value();
    if (zId.isNull())
        return false;
    OpenIfClosed(&summaries);
    summaries.append();
    summaries.fieldByName(QStringLiteral("zzb_z_id")).setValue(zId);
    summaries.fieldByName(QStringLiteral("zzb_woj_id")).setValue(wojId);
    summaries.fieldByName(QStringLiteral("woj_nazwa")).setValue(wojNazwa);
    const int zzbId = int(summaries.fieldByName(QStringLiteral("zzb_id")).asInteger());

    // The summary with all its items, or nothing.
    auto undo = [&] {
        creatingItems_ = false;
        if (items.isActive() && items.isEditing())
            items.cancel();
        items.enableControls();
        if (summaries.state() == DataSetState::Insert)
            summaries.cancel();
        else
            summaries.refresh();
    };
    items.disableControls();
    try {
        Connection::Transaction transaction(dm_.connection());
        summaries.post();
        createItems(zzbId);
        transaction.commit();
    } catch (const OperationAborted&) {
        undo();
        return false;
    } catch (const DataError& e) {
        undo();
        AppMessages().error(e.message(), Messages::errorCaption());
        return false;
    }
    items.enableControls();
    items.refresh();
    items.first();
    return true;
}

void TdmfZestZb::createItems(int zzbId) {
    Query& templates = *qryZZbPozSz_;
    Query& items = *qryZZbPoz_;
    templates.close();
    templates.open();
    OpenIfClosed(&items);
    creatingItems_ = true;
    for (templates.first(); !templates.eof(); templates.next()) {
        items.append();
        items.fieldByName(QStringLiteral("pzzb_zzb_id")).setValue(zzbId);
        items.fieldByName(QStringLiteral("pzzb_spzzb_id"))
            .setValue(templates.fieldByName(QStringLiteral("spzzb_id")).value());
        items.fieldByName(QStringLiteral("pzzb_wys_oplaty")).setDecimal(Decimal());
        items.post();
    }
    creatingItems_ = false;
    templates.close();
}

QList<TdmfZestZb::Brakujaca> TdmfZestZb::agreguj(int zzbId, int zId, int wojId) {
    Connection& cn = dm_.connection();
    QSet<int> present;
    QSqlQuery own =
        cn.run(QStringLiteral("SELECT pzzb_spzzb_id FROM pozycje_zzb WHERE pzzb_zzb_id = ?"), {zzbId});
    while (own.next())
        present.insert(own.value(0).toInt());

    const QString update = QStringLiteral(
        "UPDATE pozycje_zzb SET pzzb_wys_oplaty = :kwota WHERE pzzb_spzzb_id = :spzzb_id AND pzzb_zzb_id = ( "
        "SELECT zzb_id FROM zestawienia_zbiorcze WHERE zzb_z_id = :z_id AND zzb_woj_id = :woj_id )");
    QList<Brakujaca> missing;
    for (const Agregacja& a : Agregacje()) {
        QHash<QString, QVariant> values{{QStringLiteral("z_id"), zId}, {QStringLiteral("woj_id"), wojId}};
        if (a.param)
            values.insert(Name(a.param), a.value);
        QSqlQuery sum = RunNamed(cn, QString::fromUtf8(a.sql), values);
        const Decimal kwota = Decimal::fromVariant(sum.next() ? sum.value(0) : QVariant());
        if (!present.contains(a.spzzbId)) {
            if (!kwota.isZero())
                missing.append({a.spzzbId, kwota});
            continue;
        }
        values.insert(QStringLiteral("kwota"), kwota.toVariant());
        values.insert(QStringLiteral("spzzb_id"), a.spzzbId);
        RunNamed(cn, update, values);
    }
    return missing;
}

TdmfZestZb::Zapisane TdmfZestZb::zapiszSumy(int zzbId) {
    Connection& cn = dm_.connection();
    QSqlQuery read = cn.run(QStringLiteral("SELECT pzzb_id, spzzb_lp_wydr, pzzb_wys_oplaty FROM pozycje_zzb "
                                           "INNER JOIN szablony_poz_zzb ON spzzb_id = pzzb_spzzb_id WHERE "
                                           "pzzb_zzb_id = ? ORDER BY spzzb_poz_wydruku"),
                            {zzbId});
    QList<std::pair<QString, Decimal>> amounts;
    QList<std::pair<int, QString>> computed; // item key, printed number
    while (read.next()) {
        const QString lp = read.value(1).toString();
        amounts.append({lp, Decimal::fromVariant(read.value(2))});
        const RolaPozycjiZZb role = RolaPozycji(lp);
        if (role == RolaPozycjiZZb::Sekcja || role == RolaPozycjiZZb::Suma)
            computed.append({read.value(0).toInt(), lp});
    }
    Zapisane z;
    z.zzbId = zzbId;
    z.sumy = ObliczSumyZZb(amounts);
    for (const auto& [pzzbId, lp] : computed) {
        const int section = SectionOfTotal(lp);
        const Decimal value = section >= 0 ? z.sumy.sekcje[section] : z.sumy.suma;
        cn.run(QStringLiteral("UPDATE pozycje_zzb SET pzzb_wys_oplaty = ? WHERE pzzb_id = ?"),
               {value.toVariant(), pzzbId});
        z.pozycje.append({pzzbId, value});
    }
    cn.run(
        QStringLiteral("UPDATE zestawienia_zbiorcze SET zzb_kwota = ?, zzb_oplata_og = ? WHERE zzb_id = ?"),
        {z.sumy.kwota.toVariant(), z.sumy.suma.toVariant(), zzbId});
    return z;
}

void TdmfZestZb::pokaz(const Zapisane& z) {
    Query& items = *qryZZbPoz_;
    if (items.isActive()) {
        items.disableControls();
        for (const auto& [pzzbId, value] : z.pozycje)
            items.setStoredValue(QStringLiteral("pzzb_id"), pzzbId, QStringLiteral("pzzb_wys_oplaty"),
                                 value.toVariant());
        items.enableControls();
    }
    Query& summaries = *qryZZb_;
    if (summaries.isActive()) {
        summaries.setStoredValue(QStringLiteral("zzb_id"), z.zzbId, QStringLiteral("zzb_kwota"),
                                 z.sumy.kwota.toVariant());
        summaries.setStoredValue(QStringLiteral("zzb_id"), z.zzbId, QStringLiteral("zzb_oplata_og"),
                                 z.sumy.suma.toVariant());
    }
}

void TdmfZestZb::PrzeliczSumy() {
    Query& summaries = *qryZZb_;
    if (!summaries.isActive() || summaries.recNo() < 0)
        return;
    const QVariant zzbId = summaries.fieldByName(QStringLiteral("zzb_id")).value();
    if (zzbId.isNull() || summaries.state() == DataSetState::Insert)
        return;
    Zapisane z;
    {
        Connection::Transaction transaction(dm_.connection());
        z = zapiszSumy(zzbId.toInt());
        transaction.commit();
    }
    pokaz(z);
}

void TdmfZestZb::PobierzKwoty() {
    Query& summaries = *qryZZb_;
    Query& items = *qryZZbPoz_;
    if (!summaries.isActive())
        return;
    summaries.checkBrowseMode();
    if (items.isActive())
        items.checkBrowseMode();
    if (summaries.recNo() < 0)
        return;
    const QVariant zzbId = summaries.fieldByName(QStringLiteral("zzb_id")).value();
    if (zzbId.isNull())
        return;
    const int zId = int(summaries.fieldByName(QStringLiteral("zzb_z_id")).asInteger());
    const int wojId = int(summaries.fieldByName(QStringLiteral("zzb_woj_id")).asInteger());

    // The fees and the totals together: a failure half-way leaves the summary as it was.
    QList<Brakujaca> missing;
    Zapisane z;
    {
        Connection::Transaction transaction(dm_.connection());
        missing = agreguj(zzbId.toInt(), zId, wojId);
        z = zapiszSumy(zzbId.toInt());
        transaction.commit();
    }
    if (items.isActive())
        RefreshKeepKey(items, QStringLiteral("pzzb_id"));
    pokaz(z);
    zglosBrakujace(missing);
}

void TdmfZestZb::zglosBrakujace(const QList<Brakujaca>& brakujace) {
    if (brakujace.isEmpty())
        return;
    QStringList lines;
    for (const Brakujaca& b : brakujace) {
        QSqlQuery t = dm_.connection().run(
            QStringLiteral(
                "SELECT spzzb_lp_wydr, spzzb_etykieta_frm FROM szablony_poz_zzb WHERE spzzb_id = ?"),
            {b.spzzbId});
        const QString line =
            t.next() ? t.value(0).toString().trimmed() + QLatin1Char(' ') + t.value(1).toString().trimmed()
                     : QString::number(b.spzzbId);
        lines << QStringLiteral("%1: %2 zł").arg(line, FormatNumber(b.kwota, kAmountFormat));
    }
    AppMessages().warning(
        QStringLiteral("Zestawienie zbiorcze nie ma pozycji na poniższe opłaty (pozycje włączono we wzorze "
                       "po jego utworzeniu), więc nie zostały one do niego wpisane:\n%1\nAby je ująć, usuń "
                       "zestawienie zbiorcze tego województwa, dodaj je ponownie i pobierz kwoty.")
            .arg(lines.join(QLatin1Char('\n'))));
}
