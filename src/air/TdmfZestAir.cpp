#include "air/TdmfZestAir.h"

#include "air/AirFees.h"
#include "forms/DataHelpers.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "platform/data/RollUp.h"
#include "platform/data/TableDef.h"
#include "platform/data/ValueGuard.h"
#include "statements/TdmfZest.h"

#include <QSqlQuery>

#include <functional>
#include <memory>

namespace {

QString N(const char* name) {
    return QString::fromLatin1(name);
}

const QString kAmount = QStringLiteral("0.00,");
const QString kQuantity = QStringLiteral("0.000,");

Field& Label(Query& q, const char* name, const char* label) {
    return q.field(N(name)).setLabel(QString::fromUtf8(label));
}

TableDef Def(const char* table, const char* key, std::initializer_list<const char*> columns) {
    TableDef def{N(table), N(key), {}, {}};
    for (const char* c : columns)
        def.columns << N(c);
    return def;
}

// Makes a fee list's place creation: right after a new place is written (in its transaction), one
// fee row per rate of the statement's rate year; after the save, the fee lists read them.
struct NewPlaceRows {
    std::function<void(Query& place)> create;
    std::function<void()> show;
};

void AttachNewPlaceRows(Query& place, TdmfZest& dm, const NewPlaceRows& rows) {
    auto inserted = std::make_shared<bool>(false);
    place.afterWrite += [rows, inserted](Query& q) {
        *inserted = q.state() == DataSetState::Insert;
        if (*inserted)
            rows.create(q);
    };
    place.afterPost += [rows, inserted, &dm](Query&) {
        if (!*inserted)
            return;
        *inserted = false;
        dm.ZawartoscZmieniona();
        rows.show();
    };
    place.afterDelete += [&dm](Query&) { dm.ZawartoscZmieniona(); };
}

// A new detail row belongs to its master's current row.
void FillLink(Query& detail, const char* linkField, Query* master, const char* masterField) {
    const QString link = N(linkField);
    const QString key = N(masterField);
    detail.afterInsert +=
        [link, key, master](Query& q) { q.fieldByName(link).setValue(master->fieldByName(key).value()); };
}

void RefreshIfActive(Query* q) {
    if (q->isActive())
        q->refresh();
}

} // namespace

TdmfZestAir::TdmfZestAir(TdmfZest& dm)
    : QObject(&dm), dm_(dm), qryInstDz_(new Query(dm.connection(), this)),
      qryChrPlw_(new Query(dm.connection(), this)), qryZrWprSubst_(new Query(dm.connection(), this)),
      qryOplTA_(new Query(dm.connection(), this)), qryLokTB_(new Query(dm.connection(), this)),
      qryOplTB_(new Query(dm.connection(), this)), qryStTB_(new Query(dm.connection(), this)),
      qryLokTC_(new Query(dm.connection(), this)), qryOplTcAll_(new Query(dm.connection(), this)),
      qryStTC_(new Query(dm.connection(), this)), qryRdS_(new Query(dm.connection(), this)),
      qryOplTD_(new Query(dm.connection(), this)), qryStTD_(new Query(dm.connection(), this)) {
    for (Query*& q : qryOplTc_)
        q = new Query(dm.connection(), this);
    makeTableA();
    makeTableB();
    makeTableC();
    makeTableD();
}

// --- Table A

