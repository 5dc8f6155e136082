#include "water/SewageDischarge.h"

#include "dict/RateLookups.h"
#include "forms/DataHelpers.h"
#include "platform/Decimal.h"
#include "platform/Messages.h"
#include "platform/data/Connection.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/Query.h"
#include "platform/data/RollUp.h"
#include "platform/data/TableDef.h"
#include "statements/TdmfZest.h"
#include "water/WaterCommon.h"

#include <QHash>
#include <QSqlQuery>

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

Field& Label(Query& q, const char* name, const char* label, const char* format = "") {
    return q.field(QString::fromLatin1(name))
        .setLabel(S(label))
        .setDisplayFormat(QString::fromLatin1(format));
}

Decimal Dec(const Query& q, const char* name) {
    return q.fieldByName(QString::fromLatin1(name)).asDecimal();
}

void SetDec(Query& q, const char* name, const Decimal& value) {
    q.fieldByName(QString::fromLatin1(name)).setDecimal(value);
}

// The receiver total kept by the roll-ups: the stored fees of the receiver, its code rows and its rain
// rows.
const char* const kReceiverTotalSql =
    "SELECT COALESCE(osc_chl_oplata, 0) + COALESCE(osc_chls_oplata, 0) + (SELECT COALESCE(SUM(kta_kwota), 0) "
    "FROM kody_ta WHERE kta_osc_id = :key) + (SELECT COALESCE(SUM(oor_oplata), 0) FROM oplaty_opady_roztopy "
    "WHERE oor_osc_id = :key) FROM odbiorniki_sc WHERE osc_id = :key";

// The code fee of the stored indicator rows: of the four main indicators only the highest fee counts,
// every other one adds up; times 5 without a permit and times 2 into a lake.
const char* const kCodeFeeSql =
    "SELECT (COALESCE((SELECT MAX(owta_kwota) FROM oplaty_za_wsk_ta WHERE owta_kta_id = :key AND "
    "owta_wtasc_id BETWEEN 100 AND 103), 0) + COALESCE((SELECT SUM(owta_kwota) FROM oplaty_za_wsk_ta WHERE "
    "owta_kta_id = :key AND owta_wtasc_id BETWEEN 104 AND 115), 0)) * (CASE WHEN osc_spwsc_id = 101 THEN 5 "
    "ELSE 1 END) * (CASE WHEN osc_ros_id = 101 THEN 2 ELSE 1 END) FROM kody_ta INNER JOIN odbiorniki_sc ON "
    "osc_id = kta_osc_id WHERE kta_id = :key";

// The unit rates and coefficients of the indicators for one board, year and kind of sewage, each rate
// row read once (most indicators share the rate of "other substances").
class IndicatorRates {
public:
    IndicatorRates(Connection& cn, int board, int year, const QString& kod)
        : cn_(cn), board_(board), year_(year), kod_(kod) {}
    Decimal unit(int indicator) {
        QString table, code;
        if (!WskTaRateRow(indicator, board_, &table, &code))
            return Decimal();
        const QString key = table + QLatin1Char('|') + code;
        auto it = units_.find(key);
        if (it == units_.end())
            it = units_.insert(key, Decimal::fromDouble(GetStawkaSoTab(cn_, table, code, year_)));
        return *it;
    }
    Decimal coefficient(int indicator) {
        auto it = coefficients_.find(indicator);
        if (it == coefficients_.end())
            it = coefficients_.insert(indicator, Decimal::fromDouble(GetWspRoznScWsk(cn_, indicator, kod_)));
        return *it;
    }

private:
    Connection& cn_;
    int board_, year_;
    QString kod_;
    QHash<QString, Decimal> units_;
    QHash<int, Decimal> coefficients_;
};

bool OutOfRange(const Query& q, const char* name, int low, int high) {
    const Field& f = q.fieldByName(QString::fromLatin1(name));
    if (f.isNull())
        return false;
    const Decimal d = f.asDecimal();
    return d < Decimal(low) || d > Decimal(high);
}

} // namespace

const QStringList& SewageDischarge::KodyRodzajuScieku() {
    static const QStringList codes{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), S("rł"),
                                   S("rwś")};
    return codes;
}

SewageDischarge::SewageDischarge(TdmfZest& dm)
    : QObject(&dm), dm_(dm), qryOdbSc_(new Query(dm.connection(), this)),
      qryKdTA_(new Query(dm.connection(), this)), qryOplZaWskTA_(new Query(dm.connection(), this)),
      qryWskTaSc_(new Query(dm.connection(), this)), qryOplOR_(new Query(dm.connection(), this)),
      qryRdzTrnSc_(new Query(dm.connection(), this)) {
    setUpReceivers();
    setUpCodes();
    setUpIndicators();
    setUpRain();
}

