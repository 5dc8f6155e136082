#pragma once

#include <QByteArray>
#include <QString>

// Text in Windows code page 1250, the code page of the program's stored passwords and digests.

QString FromCp1250(const QByteArray& bytes);

// A character the code page has no byte for becomes "?"; the first such character is reported in
// `unmapped` (0 when every character has its byte).
QByteArray ToCp1250(const QString& text, char32_t* unmapped = nullptr);
