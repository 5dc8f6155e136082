#include "dict/ui/TDictWindow.h"

#include "dict/TdmfDict.h"

#include <QMenu>

namespace {

using C = DictWindowDef::Column;

std::vector<DictWindowDef> MakeDefs() {
    const C flag{"clc_f_aktualny"};
    return {
        {"TRzgw",
         "RZGW",
         &TdmfDict::qryRzgw,
         "rzgw",
         {{"RZGW_NAZWA"}, {"RZGW_WSP_ROZNICUJACY"}, {"RZGW_LP"}, flag, {"RZGW_ID"}}},
        {"TTypyUjWody",
         "Typy ujęć wody",
         &TdmfDict::qryTypUjeciaWody,
         "tuw",
         {{"TUW_NAZWA"}, {"TUW_LP"}, flag, {"TUW_ID"}}},
        {"TRdzUjeciaWodyPow",
         "Rodzaje ujęć wody powierzchniowej ",
         &TdmfDict::qryRodzajUwPow,
         "rdzuwpw",
         {{"RDZUWPW_NAZWA"}, {"RDZUWPW_LP"}, flag, {"RDZUWPW_ID"}}},
        {"TStOplPobWody",
         "Stawki opłat za pobór wody",
         &TdmfDict::qryStawkiPw,
         "spw",
         {{"ROK_NAZWA", true},
          {"SPW_LP"},
          {"TUW_NAZWA", true},
          {"SPW_NAZWA"},
          {"SPW_STAWKA"},
          {"SPW_OPIS"},
          flag,
          {"SPW_POZ_WYDR"},
          {"SPW_ID"}}},
        {"TWspRoznPw",
         "Współczynniki różnicujące  dla poboru wody",
         &TdmfDict::qryWspRoznPw,
         "wrpw",
         {{"WRPW_LP"},
          {"TUW_NAZWA", true},
          {"WRPW_NAZWA", true, "Współczynnik różnicujący"},
          {"WRPW_WARTOSC"},
          flag,
          {"WRPW_ID"}}},
        {"TPaliwaKotlow",
         "Paliwa kotłów",
         &TdmfDict::qryPaliwaKotlow,
         "plwk",
         {{"PLWK_NAZWA"}, {"PLWK_NAZWA_N"}, {"PLWK_OPIS_WYDR"}, {"PLWK_LP"}, flag, {"PLWK_ID"}}},
        {"TRdzPlwSilnik",
         "Rodzaje pali silnikowych",
         &TdmfDict::qryRodzajePaliwSilnik,
         "rps",
         {{"RPS_NAZWA"}, {"RPS_POZ_WYDRUKU"}, {"RPS_LP"}, flag, {"RPS_ID"}}},
        {"TRdzSilnikow",
         "Rodzaje silników",
         &TdmfDict::qryRodzajeSilnikow,
         "rds",
         {{"RDS_POZ_WYDRUKU"}, {"RDS_NAZWA"}, {"RDS_LP"}, flag, {"RDS_ID"}}},
        {"TStSilnikPaliwo",
         "Stawki silnik-paliwo",
         &TdmfDict::qryStawkiSilnikPaliwo,
         "ssp",
         {{"ROK_NAZWA", true},
          {"SSP_LP", true},
          {"RDS_NAZWA", true},
          {"RPS_NAZWA", true},
          {"SSP_STAWKA"},
          {"clc_f_zdef", true},
          {"RDS_POZ_WYDRUKU", true},
          flag,
          {"SSP_ID"}}},
        {"TSoTG",
         "Tabela G - jednostkowe stawki opłat za gazy lub pyły wprowadzane do powietrza",
         &TdmfDict::qrySoTabelaG,
         "sotg",
         {{"ROK_NAZWA", true},
          {"SOTG_POZ_WYDR"},
          {"SOTG_RDZ_GAZ_PYL"},
          {"SOTG_JEDN_ST_OPL"},
          {"SOTG_LP"},
          flag,
          {"SOTG_ID"}},
         "Nazwa:",
         "SOTG_RDZ_GAZ_PYL"},
        {"TStTblB",
         "Przeładunek paliw - stawki opłat",
         &TdmfDict::qryStawkiTb,
         "stb",
         {{"ROK_NAZWA", true},
          {"STB_POZ_WYDRUKU"},
          {"STB_NAZWA_OPLATY", true, "Nazwa opłaty"},
          {"STB_STAWKA"},
          {"STB_LP"},
          flag,
          {"STB_ID"}}},
        {"TStTblC",
         "Gazy lub pyły z kotłów - stawki opłat",
         &TdmfDict::qryStawkiTc,
         "stc",
         {{"ROK_NAZWA", true},
          {"STC_LP"},
          {"PLWK_NAZWA", true},
          {"STC_NAZWA"},
          {"STC_STAWKA"},
          {"STC_POZ_WYDR"},
          flag,
          {"STC_ID"}}},
        {"TSoScTA",
         "Tabela A - stawki opłat za wprowadznie ścieków do wód lub do ziemi",
         &TdmfDict::qrySoTabelaA,
         "sota",
         {{"ROK_NAZWA", true}, {"SOTA_LP"}, {"SOTA_WSKAZNIK"}, {"SOTA_KWOTA"}, flag, {"SOTA_ID"}}},
        {"TSoScTB",
         "Tabela B - stawki opłat za wprowadznie ścieków do wód lub do ziemi",
         &TdmfDict::qrySoTabelaB,
         "sotb",
         {{"ROK_NAZWA", true}, {"SOTB_NAZWA"}, {"SOTB_KWOTA"}, {"SOTB_LP"}, flag, {"SOTB_ID"}},
         "Opis:",
         "SOTB_OPIS"},
        {"TSoScTC",
         "Tabela C - stawki opłat za wprowadznie ścieków do wód lub do ziemi",
         &TdmfDict::qrySoTabelaC,
         "sotc",
         {{"ROK_NAZWA", true}, {"SOTC_NAZWA"}, {"SOTC_KWOTA"}, {"SOTC_LP"}, flag, {"SOTC_ID"}}},
        {"TSoScTD",
         "Tabela D - stawki opłat za wprowadznie ścieków do wód lub do ziemi",
         &TdmfDict::qrySoTabelaD,
         "sotd",
         {{"ROK_NAZWA", true}, {"SOTD_LP"}, {"SOTD_NAZWA"}, {"SOTD_KWOTA"}, flag, {"SOTD_ID"}},
         "Nazwa:",
         "SOTD_NAZWA"},
        {"TRdzOdbSc",
         "Rodzaje odbiorników ścieków",
         &TdmfDict::qryRdzOdbiornikowSc,
         "ros",
         {{"ROS_NAZWA"}, {"ROS_LP"}, flag, {"ROS_ID"}}},
        {"TStatPzwWpSc",
         "Statusy pozwoleń wodnoprawnych dla ścieków",
         &TdmfDict::qryStatusyPozwolenWpSc,
         "spwsc",
         {{"SPWSC_NAZWA"}, {"SPWSC_LP"}, flag, {"SPWSC_ID"}}},
        {"TKodyRdzSc",
         "Kody rodzajów ścieków",
         &TdmfDict::qryKodyRdzSc,
         "krsc",
         {{"KRSC_KOD"}, {"KRSC_OPIS"}, {"KRSC_LP"}, flag, {"KRSC_ID"}},
         "Opis:",
         "KRSC_OPIS"},
        {"TWspRoznSc",
         "Współczynniki różnicujące dla ścieków",
         &TdmfDict::qryWspRoznSc,
         "wrsc",
         {{"WRSC_RDZ_SCIEKU"}, {"WRSC_WSKAZNIK"}, {"WRSC_WSPOLCZYNNIK"}, {"WRSC_LP"}, flag, {"WRSC_ID"}}},
        {"TWskTaSc",
         "Wskaźniki Tabeli A dla ścieków",
         &TdmfDict::qryWskaznikiTaSc,
         "wtasc",
         {{"WTASC_GRUPA_0"}, {"WTASC_GRUPA_1"}, {"WTASC_NAZWA"}, {"WTASC_LP"}, flag, {"WTASC_ID"}}},
        {"TWspRoznOdpd",
         "Współczynniki Różnicujące dla Sładowania Odpadów",
         &TdmfDict::qryWspRoznOdpd,
         "wrodpd",
         {{"WRODPD_NAZWA"}, {"WRODPD_WARTOSC"}, {"WRODPD_LP"}, flag, {"WRODPD_ID"}}},
        {"TLataZest",
         "Lata zestawień",
         &TdmfDict::qryLata,
         "rok",
         {{"ROK_NAZWA"}, {"ROK_LP"}, flag, {"ROK_ID"}}},
        {"TPolrocza",
         "Półrocza",
         &TdmfDict::qryPolrocza,
         "pr",
         {{"PR_NAZWA"}, {"PR_NR"}, {"PR_LP"}, flag, {"PR_ID"}}},
        {"TSzPozZestZb",
         "Szablony Pozycji Zestawienia Zbiorczego",
         &TdmfDict::qrySzablonyPozZzb,
         "spzzb",
         {{"SPZZB_POZ_WYDRUKU"},
          {"SPZZB_LP_WYDR"},
          {"SPZZB_KOD_TABELI"},
          {"SPZZB_ETYKIETA_FRM"},
          {"SPZZB_ETYKIETA_PRT"},
          {"SPZZB_LP"},
          flag,
          {"SPZZB_ID"}}},
    };
}

} // namespace