QVariant SewageDischarge::receiverKey() const {
    const Query& r = *qryOdbSc_;
    if (!r.isActive() || r.isEmpty())
        return {};
    return r.fieldByName(QStringLiteral("osc_id")).value();
}

Decimal SewageDischarge::multiplier(int permitFactor, int lakeFactor) const {
    const Query& r = *qryOdbSc_;
    Decimal m(1);
    if (r.fieldByName(QStringLiteral("osc_spwsc_id")).asInteger() == kSpwscNieMa)
        m *= Decimal(permitFactor);
    if (r.fieldByName(QStringLiteral("osc_ros_id")).asInteger() == kRosJezioro)
        m *= Decimal(lakeFactor);
    return m;
}

// --- receivers

void SewageDischarge::setUpReceivers() {
    Query& q = *qryOdbSc_;
    q.setSql(QStringLiteral(
        "SELECT odbiorniki_sc.*, rzgw_nazwa, rzgw_wsp_roznicujacy, gm_nazwa, pow_id, pow_nazwa, woj_id, "
        "woj_nazwa, "
        "ros_nazwa, spwsc_nazwa, pwp_id, pwp_numer, pwp_data_wyd, pwp_organ_wyd, pwp_term_obow_0, "
        "pwp_term_obow_1 "
        "FROM odbiorniki_sc INNER JOIN rzgw ON rzgw_id = osc_rzgw_id INNER JOIN gminy ON gm_id = osc_gm_id "
        "INNER "
        "JOIN powiaty ON pow_id = gm_pow_id INNER JOIN wojewodztwa ON woj_id = pow_woj_id INNER JOIN "
        "rdz_odbiornikow_sc ON ros_id = osc_ros_id INNER JOIN statusy_pozwolen_wp_sc ON spwsc_id = "
        "osc_spwsc_id "
        "LEFT OUTER JOIN pozwolenia_wp ON pwp_id = osc_pwp_id WHERE osc_z_id = :z_id ORDER BY osc_id"));
    q.setMaster(dm_.qryZest());
    TableDef table{QStringLiteral("odbiorniki_sc"), QStringLiteral("osc_id"), {}, {}};
    for (const char* c : {"osc_z_id", "osc_nazwa", "osc_adres", "osc_gm_id", "osc_ros_id", "osc_rzgw_id",
                          "osc_spwsc_id", "osc_pwp_id", "osc_kwota", "osc_chl_ilosc", "osc_chl_temp_sc",
                          "osc_chl_temp_odb", "osc_chl_jedn_st_opl", "osc_chl_oplata", "osc_chls_ilosc",
                          "osc_chls_stezenie", "osc_chls_jedn_st_opl", "osc_chls_oplata"})
        table.columns << QString::fromLatin1(c);
    ApplyTableDef(q, table);
    WireRecordErrors(q, S("Odbiornika ścieków"), S("Odbiornik ścieków"));

    Label(q, "osc_id", "Nr sys.").setReadOnly();
    Label(q, "osc_nazwa", "Nazwa").setRequired().setSize(40);
    Label(q, "osc_adres", "Adres").setRequired().setSize(64);
    Label(q, "osc_gm_id", "Gmina").setRequired().setVisible(false);
    Label(q, "osc_rzgw_id", "RZGW").setRequired().setVisible(false);
    Label(q, "osc_ros_id", "Rodzaj odbiornika").setRequired().setVisible(false);
    Label(q, "osc_spwsc_id", "Status pozwolenia").setRequired().setVisible(false);
    Label(q, "gm_nazwa", "Gmina").setReadOnly();
    Label(q, "pow_nazwa", "Powiat").setReadOnly();
    Label(q, "woj_nazwa", "Województwo").setReadOnly();
    Label(q, "rzgw_nazwa", "RZGW").setReadOnly().setSize(40);
    for (const char* c : {"pwp_data_wyd", "pwp_term_obow_0", "pwp_term_obow_1"})
        Label(q, c, "", "dd.MM.yyyy");
    Label(q, "osc_kwota", "Kwota [zł]", "0.00,").setReadOnly();
    Label(q, "osc_chl_ilosc", "Ilość wody chłodn. [1\u00a0000 m3]", "0.0000");
    Label(q, "osc_chl_temp_sc", "Temp. wody chł. [C]", "0.00");
    Label(q, "osc_chl_temp_odb", "Temp. odbiornika [C]", "0.00");
    Label(q, "osc_chl_jedn_st_opl", "Jedn. stawka. opłaty [zł]", "0.00,").setReadOnly();
    Label(q, "osc_chl_oplata", "Opłata za wodę chł. [zł]", "0.00,").setReadOnly();
    Label(q, "osc_chls_ilosc", "Ilość [m3]", "0.0000");
    Label(q, "osc_chls_stezenie", "Suma jonów chlorków i siarczanów [mg/dm3]", "0.00000");
    Label(q, "osc_chls_jedn_st_opl", "Jednostkowa stawka opłat [zł]", "0.000,").setReadOnly();
    Label(q, "osc_chls_oplata", "Wysokość opłaty [zł]", "0.00,").setReadOnly();

    Connection* cn = &dm_.connection();
    q.afterInsert += [this, cn](Query& r) {
        r.fieldByName(QStringLiteral("osc_z_id"))
            .setValue(dm_.qryZest()->fieldByName(QStringLiteral("z_id")).value());
        auto first = [cn](const char* p, const char* table) -> QVariant {
            const QString prefix = QString::fromLatin1(p);
            const int id = FirstActiveId(*cn, prefix + QStringLiteral("_id"), prefix + QStringLiteral("_lp"),
                                         prefix + QStringLiteral("_f_aktualny"), QString::fromLatin1(table));
            return id != 0 ? QVariant(id) : QVariant();
        };
        r.fieldByName(QStringLiteral("osc_ros_id")).setValue(first("ros", "rdz_odbiornikow_sc"));
        r.fieldByName(QStringLiteral("osc_spwsc_id")).setValue(first("spwsc", "statusy_pozwolen_wp_sc"));
        SetDec(r, "osc_chl_ilosc", Decimal());
        for (const char* c :
             {"osc_chls_ilosc", "osc_chls_stezenie", "osc_chls_jedn_st_opl", "osc_chls_oplata"})
            SetDec(r, c, Decimal());
    };

    q.field(QStringLiteral("osc_rzgw_id")).onChange += [this](Field& f) {
        SetDec(*qryOdbSc_, "osc_chls_jedn_st_opl",
               Decimal::fromDouble(GetStawkaWskTA(dm_.connection(), kWskChlorkiSiarczany, int(f.asInteger()),
                                                  dm_.RokStOplId())));
    };
    q.field(QStringLiteral("osc_chl_temp_sc")).onChange += [this](Field& f) {
        SetDec(*qryOdbSc_, "osc_chl_jedn_st_opl",
               Decimal::fromDouble(GetStawkaTempWody(dm_.connection(), f.asFloat(), dm_.RokStOplId())));
    };
    for (const char* c : {"osc_chl_ilosc", "osc_chl_jedn_st_opl"})
        q.field(QString::fromLatin1(c)).onChange += [this](Field&) { computeCooling(); };
    for (const char* c : {"osc_chls_ilosc", "osc_chls_stezenie", "osc_chls_jedn_st_opl"})
        q.field(QString::fromLatin1(c)).onChange += [this](Field&) { computeSaline(); };
    for (const char* c : {"osc_chl_oplata", "osc_chls_oplata"})
        q.field(QString::fromLatin1(c)).onChange += [this](Field&) { computeTotal(); };

    q.beforePost += [this](Query& r) {
        QString problem;
        if (OutOfRange(r, "osc_chl_temp_sc", 0, 100))
            problem = S("Temperatura wody chłodniczej musi mieścić się w przedziale od 0 do 100 °C.");
        else if (OutOfRange(r, "osc_chl_temp_odb", 0, 100))
            problem = S("Temperatura wody w odbiorniku musi mieścić się w przedziale od 0 do 100 °C.");
        else if (Dec(r, "osc_chls_stezenie").isNegative())
            problem = S("Suma jonów chlorków i siarczanów nie może być ujemna.");
        if (!problem.isEmpty()) {
            AppMessages().error(problem);
            Abort();
        }
        // The total saved with the row is the one of its fees as saved now.
        SetDec(r, "osc_kwota", SumaOdbiornika());
    };
    q.afterPost += [this](Query&) { dm_.ZawartoscZmieniona(); };
    q.afterDelete += [this](Query&) { dm_.ZawartoscZmieniona(); };
}

