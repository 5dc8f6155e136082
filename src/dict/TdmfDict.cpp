#include "dict/TdmfDict.h"

#include "dict/CommuneDelete.h"
#include "dict/DictQuery.h"
#include "forms/DataHelpers.h"

TdmfDict* dmfDict = nullptr;

namespace {

using Cols = QList<DictColumn>;

// A text column.
DictColumn Text(const char* name, int size, const QString& label = {}, bool required = true) {
    return DictColumn{QString::fromLatin1(name), label, size, required, {}, false};
}

// A number column (integer or decimal).
DictColumn Number(const char* name, const QString& label = {}, bool required = true,
                  const QString& format = {}) {
    return DictColumn{QString::fromLatin1(name), label, 0, required, format, false};
}

DictColumn ReadOnly(DictColumn column) {
    column.readOnly = true;
    return column;
}

const QString kJoinLata = QStringLiteral("LEFT JOIN lata ON rok_id = %1_rok_id");
DictColumn RokNazwa() {
    return Number("rok_nazwa", QStringLiteral("Rok"));
}

const QString kF00 = QStringLiteral("0.00");

// Decimals of a sewage rate by the code of its row.
int TableADecimals(const QString& code) {
    if (code == QLatin1String("Cl+SO4"))
        return 3;
    if (code == QLatin1String("Cl+SO4-RZGW-Gd"))
        return 4;
    return 2;
}

int TableDDecimals(const QString& code) {
    return code == QLatin1String("T_PRZEMYSL") ? 2 : 3;
}

QString Trimmed(const Query& q, const char* field) {
    return q.fieldByName(QString::fromLatin1(field)).asString().trimmed();
}

// The waste catalogue of one year at one level of its tree.
DictQueryDef SoTl(int level, const QString& link, const QString& nameLabel) {
    DictQueryDef d;
    d.table = QStringLiteral("so_tabela_l");
    d.prefix = QStringLiteral("sotl");
    d.columns = Cols{Number("sotl_lp_tbl"),
                     Text("sotl_kod", 9, QStringLiteral("Kod")),
                     Text("sotl_rodzaj", 400, nameLabel),
                     Number("sotl_jedn_st_opl", QStringLiteral("J. st. opł. [zł/Mg]"), false, kF00),
                     Number("sotl_h_poziom"),
                     Text("sotl_h_grupa", 9, QStringLiteral("Grupa")),
                     Text("sotl_h_podgrupa", 9, QStringLiteral("Podgrupa")),
                     Text("sotl_przypis", 16, QStringLiteral("Przypis"), false),
                     Number("sotl_rok_id")};
    d.joins = kJoinLata.arg(d.prefix);
    d.joined = Cols{RokNazwa()};
    d.condition = QStringLiteral("sotl_h_poziom = %1 AND sotl_rok_id = :rok_id").arg(level);
    if (!link.isEmpty())
        d.condition += QStringLiteral(" AND %1 = :%1").arg(link);
    d.orderBy = QStringLiteral("sotl_kod");
    d.access = DictAccess::ReadOnly;
    return d;
}

} // namespace

