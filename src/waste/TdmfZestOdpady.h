#pragma once

#include "dict/TrLokalizacja.h"
#include "platform/Decimal.h"
#include "waste/WasteFees.h"

#include <QObject>
#include <QString>

class Query;
class TdmfZest;

// The waste content of a statement: its storage sites (`qrySklOdpd`, details of the statement list)
// and, for the current site, the waste stored with segregation (`qryOdpd`) and without it
// (`qryOdpdNs`), the components of the current mixed waste (`qryOdpdS`) and the waste removed from the
// site (`qryOdpdW`).
//
// The fee of a stored waste row follows every change of its mass, water content, coefficient, days
// or unit rate; the fee of a site is the sum of the fees of its stored waste, kept by roll-up with
// every save or deletion of a waste row. A change of the site's legal status gives every stored row
// of the site its new coefficient and fee, each row saved, so that the site fee follows; cancelling
// the site's change brings them back. A mixed waste with components takes their total mass and their
// highest unit rate whenever a component is saved or deleted.
//
// A waste type appears once per list of a site and once among the components of a mixed waste;
// masses, days and water content out of range are refused with a message and never saved.
class TdmfZestOdpady : public QObject {
    Q_OBJECT
public:
    explicit TdmfZestOdpady(TdmfZest& dm);

    TdmfZest& zest() const { return dm_; }

    Query* qrySklOdpd() const { return qrySklOdpd_; }
    Query* qryOdpd() const { return qryOdpd_; }
    Query* qryOdpdNs() const { return qryOdpdNs_; }
    Query* qryOdpdS() const { return qryOdpdS_; }
    Query* qryOdpdW() const { return qryOdpdW_; }

    // The location of the current site, and the same written back (the site is put into editing).
    void ReadLocation(TrLokalizacja& location) const;
    void WriteLocation(const TrLokalizacja& location);

    // Adds the waste type `sotl_id` of the catalogue to a waste list of the current site (qryOdpd,
    // qryOdpdNs or qryOdpdW): the site is saved first when it is being edited, the new row takes the
    // type's code, name, footnote marks and unit rate and is saved at once. A refused save (the type
    // already in the list, or any other failure) cancels the new row and is thrown to the caller.
    void DodajOdpad(Query& list, int sotlId);

    // Before the components of the current mixed waste are shown: the row is saved when it is being
    // edited, and a mixed waste without any component gets itself as its first component (its type,
    // mass and unit rate). The components are then read afresh. True when that component was added.
    bool PrzygotujSkladniki();
    // Adds the waste type as a component of the current mixed waste (mass 0, the type's unit rate),
    // saved at once; the mixed waste is saved first when it is being edited. A refused save cancels
    // the component and is thrown to the caller.
    void DodajSkladnik(int sotlId);

    // Binds the chosen approval of the operating instructions (the current row of a list of
    // `decyzje_odpd` rows) to the current site, or the chosen permit; the site is put into editing
    // and shows the act's number, validity and authority. Unbinding empties them.
    void WstawDecyzje(const Query& decyzje);
    void UsunDecyzje();
    void WstawZezwolenie(const Query& zezwolenia);
    void UsunZezwolenie();

    // Saves the site, then the current rows of the selectively, the non-selectively stored and the
    // removed waste, each only while it is being edited or inserted.
    void ZapiszZmiany();

    // The fee of the current row of a stored waste list, from its values and the current site's
    // legal status.
    Decimal OplataBiezacegoOdpadu(const Query& list) const;

private:
    // The values of the current row of a stored waste list that its fee is computed from.
    OdpadDoOplaty OdpadZWiersza(const Query& list) const;
    void setUpSites();
    void setUpWaste(Query& q, int wayOfStoring);
    void setUpComponents();
    void setUpRemoved();
    // Gives every stored waste row of the current site the coefficient, with its fee, each row saved.
    void PrzypiszWspolczynnik(const Decimal& wspRozn);
    void PrzypiszWspolczynnik(Query& list, const Decimal& wspRozn);
    // The mixed waste takes the mass and highest rate of its stored components.
    void AktualizujOdpadZeSkladnikow();
    void WstawAkt(const Query& acts, const QString& prefix, const QString& keyField);
    void UsunAkt(const QString& prefix, const QString& keyField);

    TdmfZest& dm_;
    Query* qrySklOdpd_;
    Query* qryOdpd_;
    Query* qryOdpdNs_;
    Query* qryOdpdS_;
    Query* qryOdpdW_;
    // The site's coefficient was given to its waste rows during the site's present edit.
    bool walkedInEdit_ = false;
};