void SewageDischarge::computeCooling() {
    Query& r = *qryOdbSc_;
    // Thousands of m3 times the rate per thousand m3 of the temperature band.
    SetDec(r, "osc_chl_oplata",
           RoundForStorage(Dec(r, "osc_chl_ilosc") * Dec(r, "osc_chl_jedn_st_opl") * multiplier(2, 1)));
}

void SewageDischarge::computeSaline() {
    Query& r = *qryOdbSc_;
    Decimal fee;
    if (Dec(r, "osc_chls_stezenie") > Decimal(500))
        fee = RoundForStorage(Dec(r, "osc_chls_jedn_st_opl") * Dec(r, "osc_chls_ilosc") * multiplier(5, 2));
    SetDec(r, "osc_chls_oplata", fee);
}

Decimal SewageDischarge::SumaOdbiornika() const {
    const Query& r = *qryOdbSc_;
    Decimal total = Dec(r, "osc_chl_oplata") + Dec(r, "osc_chls_oplata");
    const QVariant key = r.fieldByName(QStringLiteral("osc_id")).value();
    if (!key.isNull()) {
        QSqlQuery s = dm_.connection().run(
            QStringLiteral(
                "SELECT (SELECT COALESCE(SUM(kta_kwota), 0) FROM kody_ta WHERE kta_osc_id = ?) + "
                "(SELECT COALESCE(SUM(oor_oplata), 0) FROM oplaty_opady_roztopy WHERE oor_osc_id = ?) "
                "FROM RDB$DATABASE"),
            {key, key});
        if (s.next())
            total += Decimal::fromVariant(s.value(0));
    }
    return total;
}

