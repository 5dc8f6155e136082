#include "waste/TdmfZestOdpady.h"

#include "dict/RateLookups.h"
#include "forms/DataHelpers.h"
#include "platform/Messages.h"
#include "platform/data/Connection.h"
#include "platform/data/RollUp.h"
#include "platform/data/TableDef.h"
#include "platform/data/ValueGuard.h"
#include "statements/TdmfZest.h"
#include "waste/WasteFees.h"

#include <QSqlQuery>

#include <functional>

namespace {

QString N(const char* name) {
    return QString::fromLatin1(name);
}

const QString kMass = QStringLiteral("0.000,");
const QString kAmount = QStringLiteral("0.00,");
const QString kDate = QStringLiteral("dd.MM.yyyy");

Field& Label(Query& q, const char* name, const char* label) {
    return q.field(N(name)).setLabel(QString::fromUtf8(label));
}

TableDef Def(const char* table, const char* key, std::initializer_list<const char*> columns,
             const char* generator = "") {
    TableDef def{N(table), N(key), {}, N(generator)};
    for (const char* c : columns)
        def.columns << N(c);
    return def;
}

int Count(Connection& cn, const QString& sql, const QVariantList& values) {
    QSqlQuery q = cn.run(sql, values);
    return q.next() ? q.value(0).toInt() : 0;
}

// A waste type of the catalogue as a new row takes it.
struct RodzajOdpadu {
    QVariant sotlId, kod, rodzaj, przypis, jednStOpl;
};

RodzajOdpadu FindRodzaj(Connection& cn, int sotlId) {
    QSqlQuery q =
        cn.run(QStringLiteral("SELECT sotl_id, sotl_kod, sotl_rodzaj, sotl_przypis, sotl_jedn_st_opl "
                              "FROM so_tabela_l WHERE sotl_id = ?"),
               {sotlId});
    if (!q.next())
        throw DataError(QStringLiteral("Nie znaleziono rodzaju odpadu o numerze %1.").arg(sotlId));
    return {q.value(0), q.value(1).toString().trimmed(), q.value(2), q.value(3), q.value(4)};
}

bool HasRow(const Query& q) {
    return q.isActive() && q.recNo() >= 0;
}

QString ListName(int wayOfStoring) {
    return wayOfStoring == WasteKeys::Selektywnie ? QStringLiteral("odpadów składowanych selektywnie")
                                                  : QStringLiteral("odpadów składowanych nieselektywnie");
}

// The five columns of a bound approval or permit, after the prefix "d_" or "p_".
const char* const kActColumns[] = {"dcodpd_numer", "dcodpd_data_wyd", "dcodpd_organ_wyd",
                                   "dcodpd_term_obow_0", "dcodpd_term_obow_1"};

} // namespace

TdmfZestOdpady::TdmfZestOdpady(TdmfZest& dm)
    : QObject(&dm), dm_(dm), qrySklOdpd_(new Query(dm.connection(), this)),
      qryOdpd_(new Query(dm.connection(), this)), qryOdpdNs_(new Query(dm.connection(), this)),
      qryOdpdS_(new Query(dm.connection(), this)), qryOdpdW_(new Query(dm.connection(), this)) {
    qrySklOdpd_->setObjectName(QStringLiteral("qrySklOdpd"));
    qryOdpd_->setObjectName(QStringLiteral("qryOdpd"));
    qryOdpdNs_->setObjectName(QStringLiteral("qryOdpdNs"));
    qryOdpdS_->setObjectName(QStringLiteral("qryOdpdS"));
    qryOdpdW_->setObjectName(QStringLiteral("qryOdpdW"));
    setUpSites();
    setUpWaste(*qryOdpd_, WasteKeys::Selektywnie);
    setUpWaste(*qryOdpdNs_, WasteKeys::Nieselektywnie);
    setUpComponents();
    setUpRemoved();
}

// --- sites

