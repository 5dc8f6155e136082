#pragma once

#include "entities/PermitFamily.h"
#include "forms/ui/TbcDictT2.h"

#include <functional>

class Query;

// The register of the acts of one family issued to one entity: the entity is set before the window
// is shown, the list shows all its acts and opens on the act given as PreselectId (the first one
// otherwise). Acts are added and corrected in the family's edit window. The acts have no active flag.
// The selection form (the "LW" windows) keeps the register commands, so that a missing act can be
// added on the spot.
class TbcPozwolenia : public TbcDictT2 {
    Q_OBJECT
public:
    PermitFamily family() const { return family_; }
    Query* qryPozwolenia() const { return query_; }

    // The entity whose acts are listed; an open list is read again.
    void SetPodmiot(int pdmId);
    int podmiot() const;

    // Shows the register as a modal window of its own over the centre of the main window, wide
    // enough for its columns, with "&Zamknij" (and Esc) to close it.
    void ShowOverMainWindow();

protected:
    TbcPozwolenia(PermitFamily family, QWidget* parent);

    void actDodajExecute() override;
    void actPoprawExecute() override;

private:
    void openEditWindow();

    PermitFamily family_;
    Query* query_;
};

class TPozwoleniaWp : public TbcPozwolenia {
    Q_OBJECT
public:
    explicit TPozwoleniaWp(QWidget* parent = nullptr);
};

class TPozwoleniaGp : public TbcPozwolenia {
    Q_OBJECT
public:
    explicit TPozwoleniaGp(QWidget* parent = nullptr);
};

class TDecyzjeOdpd : public TbcPozwolenia {
    Q_OBJECT
public:
    explicit TDecyzjeOdpd(QWidget* parent = nullptr);
};

class TZezwoleniaOdpd : public TbcPozwolenia {
    Q_OBJECT
public:
    explicit TZezwoleniaOdpd(QWidget* parent = nullptr);
};

class TPozwoleniaWpLW : public TPozwoleniaWp {
    Q_OBJECT
public:
    explicit TPozwoleniaWpLW(QWidget* parent = nullptr);
};

class TPozwoleniaGpLW : public TPozwoleniaGp {
    Q_OBJECT
public:
    explicit TPozwoleniaGpLW(QWidget* parent = nullptr);
};

class TDecyzjeOdpdLW : public TDecyzjeOdpd {
    Q_OBJECT
public:
    explicit TDecyzjeOdpdLW(QWidget* parent = nullptr);
};

class TZezwoleniaOdpdLW : public TZezwoleniaOdpd {
    Q_OBJECT
public:
    explicit TZezwoleniaOdpdLW(QWidget* parent = nullptr);
};

// The family's register window for the entity (not shown yet; it frees itself when closed).
TbcPozwolenia* CreatePozwolenia(PermitFamily family, int pdmId, QWidget* parent = nullptr);

// Shows the family's register of the entity's acts as a modal window, opened on the act `currentId`
// (0: the first one); returns at once, the window frees itself when closed.
TbcPozwolenia* PokazPozwolenia(PermitFamily family, int pdmId, int currentId, QWidget* parent = nullptr);

// Lets the user choose an act of the entity in the family's selection window, opened on the act
// `currentId` (0: the first one). On "&Wybierz" calls `onChosen` with the window's list positioned on
// the chosen act and returns true; returns false when the user gave up.
using OnPermitChosen = std::function<void(const Query& acts)>;
bool WybierzPozwolenie(PermitFamily family, int pdmId, int currentId, QWidget* parent,
                       const OnPermitChosen& onChosen);
// The same for each family: pwp_*, pwgp_*, dcodpd_* (approvals) and dcodpd_* with rdodpd_nazwa
// (waste permits) columns.
bool WybierzPozwolenieWp(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen);
bool WybierzPozwolenieGp(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen);
bool WybierzDecyzjeOdpd(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen);
bool WybierzZezwolenieOdpd(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen);