void SewageDischarge::computeTotal() {
    EnsureEdit(qryOdbSc_);
    SetDec(*qryOdbSc_, "osc_kwota", SumaOdbiornika());
}

bool SewageDischarge::PoZapisieNowegoOdbiornika() {
    try {
        RefreshKeepKey(*qryOdbSc_, QStringLiteral("osc_id"));
    } catch (const DataError&) {
        qryOdbSc_->cancel();
        return false;
    }
    if (qryOdbSc_->isEditing())
        qryOdbSc_->post();
    if (LiczbaOplatOR() == 0)
        GenerujOplatyOR();
    CloseIfOpen(qryOplOR_);
    qryOplOR_->open();
    return true;
}

void SewageDischarge::PrzeliczChlodnicze() {
    Query& r = *qryOdbSc_;
    if (receiverKey().isNull())
        return;
    EnsureEdit(&r);
    SetDec(r, "osc_chl_jedn_st_opl",
           Decimal::fromDouble(GetStawkaTempWody(dm_.connection(),
                                                 r.fieldByName(QStringLiteral("osc_chl_temp_sc")).asFloat(),
                                                 dm_.RokStOplId())));
    computeCooling();
    r.post();
}

void SewageDischarge::PrzeliczZasolone() {
    Query& r = *qryOdbSc_;
    if (receiverKey().isNull())
        return;
    EnsureEdit(&r);
    computeSaline();
    r.post();
}

void SewageDischarge::WstawPozwolenie(const Query& permits) {
    UsunPozwolenie();
    Query& r = *qryOdbSc_;
    for (const char* c :
         {"pwp_id", "pwp_numer", "pwp_data_wyd", "pwp_organ_wyd", "pwp_term_obow_0", "pwp_term_obow_1"})
        r.fieldByName(QString::fromLatin1(c)).setValue(permits.fieldByName(QString::fromLatin1(c)).value());
    r.fieldByName(QStringLiteral("osc_pwp_id"))
        .setValue(permits.fieldByName(QStringLiteral("pwp_id")).value());
}

void SewageDischarge::UsunPozwolenie() {
    Query& r = *qryOdbSc_;
    if (!r.isActive() || r.isEmpty())
        return;
    EnsureEdit(&r);
    for (const char* c :
         {"pwp_id", "pwp_numer", "pwp_data_wyd", "pwp_organ_wyd", "pwp_term_obow_0", "pwp_term_obow_1"})
        r.fieldByName(QString::fromLatin1(c)).clear();
    r.fieldByName(QStringLiteral("osc_pwp_id")).clear();
}

// --- code rows