void TdmfZestOdpady::setUpSites() {
    Query& q = *qrySklOdpd_;
    q.setSql(QStringLiteral(
        "SELECT skod_id, skod_z_id, skod_gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa, skod_adres, "
        "skod_wrodpd_id, wrodpd_wartosc, wrodpd_nazwa, skod_sdcodpd_decyzja_id, skod_dcodpd_decyzja_id, "
        "d.dcodpd_numer AS d_dcodpd_numer, d.dcodpd_data_wyd AS d_dcodpd_data_wyd, "
        "d.dcodpd_organ_wyd AS d_dcodpd_organ_wyd, d.dcodpd_term_obow_0 AS d_dcodpd_term_obow_0, "
        "d.dcodpd_term_obow_1 AS d_dcodpd_term_obow_1, skod_sdcodpd_zezwolenie_id, "
        "skod_dcodpd_zezwolenie_id, "
        "p.dcodpd_numer AS p_dcodpd_numer, p.dcodpd_data_wyd AS p_dcodpd_data_wyd, "
        "p.dcodpd_organ_wyd AS p_dcodpd_organ_wyd, p.dcodpd_term_obow_0 AS p_dcodpd_term_obow_0, "
        "p.dcodpd_term_obow_1 AS p_dcodpd_term_obow_1, skod_oplata FROM skladowiska_odpd "
        "INNER JOIN wsp_rozn_odpd ON wrodpd_id = skod_wrodpd_id INNER JOIN gminy ON gm_id = skod_gm_id "
        "INNER JOIN powiaty ON pow_id = gm_pow_id INNER JOIN wojewodztwa ON woj_id = pow_woj_id "
        "LEFT OUTER JOIN decyzje_odpd d ON d.dcodpd_id = skod_dcodpd_decyzja_id AND d.dcodpd_rdodpd_id = 100 "
        "LEFT OUTER JOIN decyzje_odpd p ON p.dcodpd_id = skod_dcodpd_zezwolenie_id AND p.dcodpd_rdodpd_id "
        "IN ( 101, 102, 103 ) WHERE skod_z_id = :z_id"));
    q.setMaster(dm_.qryZest(), {{QStringLiteral("z_id"), QStringLiteral("z_id")}});
    // The fee (skod_oplata) is written only by the roll-up of the site's waste rows. Sites take their
    // keys from the generator of the waste rows, as databases in use already hold such keys.
    ApplyTableDef(q,
                  Def("skladowiska_odpd", "skod_id",
                      {"skod_z_id", "skod_gm_id", "skod_adres", "skod_wrodpd_id", "skod_sdcodpd_decyzja_id",
                       "skod_dcodpd_decyzja_id", "skod_sdcodpd_zezwolenie_id", "skod_dcodpd_zezwolenie_id"},
                      "g_odpady"));

    Label(q, "skod_id", "Nr sys.").setReadOnly();
    Label(q, "skod_z_id", "Zestawienie").setVisible(false);
    Label(q, "skod_gm_id", "Gmina").setRequired().setVisible(false);
    Label(q, "skod_adres", "Adres").setRequired();
    Label(q, "gm_nazwa", "Gmina").setReadOnly();
    Label(q, "pow_id", "Powiat").setReadOnly().setVisible(false);
    Label(q, "pow_nazwa", "Powiat").setReadOnly();
    Label(q, "woj_id", "Województwo").setReadOnly().setVisible(false);
    Label(q, "woj_nazwa", "Województwo").setReadOnly();
    Label(q, "skod_wrodpd_id", "Status prawny składowiska").setRequired().setVisible(false);
    Label(q, "wrodpd_wartosc", "Wsp. różn.").setDisplayFormat(QStringLiteral("0.000,")).setReadOnly();
    Label(q, "wrodpd_nazwa", "Status prawny składowiska").setReadOnly();
    Label(q, "skod_sdcodpd_decyzja_id", "Status decyzji zatwierdzającej").setRequired().setVisible(false);
    Label(q, "skod_dcodpd_decyzja_id", "Decyzja zatwierdzająca").setVisible(false);
    Label(q, "skod_sdcodpd_zezwolenie_id", "Status zezwolenia").setRequired().setVisible(false);
    Label(q, "skod_dcodpd_zezwolenie_id", "Zezwolenie").setVisible(false);
    for (const char* prefix : {"d_", "p_"}) {
        const QString p = N(prefix);
        q.field(p + QStringLiteral("dcodpd_numer")).setLabel(QStringLiteral("Nr")).setReadOnly();
        q.field(p + QStringLiteral("dcodpd_data_wyd"))
            .setLabel(QStringLiteral("Data wyd."))
            .setDisplayFormat(kDate)
            .setReadOnly();
        q.field(p + QStringLiteral("dcodpd_organ_wyd")).setLabel(QStringLiteral("Organ wyd.")).setReadOnly();
        q.field(p + QStringLiteral("dcodpd_term_obow_0"))
            .setLabel(QStringLiteral("Data obowiązywania od"))
            .setDisplayFormat(kDate)
            .setReadOnly();
        q.field(p + QStringLiteral("dcodpd_term_obow_1"))
            .setLabel(QStringLiteral("Data obowiązywania do"))
            .setDisplayFormat(kDate)
            .setReadOnly();
    }
    Label(q, "skod_oplata", "Opłata [zł]").setDisplayFormat(kAmount).setReadOnly();

    WireRecordErrors(q, QStringLiteral("Składowiska odpadów"), QStringLiteral("Składowisko odpadów"));

    Connection* cn = &dm_.connection();
    q.afterInsert += [this, cn](Query& r) {
        r.fieldByName(N("skod_z_id")).setValue(dm_.qryZest()->fieldByName(N("z_id")).value());
        auto first = [cn](const char* prefix, const char* table) {
            const QString p = N(prefix);
            const int id = FirstActiveId(*cn, p + QStringLiteral("_id"), p + QStringLiteral("_lp"),
                                         p + QStringLiteral("_f_aktualny"), N(table));
            return id != 0 ? QVariant(id) : QVariant();
        };
        const QVariant status = first("sdcodpd", "statusy_dec_odpd");
        r.fieldByName(N("skod_sdcodpd_decyzja_id")).setValue(status);
        r.fieldByName(N("skod_sdcodpd_zezwolenie_id")).setValue(status);
        r.fieldByName(N("skod_wrodpd_id")).setValue(first("wrodpd", "wsp_rozn_odpd"));
    };

    // The legal status fixes the coefficient of the site and of every stored waste row of it.
    q.field(N("skod_wrodpd_id")).onChange += [this, cn](Field& f) {
        const Decimal k =
            f.isNull() ? Decimal() : Decimal::fromDouble(GetWspRoznOdpd(*cn, int(f.asInteger())));
        f.dataSet().fieldByName(N("wrodpd_wartosc")).setDecimal(k);
        PrzypiszWspolczynnik(k);
    };
    // A cancelled change of the status brings the site's waste rows back to the coefficient it keeps.
    q.afterCancel += [this](Query& r) {
        if (!walkedInEdit_)
            return;
        walkedInEdit_ = false;
        if (HasRow(r))
            PrzypiszWspolczynnik(r.fieldByName(N("wrodpd_wartosc")).asDecimal());
        walkedInEdit_ = false;
    };
    q.afterPost += [this](Query&) {
        walkedInEdit_ = false;
        dm_.ZawartoscZmieniona();
    };
    q.afterDelete += [this](Query&) { dm_.ZawartoscZmieniona(); };
}

