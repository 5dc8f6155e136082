#pragma once

#include "forms/ui/TbclDlgMD_T1.h"
#include "statements/TdmfZestZb.h"

#include <QPointer>

#include <functional>

class QAction;
class TdmfZest;
class TdmfZestZb;

// The printout of the current collective summary, supplied by the printouts of summaries.
using SummaryPrintout = std::function<void(TdmfZestZb& zb, QWidget* parent)>;

// The collective summaries of a statement by voivodeship: the summaries above ("Dodaj" picks the
// voivodeship, "Usuń" deletes the summary with its items), the items of the current one below.
// Only the amounts of detail items are typed; "Pobierz kwoty" fills the items of the fee tables and
// the totals follow every change.
class TZestZb : public TbclDlgMD_T1 {
    Q_OBJECT
public:
    explicit TZestZb(QWidget* parent = nullptr);

    // Shows the window modally on the summaries of the module's current statement.
    static void Pokaz(TdmfZest& dm, QWidget* parent);
    // The printout behind "Zestawienie zbiorcze" of the print button (none: the entry is disabled).
    static void SetPrintout(SummaryPrintout printout);

    // Binds the summary part of the statement module: its qryZZb above and qryZZbPoz below, read
    // afresh.
    void BindModule(TdmfZestZb& zb);
    TdmfZestZb* dmfZestZb() const { return zb_; }

    QAction* actPobierzKwoty() const { return actPobierzKwoty_; }
    QAction* actDrukZestZb() const { return actDrukZestZb_; }

    // "Dodaj": a new summary for a voivodeship picked in TWojZZb.
    void DodajZestawienie();
    // "Pobierz kwoty".
    void PobierzKwoty();
    // Whether the current item's amount may be typed (a detail item).
    bool PozycjaDoWpisania() const;

protected:
    void actMDodajExecute() override { DodajZestawienie(); }
    // Items are made with their summary: none is added or opened for correction on its own.
    void actDDodajExecute() override {}
    void actDPoprawExecute() override {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followItem();
    void drukuj();

    QPointer<TdmfZestZb> zb_;
    QAction* actPobierzKwoty_;
    QAction* actDrukZestZb_;
    int amountColumn_ = -1;
};

// Puts the window behind the statement window's "Zestawienie zbiorcze" button.
void RegisterSummaryWindows();
