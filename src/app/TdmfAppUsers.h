#pragma once

#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QObject>

// The users of the program for the users window: every row of app_users with its flags shown as
// "+"/"-" and whether a password has been set.
//
// Before a row is saved its login must be given and be nobody else's (letter case ignored), and the
// last active administrator can't be withdrawn, demoted, renamed or deleted: the program could no
// longer be administered (start-up signs ADMIN in, and only an administrator opens this list).
class TdmfAppUsers : public QObject {
    Q_OBJECT
public:
    explicit TdmfAppUsers(Connection& connection = MainConnection(), QObject* parent = nullptr);

    Query* qryAppUsers() const { return qryAppUsers_; }

    // Puts the digest of the password into the current row (being edited or inserted).
    void SetPassword(const QString& password);

private:
    void checkBeforePost(Query& q);
    void checkBeforeDelete(Query& q);
    // Whether the stored row with the key is an active administrator and no other active
    // administrator exists.
    bool isLastAdministrator(int id, QString* storedLogin = nullptr);

    Connection& connection_;
    Query* qryAppUsers_;
};
