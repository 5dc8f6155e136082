#pragma once

#include "platform/Console.h"

#include <QString>

#include <optional>

// A password for ostoja-admin from standard input (UTF-8; one closing line end removed, blanks kept),
// asked for without echo on a terminal. Prints the reason and returns nothing when the input is
// unusable.
std::optional<QString> ReadPassword();

// A TCP port typed by the user (surrounding blanks allowed): 1 to 65535, nothing otherwise.
std::optional<int> ParsePort(const QString& text);
