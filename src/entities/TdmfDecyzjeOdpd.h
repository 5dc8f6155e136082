#pragma once

#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QObject>

// The waste decisions of one entity, in one of two families told apart by the kind of decision:
// approvals of a storage site's operating instructions (kind 100) and waste permits, integrated
// permits and other decisions (kinds above 100). One instance per window; the window sets the entity
// before opening the list. A new decision has no date of issue until the user enters one.
//
// The kind pick list of a waste permit is the dictionaries module's qryRdzZezwOdpd (active kinds
// above 100, by ordinal).
class TdmfDecyzjeOdpd : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        Approvals, // "Decyzja zatwierdzająca instrukcję eksploatacji składowiska"
        Permits    // everything else
    };
    static constexpr int kApprovalKind = 100;
    static constexpr int kDefaultPermitKind = 101;

    explicit TdmfDecyzjeOdpd(Kind kind, Connection& connection = MainConnection(), QObject* parent = nullptr);

    Kind kind() const { return kind_; }
    Query* qryDecyzjeOdpd() const { return qryDecyzjeOdpd_; }

    // The entity whose decisions are listed (parameter `pdm_id`); an open list is read again.
    void SetPodmiot(int pdmId);
    int podmiot() const;

private:
    Kind kind_;
    Query* qryDecyzjeOdpd_;
};
