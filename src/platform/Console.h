#pragma once

#include <QString>

// One line of UTF-8 text to the standard output or error output, flushed at once.
void PrintOut(const QString& line);
void PrintErr(const QString& line);