void TdmfZestAir::makeTableA() {
    Connection* cn = &dm_.connection();

    Query& ild = *qryInstDz_;
    ild.setSql(QStringLiteral(
        "SELECT ild_id, ild_z_id, ild_adres, ild_rodzaj, ild_nom_moc_cieplna, ild_rdz_urz_ochr, ild_zuzycie, "
        "ild_gm_id, ild_kwota, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa, ild_spwgp_id, spwgp_nazwa, "
        "ild_pwgp_id, pwgp_numer, pwgp_data_wyd, pwgp_organ_wyd, pwgp_term_obow_0, pwgp_term_obow_1 FROM "
        "instalacje_dzialalnosci INNER JOIN gminy ON gm_id = ild_gm_id INNER JOIN powiaty ON pow_id = "
        "gm_pow_id INNER JOIN wojewodztwa ON woj_id = pow_woj_id INNER JOIN statusy_pozwolen_gp ON spwgp_id "
        "= ild_spwgp_id LEFT OUTER JOIN pozwolenia_gp ON pwgp_id = ild_pwgp_id WHERE ild_z_id = :z_id"));
    ild.setMaster(dm_.qryZest(), {{QStringLiteral("z_id"), QStringLiteral("z_id")}});
    ApplyTableDef(ild, Def("instalacje_dzialalnosci", "ild_id",
                           {"ild_z_id", "ild_spwgp_id", "ild_pwgp_id", "ild_gm_id", "ild_adres", "ild_rodzaj",
                            "ild_nom_moc_cieplna", "ild_rdz_urz_ochr", "ild_zuzycie", "ild_kwota"}));
    FillLink(ild, "ild_z_id", dm_.qryZest(), "z_id");
    Label(ild, "ild_id", "Nr sys.").setReadOnly();
    Label(ild, "ild_z_id", "Zestawienie").setVisible(false);
    Label(ild, "ild_rodzaj", "Rodzaj instalacji/działności").setRequired().setSize(128);
    Label(ild, "ild_adres", "Adres").setRequired().setSize(64);
    Label(ild, "ild_gm_id", "Gmina").setRequired().setVisible(false);
    Label(ild, "gm_nazwa", "Gmina").setReadOnly();
    Label(ild, "pow_nazwa", "Powiat").setReadOnly();
    Label(ild, "woj_nazwa", "Województwo").setReadOnly();
    Label(ild, "ild_spwgp_id", "Status pozwolenia").setRequired().setVisible(false);
    Label(ild, "spwgp_nazwa", "Status pozwolenia").setReadOnly();
    Label(ild, "ild_pwgp_id", "Pozwolenie").setVisible(false);
    Label(ild, "pwgp_numer", "Nr").setReadOnly();
    Label(ild, "pwgp_data_wyd", "Data wyd.").setReadOnly();
    Label(ild, "pwgp_organ_wyd", "Organ wyd.").setReadOnly();
    Label(ild, "pwgp_term_obow_0", "Data obow. od").setReadOnly();
    Label(ild, "pwgp_term_obow_1", "Data obow. do").setReadOnly();
    Label(ild, "ild_nom_moc_cieplna", "Nominalna moc cieplna [MW]").setDisplayFormat(kAmount);
    Label(ild, "ild_rdz_urz_ochr", "Rodzaj urządzenia ochronnego").setSize(40);
    Label(ild, "ild_zuzycie", "Zużycie surowców, materiałów, ilość produktów lub inna wielkość").setSize(40);
    Label(ild, "ild_kwota", "Opłata [zł]").setDisplayFormat(kAmount).setReadOnly();
    WireRecordErrors(ild, QStringLiteral("Instalacji lub działalności"),
                     QStringLiteral("Instalacja lub działalność"));
    ild.afterInsert += [cn](Query& q) {
        const int status =
            FirstActiveId(*cn, QStringLiteral("spwgp_id"), QStringLiteral("spwgp_lp"),
                          QStringLiteral("spwgp_f_aktualny"), QStringLiteral("statusy_pozwolen_gp"));
        if (status != 0)
            q.fieldByName(QStringLiteral("ild_spwgp_id")).setValue(status);
        q.fieldByName(QStringLiteral("ild_nom_moc_cieplna")).setValue(0);
        q.fieldByName(QStringLiteral("ild_kwota")).setValue(0);
    };
    // The status shown follows the key picked.
    ild.field(QStringLiteral("ild_spwgp_id")).onChange += [cn](Field& f) {
        QVariant name;
        if (!f.isNull()) {
            QSqlQuery r =
                cn->run(QStringLiteral("SELECT spwgp_nazwa FROM statusy_pozwolen_gp WHERE spwgp_id = ?"),
                        {f.value()});
            if (r.next())
                name = r.value(0);
        }
        f.dataSet().fieldByName(QStringLiteral("spwgp_nazwa")).setValue(name);
    };
    ild.afterPost += [this](Query&) { dm_.ZawartoscZmieniona(); };
    ild.afterDelete += [this](Query&) { dm_.ZawartoscZmieniona(); };

    Query& fuel = *qryChrPlw_;
    fuel.setSql(
        QStringLiteral("SELECT chplw_id, chplw_ild_id, chplw_rdz_plw, chplw_zuzycie, chplw_wart_opalowa, "
                       "chplw_zaw_popiolu, chplw_zaw_siarki FROM charakterystyki_paliw WHERE chplw_ild_id "
                       "= :ild_id"));
    fuel.setMaster(qryInstDz_, {{QStringLiteral("ild_id"), QStringLiteral("ild_id")}});
    fuel.setSortedFields(QStringLiteral("chplw_rdz_plw"));
    ApplyTableDef(fuel, Def("charakterystyki_paliw", "chplw_id",
                            {"chplw_ild_id", "chplw_rdz_plw", "chplw_zuzycie", "chplw_wart_opalowa",
                             "chplw_zaw_popiolu", "chplw_zaw_siarki"}));
    FillLink(fuel, "chplw_ild_id", qryInstDz_, "ild_id");
    Label(fuel, "chplw_id", "Nr sys.").setReadOnly();
    Label(fuel, "chplw_ild_id", "Instalacja").setVisible(false);
    Label(fuel, "chplw_rdz_plw", "Rodzaj paliwa").setRequired().setSize(40);
    Label(fuel, "chplw_zuzycie", "Zużycie [Mg lub m3]").setSize(24);
    Label(fuel, "chplw_wart_opalowa", "Wartość opałowa [kJ/kg lub kJ/m3]").setSize(24);
    Label(fuel, "chplw_zaw_popiolu", "Zawartość popiołu [%]").setDisplayFormat(kAmount);
    Label(fuel, "chplw_zaw_siarki", "Zawartość siarki [% lub mg/m3]").setSize(24);
    WireRecordErrors(fuel, QStringLiteral("Charakterystyki paliwa"),
                     QStringLiteral("Charakterystyka paliwa"));

    Query& src = *qryZrWprSubst_;
    src.setSql(QStringLiteral("SELECT zws_id, zws_ild_id, zws_nazwa, zws_oplata FROM zrodla_wprow_subst "
                              "WHERE zws_ild_id = :ild_id"));
    src.setMaster(qryInstDz_, {{QStringLiteral("ild_id"), QStringLiteral("ild_id")}});
    ApplyTableDef(src, Def("zrodla_wprow_subst", "zws_id", {"zws_ild_id", "zws_nazwa", "zws_oplata"}));
    FillLink(src, "zws_ild_id", qryInstDz_, "ild_id");
    Label(src, "zws_id", "Nr sys.").setReadOnly();
    Label(src, "zws_ild_id", "Instalacja").setVisible(false);
    Label(src, "zws_nazwa", "Nazwa źródła").setRequired().setSize(40);
    Label(src, "zws_oplata", "Opłata [zł]").setDisplayFormat(kAmount).setReadOnly();
    WireRecordErrors(src, QStringLiteral("Źródła wprowadzania substancji"),
                     QStringLiteral("Źródło wprowadzania substancji"));
    src.afterInsert += [](Query& q) { q.fieldByName(QStringLiteral("zws_oplata")).setValue(0); };

    Query& ota = *qryOplTA_;
    ota.setSql(QStringLiteral(
        "SELECT ota_id, ota_zws_id, ota_sotg_id, sotg_poz_wydr, sotg_rdz_gaz_pyl, sotg_jedn_st_opl, "
        "ota_skut_urz_ochr, ota_wsk_emisji, ota_wielkosc_emisji, ota_jedn_staw_opl, ota_oplata FROM "
        "oplaty_ta "
        "INNER JOIN so_tabela_g ON sotg_id = ota_sotg_id WHERE ota_zws_id = :zws_id"));
    ota.setMaster(qryZrWprSubst_, {{QStringLiteral("zws_id"), QStringLiteral("zws_id")}});
    ApplyTableDef(ota, Def("oplaty_ta", "ota_id",
                           {"ota_zws_id", "ota_sotg_id", "ota_skut_urz_ochr", "ota_wsk_emisji",
                            "ota_wielkosc_emisji", "ota_jedn_staw_opl", "ota_oplata"}));
    FillLink(ota, "ota_zws_id", qryZrWprSubst_, "zws_id");
    Label(ota, "ota_id", "Nr sys.").setReadOnly();
    Label(ota, "ota_zws_id", "Źródło").setVisible(false);
    Label(ota, "ota_sotg_id", "Id subst.").setRequired().setReadOnly();
    Label(ota, "sotg_poz_wydr", "Kod subst.").setReadOnly();
    Label(ota, "sotg_rdz_gaz_pyl", "Rodzaj gazu lub pyłu").setReadOnly();
    Label(ota, "sotg_jedn_st_opl", "Jedn. stawka opł.").setDisplayFormat(kAmount).setReadOnly();
    Label(ota, "ota_skut_urz_ochr", "Skuteczność urz. [%]").setDisplayFormat(kAmount);
    Label(ota, "ota_wsk_emisji", "Wsk. emisji").setSize(40);
    Label(ota, "ota_wielkosc_emisji", "Wielkość emisji [kg]").setDisplayFormat(kAmount);
    Label(ota, "ota_jedn_staw_opl", "Jedn. st. opł. [zł/kg]")
        .setDisplayFormat(kAmount)
        .setRequired()
        .setReadOnly();
    Label(ota, "ota_oplata", "Opłata [zł]").setDisplayFormat(kAmount).setReadOnly();
    WireRecordErrors(ota, QStringLiteral("Opłaty dla tej substancji"), QStringLiteral("Opłata"));
    ota.afterInsert += [](Query& q) {
        q.fieldByName(QStringLiteral("ota_oplata")).setValue(0);
        q.fieldByName(QStringLiteral("ota_wielkosc_emisji")).setValue(0);
    };
    GuardValue(ota, "ota_wielkosc_emisji", 2, NotNegative("Wielkość emisji nie może być ujemna."));
    ota.field(QStringLiteral("ota_wielkosc_emisji")).onChange += [](Field& f) {
        Query& q = f.dataSet();
        const bool perMg =
            AirFees::IsRatedPerMegagram(q.fieldByName(QStringLiteral("sotg_rdz_gaz_pyl")).asString());
        q.fieldByName(QStringLiteral("ota_oplata"))
            .setDecimal(AirFees::SubstanceFee(
                f.asDecimal(), q.fieldByName(QStringLiteral("ota_jedn_staw_opl")).asDecimal(), perMg));
    };

    // Substance → source → installation, after every save and every deletion; a deleted source
    // leaves its installation with the sum of the sources that remain.
    const RollUpLevel sourceLevel{QStringLiteral("zrodla_wprow_subst"),
                                  QStringLiteral("zws_id"),
                                  QStringLiteral("zws_oplata"),
                                  QStringLiteral("ota_zws_id"),
                                  QStringLiteral("ota_oplata"),
                                  qryZrWprSubst_,
                                  {}};
    const RollUpLevel installationLevel{QStringLiteral("instalacje_dzialalnosci"),
                                        QStringLiteral("ild_id"),
                                        QStringLiteral("ild_kwota"),
                                        QStringLiteral("zws_ild_id"),
                                        QStringLiteral("zws_oplata"),
                                        qryInstDz_,
                                        {}};
    AttachRollUp(ota, QStringLiteral("oplaty_ta"), {sourceLevel, installationLevel});
    AttachRollUp(src, QStringLiteral("zrodla_wprow_subst"), {installationLevel});
}

