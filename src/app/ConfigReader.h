#pragma once

#include "app/TRConProp.h"

#include <QString>

// Reads section "database" of the configuration file. programFolder ends with a path separator.
// Throws std::runtime_error (Polish text) when the file cannot be read.
TRConProp ReadConfiguration(const QString& iniPath, const QString& programFolder);
