#pragma once

class Connection;
class QObject;
class Query;

// The four families of administrative acts issued to an entity.
enum class PermitFamily {
    PozwoleniaWp,  // water-law permits (intakes, sewage receivers)
    PozwoleniaGp,  // permits for introducing gases or dust into the air (installations)
    DecyzjeOdpd,   // approvals of a storage site's operating instructions
    ZezwoleniaOdpd // waste permits, integrated permits and other waste decisions
};

// The data module of the family's acts, made as a child of `parent`, and its list of the acts of one
// entity (`SetPermitEntity` chooses the entity).
Query* CreatePermitList(PermitFamily family, Connection& connection, QObject* parent);