const std::vector<DictWindowDef>& DictWindowDefs() {
    static const std::vector<DictWindowDef> defs = MakeDefs();
    return defs;
}

const DictWindowDef* FindDictWindowDef(const QString& className) {
    for (const DictWindowDef& def : DictWindowDefs())
        if (className == QLatin1String(def.className))
            return &def;
    return nullptr;
}

TDictWindow::TDictWindow(const DictWindowDef& def, TdmfDict& dict, QWidget* parent)
    : TbcDictT1(parent), dict_(dict) {
    setObjectName(QString::fromLatin1(def.className));
    setWindowTitle(QString::fromUtf8(def.caption));
    dsMain->setDataSet((dict.*def.query)());
    for (const DictWindowDef::Column& column : def.columns)
        addColumn(QString::fromLatin1(column.field),
                  column.title ? QString::fromUtf8(column.title) : QString(),
                  column.readOnly ? GridColumnOptions(ColumnReadOnly) : GridColumnOptions());
    const QString prefix = QString::fromLatin1(def.prefix);
    ActiveField = prefix + QStringLiteral("_f_aktualny");
    FlagField = QStringLiteral("clc_f_aktualny");
    IdField = prefix + QStringLiteral("_id");
    if (def.memoField)
        addMemo(QString::fromUtf8(def.memoCaption), QString::fromLatin1(def.memoField));
}

void TDictWindow::showing() {
    // The coefficients of one type of intake are picked through a filter; the dictionary shows all.
    if (Query* q = dsMain->dataSet(); q && q == dict_.qryWspRoznPw())
        q->setFiltered(false);
    TbcDictT1::showing();
}

TDictWindow* CreateDictWindow(const QString& className, TdmfDict& dict) {
    const DictWindowDef* def = FindDictWindowDef(className);
    return def ? new TDictWindow(*def, dict) : nullptr;
}