void TdmfZestOdpady::ReadLocation(TrLokalizacja& location) const {
    TdmfZest::ReadLocation(*qrySklOdpd_, N("skod_gm_id"), N("skod_adres"), location);
}

void TdmfZestOdpady::WriteLocation(const TrLokalizacja& location) {
    TdmfZest::WriteLocation(*qrySklOdpd_, N("skod_gm_id"), N("skod_adres"), location);
}

void TdmfZestOdpady::WstawAkt(const Query& acts, const QString& prefix, const QString& keyField) {
    Query& site = *qrySklOdpd_;
    if (!HasRow(site) || !HasRow(acts))
        return;
    EnsureEdit(&site);
    for (const char* column : kActColumns)
        site.fieldByName(prefix + N(column)).clear();
    for (const char* column : kActColumns)
        site.fieldByName(prefix + N(column)).setValue(acts.fieldByName(N(column)).value());
    site.fieldByName(keyField).setValue(acts.fieldByName(N("dcodpd_id")).value());
}

void TdmfZestOdpady::UsunAkt(const QString& prefix, const QString& keyField) {
    Query& site = *qrySklOdpd_;
    if (!HasRow(site))
        return;
    EnsureEdit(&site);
    for (const char* column : kActColumns)
        site.fieldByName(prefix + N(column)).clear();
    site.fieldByName(keyField).clear();
}

void TdmfZestOdpady::WstawDecyzje(const Query& decyzje) {
    WstawAkt(decyzje, N("d_"), N("skod_dcodpd_decyzja_id"));
}

void TdmfZestOdpady::UsunDecyzje() {
    UsunAkt(N("d_"), N("skod_dcodpd_decyzja_id"));
}