void SewageDischarge::setUpCodes() {
    Query& q = *qryKdTA_;
    q.setSql(QStringLiteral("SELECT * FROM kody_ta WHERE kta_osc_id = :osc_id ORDER BY kta_id"));
    q.setMaster(qryOdbSc_);
    ApplyTableDef(q, TableDef{QStringLiteral("kody_ta"),
                              QStringLiteral("kta_id"),
                              {QStringLiteral("kta_osc_id"), QStringLiteral("kta_kod"),
                               QStringLiteral("kta_ilosc"), QStringLiteral("kta_kwota")},
                              {}});
    Label(q, "kta_id", "Nr sys.").setReadOnly();
    Label(q, "kta_osc_id", "Id odbiornika").setVisible(false);
    Label(q, "kta_kod", "Kod rodzaju ścieku").setSize(4);
    Label(q, "kta_ilosc", "Ilość [m3]", "0.0000");
    Label(q, "kta_kwota", "Opłata [zł]", "0.00,").setReadOnly();

    // A code row belongs to a saved receiver.
    auto guard = [this](Query&) {
        if (receiverKey().isNull())
            Abort();
        if (qryOdbSc_->isEditing())
            qryOdbSc_->post();
    };
    q.beforeInsert += guard;
    q.beforeEdit += guard;
    q.afterInsert += [this](Query& r) {
        r.fieldByName(QStringLiteral("kta_osc_id")).setValue(receiverKey());
        SetDec(r, "kta_ilosc", Decimal());
        SetDec(r, "kta_kwota", Decimal());
    };
    q.beforePost += [](Query& r) {
        if (!KodyRodzajuScieku().contains(r.fieldByName(QStringLiteral("kta_kod")).asString())) {
            AppMessages().error(S("Kod rodzaju ścieku może być tylko: a, b, c, rł, rwś."), S("Błąd"));
            Abort();
        }
    };
    q.field(QStringLiteral("kta_kod")).onChange += [this](Field& f) {
        Query& r = f.dataSet();
        if (r.state() == DataSetState::Edit && LiczbaOplatWsk() > 0) {
            AppMessages().error(
                S("Zmiana kodu jest niemożliwa, bo ten kod posiada już wygenerowane opłaty."));
            r.cancel();
            Abort();
        }
    };
    AttachRollUp(q, QStringLiteral("kody_ta"),
                 {RollUpLevel{QStringLiteral("odbiorniki_sc"),
                              QStringLiteral("osc_id"),
                              QStringLiteral("osc_kwota"),
                              QStringLiteral("kta_osc_id"),
                              {},
                              qryOdbSc_,
                              QString::fromLatin1(kReceiverTotalSql)}});
}

int SewageDischarge::LiczbaOplatWsk() const {
    const Query& c = *qryKdTA_;
    if (!c.isActive() || c.isEmpty())
        return 0;
    const QVariant key = c.fieldByName(QStringLiteral("kta_id")).value();
    if (key.isNull())
        return 0;
    return CountRows(dm_.connection(),
                     QStringLiteral("SELECT COUNT(*) FROM oplaty_za_wsk_ta WHERE owta_kta_id = ?"), key);
}

bool SewageDischarge::KodMoznaZmienic() {
    if (LiczbaOplatWsk() > 0) {
        AppMessages().error(S("Zmiana kodu jest niemożliwa, bo ten kod posiada już wygenerowane opłaty."));
        return false;
    }
    return true;
}

void SewageDischarge::UstawKod(const QString& kod) {
    EnsureEdit(qryKdTA_);
    qryKdTA_->fieldByName(QStringLiteral("kta_kod")).setValue(kod);
}

// --- indicator rows

