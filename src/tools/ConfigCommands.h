#pragma once

#include <QStringList>

// ostoja-admin commands that prepare and check a configuration file.
// args are the words after the command name; each returns the process exit code.
int EncryptPasswordCommand(const QStringList& args);
int WriteIniCommand(const QStringList& args);
int ShowConfigCommand(const QStringList& args);
