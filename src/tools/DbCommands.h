#pragma once

#include <QStringList>

// ostoja-admin commands that create, inspect and upgrade a database.
// args are the words after the command name; each returns the process exit code.
int CreateDbCommand(const QStringList& args);
int VersionCommand(const QStringList& args);
int UpgradeCommand(const QStringList& args);