void SewageDischarge::setUpIndicators() {
    Query& q = *qryOplZaWskTA_;
    q.setSql(QStringLiteral("SELECT oplaty_za_wsk_ta.*, wtasc_nazwa, wtasc_grupa_0, wtasc_grupa_1 FROM "
                            "oplaty_za_wsk_ta INNER JOIN wskazniki_ta_sc ON wtasc_id = owta_wtasc_id WHERE "
                            "owta_kta_id = :kta_id ORDER BY owta_id ASC"));
    q.setMaster(qryKdTA_);
    TableDef table{QStringLiteral("oplaty_za_wsk_ta"), QStringLiteral("owta_id"), {}, {}};
    for (const char* c :
         {"owta_kta_id", "owta_wtasc_id", "owta_zawartosc", "owta_il_subst_brt", "owta_il_subst_w_pw",
          "owta_il_subst_nt", "owta_stawka_jedn", "owta_wsp_rozn", "owta_stawka", "owta_kwota"})
        table.columns << QString::fromLatin1(c);
    ApplyTableDef(q, table);
    Label(q, "wtasc_nazwa", "Wskaźnik").setReadOnly().setSize(24);
    Label(q, "owta_zawartosc", "Zawartość [mg/dm3]", "0.00000");
    Label(q, "owta_il_subst_brt", "Ilość subst. br.  [kg]", "0.00000").setReadOnly();
    Label(q, "owta_il_subst_w_pw", "Ilość subst. w pob. wod. [kg]", "0.00000");
    Label(q, "owta_il_subst_nt", "Ilość subst. net. [kg]", "0.00000").setReadOnly();
    Label(q, "owta_stawka_jedn", "Jedn. st. opłaty [zł]", "0.0000").setReadOnly();
    Label(q, "owta_wsp_rozn", "Wsp. różnicujący", "0.00000").setReadOnly();
    Label(q, "owta_stawka", "St. opłaty [zł] ", "0.0000").setReadOnly();
    Label(q, "owta_kwota", "Wys. opłaty [zł]", "0.00").setReadOnly();
    Label(q, "owta_id", "Nr sys.").setReadOnly();
    for (const char* c : {"owta_kta_id", "owta_wtasc_id", "wtasc_grupa_0", "wtasc_grupa_1"})
        q.field(QString::fromLatin1(c)).setVisible(false).setReadOnly();

    // The chain: content → gross quantity → net quantity → fee.
    q.field(QStringLiteral("owta_zawartosc")).onChange += [this](Field& f) {
        // m3 × mg/dm3 gives grams; over 1000, kilograms.
        SetDec(f.dataSet(), "owta_il_subst_brt",
               RoundForStorage(Dec(*qryKdTA_, "kta_ilosc") * f.asDecimal() * Decimal(1, 3), 5));
    };
    for (const char* c : {"owta_il_subst_brt", "owta_il_subst_w_pw"})
        q.field(QString::fromLatin1(c)).onChange += [](Field& f) {
            Query& r = f.dataSet();
            SetDec(r, "owta_il_subst_nt", Dec(r, "owta_il_subst_brt") - Dec(r, "owta_il_subst_w_pw"));
        };
    q.field(QStringLiteral("owta_il_subst_nt")).onChange += [](Field& f) {
        Query& r = f.dataSet();
        // Water cleaner than it was withdrawn is charged nothing; it never lowers another indicator's fee.
        const Decimal net = f.asDecimal();
        SetDec(r, "owta_kwota",
               net.isNegative()
                   ? Decimal()
                   : RoundForStorage(net * Dec(r, "owta_stawka_jedn") * Dec(r, "owta_wsp_rozn")));
    };
    q.beforePost += [](Query& r) {
        if (Dec(r, "owta_zawartosc").isNegative()) {
            AppMessages().error(S("Zawartość wskaźnika nie może być ujemna."));
            Abort();
        }
    };
    AttachRollUp(q, QStringLiteral("oplaty_za_wsk_ta"),
                 {RollUpLevel{QStringLiteral("kody_ta"),
                              QStringLiteral("kta_id"),
                              QStringLiteral("kta_kwota"),
                              QStringLiteral("owta_kta_id"),
                              {},
                              qryKdTA_,
                              QString::fromLatin1(kCodeFeeSql)},
                  RollUpLevel{QStringLiteral("odbiorniki_sc"),
                              QStringLiteral("osc_id"),
                              QStringLiteral("osc_kwota"),
                              QStringLiteral("kta_osc_id"),
                              {},
                              qryOdbSc_,
                              QString::fromLatin1(kReceiverTotalSql)}});

    qryWskTaSc_->setSql(QStringLiteral(
        "SELECT wtasc_id FROM wskazniki_ta_sc WHERE wtasc_f_aktualny = 1 ORDER BY wtasc_lp ASC"));
}

void SewageDischarge::GenerujOplatyWsk() {
    Query& codes = *qryKdTA_;
    if (!codes.isActive() || codes.isEmpty())
        return;
    if (codes.isEditing())
        codes.post();
    const QVariant ktaId = codes.fieldByName(QStringLiteral("kta_id")).value();
    if (ktaId.isNull())
        return;
    if (LiczbaOplatWsk() > 0) {
        AppMessages().error(QStringLiteral("Ten kod posiada już wygenerowane opłaty."));
        return;
    }
    const QString kod = codes.fieldByName(QStringLiteral("kta_kod")).asString();
    const int board = int(qryOdbSc_->fieldByName(QStringLiteral("osc_rzgw_id")).asInteger());
    const int year = dm_.RokStOplId();
    Query& rows = *qryOplZaWskTA_;
    OpenIfClosed(&rows);
    Query& indicators = *qryWskTaSc_;
    CloseIfOpen(&indicators);
    IndicatorRates rates(dm_.connection(), board, year, kod);
    rows.disableControls();
    try {
        // Every indicator row or none.
        Connection::Transaction transaction(dm_.connection());
        indicators.open();
        for (indicators.first(); !indicators.eof(); indicators.next()) {
            const int id = int(indicators.fieldByName(QStringLiteral("wtasc_id")).asInteger());
            rows.append();
            rows.fieldByName(QStringLiteral("owta_kta_id")).setValue(ktaId);
            rows.fieldByName(QStringLiteral("owta_wtasc_id")).setValue(id);
            const Decimal unit = rates.unit(id);
            const Decimal coefficient = rates.coefficient(id);
            SetDec(rows, "owta_stawka_jedn", unit);
            SetDec(rows, "owta_wsp_rozn", coefficient);
            SetDec(rows, "owta_stawka", RoundForStorage(unit * coefficient, 6));
            for (const char* c : {"owta_zawartosc", "owta_il_subst_brt", "owta_il_subst_w_pw"})
                SetDec(rows, c, Decimal());
            rows.post();
        }
        transaction.commit();
    } catch (...) {
        rows.cancel();
        indicators.close();
        rows.enableControls();
        RefreshKeepKey(*qryKdTA_, QStringLiteral("kta_id"));
        if (rows.isActive())
            rows.refresh();
        throw;
    }
    indicators.close();
    rows.enableControls();
    rows.refresh();
    rows.first();
}

