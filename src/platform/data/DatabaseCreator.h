#pragma once

#include "platform/data/Connection.h"

// Creates an empty database (dialect 3, default character set WIN1250) through the client library;
// the SQL drivers cannot create one. Throws DataError with the engine's message.
void CreateEmptyDatabase(const ConnectionTarget& target);

// Drops a database (used to take back a database whose preparation failed). Throws DataError.
void DropDatabase(const ConnectionTarget& target);

// The path as the client library expects it: the file itself, or "host/port:path" on a server.
QString ConnectionString(const ConnectionTarget& target);
