#pragma once

#include "app/TRConProp.h"
#include "platform/data/Connection.h"

// The database module: the program's one connection. Destroying it disconnects.
class TdmfDB {
public:
    TdmfDB() { SetMainConnection(&cnMain); }
    ~TdmfDB() {
        cnMain.close();
        SetMainConnection(nullptr);
    }
    TdmfDB(const TdmfDB&) = delete;
    TdmfDB& operator=(const TdmfDB&) = delete;

    // Applies the configuration and connects; throws DataError with the driver's message.
    void Connect(const TRConProp& properties);
    // The schema version as recorded in db_ver (0 when it holds no row).
    int ReadSchemaVersion();

    Connection cnMain;
};

// The one database module of the running program.
extern TdmfDB* dmfDB;

// The schema version recorded in db_ver: "SELECT metadata FROM db_ver", 0 when it holds no row.
int ReadSchemaVersion(Connection& connection);

// The connection target that configuration properties describe.
ConnectionTarget TargetOf(const TRConProp& properties);