Decimal TdmfZestAir::MnoznikPozwolenia() const {
    return AirFees::PermitMultiplier(
        int(qryInstDz_->fieldByName(QStringLiteral("ild_spwgp_id")).asInteger()));
}

bool TdmfZestAir::DodajSubstancje(int sotgId) {
    Query& src = *qryZrWprSubst_;
    Query& ota = *qryOplTA_;
    if (!src.isActive() || src.recNo() < 0)
        return false;
    if (src.isEditing())
        src.post();
    OpenIfClosed(&ota);
    QSqlQuery rate = dm_.connection().run(
        QStringLiteral(
            "SELECT sotg_jedn_st_opl, sotg_rdz_gaz_pyl, sotg_poz_wydr FROM so_tabela_g WHERE sotg_id = ?"),
        {sotgId});
    if (!rate.next())
        return false;
    const Decimal tableRate = Decimal::fromVariant(rate.value(0));
    ota.append();
    ota.fieldByName(QStringLiteral("ota_sotg_id")).setValue(sotgId);
    ota.fieldByName(QStringLiteral("sotg_jedn_st_opl")).setValue(rate.value(0));
    ota.fieldByName(QStringLiteral("sotg_rdz_gaz_pyl")).setValue(rate.value(1));
    ota.fieldByName(QStringLiteral("sotg_poz_wydr")).setValue(rate.value(2));
    ota.fieldByName(QStringLiteral("ota_jedn_staw_opl")).setDecimal(tableRate * MnoznikPozwolenia());
    try {
        ota.post();
    } catch (const OperationAborted&) {
        ota.cancel();
        return false;
    } catch (const DataError&) {
        ota.cancel();
        return false;
    }
    return true;
}

