#include "dict/CommuneDelete.h"

#include "forms/DataHelpers.h"
#include "platform/data/Connection.h"

#include <QSqlQuery>

bool GminaMoznaUsunac(Connection& connection, int gmId) {
    QSqlQuery q = connection.run(
        QStringLiteral(
            "SELECT 1 FROM RDB$DATABASE WHERE EXISTS (SELECT 1 FROM odbiorniki_sc WHERE osc_gm_id = ?)"),
        {gmId});
    if (!q.next())
        return true;
    ReportDeleteError(QStringLiteral("Gminy"));
    return false;
}
