#pragma once

#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QObject>

// The dictionaries of the program: years, half-years, statuses, kinds, codes, coefficients and every
// table of rates, one query per dictionary. Lives for the whole run and serves every window that
// picks from a dictionary. Nothing is read at construction: a window opens the queries it needs.
//
// Every query lists its table under the active-flag condition (both parameters 1 by default: active
// rows only), shows the flag as `clc_f_aktualny` ("+"/"-") and, where users maintain the table, writes
// through its own statements keyed on the old key.
class TdmfDict : public QObject {
    Q_OBJECT
public:
    explicit TdmfDict(Connection& connection = MainConnection(), QObject* parent = nullptr);
    ~TdmfDict() override;

    Connection& connection() const { return connection_; }

    // --- statements
    Query* qryLata() const { return qryLata_; }
    Query* qryPolrocza() const { return qryPolrocza_; }
    Query* qryStanZestawienia() const { return qryStanZestawienia_; }
    Query* qrySzablonyPozZzb() const { return qrySzablonyPozZzb_; }
    // Years for which rates are loaded (`rok_f_st_op` = 1): the rate years of a statement.
    Query* qryLataStOpl() const { return qryLataStOpl_; }

    // --- territorial units: counties follow the current voivodeship, communes the current county
    Query* qryWojewodztwa() const { return qryWojewodztwa_; }
    Query* qryPowiaty() const { return qryPowiaty_; }
    Query* qryGminy() const { return qryGminy_; }

    // --- water withdrawal
    Query* qryRzgw() const { return qryRzgw_; }
    Query* qryTypUjeciaWody() const { return qryTypUjeciaWody_; }
    Query* qryRodzajUwPow() const { return qryRodzajUwPow_; }
    Query* qryStawkiPw() const { return qryStawkiPw_; }
    Query* qryWspRoznPw() const { return qryWspRoznPw_; }
    Query* qryStatusyPozwolenWp() const { return qryStatusyPozwolenWp_; }

    // --- gases and dust
    Query* qryPaliwaKotlow() const { return qryPaliwaKotlow_; }
    Query* qryRodzajePaliwSilnik() const { return qryRodzajePaliwSilnik_; }
    Query* qryRodzajeSilnikow() const { return qryRodzajeSilnikow_; }
    Query* qryStawkiSilnikPaliwo() const { return qryStawkiSilnikPaliwo_; }
    Query* qryStawkiTb() const { return qryStawkiTb_; }
    Query* qryStawkiTc() const { return qryStawkiTc_; }
    Query* qrySoTabelaG() const { return qrySoTabelaG_; }
    Query* qryStatusyPozwolenGp() const { return qryStatusyPozwolenGp_; }

    // --- sewage
    Query* qrySoTabelaA() const { return qrySoTabelaA_; }
    Query* qrySoTabelaB() const { return qrySoTabelaB_; }
    Query* qrySoTabelaC() const { return qrySoTabelaC_; }
    Query* qrySoTabelaD() const { return qrySoTabelaD_; }
    Query* qryRdzOdbiornikowSc() const { return qryRdzOdbiornikowSc_; }
    Query* qryKodyRdzSc() const { return qryKodyRdzSc_; }
    Query* qryStatusyPozwolenWpSc() const { return qryStatusyPozwolenWpSc_; }
    Query* qryWspRoznSc() const { return qryWspRoznSc_; }
    Query* qryWskaznikiTaSc() const { return qryWskaznikiTaSc_; }

    // --- waste
    Query* qryWspRoznOdpd() const { return qryWspRoznOdpd_; }
    Query* qryStatusyDecOdpd() const { return qryStatusyDecOdpd_; }
    Query* qryRdzDecyzjiOdpd() const { return qryRdzDecyzjiOdpd_; }
    Query* qryTypySkladowOdpd() const { return qryTypySkladowOdpd_; }
    // Kinds of decision that are permits (`rdodpd_id` > 100).
    Query* qryRdzZezwOdpd() const { return qryRdzZezwOdpd_; }
    // The waste catalogue of one year as a tree: groups, the subgroups of the current group, the
    // waste types of the current subgroup.
    Query* qrySoTlGrupy() const { return qrySoTlGrupy_; }
    Query* qrySoTlPodgrupy() const { return qrySoTlPodgrupy_; }
    Query* qrySoTlRodzaje() const { return qrySoTlRodzaje_; }

    // Year of the gas and dust rates listed by qrySoTabelaG (0: every year). Kept for later
    // openings; re-reads the list when it is open.
    void setSoTgYear(int rokId);
    int soTgYear() const;
    // Year of the waste catalogue of the three qrySoTl queries; takes effect at their next opening.
    void setSoTlYear(int rokId);

    // Every query of the module, for code that treats them alike.
    QList<Query*> queries() const;

private:
    Query* newQuery();

    Connection& connection_;

    Query* qryLata_;
    Query* qryPolrocza_;
    Query* qryStanZestawienia_;
    Query* qrySzablonyPozZzb_;
    Query* qryLataStOpl_;
    Query* qryWojewodztwa_;
    Query* qryPowiaty_;
    Query* qryGminy_;
    Query* qryRzgw_;
    Query* qryTypUjeciaWody_;
    Query* qryRodzajUwPow_;
    Query* qryStawkiPw_;
    Query* qryWspRoznPw_;
    Query* qryStatusyPozwolenWp_;
    Query* qryPaliwaKotlow_;
    Query* qryRodzajePaliwSilnik_;
    Query* qryRodzajeSilnikow_;
    Query* qryStawkiSilnikPaliwo_;
    Query* qryStawkiTb_;
    Query* qryStawkiTc_;
    Query* qrySoTabelaG_;
    Query* qryStatusyPozwolenGp_;
    Query* qrySoTabelaA_;
    Query* qrySoTabelaB_;
    Query* qrySoTabelaC_;
    Query* qrySoTabelaD_;
    Query* qryRdzOdbiornikowSc_;
    Query* qryKodyRdzSc_;
    Query* qryStatusyPozwolenWpSc_;
    Query* qryWspRoznSc_;
    Query* qryWskaznikiTaSc_;
    Query* qryWspRoznOdpd_;
    Query* qryStatusyDecOdpd_;
    Query* qryRdzDecyzjiOdpd_;
    Query* qryTypySkladowOdpd_;
    Query* qryRdzZezwOdpd_;
    Query* qrySoTlGrupy_;
    Query* qrySoTlPodgrupy_;
    Query* qrySoTlRodzaje_;

    QList<Query*> queries_;
};

// The program's dictionaries module; set by whoever creates it (the application at start-up).
extern TdmfDict* dmfDict;