void TdmfZestAir::PrzeliczZrodlo() {
    Query& src = *qryZrWprSubst_;
    Query& ota = *qryOplTA_;
    if (src.isEditing())
        src.post();
    if (ota.isEditing())
        ota.post();
    if (!src.isActive() || src.recNo() < 0)
        return;
    const QVariant current = ota.isActive() ? ota.fieldByName(QStringLiteral("ota_id")).value() : QVariant();
    if (ota.isActive())
        ota.refresh();
    else
        ota.open();
    const Decimal multiplier = MnoznikPozwolenia();
    ota.disableControls();
    try {
        // One transaction for the whole walk: every row and its totals are saved, or none.
        Connection::Transaction transaction(dm_.connection());
        for (ota.first(); !ota.eof(); ota.next()) {
            ota.edit();
            const Decimal rate = ota.fieldByName(QStringLiteral("sotg_jedn_st_opl")).asDecimal() * multiplier;
            ota.fieldByName(QStringLiteral("ota_jedn_staw_opl")).setDecimal(rate);
            const bool perMg =
                AirFees::IsRatedPerMegagram(ota.fieldByName(QStringLiteral("sotg_rdz_gaz_pyl")).asString());
            ota.fieldByName(QStringLiteral("ota_oplata"))
                .setDecimal(AirFees::SubstanceFee(
                    ota.fieldByName(QStringLiteral("ota_wielkosc_emisji")).asDecimal(), rate, perMg));
            ota.post();
        }
        transaction.commit();
    } catch (...) {
        ota.cancel();
        ota.enableControls();
        // Nothing of the walk was kept: the lists show what is stored.
        for (Query* q : {qryInstDz_, qryZrWprSubst_, qryOplTA_})
            RefreshIfActive(q);
        throw;
    }
    if (!current.isNull())
        ota.locate(QStringLiteral("ota_id"), current);
    else
        ota.first();
    ota.enableControls();
}

void TdmfZestAir::UsunPozwolenie() {
    Query& ild = *qryInstDz_;
    EnsureEdit(&ild);
    for (const char* name : {"ild_pwgp_id", "pwgp_numer", "pwgp_data_wyd", "pwgp_organ_wyd",
                             "pwgp_term_obow_0", "pwgp_term_obow_1"})
        ild.fieldByName(N(name)).clear();
}

void TdmfZestAir::WstawPozwolenie(int pwgpId) {
    QSqlQuery permit = dm_.connection().run(
        QStringLiteral("SELECT pwgp_numer, pwgp_data_wyd, pwgp_organ_wyd, pwgp_term_obow_0, pwgp_term_obow_1 "
                       "FROM pozwolenia_gp WHERE pwgp_id = ?"),
        {pwgpId});
    if (!permit.next())
        return;
    UsunPozwolenie();
    Query& ild = *qryInstDz_;
    const char* const names[] = {"pwgp_numer", "pwgp_data_wyd", "pwgp_organ_wyd", "pwgp_term_obow_0",
                                 "pwgp_term_obow_1"};
    for (int i = 0; i < 5; ++i)
        ild.fieldByName(N(names[i])).setValue(permit.value(i));
    ild.fieldByName(QStringLiteral("ild_pwgp_id")).setValue(pwgpId);
}