void SewageDischarge::walk(Query& list, const QString& keyField, const std::function<void(Query&)>& change) {
    if (!list.isActive() || list.isEmpty())
        return;
    if (list.isEditing())
        list.post();
    const QVariant current = list.fieldByName(keyField).value();
    list.disableControls();
    try {
        // All rows or none: one transaction, which also spares a commit for each row.
        Connection::Transaction transaction(dm_.connection());
        for (list.first(); !list.eof(); list.next()) {
            list.edit();
            change(list);
            // Saved here, the last row too: a walk leaves nothing pending outside the totals.
            list.post();
        }
        transaction.commit();
    } catch (...) {
        list.cancel();
        list.enableControls();
        // What was shown as saved was rolled back: show what the database holds.
        RefreshKeepKey(*qryOdbSc_, QStringLiteral("osc_id"));
        if (list.isActive())
            list.refresh();
        throw;
    }
    list.locate(keyField, current);
    list.enableControls();
}

void SewageDischarge::PrzeliczWsk() {
    if (!qryKdTA_->isActive() || qryKdTA_->isEmpty())
        return;
    if (qryKdTA_->isEditing())
        qryKdTA_->post();
    const QString kod = qryKdTA_->fieldByName(QStringLiteral("kta_kod")).asString();
    const int board = int(qryOdbSc_->fieldByName(QStringLiteral("osc_rzgw_id")).asInteger());
    const int year = dm_.RokStOplId();
    IndicatorRates rates(dm_.connection(), board, year, kod);
    walk(*qryOplZaWskTA_, QStringLiteral("owta_id"), [&](Query& r) {
        const int id = int(r.fieldByName(QStringLiteral("owta_wtasc_id")).asInteger());
        const Decimal unit = rates.unit(id);
        const Decimal coefficient = rates.coefficient(id);
        SetDec(r, "owta_stawka_jedn", unit);
        SetDec(r, "owta_wsp_rozn", coefficient);
        SetDec(r, "owta_stawka", RoundForStorage(unit * coefficient, 6));
        // Its own value again: the chain runs with the code's present quantity.
        r.fieldByName(QStringLiteral("owta_zawartosc"))
            .setValue(r.fieldByName(QStringLiteral("owta_zawartosc")).value());
    });
}

// --- rain and snowmelt

void SewageDischarge::setUpRain() {
    Query& q = *qryOplOR_;
    q.setSql(QStringLiteral(
        "SELECT oor_id, oor_osc_id, oor_sotd_id, sotd_nazwa, sotd_kod, sotd_poz_wydr, "
        "oor_powierzchnia, oor_jedn_st_opl, oor_oplata FROM oplaty_opady_roztopy INNER JOIN "
        "so_tabela_d ON oor_sotd_id = sotd_id WHERE oor_osc_id = :osc_id ORDER BY sotd_poz_wydr, "
        "oor_id"));
    q.setMaster(qryOdbSc_);
    ApplyTableDef(q, TableDef{QStringLiteral("oplaty_opady_roztopy"),
                              QStringLiteral("oor_id"),
                              {QStringLiteral("oor_osc_id"), QStringLiteral("oor_sotd_id"),
                               QStringLiteral("oor_powierzchnia"), QStringLiteral("oor_jedn_st_opl"),
                               QStringLiteral("oor_oplata")},
                              {}});
    Label(q, "sotd_poz_wydr", "Lp.").setReadOnly();
    Label(q, "sotd_nazwa", "Rodzaj terenu").setReadOnly();
    Label(q, "sotd_kod", "Kod").setReadOnly().setVisible(false);
    Label(q, "oor_powierzchnia", "Powierzchnia [m2]", "0.0");
    Label(q, "oor_jedn_st_opl", "Roczna jedn. st. opłaty [zł]").setReadOnly();
    Label(q, "oor_oplata", "Opłata [zł]", "0.00").setReadOnly();
    Label(q, "oor_id", "Nr sys.").setReadOnly();
    Label(q, "oor_osc_id", "Id odbiornika").setReadOnly().setVisible(false);
    Label(q, "oor_sotd_id", "Id stawki").setReadOnly().setVisible(false);
    // The industrial areas' rate has two decimals, the others three.
    q.field(QStringLiteral("oor_jedn_st_opl")).onGetText = [](const Field& f) -> QString {
        if (f.isNull())
            return {};
        const bool two = f.dataSet().fieldByName(QStringLiteral("sotd_kod")).asString().trimmed() ==
                         QLatin1String("T_PRZEMYSL");
        return FormatNumber(f.asDecimal(), two ? QStringLiteral("0.00,") : QStringLiteral("0.000,"));
    };

    auto guard = [this](Query&) {
        if (receiverKey().isNull())
            Abort();
        if (qryOdbSc_->isEditing())
            qryOdbSc_->post();
    };
    q.beforeInsert += guard;
    q.beforeEdit += guard;
    for (const char* c : {"oor_powierzchnia", "oor_jedn_st_opl"})
        q.field(QString::fromLatin1(c)).onChange += [this](Field& f) { computeRain(f.dataSet()); };
    q.beforePost += [](Query& r) {
        if (Dec(r, "oor_powierzchnia").isNegative()) {
            AppMessages().error(S("Powierzchnia nie może być ujemna."));
            Abort();
        }
    };
    AttachRollUp(q, QStringLiteral("oplaty_opady_roztopy"),
                 {RollUpLevel{QStringLiteral("odbiorniki_sc"),
                              QStringLiteral("osc_id"),
                              QStringLiteral("osc_kwota"),
                              QStringLiteral("oor_osc_id"),
                              {},
                              qryOdbSc_,
                              QString::fromLatin1(kReceiverTotalSql)}});

    qryRdzTrnSc_->setSql(
        QStringLiteral("SELECT sotd_id, sotd_kwota FROM so_tabela_d WHERE sotd_f_aktualny = 1 AND "
                       "sotd_rok_id = :rok_id ORDER BY sotd_poz_wydr ASC"));
}

