#pragma once

#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QObject>

// The permits of one entity for introducing gases or dust into the air (installations refer to them).
// One instance per window; the window sets the entity before opening the list. A new permit is issued
// today until the user says otherwise.
class TdmfPozwoleniaGp : public QObject {
    Q_OBJECT
public:
    explicit TdmfPozwoleniaGp(Connection& connection = MainConnection(), QObject* parent = nullptr);

    Query* qryPozwoleniaGp() const { return qryPozwoleniaGp_; }

    // The entity whose permits are listed (parameter `pdm_id`); an open list is read again.
    void SetPodmiot(int pdmId);
    int podmiot() const;

private:
    Query* qryPozwoleniaGp_;
};