void TdmfZestOdpady::WstawZezwolenie(const Query& zezwolenia) {
    WstawAkt(zezwolenia, N("p_"), N("skod_dcodpd_zezwolenie_id"));
}

void TdmfZestOdpady::UsunZezwolenie() {
    UsunAkt(N("p_"), N("skod_dcodpd_zezwolenie_id"));
}

// --- stored waste

void TdmfZestOdpady::setUpWaste(Query& q, int wayOfStoring) {
    q.setSql(
        QStringLiteral("SELECT odpd_id, odpd_skod_id, odpd_tsodpd_id, odpd_sotl_id, sotl_kod, sotl_rodzaj, "
                       "sotl_przypis, odpd_masa, odpd_stan_uwodnienia, odpd_wsp_rozn, odpd_liczba_dob, "
                       "odpd_jedn_st_opl, odpd_oplata FROM odpady INNER JOIN so_tabela_l ON sotl_id = "
                       "odpd_sotl_id WHERE odpd_skod_id = :skod_id AND odpd_tsodpd_id = %1")
            .arg(wayOfStoring));
    q.setMaster(qrySklOdpd_, {{QStringLiteral("skod_id"), QStringLiteral("skod_id")}});
    ApplyTableDef(q,
                  Def("odpady", "odpd_id",
                      {"odpd_skod_id", "odpd_tsodpd_id", "odpd_sotl_id", "odpd_masa", "odpd_stan_uwodnienia",
                       "odpd_wsp_rozn", "odpd_liczba_dob", "odpd_jedn_st_opl", "odpd_oplata"}));

    Label(q, "odpd_id", "Nr sys.").setReadOnly();
    Label(q, "odpd_skod_id", "Id składowiska odpadów").setVisible(false);
    Label(q, "odpd_tsodpd_id", "Typ odpadu").setVisible(false);
    Label(q, "odpd_sotl_id", "Id rodzaju odpadu").setRequired().setVisible(false);
    Label(q, "sotl_kod", "Kod").setReadOnly();
    Label(q, "sotl_rodzaj", "Rodzaj odpadu").setReadOnly();
    Label(q, "sotl_przypis", "Przypis").setReadOnly();
    Label(q, "odpd_masa", "Masa [Mg]").setDisplayFormat(kMass);
    Label(q, "odpd_stan_uwodnienia", "Stan uwodnienia [%]").setDisplayFormat(QStringLiteral("0.0"));
    Label(q, "odpd_liczba_dob", "Liczba dób").setDisplayFormat(QStringLiteral("0"));
    Label(q, "odpd_wsp_rozn", "Współczynnik").setDisplayFormat(QStringLiteral("0.000")).setReadOnly();
    Label(q, "odpd_jedn_st_opl", "J. st. opł. [zł/Mg]").setDisplayFormat(kAmount).setReadOnly();
    Label(q, "odpd_oplata", "Opłata [zł]").setDisplayFormat(kAmount).setReadOnly();

    GuardValue(q, "odpd_masa", 3, NotNegative("Masa odpadu nie może być ujemna."));
    GuardValue(q, "odpd_stan_uwodnienia", 2,
               Percent("Stan uwodnienia musi mieścić się w granicach od 0 do 100 %."));
    GuardValue(q, "odpd_liczba_dob", 0, NotNegative("Liczba dób nie może być ujemna."));

    WireRecordErrors(q, QStringLiteral("Odpadu"), QStringLiteral("Odpad"));

    q.afterInsert += [this, wayOfStoring](Query& r) {
        r.fieldByName(N("odpd_skod_id")).setValue(qrySklOdpd_->fieldByName(N("skod_id")).value());
        r.fieldByName(N("odpd_tsodpd_id")).setValue(wayOfStoring);
        r.fieldByName(N("odpd_wsp_rozn"))
            .setDecimal(HasRow(*qrySklOdpd_) ? qrySklOdpd_->fieldByName(N("wrodpd_wartosc")).asDecimal()
                                             : Decimal());
        r.fieldByName(N("odpd_masa")).setValue(0);
        r.fieldByName(N("odpd_stan_uwodnienia")).setValue(0);
        r.fieldByName(N("odpd_liczba_dob")).setValue(0);
    };

    // A waste type once per list of a site: a second row of the same type is refused before it is
    // stored, naming the code.
    Connection* cn = &dm_.connection();
    q.beforePost += [cn, wayOfStoring](Query& r) {
        if (r.state() != DataSetState::Insert)
            return;
        const int others =
            Count(*cn,
                  QStringLiteral("SELECT COUNT(*) FROM odpady WHERE odpd_skod_id = ? AND "
                                 "odpd_tsodpd_id = ? AND odpd_sotl_id = ? AND odpd_id <> ?"),
                  {r.fieldByName(N("odpd_skod_id")).value(), wayOfStoring,
                   r.fieldByName(N("odpd_sotl_id")).value(), r.fieldByName(N("odpd_id")).value()});
        if (others > 0)
            throw DataError(
                QStringLiteral("Odpad o kodzie %1 jest już na liście %2 tego składowiska.")
                    .arg(r.fieldByName(N("sotl_kod")).asString().trimmed(), ListName(wayOfStoring)));
    };

    // The fee follows each of the values it is computed from.
    for (const char* name :
         {"odpd_masa", "odpd_stan_uwodnienia", "odpd_wsp_rozn", "odpd_liczba_dob", "odpd_jedn_st_opl"})
        q.field(N(name)).onChange += [this](Field& f) {
            Query& r = f.dataSet();
            r.fieldByName(N("odpd_oplata")).setDecimal(OplataBiezacegoOdpadu(r));
        };

    // The site's fee is the sum of the fees of its stored waste, both lists together.
    AttachRollUp(q, QStringLiteral("odpady"),
                 {RollUpLevel{QStringLiteral("skladowiska_odpd"), QStringLiteral("skod_id"),
                              QStringLiteral("skod_oplata"), QStringLiteral("odpd_skod_id"),
                              QStringLiteral("odpd_oplata"), qrySklOdpd_, QString()}});
}