void SewageDischarge::computeRain(Query& rain) {
    // A yearly rate per square metre, of which every row is charged half.
    SetDec(rain, "oor_oplata",
           RoundForStorage(Decimal(5, 1) * Dec(rain, "oor_jedn_st_opl") * Dec(rain, "oor_powierzchnia") *
                           multiplier(2, 2)));
}

int SewageDischarge::LiczbaOplatOR() const {
    const QVariant key = receiverKey();
    if (key.isNull())
        return 0;
    return CountRows(dm_.connection(),
                     QStringLiteral("SELECT COUNT(*) FROM oplaty_opady_roztopy WHERE oor_osc_id = ?"), key);
}

int SewageDischarge::GenerujOplatyOR() {
    const QVariant key = receiverKey();
    if (key.isNull())
        return 0;
    Query& rain = *qryOplOR_;
    OpenIfClosed(&rain);
    Query& rates = *qryRdzTrnSc_;
    CloseIfOpen(&rates);
    rates.setParam(QStringLiteral("rok_id"), dm_.RokStOplId());
    int made = 0;
    try {
        // Every kind of area or none.
        Connection::Transaction transaction(dm_.connection());
        rates.open();
        for (rates.first(); !rates.eof(); rates.next()) {
            rain.append();
            rain.fieldByName(QStringLiteral("oor_osc_id")).setValue(key);
            SetDec(rain, "oor_powierzchnia", Decimal());
            rain.fieldByName(QStringLiteral("oor_sotd_id"))
                .setValue(rates.fieldByName(QStringLiteral("sotd_id")).value());
            rain.fieldByName(QStringLiteral("oor_jedn_st_opl"))
                .setValue(rates.fieldByName(QStringLiteral("sotd_kwota")).value());
            SetDec(rain, "oor_oplata", Decimal());
            rain.post();
            ++made;
        }
        transaction.commit();
    } catch (...) {
        rain.cancel();
        rates.close();
        RefreshKeepKey(*qryOdbSc_, QStringLiteral("osc_id"));
        if (rain.isActive())
            rain.refresh();
        throw;
    }
    rates.close();
    return made;
}

void SewageDischarge::DodajOplatyOR() {
    if (qryOdbSc_->isEditing())
        qryOdbSc_->post();
    if (receiverKey().isNull())
        return;
    if (LiczbaOplatOR() > 0) {
        AppMessages().error(
            S("Ten odbiornik scieków posiada już opłaty za wprowadzanie wód opadowych i roztopów."));
        return;
    }
    GenerujOplatyOR();
    CloseIfOpen(qryOplOR_);
    qryOplOR_->open();
}

void SewageDischarge::PrzeliczOplatyOR() {
    if (qryOdbSc_->isEditing())
        qryOdbSc_->post();
    if (LiczbaOplatOR() == 0)
        return;
    OpenIfClosed(qryOplOR_);
    walk(*qryOplOR_, QStringLiteral("oor_id"), [this](Query& r) { computeRain(r); });
}
