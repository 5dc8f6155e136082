#include "platform/crypto/ConfigCipher.h"

#include "platform/Cp1250.h"

#include <QByteArray>
#include <QList>

#include <cryptopp/cast.h>
#include <cryptopp/modes.h>
#include <cryptopp/sha.h>

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

// Throws std::invalid_argument when the text holds a character that the code page has no byte for.
QByteArray PasswordBytes(const QString& text) {
    char32_t cp = 0;
    const QByteArray bytes = ToCp1250(text, &cp);
    if (cp != 0) {
        const QString code = QString::number(static_cast<uint>(cp), 16).toUpper().rightJustified(4, u'0');
        throw std::invalid_argument(
            QStringLiteral("Hasło zawiera znak „%1” (U+%2), którego nie ma w stronie kodowej Windows-1250.")
                .arg(QString::fromUcs4(&cp, 1), code)
                .toStdString());
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
    const QByteArray plainBytes = PasswordBytes(plainText);
    QByteArray cipherBytes(plainBytes.size(), '\0');
    if (!plainBytes.isEmpty()) {
        const CipherKey& k = ConfigKey();
        CryptoPP::CFB_Mode<CryptoPP::CAST256>::Encryption cfb8(k.key.data(), k.key.size(), k.iv.data(), 1);
        cfb8.ProcessData(reinterpret_cast<byte*>(cipherBytes.data()),
                         reinterpret_cast<const byte*>(plainBytes.constData()), plainBytes.size());
    }
    return QString::fromLatin1(cipherBytes.toBase64());
}
