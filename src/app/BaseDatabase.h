#pragma once

#include "platform/data/Connection.h"

// Creates a database at version 1 as it comes with the program: the base schema and its reference
// rows. Nothing is left behind when it fails: an embedded file is built under a temporary name and
// moved into place at the end; a database on a server is dropped again. Throws DataError.
void CreateBaseDatabase(const ConnectionTarget& target);

// The texts of the base scripts compiled into the program (schema first, then reference rows).
QStringList BaseScripts();