// --- Table B

void TdmfZestAir::makeTableB() {
    Query& lok = *qryLokTB_;
    lok.setSql(QStringLiteral(
        "SELECT ltb_id, ltb_z_id, ltb_gm_id, ltb_adres, ltb_kwota, gm_nazwa, pow_id, pow_nazwa, woj_id, "
        "woj_nazwa "
        "FROM lokalizacje_tb INNER JOIN gminy ON gm_id = ltb_gm_id INNER JOIN powiaty ON pow_id = gm_pow_id "
        "INNER JOIN wojewodztwa ON woj_id = pow_woj_id WHERE ltb_z_id = :z_id"));
    lok.setMaster(dm_.qryZest(), {{QStringLiteral("z_id"), QStringLiteral("z_id")}});
    ApplyTableDef(lok, Def("lokalizacje_tb", "ltb_id", {"ltb_z_id", "ltb_gm_id", "ltb_adres", "ltb_kwota"}));
    FillLink(lok, "ltb_z_id", dm_.qryZest(), "z_id");
    Label(lok, "ltb_id", "Nr sys.").setReadOnly();
    Label(lok, "ltb_z_id", "Zestawienie").setVisible(false);
    Label(lok, "ltb_gm_id", "Gmina").setRequired().setVisible(false);
    Label(lok, "ltb_adres", "Adres").setRequired().setSize(64);
    Label(lok, "ltb_kwota", "Kwota [zł]").setDisplayFormat(kAmount).setReadOnly();
    Label(lok, "gm_nazwa", "Gmina").setReadOnly();
    Label(lok, "pow_nazwa", "Powiat").setReadOnly();
    Label(lok, "woj_nazwa", "Województwo").setReadOnly();
    WireRecordErrors(lok, QStringLiteral("Lokalizacji"), QStringLiteral("Lokalizacja"));
    lok.afterInsert += [](Query& q) { q.fieldByName(QStringLiteral("ltb_kwota")).setValue(0); };

    Query& st = *qryStTB_;
    st.setSql(
        QStringLiteral("SELECT stb_id, stb_poz_wydruku, stb_nazwa_oplaty, stb_stawka, stb_f_aktualny, stb_lp "
                       "FROM stawki_tb WHERE stb_f_aktualny = 1 AND stb_rok_id = :rok_id ORDER BY "
                       "stb_poz_wydruku ASC"));

    AttachNewPlaceRows(lok, dm_,
                       {[this](Query& place) {
                            Query& rates = *qryStTB_;
                            rates.close();
                            rates.setParam(QStringLiteral("rok_id"), dm_.RokStOplId());
                            rates.open();
                            Connection& cn = place.connection();
                            const QVariant ltbId = place.fieldByName(QStringLiteral("ltb_id")).value();
                            for (rates.first(); !rates.eof(); rates.next())
                                cn.run(
                                    QStringLiteral("INSERT INTO oplaty_tb (otb_id, otb_ltb_id, otb_stb_id, "
                                                   "otb_nazwa, otb_stawka_jedn) VALUES (?, ?, ?, ?, ?)"),
                                    {cn.nextKey(QStringLiteral("g_oplaty_tb")), ltbId,
                                     rates.fieldByName(QStringLiteral("stb_id")).value(),
                                     rates.fieldByName(QStringLiteral("stb_nazwa_oplaty")).value(),
                                     rates.fieldByName(QStringLiteral("stb_stawka")).value()});
                            rates.close();
                        },
                        [this] { RefreshIfActive(qryOplTB_); }});

    Query& opl = *qryOplTB_;
    opl.setSql(QStringLiteral("SELECT * FROM oplaty_tb WHERE otb_ltb_id = :ltb_id ORDER BY otb_id"));
    opl.setMaster(qryLokTB_, {{QStringLiteral("ltb_id"), QStringLiteral("ltb_id")}});
    ApplyTableDef(opl, Def("oplaty_tb", "otb_id",
                           {"otb_ltb_id", "otb_stb_id", "otb_nazwa", "otb_illosc", "otb_sk_red_emisji",
                            "otb_stawka_jedn", "otb_kwota"}));
    FillLink(opl, "otb_ltb_id", qryLokTB_, "ltb_id");
    Label(opl, "otb_id", "Nr sys.").setReadOnly();
    Label(opl, "otb_ltb_id", "Lokalizacja").setVisible(false);
    Label(opl, "otb_stb_id", "Stawka tabeli B").setRequired().setVisible(false);
    Label(opl, "otb_nazwa", "Opłata").setRequired().setReadOnly().setSize(64);
    Label(opl, "otb_stawka_jedn", "Stawka jedn. [zł]").setDisplayFormat(kAmount).setReadOnly();
    Label(opl, "otb_illosc", "Ilość przeł. benzyny [Mg]").setDisplayFormat(kQuantity);
    Label(opl, "otb_sk_red_emisji", "Skut. red. emisji [%]").setDisplayFormat(kAmount);
    Label(opl, "otb_kwota", "Kwota [zł]").setDisplayFormat(kAmount).setReadOnly();
    GuardValue(opl, "otb_illosc", 3, NotNegative("Ilość przeładowanej benzyny nie może być ujemna."));
    GuardValue(opl, "otb_sk_red_emisji", 2,
               Percent("Skuteczność redukcji emisji musi mieścić się w przedziale od 0 do 100 %."));
    auto amount = [](Field& f) {
        Query& q = f.dataSet();
        q.fieldByName(QStringLiteral("otb_kwota"))
            .setDecimal(
                AirFees::TableBAmount(q.fieldByName(QStringLiteral("otb_stawka_jedn")).asDecimal(),
                                      q.fieldByName(QStringLiteral("otb_illosc")).asDecimal(),
                                      q.fieldByName(QStringLiteral("otb_sk_red_emisji")).asDecimal()));
    };
    for (const char* name : {"otb_illosc", "otb_sk_red_emisji", "otb_stawka_jedn"})
        opl.field(N(name)).onChange += amount;
    AttachRollUp(opl, QStringLiteral("oplaty_tb"),
                 {RollUpLevel{QStringLiteral("lokalizacje_tb"),
                              QStringLiteral("ltb_id"),
                              QStringLiteral("ltb_kwota"),
                              QStringLiteral("otb_ltb_id"),
                              QStringLiteral("otb_kwota"),
                              qryLokTB_,
                              {}}});
}