Decimal TdmfZestOdpady::OplataBiezacegoOdpadu(const Query& list) const {
    return OplataZaOdpad(OdpadZWiersza(list));
}

OdpadDoOplaty TdmfZestOdpady::OdpadZWiersza(const Query& list) const {
    auto dec = [&list](const char* name) { return list.fieldByName(N(name)).asDecimal(); };
    // The legal status of the row's site: the current site's, as it is being edited, or as stored.
    const QVariant siteId = list.fieldByName(N("odpd_skod_id")).value();
    QVariant status;
    if (HasRow(*qrySklOdpd_) && qrySklOdpd_->fieldByName(N("skod_id")).value() == siteId)
        status = qrySklOdpd_->fieldByName(N("skod_wrodpd_id")).value();
    else if (!siteId.isNull()) {
        QSqlQuery stored = dm_.connection().run(
            QStringLiteral("SELECT skod_wrodpd_id FROM skladowiska_odpd WHERE skod_id = ?"), {siteId});
        if (stored.next())
            status = stored.value(0);
    }
    OdpadDoOplaty odpad;
    odpad.masa = dec("odpd_masa");
    odpad.stanUwodnienia = dec("odpd_stan_uwodnienia");
    odpad.przypis = list.fieldByName(N("sotl_przypis")).asString();
    odpad.wspRozn = dec("odpd_wsp_rozn");
    odpad.liczbaDob = dec("odpd_liczba_dob");
    odpad.jednStOpl = dec("odpd_jedn_st_opl");
    odpad.skladowanieLegalne = !status.isNull() && status.toInt() == WasteKeys::SkladowanieLegalne;
    return odpad;
}

void TdmfZestOdpady::PrzypiszWspolczynnik(const Decimal& wspRozn) {
    // One transaction for the whole walk: one commit instead of one per row, and a failure keeps
    // nothing of it.
    try {
        Connection::Transaction transaction(dm_.connection());
        for (Query* list : {qryOdpd_, qryOdpdNs_})
            PrzypiszWspolczynnik(*list, wspRozn);
        transaction.commit();
    } catch (...) {
        // Rolled back: the lists and the site's fee show again what is stored.
        for (Query* list : {qryOdpd_, qryOdpdNs_})
            if (list->isActive() && !list->isEditing())
                list->refresh();
        Query& site = *qrySklOdpd_;
        if (HasRow(site)) {
            const QVariant key = site.fieldByName(N("skod_id")).value();
            QSqlQuery fee = dm_.connection().run(
                QStringLiteral("SELECT skod_oplata FROM skladowiska_odpd WHERE skod_id = ?"), {key});
            if (fee.next())
                site.setStoredValue(N("skod_id"), key, N("skod_oplata"), fee.value(0));
        }
        throw;
    }
}