TdmfDict::TdmfDict(Connection& connection, QObject* parent) : QObject(parent), connection_(connection) {
    auto make = [this](const DictQueryDef& def) {
        Query* q = newQuery();
        SetUpDictQuery(*q, connection_, def);
        return q;
    };

    // --- statements
    {
        DictQueryDef d;
        d.table = QStringLiteral("lata");
        d.prefix = QStringLiteral("rok");
        d.columns = Cols{Number("rok_nazwa", QStringLiteral("Rok")),
                         Number("rok_f_st_op", QStringLiteral("Są st. opl."))};
        d.orderBy = QStringLiteral("rok_lp");
        d.genitive = QStringLiteral("Roku zestawienia");
        d.nominative = QStringLiteral("Rok zestawienia");
        qryLata_ = make(d);
        // A year added by the user has no rates yet, so it is not offered as a rate year.
        qryLata_->afterInsert += [](Query& q) { q.fieldByName(QStringLiteral("rok_f_st_op")).setValue(0); };
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("polrocza");
        d.prefix = QStringLiteral("pr");
        d.columns =
            Cols{Text("pr_nazwa", 16, QStringLiteral("Półrocze")), Number("pr_nr", QStringLiteral("Nr"))};
        d.orderBy = QStringLiteral("pr_lp");
        d.genitive = QStringLiteral("Półrocza");
        d.nominative = QStringLiteral("Półrocze");
        qryPolrocza_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("stan_zestawienia");
        d.prefix = QStringLiteral("stz");
        d.columns = Cols{Text("stz_nazwa", 16, QStringLiteral("Stan zestawienia"))};
        d.orderBy = QStringLiteral("stz_lp");
        d.access = DictAccess::ReadOnly;
        qryStanZestawienia_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("szablony_poz_zzb");
        d.prefix = QStringLiteral("spzzb");
        d.columns = Cols{Text("spzzb_lp_wydr", 16, QStringLiteral("Lp. na wydr.")),
                         Text("spzzb_etykieta_frm", 256, QStringLiteral("Nazwa na form. ekr.")),
                         Text("spzzb_etykieta_prt", 256, QStringLiteral("Nazwa na wydr.")),
                         Text("spzzb_kod_tabeli", 8, QStringLiteral("Kod tabeli"), false),
                         Number("spzzb_poz_wydruku", QStringLiteral("Poz. wydr."))};
        d.orderBy = QStringLiteral("spzzb_poz_wydruku");
        d.access = DictAccess::NoAddNoDelete;
        d.genitive = QStringLiteral("Szablonu");
        d.nominative = QStringLiteral("Szablon");
        qrySzablonyPozZzb_ = make(d);
    }
    {
        // The statement of the rate years is the one other Parts rely on, word for word; its order
        // (newest year first) is kept on the client.
        qryLataStOpl_ = newQuery();
        Query& q = *qryLataStOpl_;
        q.setSql(QStringLiteral("SELECT * FROM lata WHERE rok_f_st_op = 1 AND ((rok_f_aktualny = "
                                ":f_aktualny_1) OR (rok_f_aktualny = :f_aktualny_2))"));
        q.setParam(QStringLiteral("f_aktualny_1"), 1);
        q.setParam(QStringLiteral("f_aktualny_2"), 1);
        q.setSortedFields(QStringLiteral("rok_lp ASC"));
        q.field(QStringLiteral("rok_id")).setLabel(QStringLiteral("Nr sys.")).setReadOnly();
        q.field(QStringLiteral("rok_nazwa")).setLabel(QStringLiteral("Rok")).setReadOnly();
        q.field(QStringLiteral("rok_f_aktualny")).setLabel(QStringLiteral("Aktualny")).setReadOnly();
        q.field(QStringLiteral("rok_lp")).setLabel(QStringLiteral("Lp.")).setReadOnly();
        q.field(QStringLiteral("rok_f_st_op")).setLabel(QStringLiteral("Są st. opl.")).setReadOnly();
        AddCalcField(
            q, QStringLiteral("clc_f_aktualny"), FieldType::String, 1, QStringLiteral("Aktualny"),
            [](const Query& r) { return FlagText(r.fieldByName("rok_f_aktualny").asInteger() != 0); });
        q.beforeInsert += [](Query&) { Abort(); };
        q.beforeEdit += [](Query&) { Abort(); };
        q.beforeDelete += [](Query&) { Abort(); };
    }

    // --- territorial units
    {
        DictQueryDef d;
        d.table = QStringLiteral("wojewodztwa");
        d.prefix = QStringLiteral("woj");
        d.keyLabel = QStringLiteral("Id woj.");
        d.columns = Cols{Text("woj_nazwa", 24, QStringLiteral("Województwo")), Text("woj_identyfikator", 8)};
        d.orderBy = QStringLiteral("woj_lp");
        d.access = DictAccess::ReadOnly;
        d.genitive = QStringLiteral("Województwa");
        d.nominative = QStringLiteral("Województwo");
        qryWojewodztwa_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("powiaty");
        d.prefix = QStringLiteral("pow");
        d.keyLabel = QStringLiteral("Id powiatu");
        d.columns = Cols{Number("pow_woj_id"), Text("pow_nazwa", 24, QStringLiteral("Powiat")),
                         Text("pow_identyfikator", 8)};
        d.condition = QStringLiteral("pow_woj_id = :woj_id");
        d.orderBy = QStringLiteral("pow_lp");
        d.access = DictAccess::ReadOnly;
        d.genitive = QStringLiteral("Powiatu");
        d.nominative = QStringLiteral("Powiat");
        qryPowiaty_ = make(d);
        qryPowiaty_->setMaster(qryWojewodztwa_, {{QStringLiteral("woj_id"), QStringLiteral("woj_id")}});
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("gminy");
        d.prefix = QStringLiteral("gm");
        d.columns = Cols{Number("gm_pow_id"), Text("gm_identyfikator", 8),
                         Text("gm_nazwa", 64, QStringLiteral("Gmina")), Number("gm_rjt_id")};
        d.joins = QStringLiteral("LEFT JOIN rodzaje_jednostek_teryt ON rjt_id = gm_rjt_id");
        d.joined = Cols{Text("rjt_nazwa", 64), Text("rjt_skrot", 12, {}, false)};
        d.condition = QStringLiteral("gm_pow_id = :pow_id");
        d.orderBy = QStringLiteral("gm_lp");
        d.access = DictAccess::ReadOnly;
        d.genitive = QStringLiteral("Gminy");
        d.nominative = QStringLiteral("Gmina");
        qryGminy_ = make(d);
        qryGminy_->setMaster(qryPowiaty_, {{QStringLiteral("pow_id"), QStringLiteral("pow_id")}});
        // A commune that sewage receivers use is refused with the usual message before anything else
        // is asked: the database would delete the receivers with it.
        {
            Connection* cn = &connection;
            qryGminy_->beforeDelete.clear();
            qryGminy_->beforeDelete += [cn](Query& q) {
                if (!GminaMoznaUsunac(*cn, int(q.fieldByName(QStringLiteral("gm_id")).asInteger())))
                    Abort();
                // Territorial units come with the database and are not deleted by the program.
                Abort();
            };
        }
        // The name with the kind of unit, as pickers and places of use show a commune.
        AddCalcField(*qryGminy_, QStringLiteral("clc_nazwa"), FieldType::String, 64, QStringLiteral("Gmina"),
                     [](const Query& q) {
                         return Trimmed(q, "gm_nazwa") + QStringLiteral(" (") + Trimmed(q, "rjt_skrot") +
                                QLatin1Char(')');
                     });
    }

    // --- water withdrawal
    {
        DictQueryDef d;
        d.table = QStringLiteral("rzgw");
        d.prefix = QStringLiteral("rzgw");
        d.columns = Cols{Text("rzgw_nazwa", 80, QStringLiteral("RZGW")),
                         Number("rzgw_wsp_roznicujacy", QStringLiteral("Wsp. różnicujący"))};
        d.orderBy = QStringLiteral("rzgw_lp");
        d.genitive = QStringLiteral("Regionalnego zarządu");
        d.nominative = QStringLiteral("RZGW");
        qryRzgw_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("typ_ujecia_wody");
        d.prefix = QStringLiteral("tuw");
        d.columns = Cols{Text("tuw_nazwa", 40, QStringLiteral("Typ ujęcia wody"))};
        d.orderBy = QStringLiteral("tuw_lp");
        d.genitive = QStringLiteral("Typu ujęcia wody");
        d.nominative = QStringLiteral("Typ ujęcia wody");
        qryTypUjeciaWody_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("rodzaj_uw_pow");
        d.prefix = QStringLiteral("rdzuwpw");
        d.columns = Cols{Text("rdzuwpw_nazwa", 40, QStringLiteral("Nazwa"))};
        d.orderBy = QStringLiteral("rdzuwpw_lp");
        d.genitive = QStringLiteral("Rodzaju ujęcia wody");
        d.nominative = QStringLiteral("Rodzaj ujęcia wody");
        qryRodzajUwPow_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("stawki_pw");
        d.prefix = QStringLiteral("spw");
        d.columns = Cols{Number("spw_tuw_id"),
                         Text("spw_nazwa", 64, QStringLiteral("Nazwa")),
                         Number("spw_stawka", QStringLiteral("Stawka"), true, QStringLiteral("0.000")),
                         Number("spw_poz_wydr", QStringLiteral("Poz. wydr.")),
                         Text("spw_opis", 256, QStringLiteral("Opis"), false),
                         Number("spw_rok_id", QStringLiteral("Id roku stawki"))};
        d.joins =
            QStringLiteral("LEFT JOIN typ_ujecia_wody ON tuw_id = spw_tuw_id\n") + kJoinLata.arg(d.prefix);
        d.joined = Cols{Text("tuw_nazwa", 40, QStringLiteral("Typ ujęcia wody")), RokNazwa()};
        d.orderBy = QStringLiteral("rok_lp, spw_lp");
        d.access = DictAccess::NoAddNoDelete;
        d.genitive = QStringLiteral("Stawki opłat za pobór wody");
        d.nominative = QStringLiteral("Stawka opłat za pobór wody");
        qryStawkiPw_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("wsp_rozn_pw");
        d.prefix = QStringLiteral("wrpw");
        d.columns = Cols{Number("wrpw_tuw_id"),
                         ReadOnly(Text("wrpw_nazwa", 136, QStringLiteral("Nazwa współczynnika"))),
                         Number("wrpw_wartosc", QStringLiteral("Wartość"))};
        d.joins = QStringLiteral("LEFT JOIN typ_ujecia_wody ON tuw_id = wrpw_tuw_id");
        d.joined = Cols{Text("tuw_nazwa", 40, QStringLiteral("Typ ujęcia wody"))};
        d.orderBy = QStringLiteral("wrpw_lp");
        d.access = DictAccess::NoAddNoDelete;
        d.genitive = QStringLiteral("Współczynnika");
        d.nominative = QStringLiteral("Współczynnik");
        qryWspRoznPw_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("statusy_pozwolen_wp");
        d.prefix = QStringLiteral("spw");
        d.columns = Cols{Text("spw_nazwa", 40)};
        d.orderBy = QStringLiteral("spw_lp");
        d.access = DictAccess::ReadOnly;
        qryStatusyPozwolenWp_ = make(d);
    }

    // --- gases and dust
    {
        DictQueryDef d;
        d.table = QStringLiteral("paliwa_kotlow");
        d.prefix = QStringLiteral("plwk");
        d.columns = Cols{Text("plwk_nazwa", 16, QStringLiteral("Nazwa")),
                         Text("plwk_nazwa_n", 16, QStringLiteral("Narzędnik")),
                         Text("plwk_opis_wydr", 128, QStringLiteral("Opis na wydr."), false)};
        d.orderBy = QStringLiteral("plwk_lp");
        d.genitive = QStringLiteral("Paliwa");
        d.nominative = QStringLiteral("Paliwo");
        qryPaliwaKotlow_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("rodzaje_paliw_silnik");
        d.prefix = QStringLiteral("rps");
        d.columns = Cols{Text("rps_nazwa", 128, QStringLiteral("Rodzaj paliwa"), false),
                         Number("rps_poz_wydruku", QStringLiteral("Pozycja wydr."), false)};
        d.orderBy = QStringLiteral("rps_lp");
        d.genitive = QStringLiteral("Rodzaju paliwa silnikowego");
        d.nominative = QStringLiteral("Rodzaj paliwa silnikowego");
        qryRodzajePaliwSilnik_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("rodzaje_silnikow");
        d.prefix = QStringLiteral("rds");
        d.columns = Cols{Text("rds_nazwa", 256, QStringLiteral("Rodzaj silnika")),
                         Number("rds_poz_wydruku", QStringLiteral("Poz. wydr."))};
        d.orderBy = QStringLiteral("rds_lp");
        d.genitive = QStringLiteral("Rodzaju silnika");
        d.nominative = QStringLiteral("Rodzaj silnika");
        qryRodzajeSilnikow_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("stawki_silnik_paliwo");
        d.prefix = QStringLiteral("ssp");
        d.columns =
            Cols{Number("ssp_rds_id"), Number("ssp_rps_id"), Number("ssp_stawka", QStringLiteral("Stawka")),
                 Number("ssp_f_zdefiniowana", QStringLiteral("Zdef.")), Number("ssp_rok_id")};
        d.joins = QStringLiteral("LEFT JOIN rodzaje_silnikow ON rds_id = ssp_rds_id\n"
                                 "LEFT JOIN rodzaje_paliw_silnik ON rps_id = ssp_rps_id\n") +
                  kJoinLata.arg(d.prefix);
        d.joined = Cols{Text("rds_nazwa", 256, QStringLiteral("Rodzaj silnika")),
                        Number("rds_poz_wydruku", QStringLiteral("Poz. wydr.")),
                        Text("rps_nazwa", 128, QStringLiteral("Rodzaj paliwa")),
                        Number("rps_poz_wydruku", QStringLiteral("Pozycja wydr.")), RokNazwa()};
        d.orderBy = QStringLiteral("rok_lp, ssp_lp");
        d.access = DictAccess::NoAddNoDelete;
        d.genitive = QStringLiteral("Stawki");
        d.nominative = QStringLiteral("Stawki");
        qryStawkiSilnikPaliwo_ = make(d);
        qryStawkiSilnikPaliwo_->fieldByName(QStringLiteral("ssp_lp")).setReadOnly();
        // Whether the regulation defines a rate for the pair ("Zdefiniowana"); titled as in the grid.
        AddCalcField(*qryStawkiSilnikPaliwo_, QStringLiteral("clc_f_zdef"), FieldType::String, 1,
                     QStringLiteral("Zdef."), [](const Query& q) {
                         return FlagText(q.fieldByName(QStringLiteral("ssp_f_zdefiniowana")).asInteger() !=
                                         0);
                     });
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("stawki_tb");
        d.prefix = QStringLiteral("stb");
        d.columns = Cols{Number("stb_poz_wydruku", QStringLiteral("Poz. wydr.")),
                         ReadOnly(Text("stb_nazwa_oplaty", 64, QStringLiteral("Nazwa opłaty"))),
                         Number("stb_stawka", QStringLiteral("Stawka"), true, kF00), Number("stb_rok_id")};
        d.joins = kJoinLata.arg(d.prefix);
        d.joined = Cols{RokNazwa()};
        d.orderBy = QStringLiteral("rok_lp, stb_lp");
        d.access = DictAccess::NoAddNoDelete;
        d.genitive = QStringLiteral("Stawki");
        d.nominative = QStringLiteral("Stawki");
        qryStawkiTb_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("stawki_tc");
        d.prefix = QStringLiteral("stc");
        d.columns = Cols{Number("stc_plwk_id", QStringLiteral("Paliwo")),
                         Text("stc_nazwa", 128, QStringLiteral("Nazwa opłaty")),
                         Number("stc_poz_wydr", QStringLiteral("Poz. wydr.")),
                         Number("stc_stawka", QStringLiteral("Stawka"), true, QStringLiteral("0.00,")),
                         Number("stc_rok_id")};
        d.joins =
            QStringLiteral("LEFT JOIN paliwa_kotlow ON plwk_id = stc_plwk_id\n") + kJoinLata.arg(d.prefix);
        d.joined = Cols{Text("plwk_nazwa", 16, QStringLiteral("Paliwo")), RokNazwa()};
        d.orderBy = QStringLiteral("rok_lp, stc_lp");
        d.access = DictAccess::NoAddNoDelete;
        d.genitive = QStringLiteral("Stawki");
        d.nominative = QStringLiteral("Stawka");
        qryStawkiTc_ = make(d);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("so_tabela_g");
        d.prefix = QStringLiteral("sotg");
        d.columns = Cols{Number("sotg_poz_wydr", QStringLiteral("Pozycja"), false),
                         Text("sotg_rdz_gaz_pyl", 256, QStringLiteral("Rodzaj gazu lub pyłu")),
                         Number("sotg_jedn_st_opl", QStringLiteral("Jedn. stawka opł."), true, kF00),
                         Number("sotg_rok_id")};
        d.joins = kJoinLata.arg(d.prefix);
        d.joined = Cols{RokNazwa()};
        // Year 0 lists the rates of every year.
        d.condition = QStringLiteral("sotg_rok_id = :rok_id OR :rok_id = 0");
        d.orderBy = QStringLiteral("rok_lp, sotg_lp");
        d.access = DictAccess::NoAdd;
        d.genitive = QStringLiteral("Stawki opłat");
        d.nominative = QStringLiteral("Stawka opłat");
        qrySoTabelaG_ = make(d);
        qrySoTabelaG_->setParam(QStringLiteral("rok_id"), 0);
    }
    {
        DictQueryDef d;
        d.table = QStringLiteral("statusy_pozwolen_gp");
        d.prefix = QStringLiteral("spwgp");
        d.columns = Cols{Text("spwgp_nazwa", 40)};
        d.orderBy = QStringLiteral("spwgp_lp");
        d.access = DictAccess::ReadOnly;
        qryStatusyPozwolenGp_ = make(d);
    }

    // --- sewage rates, Tables A to D
    auto rates = [&](const char* table, const char* prefix, const Cols& columns) {
        DictQueryDef d;
        d.table = QString::fromLatin1(table);
        d.prefix = QString::fromLatin1(prefix);
        d.columns = columns;
        d.joins = kJoinLata.arg(d.prefix);
        d.joined = Cols{RokNazwa()};
        d.orderBy = QStringLiteral("rok_lp, %1_lp").arg(d.prefix);
        d.access = DictAccess::NoAdd;
        d.genitive = QStringLiteral("Stawki opłaty");
        d.nominative = QStringLiteral("Stawka opłaty");
        return make(d);
    };
    qrySoTabelaA_ = rates("so_tabela_a", "sota",
                          Cols{Text("sota_wskaznik", 128, QStringLiteral("Nazwa")),
                               Number("sota_kwota", QStringLiteral("Kwota [zł/kg]")), Text("sota_kod", 16),
                               Number("sota_rok_id")});
    qrySoTabelaB_ = rates("so_tabela_b", "sotb",
                          Cols{Text("sotb_nazwa", 64, QStringLiteral("Nazwa")),
                               Number("sotb_kwota", QStringLiteral("Kwota [zł/kg]"), false, kF00),
                               Text("sotb_opis", 1024, QStringLiteral("Opis"), false), Text("sotb_kod", 16),
                               Number("sotb_rok_id")});
    qrySoTabelaC_ = rates("so_tabela_c", "sotc",
                          Cols{Text("sotc_nazwa", 128, QStringLiteral("Nazwa")),
                               Number("sotc_kwota", QStringLiteral("Kwota [zł/dam3]"), true, kF00),
                               Text("sotc_kod", 16), Number("sotc_rok_id")});
    qrySoTabelaD_ = rates("so_tabela_d", "sotd",
                          Cols{Text("sotd_nazwa", 256, QStringLiteral("Rodzaj terenu")),
                               Number("sotd_kwota", QStringLiteral("Kwota [zł/m2]")), Number("sotd_poz_wydr"),
                               Text("sotd_kod", 16), Number("sotd_rok_id")});
    SetRateDecimalsByCode(*qrySoTabelaA_, QStringLiteral("sota_kwota"), QStringLiteral("sota_kod"),
                          TableADecimals);
    SetRateDecimalsByCode(*qrySoTabelaD_, QStringLiteral("sotd_kwota"), QStringLiteral("sotd_kod"),
                          TableDDecimals);

    // --- sewage dictionaries
    auto simple = [&](const char* table, const char* prefix, const Cols& columns, const char* genitive,
                      const char* nominative) {
        DictQueryDef d;
        d.table = QString::fromLatin1(table);
        d.prefix = QString::fromLatin1(prefix);
        d.columns = columns;
        d.orderBy = d.prefix + QStringLiteral("_lp");
        d.genitive = QString::fromUtf8(genitive);
        d.nominative = QString::fromUtf8(nominative);
        return make(d);
    };
    qryRdzOdbiornikowSc_ =
        simple("rdz_odbiornikow_sc", "ros", Cols{Text("ros_nazwa", 40, QStringLiteral("Rodz. odbiornika"))},
               "Rodzaju odbiornika ścieków", "Rodzaj odbiornika scieków");
    qryKodyRdzSc_ = simple(
        "kody_rdz_sc", "krsc",
        Cols{Text("krsc_kod", 4, QStringLiteral("Kod")), Text("krsc_opis", 256, QStringLiteral("Opis"))},
        "Kodu rodzaju ścieku", "Kod rodzaju ścieku");
    qryStatusyPozwolenWpSc_ = simple("statusy_pozwolen_wp_sc", "spwsc",
                                     Cols{Text("spwsc_nazwa", 40, QStringLiteral("Status pozwolenia WP"))},
                                     "Statusu pozwolenia wodnoprawnego", "Status pozwolenia wodnoprawnego");
    qryWspRoznSc_ = simple("wsp_rozn_sc", "wrsc",
                           Cols{Text("wrsc_rdz_scieku", 40, QStringLiteral("Rodzaj ścieku")),
                                Text("wrsc_wskaznik", 16, QStringLiteral("Wskaźnik")),
                                Number("wrsc_wspolczynnik", QStringLiteral("Współczynnik"), true, kF00)},
                           "Współczynnika", "Współczynnik");
    qryWskaznikiTaSc_ = simple("wskazniki_ta_sc", "wtasc",
                               Cols{Text("wtasc_nazwa", 40, QStringLiteral("Wskaźnik")),
                                    Text("wtasc_grupa_0", 40, QStringLiteral("Grupa poziom 0")),
                                    Text("wtasc_grupa_1", 40, QStringLiteral("Grupa poziom 1"))},
                               "Wskaźnika", "Wskaźnik");

    // --- waste
    qryWspRoznOdpd_ = simple("wsp_rozn_odpd", "wrodpd",
                             Cols{Text("wrodpd_nazwa", 128, QStringLiteral("Nazwa")),
                                  Number("wrodpd_wartosc", QStringLiteral("Wartość"))},
                             "Współczynnika różnicowego", "Współczynnik różnicowy");
    auto readOnly = [&](const char* table, const char* prefix, const DictColumn& name,
                        const QString& condition = {}) {
        DictQueryDef d;
        d.table = QString::fromLatin1(table);
        d.prefix = QString::fromLatin1(prefix);
        d.columns = Cols{name};
        d.condition = condition;
        d.orderBy = d.prefix + QStringLiteral("_lp");
        d.access = DictAccess::ReadOnly;
        return make(d);
    };
    qryStatusyDecOdpd_ =
        readOnly("statusy_dec_odpd", "sdcodpd", Text("sdcodpd_nazwa", 40, QStringLiteral("Nazwa")));
    qryRdzDecyzjiOdpd_ =
        readOnly("rdz_decyzji_odpd", "rdodpd", Text("rdodpd_nazwa", 96, QStringLiteral("Rodzaj decyzji")));
    qryTypySkladowOdpd_ = readOnly("typy_skladow_odpd", "tsodpd", Text("tsodpd_nazwa", 16));
    // Kind 100 approves the operating instructions of a site; the kinds above it are permits.
    qryRdzZezwOdpd_ =
        readOnly("rdz_decyzji_odpd", "rdodpd", Text("rdodpd_nazwa", 96, QStringLiteral("Rodzaj decyzji")),
                 QStringLiteral("rdodpd_id > 100"));

    qrySoTlGrupy_ = make(SoTl(1, {}, QStringLiteral("Nazwa grupy")));
    qrySoTlPodgrupy_ = make(SoTl(2, QStringLiteral("sotl_h_grupa"), QStringLiteral("Nazwa podgrupy")));
    qrySoTlRodzaje_ = make(SoTl(3, QStringLiteral("sotl_h_podgrupa"), QStringLiteral("Rodzaj odpadu")));
    qrySoTlPodgrupy_->setMaster(qrySoTlGrupy_,
                                {{QStringLiteral("sotl_h_grupa"), QStringLiteral("sotl_h_grupa")}});
    qrySoTlRodzaje_->setMaster(qrySoTlPodgrupy_,
                               {{QStringLiteral("sotl_h_podgrupa"), QStringLiteral("sotl_h_podgrupa")}});
    for (Query* q : {qrySoTlGrupy_, qrySoTlPodgrupy_, qrySoTlRodzaje_}) {
        q->setParam(QStringLiteral("rok_id"), 0);
        AddCalcField(*q, QStringLiteral("clc_kod_rodzaj"), FieldType::String, 416,
                     QStringLiteral("KodRodzajOdpadu"), [](const Query& r) {
                         return Trimmed(r, "sotl_kod") + QStringLiteral(" - ") +
                                r.fieldByName(QStringLiteral("sotl_rodzaj")).asString();
                     });
    }
}

TdmfDict::~TdmfDict() {
    if (dmfDict == this)
        dmfDict = nullptr;
}

Query* TdmfDict::newQuery() {
    auto* q = new Query(connection_, this);
    queries_ << q;
    return q;
}

QList<Query*> TdmfDict::queries() const {
    return queries_;
}

void TdmfDict::setSoTgYear(int rokId) {
    qrySoTabelaG_->setParam(QStringLiteral("rok_id"), rokId);
    if (qrySoTabelaG_->isActive())
        qrySoTabelaG_->refresh();
}

int TdmfDict::soTgYear() const {
    return qrySoTabelaG_->param(QStringLiteral("rok_id")).toInt();
}

void TdmfDict::setSoTlYear(int rokId) {
    for (Query* q : {qrySoTlGrupy_, qrySoTlPodgrupy_, qrySoTlRodzaje_})
        q->setParam(QStringLiteral("rok_id"), rokId);
}
