#pragma once

#include <QString>

// The password of the configuration file: CAST-256 in 8-bit cipher feedback, keyed with the SHA-1
// digest of the program's pass phrase, the initial vector being the encryption of a zero block,
// carried as standard Base64 of cp1250 text.
// Deciphering never fails: characters outside the Base64 alphabet are skipped.
QString DecipherPassword(const QString& base64Text);
// Throws std::invalid_argument (Polish text) when plainText holds a character cp1250 has no byte for.
QString EncipherPassword(const QString& plainText);