void TdmfZestOdpady::PrzypiszWspolczynnik(Query& list, const Decimal& wspRozn) {
    if (!list.isActive())
        return;
    // A row being typed is saved first, so that the walk starts from stored rows.
    list.checkBrowseMode();
    if (list.isEmpty())
        return;
    const QVariant current = list.fieldByName(N("odpd_id")).value();
    Field& k = list.fieldByName(N("odpd_wsp_rozn"));
    Field& fee = list.fieldByName(N("odpd_oplata"));
    list.disableControls();
    try {
        for (list.first(); !list.eof(); list.next()) {
            // Every row gets the coefficient and its fee, and is saved so that the site fee
            // follows; a row that already holds both is left as it is.
            OdpadDoOplaty odpad = OdpadZWiersza(list);
            odpad.wspRozn = wspRozn;
            if (!k.isNull() && k.asDecimal() == wspRozn && !fee.isNull() &&
                fee.asDecimal() == OplataZaOdpad(odpad))
                continue;
            list.edit();
            try {
                k.setDecimal(wspRozn);
                list.post();
            } catch (...) {
                list.cancel();
                throw;
            }
            walkedInEdit_ = true;
        }
    } catch (...) {
        list.enableControls();
        list.locate(N("odpd_id"), current);
        throw;
    }
    list.enableControls();
    list.locate(N("odpd_id"), current);
}

// --- components of a mixed waste

void TdmfZestOdpady::setUpComponents() {
    Query& q = *qryOdpdS_;
    q.setSql(QStringLiteral(
        "SELECT odpdsk_id, odpdsk_odpd_id, odpdsk_sotl_id, sotl_kod, sotl_rodzaj, odpdsk_masa, "
        "odpdsk_jedn_st_opl FROM odpady_skladowe INNER JOIN so_tabela_l ON sotl_id = "
        "odpdsk_sotl_id WHERE odpdsk_odpd_id = :odpd_id ORDER BY odpdsk_jedn_st_opl DESC"));
    q.setMaster(qryOdpdNs_, {{QStringLiteral("odpd_id"), QStringLiteral("odpd_id")}});
    ApplyTableDef(q, Def("odpady_skladowe", "odpdsk_id",
                         {"odpdsk_odpd_id", "odpdsk_sotl_id", "odpdsk_masa", "odpdsk_jedn_st_opl"}));

    Label(q, "odpdsk_id", "Nr sys.").setReadOnly();
    Label(q, "odpdsk_odpd_id", "Id odpadu").setVisible(false);
    Label(q, "odpdsk_sotl_id", "Id rodzaju odpadu").setRequired().setVisible(false);
    Label(q, "sotl_kod", "Kod").setReadOnly();
    Label(q, "sotl_rodzaj", "Rodzaj odpadu").setReadOnly();
    Label(q, "odpdsk_masa", "Masa [Mg]").setDisplayFormat(kMass);
    Label(q, "odpdsk_jedn_st_opl", "J. st. opł. [Mg/zł]").setDisplayFormat(kAmount).setReadOnly();

    GuardValue(q, "odpdsk_masa", 3, NotNegative("Masa odpadu nie może być ujemna."));
    WireRecordErrors(q, QStringLiteral("Odpadu składowego"), QStringLiteral("Odpad składowy"));

    q.afterInsert += [this](Query& r) {
        r.fieldByName(N("odpdsk_odpd_id")).setValue(qryOdpdNs_->fieldByName(N("odpd_id")).value());
        r.fieldByName(N("odpdsk_masa")).setValue(0);
    };

    Connection* cn = &dm_.connection();
    q.beforePost += [cn](Query& r) {
        if (r.state() != DataSetState::Insert)
            return;
        const int others =
            Count(*cn,
                  QStringLiteral("SELECT COUNT(*) FROM odpady_skladowe WHERE odpdsk_odpd_id = ? "
                                 "AND odpdsk_sotl_id = ? AND odpdsk_id <> ?"),
                  {r.fieldByName(N("odpdsk_odpd_id")).value(), r.fieldByName(N("odpdsk_sotl_id")).value(),
                   r.fieldByName(N("odpdsk_id")).value()});
        if (others > 0)
            throw DataError(QStringLiteral("Odpad o kodzie %1 jest już składnikiem tego odpadu.")
                                .arg(r.fieldByName(N("sotl_kod")).asString().trimmed()));
    };

    q.afterPost += [this](Query&) { AktualizujOdpadZeSkladnikow(); };
    q.afterDelete += [this](Query&) { AktualizujOdpadZeSkladnikow(); };
}

