#pragma once

#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QObject>

// The functions that can be granted, each once, marked for one user: `uzytkow_ma_uprawn` 1 when the
// user has it (shown as `clc_ma_uprawn` "+"), 0 when not.
class TdmfUprawnUzytkow : public QObject {
    Q_OBJECT
public:
    explicit TdmfUprawnUzytkow(int userId, Connection& connection = MainConnection(),
                               QObject* parent = nullptr);

    Query* qryUprawn() const { return qryUprawn_; }
    int userId() const { return userId_; }

    // Grants the current function when the user lacks it, withdraws it when the user has it (the grant
    // records the signed-in user's login and the time); the list is re-read on the same function.
    void ToggleRight();

private:
    Connection& connection_;
    Query* qryUprawn_;
    int userId_;
};