// --- Table C

void TdmfZestAir::makeTableC() {
    Query& lok = *qryLokTC_;
    lok.setSql(QStringLiteral(
        "SELECT ltc_id, ltc_z_id, ltc_adres, ltc_kwota, ltc_gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, "
        "woj_nazwa "
        "FROM lokalizacja_tc INNER JOIN gminy ON gm_id = ltc_gm_id INNER JOIN powiaty ON pow_id = gm_pow_id "
        "INNER JOIN wojewodztwa ON woj_id = pow_woj_id WHERE ltc_z_id = :z_id"));
    lok.setMaster(dm_.qryZest(), {{QStringLiteral("z_id"), QStringLiteral("z_id")}});
    ApplyTableDef(lok, Def("lokalizacja_tc", "ltc_id", {"ltc_z_id", "ltc_adres", "ltc_kwota", "ltc_gm_id"}));
    FillLink(lok, "ltc_z_id", dm_.qryZest(), "z_id");
    Label(lok, "ltc_id", "Nr sys.").setReadOnly();
    Label(lok, "ltc_z_id", "Zestawienia").setVisible(false);
    Label(lok, "ltc_gm_id", "Id gminy").setRequired().setVisible(false);
    Label(lok, "ltc_adres", "Adres").setRequired().setSize(64);
    Label(lok, "ltc_kwota", "Kwota [zł]").setDisplayFormat(kAmount).setReadOnly();
    Label(lok, "gm_nazwa", "Gmina").setReadOnly();
    Label(lok, "pow_nazwa", "Powiat").setReadOnly();
    Label(lok, "woj_nazwa", "Województwo").setReadOnly();
    WireRecordErrors(lok, QStringLiteral("Lokalizacji"), QStringLiteral("Lokalizacja"));
    lok.afterInsert += [](Query& q) { q.fieldByName(QStringLiteral("ltc_kwota")).setValue(0); };

    Query& st = *qryStTC_;
    st.setSql(
        QStringLiteral("SELECT stc_id, plwk_nazwa, stc_nazwa, stc_stawka FROM stawki_tc INNER JOIN "
                       "paliwa_kotlow ON plwk_id = stc_plwk_id WHERE plwk_f_aktualny = 1 AND stc_f_aktualny "
                       "= 1 AND stc_rok_id = :rok_id ORDER BY plwk_lp, stc_poz_wydr"));

    AttachNewPlaceRows(lok, dm_,
                       {[this](Query& place) {
                            Query& rates = *qryStTC_;
                            rates.close();
                            rates.setParam(QStringLiteral("rok_id"), dm_.RokStOplId());
                            rates.open();
                            Connection& cn = place.connection();
                            const QVariant ltcId = place.fieldByName(QStringLiteral("ltc_id")).value();
                            for (rates.first(); !rates.eof(); rates.next())
                                cn.run(
                                    QStringLiteral("INSERT INTO oplaty_tc (otc_id, otc_ltc_id, otc_stc_id, "
                                                   "otc_nazwa, otc_stawka_jedn) VALUES (?, ?, ?, ?, ?)"),
                                    {cn.nextKey(QStringLiteral("g_oplaty_tc")), ltcId,
                                     rates.fieldByName(QStringLiteral("stc_id")).value(),
                                     rates.fieldByName(QStringLiteral("stc_nazwa")).value(),
                                     rates.fieldByName(QStringLiteral("stc_stawka")).value()});
                            rates.close();
                        },
                        [this] {
                            for (Query* q : qryOplTc_)
                                RefreshIfActive(q);
                            RefreshIfActive(qryOplTcAll_);
                        }});

    const QString select = QStringLiteral("SELECT otc_id, otc_ltc_id, otc_stc_id, otc_nazwa, "
                                          "otc_liczba_kotlow, otc_zuzycie_paliwa, otc_stawka_jedn, "
                                          "otc_kwota, stc_poz_wydr, stc_plwk_id FROM oplaty_tc INNER JOIN "
                                          "stawki_tc ON stc_id = otc_stc_id WHERE "
                                          "otc_ltc_id = :ltc_id");
    const RollUpLevel place{QStringLiteral("lokalizacja_tc"),
                            QStringLiteral("ltc_id"),
                            QStringLiteral("ltc_kwota"),
                            QStringLiteral("otc_ltc_id"),
                            QStringLiteral("otc_kwota"),
                            qryLokTC_,
                            {}};
    auto makeFees = [&](Query& q, const QString& condition, bool gas) {
        q.setSql(condition.isEmpty() ? select : select + QStringLiteral(" AND ") + condition);
        q.setMaster(qryLokTC_, {{QStringLiteral("ltc_id"), QStringLiteral("ltc_id")}});
        q.setSortedFields(QStringLiteral("stc_poz_wydr"));
        ApplyTableDef(q, Def("oplaty_tc", "otc_id",
                             {"otc_ltc_id", "otc_stc_id", "otc_nazwa", "otc_liczba_kotlow",
                              "otc_zuzycie_paliwa", "otc_stawka_jedn", "otc_kwota"}));
        Label(q, "otc_id", "Nr sys.").setReadOnly();
        Label(q, "otc_ltc_id", "Id lokalizacji").setVisible(false);
        Label(q, "otc_stc_id", "Id stawki").setRequired().setVisible(false);
        Label(q, "otc_nazwa", "Nazwa opłaty").setRequired().setReadOnly().setSize(128);
        Label(q, "otc_liczba_kotlow", "Liczba kotłów");
        Label(q, "otc_zuzycie_paliwa", gas ? "Zużycie paliwa " : "Zużycie paliwa [Mg]")
            .setDisplayFormat(kQuantity);
        Label(q, "otc_stawka_jedn", gas ? "Jedn. stawka opłaty " : "Jedn. stawka opłaty [zł/Mg]")
            .setDisplayFormat(kAmount)
            .setReadOnly();
        Label(q, "otc_kwota", "Kwota [zł]").setDisplayFormat(kAmount).setReadOnly();
        Label(q, "stc_poz_wydr", "Poz. wydr.").setReadOnly().setVisible(false);
        Label(q, "stc_plwk_id", "Paliwo").setReadOnly().setVisible(false);
        GuardValue(q, "otc_zuzycie_paliwa", 3, NotNegative("Zużycie paliwa nie może być ujemne."));
        GuardValue(q, "otc_liczba_kotlow", 0, NotNegative("Liczba kotłów nie może być ujemna."));
        q.field(QStringLiteral("otc_zuzycie_paliwa")).onChange += [](Field& f) {
            Query& r = f.dataSet();
            const AirFees::BoilerUnit unit =
                AirFees::BoilerUnitOf(int(r.fieldByName(QStringLiteral("stc_plwk_id")).asInteger()),
                                      r.fieldByName(QStringLiteral("otc_nazwa")).asString());
            r.fieldByName(QStringLiteral("otc_kwota"))
                .setDecimal(AirFees::TableCAmount(
                    f.asDecimal(), r.fieldByName(QStringLiteral("otc_stawka_jedn")).asDecimal(), unit));
        };
        if (gas) {
            q.addCalculatedField(QStringLiteral("clc_jm_zuz_plw"), FieldType::String, 2)
                .setLabel(QStringLiteral(" "));
            q.addCalculatedField(QStringLiteral("clc_jm_st_jedn_opl"), FieldType::String, 16)
                .setLabel(QStringLiteral(" "));
            q.onCalcFields += [](Query& r) {
                const AirFees::BoilerUnit unit =
                    AirFees::BoilerUnitOf(int(r.fieldByName(QStringLiteral("stc_plwk_id")).asInteger()),
                                          r.fieldByName(QStringLiteral("otc_nazwa")).asString());
                r.fieldByName(QStringLiteral("clc_jm_zuz_plw")).setValue(AirFees::ConsumptionUnitText(unit));
                r.fieldByName(QStringLiteral("clc_jm_st_jedn_opl")).setValue(AirFees::RateUnitText(unit));
            };
        }
        AttachRollUp(q, QStringLiteral("oplaty_tc"), {place});
    };
    for (int i = 0; i < 5; ++i)
        makeFees(*qryOplTc_[i], QStringLiteral("stc_plwk_id = %1").arg(100 + i), i == 4);
    makeFees(*qryOplTcAll_, QString(), false);
}