void TdmfZestOdpady::AktualizujOdpadZeSkladnikow() {
    Query& mixed = *qryOdpdNs_;
    if (!HasRow(mixed))
        return;
    const QVariant odpdId = mixed.fieldByName(N("odpd_id")).value();
    QSqlQuery sums = dm_.connection().run(
        QStringLiteral("SELECT COUNT(*), SUM(odpdsk_masa), MAX(odpdsk_jedn_st_opl) FROM odpady_skladowe "
                       "WHERE odpdsk_odpd_id = ?"),
        {odpdId});
    if (!sums.next() || sums.value(0).toInt() == 0)
        return; // without components the mixed waste keeps its values
    const Decimal masa = Decimal::fromVariant(sums.value(1));
    const Decimal stawka = Decimal::fromVariant(sums.value(2));
    sums.finish();
    try {
        EnsureEdit(&mixed);
        mixed.fieldByName(N("odpd_jedn_st_opl")).setDecimal(stawka);
        mixed.fieldByName(N("odpd_masa")).setDecimal(masa);
        mixed.post();
    } catch (const DataError& e) {
        mixed.cancel();
        AppMessages().error(QStringLiteral("Błąd aktualizacji danych odpadu: ") + e.message());
    } catch (const OperationAborted&) {
        mixed.cancel();
    }
}

bool TdmfZestOdpady::PrzygotujSkladniki() {
    Query& mixed = *qryOdpdNs_;
    if (!HasRow(mixed))
        throw DataError(QStringLiteral("Brak bieżącego odpadu składowanego nieselektywnie."));
    if (mixed.isEditing())
        mixed.post();
    Connection& cn = dm_.connection();
    const QVariant odpdId = mixed.fieldByName(N("odpd_id")).value();
    // The mixed waste is its own first component; once it has components it is never added again.
    bool added = false;
    if (Count(cn, QStringLiteral("SELECT COUNT(*) AS licznik FROM odpady_skladowe WHERE odpdsk_odpd_id = ?"),
              {odpdId}) == 0) {
        cn.run(QStringLiteral("INSERT INTO odpady_skladowe ( odpdsk_id, odpdsk_odpd_id, odpdsk_sotl_id, "
                              "odpdsk_masa, odpdsk_jedn_st_opl ) VALUES ( ?, ?, ?, ?, ? )"),
               {NewKey(cn, QStringLiteral("g_odpady_skladowe")), odpdId,
                mixed.fieldByName(N("odpd_sotl_id")).value(), mixed.fieldByName(N("odpd_masa")).value(),
                mixed.fieldByName(N("odpd_jedn_st_opl")).value()});
        added = true;
    }
    // The components are read afresh.
    qryOdpdS_->close();
    qryOdpdS_->open();
    return added;
}

void TdmfZestOdpady::DodajSkladnik(int sotlId) {
    Query& mixed = *qryOdpdNs_;
    if (!HasRow(mixed))
        throw DataError(QStringLiteral("Brak bieżącego odpadu składowanego nieselektywnie."));
    if (mixed.isEditing())
        mixed.post();
    const RodzajOdpadu rodzaj = FindRodzaj(dm_.connection(), sotlId);
    Query& q = *qryOdpdS_;
    OpenIfClosed(&q);
    q.append();
    try {
        q.fieldByName(N("odpdsk_sotl_id")).setValue(rodzaj.sotlId);
        q.fieldByName(N("sotl_kod")).setValue(rodzaj.kod);
        q.fieldByName(N("sotl_rodzaj")).setValue(rodzaj.rodzaj);
        q.fieldByName(N("odpdsk_jedn_st_opl")).setValue(rodzaj.jednStOpl);
        q.post();
    } catch (...) {
        q.cancel();
        throw;
    }
}

// --- removed waste

