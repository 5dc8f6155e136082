#pragma once

#include "app/TdmfDB.h"
#include "app/UpgradeScripts.h"

#include <QString>

#include <memory>

class Messages;

// Where the program looks for its configuration: the executable's base name with ".ini", in the
// program folder (which ends with a path separator).
struct StartupPaths {
    QString programFolder;
    QString configFile;

    static StartupPaths ForExecutable(const QString& executablePath);
};

// Creates the database module: reads the configuration, connects and accepts the schema version
// (upgrading it when the user agrees). Returns nullptr when the program must end; the reason has
// been shown. Without `scripts`, the scripts compiled into the program, read only when an upgrade runs.
std::unique_ptr<TdmfDB> CreateDatabaseModule(const StartupPaths& paths, Messages& messages,
                                             const UpgradeScripts* scripts = nullptr);

// The version check on a connected module; false when the program must end.
bool CheckSchemaVersion(TdmfDB& db, Messages& messages, const UpgradeScripts* scripts = nullptr);
