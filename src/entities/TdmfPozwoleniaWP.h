#pragma once

#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QObject>

// The water-law permits of one entity (intakes and sewage receivers refer to them). One instance per window;
// the window sets the entity before opening the list. A new permit is issued today until the user says
// otherwise.
class TdmfPozwoleniaWP : public QObject {
    Q_OBJECT
public:
    explicit TdmfPozwoleniaWP(Connection& connection = MainConnection(), QObject* parent = nullptr);

    Query* qryPozwoleniaWP() const { return qryPozwoleniaWP_; }

    // The entity whose permits are listed (parameter `pdm_id`); an open list is read again.
    void SetPodmiot(int pdmId);
    int podmiot() const;

private:
    Query* qryPozwoleniaWP_;
};