void TdmfZestOdpady::setUpRemoved() {
    Query& q = *qryOdpdW_;
    q.setSql(
        QStringLiteral("SELECT odpdw_id, odpdw_skod_id, odpdw_sotl_id, sotl_kod, sotl_rodzaj, "
                       "odpdw_masa_zesklad, odpdw_masa_wydob FROM odpady_wydobyte INNER JOIN so_tabela_l ON "
                       "sotl_id = odpdw_sotl_id WHERE odpdw_skod_id = :skod_id"));
    q.setMaster(qrySklOdpd_, {{QStringLiteral("skod_id"), QStringLiteral("skod_id")}});
    ApplyTableDef(q, Def("odpady_wydobyte", "odpdw_id",
                         {"odpdw_skod_id", "odpdw_sotl_id", "odpdw_masa_zesklad", "odpdw_masa_wydob"}));

    Label(q, "odpdw_id", "Nr sys.").setReadOnly();
    Label(q, "odpdw_skod_id", "Id składowiska odpadów").setVisible(false);
    Label(q, "odpdw_sotl_id", "Id rodzaju odpadu").setRequired().setVisible(false);
    Label(q, "sotl_kod", "Kod").setReadOnly();
    Label(q, "sotl_rodzaj", "Rodzaj odpadu").setReadOnly();
    Label(q, "odpdw_masa_zesklad", "Masa zeskładowana [Mg]").setDisplayFormat(kMass);
    Label(q, "odpdw_masa_wydob", "Masa wydobyta [Mg]").setDisplayFormat(kMass);

    GuardValue(q, "odpdw_masa_zesklad", 3, NotNegative("Masa zeskładowana nie może być ujemna."));
    GuardValue(q, "odpdw_masa_wydob", 3, NotNegative("Masa wydobyta nie może być ujemna."));
    WireRecordErrors(q, QStringLiteral("Odpadu wydobytego"), QStringLiteral("Odpad wydobyty"));

    q.afterInsert += [this](Query& r) {
        r.fieldByName(N("odpdw_skod_id")).setValue(qrySklOdpd_->fieldByName(N("skod_id")).value());
    };

    Connection* cn = &dm_.connection();
    q.beforePost += [cn](Query& r) {
        if (r.state() != DataSetState::Insert)
            return;
        const int others =
            Count(*cn,
                  QStringLiteral("SELECT COUNT(*) FROM odpady_wydobyte WHERE odpdw_skod_id = ? "
                                 "AND odpdw_sotl_id = ? AND odpdw_id <> ?"),
                  {r.fieldByName(N("odpdw_skod_id")).value(), r.fieldByName(N("odpdw_sotl_id")).value(),
                   r.fieldByName(N("odpdw_id")).value()});
        if (others > 0)
            throw DataError(
                QStringLiteral("Odpad o kodzie %1 jest już na liście odpadów wydobytych tego składowiska.")
                    .arg(r.fieldByName(N("sotl_kod")).asString().trimmed()));
    };
}

// --- adding waste and saving

void TdmfZestOdpady::DodajOdpad(Query& list, int sotlId) {
    Query& site = *qrySklOdpd_;
    if (!HasRow(site))
        throw DataError(QStringLiteral("Brak bieżącego składowiska odpadów."));
    if (site.isEditing())
        site.post();
    const RodzajOdpadu rodzaj = FindRodzaj(dm_.connection(), sotlId);
    OpenIfClosed(&list);
    list.append();
    try {
        if (&list == qryOdpdW_) {
            list.fieldByName(N("odpdw_sotl_id")).setValue(rodzaj.sotlId);
            list.fieldByName(N("sotl_kod")).setValue(rodzaj.kod);
            list.fieldByName(N("sotl_rodzaj")).setValue(rodzaj.rodzaj);
            list.fieldByName(N("odpdw_masa_zesklad")).setValue(0);
            list.fieldByName(N("odpdw_masa_wydob")).setValue(0);
        } else {
            list.fieldByName(N("odpd_sotl_id")).setValue(rodzaj.sotlId);
            list.fieldByName(N("sotl_kod")).setValue(rodzaj.kod);
            list.fieldByName(N("sotl_rodzaj")).setValue(rodzaj.rodzaj);
            list.fieldByName(N("sotl_przypis")).setValue(rodzaj.przypis);
            list.fieldByName(N("odpd_jedn_st_opl")).setValue(rodzaj.jednStOpl);
        }
        list.post();
    } catch (...) {
        list.cancel();
        throw;
    }
}

void TdmfZestOdpady::ZapiszZmiany() {
    for (Query* q : {qrySklOdpd_, qryOdpd_, qryOdpdNs_, qryOdpdW_})
        if (q->isEditing())
            q->post();
}