// --- Table D

void TdmfZestAir::makeTableD() {
    Query& rds = *qryRdS_;
    rds.setSql(QStringLiteral("SELECT rds_id, rds_nazwa, rds_poz_wydruku FROM rodzaje_silnikow ORDER BY "
                              "rds_poz_wydruku"));
    Label(rds, "rds_id", "Nr sys.").setReadOnly();
    Label(rds, "rds_nazwa", "Rodzaj silnika").setReadOnly().setSize(256);
    Label(rds, "rds_poz_wydruku", "Lp.").setReadOnly();

    Query& opl = *qryOplTD_;
    opl.setSql(QStringLiteral(
        "SELECT otd_id, otd_z_id, otd_ssp_id, otd_zuzycie_paliwa, otd_stawka_jedn, otd_kwota, rps_nazwa, "
        "ssp_stawka, ssp_rds_id FROM oplaty_td INNER JOIN stawki_silnik_paliwo ON ssp_id = otd_ssp_id INNER "
        "JOIN rodzaje_paliw_silnik ON rps_id = ssp_rps_id WHERE ssp_f_zdefiniowana = 1 AND otd_z_id = :z_id "
        "AND ssp_rds_id = :rds_id ORDER BY rps_poz_wydruku"));
    opl.setMaster(qryRdS_, {{QStringLiteral("rds_id"), QStringLiteral("rds_id")}});
    ApplyTableDef(opl, Def("oplaty_td", "otd_id",
                           {"otd_z_id", "otd_ssp_id", "otd_zuzycie_paliwa", "otd_stawka_jedn", "otd_kwota"}));
    Label(opl, "otd_id", "Nr sys.").setReadOnly();
    Label(opl, "otd_z_id", "Zestawienie").setVisible(false);
    Label(opl, "otd_ssp_id", "Id stawki").setRequired().setVisible(false);
    Label(opl, "rps_nazwa", "Rodzaj paliwa").setReadOnly();
    Label(opl, "otd_zuzycie_paliwa", "Zużycie paliwa [Mg]").setDisplayFormat(kQuantity);
    Label(opl, "otd_stawka_jedn", "Jedn. stawka opł. [zł/Mg]")
        .setDisplayFormat(kAmount)
        .setRequired()
        .setReadOnly();
    Label(opl, "otd_kwota", "Wysokość opł. [zł]").setDisplayFormat(kAmount).setReadOnly();
    Label(opl, "ssp_stawka", "Stawka w słow.").setDisplayFormat(kAmount).setReadOnly().setVisible(false);
    Label(opl, "ssp_rds_id", "Id rodz. silnika").setReadOnly().setVisible(false);
    GuardValue(opl, "otd_zuzycie_paliwa", 3, NotNegative("Zużycie paliwa nie może być ujemne."));
    opl.field(QStringLiteral("otd_zuzycie_paliwa")).onChange += [](Field& f) {
        Query& q = f.dataSet();
        q.fieldByName(QStringLiteral("otd_kwota"))
            .setDecimal(AirFees::TableDAmount(q.fieldByName(QStringLiteral("otd_stawka_jedn")).asDecimal(),
                                              f.asDecimal()));
    };

    qryStTD_->setSql(QStringLiteral("SELECT ssp_id, ssp_stawka FROM stawki_silnik_paliwo INNER JOIN "
                                    "rodzaje_silnikow ON rds_id = ssp_rds_id "
                                    "INNER JOIN rodzaje_paliw_silnik ON rps_id = ssp_rps_id WHERE "
                                    "ssp_f_zdefiniowana = 1 AND rds_f_aktualny "
                                    "= 1 AND rps_f_aktualny = 1 AND ssp_rok_id = :rok_id ORDER BY "
                                    "rds_poz_wydruku ASC, rps_poz_wydruku ASC"));
}

