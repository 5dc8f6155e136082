#pragma once

#include "platform/Decimal.h"
#include "platform/data/Query.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <utility>

class TdmfZest;

// What an item of a collective summary is, decided by its template's printed number.
enum class RolaPozycjiZZb {
    Szczegolowa, // "1.…" to "4.…": typed or filled, counted in its section
    Sekcja,      // "I", "II", "III", "IV": the section's total, computed
    Suma,        // "suma": the overall total, computed
    Inna,        // a heading or any other line: never computed, never typed into
};

RolaPozycjiZZb RolaPozycji(const QString& lpWydr);
// The section (1 to 4) that a detail item counts in; 0 for any other item.
int SekcjaPozycji(const QString& lpWydr);

// The totals of one summary, from its detail items.
struct SumyZZb {
    std::array<Decimal, 4> sumy;   // exact sums of the detail items of sections I to IV
    std::array<Decimal, 4> sekcje; // the sections in whole złoty ("I" to "IV")
    Decimal suma;                  // the overall total: the sections above 400 zł ("suma")
    Decimal kwota;                 // all detail items, to the grosz (zzb_kwota)
};

// Sections are exact sums of the stored amounts rounded to whole złoty (50 grosz and more go up); a
// section counts in the overall total only above 400 zł. A negative section (typed corrections) is
// rounded on its absolute value and counts as 0.
SumyZZb ObliczSumyZZb(const QList<std::pair<QString, Decimal>>& pozycje);

// The collective summaries of the current statement, one per voivodeship, with their items made from
// the templates of the official form: a content part of the statement data module.
//
// The items of the fee tables are filled from the stored amounts of the statement's places in the
// summary's voivodeship ("Pobierz kwoty"); any detail item can be corrected by typing; the section
// totals, the overall total and the summary's two amounts follow every change, in one transaction
// with it.
class TdmfZestZb : public QObject {
    Q_OBJECT
public:
    explicit TdmfZestZb(TdmfZest& dm);

    TdmfZest& dm() const { return dm_; }

    // Summaries of the current statement, with the voivodeship's name.
    Query* qryZZb() const { return qryZZb_; }
    // Items of the current summary with their templates, in printed order.
    Query* qryZZbPoz() const { return qryZZbPoz_; }
    // Voivodeships of the statement's places of use and sewage receivers that have no summary yet
    // (parameter z_id).
    Query* qryZZbWoj() const { return qryZZbWoj_; }
    // Active templates of the items, in printed order.
    Query* qryZZbPozSz() const { return qryZZbPozSz_; }

    // Reads the voivodeships that may still get a summary, for the current statement.
    void OtworzWojewodztwa();

    // A new summary of the current statement for the voivodeship, with one item at 0 per active
    // template; the items are read and the first is current. A key of 0 or a blank name cancels a
    // pending insert and adds nothing. A refused save is shown (a duplicate by its record message,
    // anything else in an error box "Błąd") and leaves nothing behind. True when it was added.
    bool DodajZestawienie(int wojId, const QString& wojNazwa);

    // "Pobierz kwoty": saves what is being edited, then writes the statement's fees in the summary's
    // voivodeship into the items of the fee tables and computes the totals, all in one transaction;
    // the items are read again. An amount whose item the summary lacks (its template was activated
    // later) is reported by its line. Does nothing without a saved current summary.
    void PobierzKwoty();

    // Computes and stores the totals of the current summary from its stored items.
    void PrzeliczSumy();

private:
    struct Zapisane {
        int zzbId = 0;
        QList<std::pair<int, Decimal>> pozycje; // item key, amount
        SumyZZb sumy;
    };
    struct Brakujaca {
        int spzzbId;
        Decimal kwota;
    };

    void buildSummaries();
    void buildItems();
    void createItems(int zzbId);
    // In the caller's transaction: the fee sums of the statement in the voivodeship written into the
    // items of the summary; answers the non-zero sums whose item the summary lacks.
    QList<Brakujaca> agreguj(int zzbId, int zId, int wojId);
    // In the caller's transaction: the totals of the summary from its stored items, written.
    Zapisane zapiszSumy(int zzbId);
    // The written totals shown in the lists, as stored.
    void pokaz(const Zapisane& zapisane);
    void zglosBrakujace(const QList<Brakujaca>& brakujace);

    TdmfZest& dm_;
    Query* qryZZb_;
    Query* qryZZbPoz_;
    Query* qryZZbWoj_;
    Query* qryZZbPozSz_;
    bool creatingItems_ = false;
    Zapisane pending_;
};
