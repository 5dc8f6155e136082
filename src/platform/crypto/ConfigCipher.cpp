#include "platform/crypto/ConfigCipher.h"

#include <QByteArray>
#include <QList>

#include <cryptopp/cast.h>
#include <cryptopp/modes.h>
#include <cryptopp/sha.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

// The pass phrase every configuration file of this program is enciphered under. Changing it makes
// the password of every existing configuration file unreadable.
constexpr char kConfigPassPhrase[] = "Q7mRt2vKx9LpW4nZa8";
static_assert(sizeof(kConfigPassPhrase) - 1 == 18, "the pass phrase has 18 letters and digits");

using CryptoPP::byte;

struct CipherKey {
    std::array<byte, CryptoPP::SHA1::DIGESTSIZE> key{};
    std::array<byte, CryptoPP::CAST256::BLOCKSIZE> iv{};
};

const CipherKey& ConfigKey() {
    static const CipherKey cipherKey = [] {
        CipherKey k;
        CryptoPP::SHA1().CalculateDigest(k.key.data(), reinterpret_cast<const byte*>(kConfigPassPhrase),
                                         sizeof(kConfigPassPhrase) - 1);
        const std::array<byte, CryptoPP::CAST256::BLOCKSIZE> zero{};
        CryptoPP::CAST256::Encryption(k.key.data(), k.key.size()).ProcessBlock(zero.data(), k.iv.data());
        return k;
    }();
    return cipherKey;
}

// Characters of Windows code page 1250 at 0x80-0xFF. The five positions the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control of the same number, as Windows does, so that
// every byte string decodes and encodes back unchanged.
constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // 0xF8
};

QString FromCp1250(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b < 0x80 ? QChar(b) : QChar(kCp1250High[b - 0x80]));
    }
    return text;
}

// Throws std::invalid_argument when the text holds a character that the code page has no byte for.
QByteArray ToCp1250(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t cp : text.toUcs4()) {
        if (cp < 0x80) {
            bytes.append(static_cast<char>(cp));
            continue;
        }
        const auto it = std::find(kCp1250High.begin(), kCp1250High.end(), cp);
        if (it == kCp1250High.end()) {
            const QString code = QString::number(static_cast<uint>(cp), 16).toUpper().rightJustified(4, u'0');
            throw std::invalid_argument(
                QStringLiteral(
                    "Hasło zawiera znak „%1” (U+%2), którego nie ma w stronie kodowej Windows-1250.")
                    .arg(QString::fromUcs4(&cp, 1), code)
                    .toStdString());
        }
        bytes.append(static_cast<char>(0x80 + (it - kCp1250High.begin())));
    }
    return bytes;
}

} // namespace

QString DecipherPassword(const QString& base64Text) {
    // Characters outside the Base64 alphabet are skipped, so a damaged value still yields a password
    // (which the database then refuses) instead of stopping the program here.
    const QByteArray cipherBytes = QByteArray::fromBase64(base64Text.toLatin1());
    QByteArray plainBytes(cipherBytes.size(), '\0');
    if (!cipherBytes.isEmpty()) {
        const CipherKey& k = ConfigKey();
        CryptoPP::CFB_Mode<CryptoPP::CAST256>::Decryption cfb8(k.key.data(), k.key.size(), k.iv.data(), 1);
        cfb8.ProcessData(reinterpret_cast<byte*>(plainBytes.data()),
                         reinterpret_cast<const byte*>(cipherBytes.constData()), cipherBytes.size());
    }
    return FromCp1250(plainBytes);
}

QString EncipherPassword(const QString& plainText) {
    const QByteArray plainBytes = ToCp1250(plainText);
    QByteArray cipherBytes(plainBytes.size(), '\0');
    if (!plainBytes.isEmpty()) {
        const CipherKey& k = ConfigKey();
        CryptoPP::CFB_Mode<CryptoPP::CAST256>::Encryption cfb8(k.key.data(), k.key.size(), k.iv.data(), 1);
        cfb8.ProcessData(reinterpret_cast<byte*>(cipherBytes.data()),
                         reinterpret_cast<const byte*>(plainBytes.constData()), plainBytes.size());
    }
    return QString::fromLatin1(cipherBytes.toBase64());
}
