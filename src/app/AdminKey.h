#pragma once

#include <QString>

// The administrator key file: a text file next to the program whose first line, without surrounding
// blanks, hashes to the digest the program holds.
namespace AdminKey {

inline QString FileName() {
    return QStringLiteral("arvo-administrator.key");
}

// SHA-1 of the text as 40 upper-case hexadecimal digits.
QString Digest(const QString& text);

// Whether the first line of the text (blanks trimmed) is the administrator key.
bool IsKeyText(const QString& fileContent);

enum class Mode { Off, On, Unreadable };
// Reads the key file of the program folder: off without the file, unreadable (with the reason in
// `error`) when it exists but cannot be read.
Mode ReadMode(const QString& programFolder, QString* error = nullptr);

} // namespace AdminKey