void TdmfZestAir::PrzygotujTabeleD() {
    Connection& cn = dm_.connection();
    const QVariant zId = dm_.qryZest()->fieldByName(QStringLiteral("z_id")).value();
    Query& opl = *qryOplTD_;
    opl.close();
    opl.setParam(QStringLiteral("z_id"), zId);
    QSqlQuery count =
        cn.run(QStringLiteral("SELECT COUNT(*) counter FROM oplaty_td WHERE otd_z_id = ?"), {zId});
    if (count.next() && count.value(0).toInt() == 0) {
        Query& rates = *qryStTD_;
        rates.close();
        rates.setParam(QStringLiteral("rok_id"), dm_.RokStOplId());
        rates.open();
        Connection::Transaction transaction(cn);
        for (rates.first(); !rates.eof(); rates.next())
            cn.run(QStringLiteral("INSERT INTO oplaty_td (otd_id, otd_z_id, otd_ssp_id, otd_stawka_jedn) "
                                  "VALUES (?, ?, ?, ?)"),
                   {cn.nextKey(QStringLiteral("g_oplaty_td")), zId,
                    rates.fieldByName(QStringLiteral("ssp_id")).value(),
                    rates.fieldByName(QStringLiteral("ssp_stawka")).value()});
        transaction.commit();
        rates.close();
        dm_.ZawartoscZmieniona();
    }
    if (qryRdS_->isActive())
        qryRdS_->refresh();
    else
        qryRdS_->open();
    opl.open();
}

// --- converter target

bool TdmfZestAir::MoznaWstawic(const Query* list) {
    return list && list->isActive() && list->recNo() >= 0;
}

void TdmfZestAir::WstawWynik(Query& list, const QString& fieldName, const Decimal& megagrams) {
    if (!MoznaWstawic(&list))
        throw DataError(QStringLiteral("Brak bieżącego wiersza opłaty, do którego można wstawić wynik."));
    EnsureEdit(&list);
    Field& field = list.fieldByName(fieldName);
    // The quantity columns hold three decimals: the amount is computed from the quantity as stored.
    field.setDecimal(RoundForStorage(megagrams, 3));
    list.post();
}
