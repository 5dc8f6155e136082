#include "platform/crypto/ConfigCipher.h"

#include <QtTest>

#include <cryptopp/cast.h>
#include <cryptopp/sha.h>

#include <array>
#include <stdexcept>

namespace {

using CryptoPP::byte;

// The pass phrase configuration files in use are enciphered under; it must never change.
constexpr char kPassPhrase[] = "Q7mRt2vKx9LpW4nZa8";

// CFB with 8-bit feedback written out byte by byte, independently of the cipher-mode classes:
// encrypt the register, XOR its first byte, shift the cipher byte in from the right.
QString EncipherByHand(const QByteArray& cp1250) {
    std::array<byte, 20> key{};
    CryptoPP::SHA1().CalculateDigest(key.data(), reinterpret_cast<const byte*>(kPassPhrase),
                                     sizeof(kPassPhrase) - 1);
    CryptoPP::CAST256::Encryption cast(key.data(), key.size());
    std::array<byte, 16> reg{};
    cast.ProcessBlock(reg.data()); // the initial vector: a zero block encrypted
    QByteArray out;
    for (const char c : cp1250) {
        std::array<byte, 16> stream{};
        cast.ProcessBlock(reg.data(), stream.data());
        const byte cipherByte = static_cast<byte>(static_cast<byte>(c) ^ stream[0]);
        std::copy(reg.begin() + 1, reg.end(), reg.begin());
        reg.back() = cipherByte;
        out.append(static_cast<char>(cipherByte));
    }
    return QString::fromLatin1(out.toBase64());
}

} // namespace

class tst_ConfigCipher : public QObject {
    Q_OBJECT

private slots:
    void cast256MatchesRfc2612();
    void matchesByteWiseCfb8_data();
    void matchesByteWiseCfb8();
    void knownCiphertextStaysReadable();
    void damagedBase64DoesNotFail_data();
    void damagedBase64DoesNotFail();
    void refusesCharactersOutsideCp1250_data();
    void refusesCharactersOutsideCp1250();
};

void tst_ConfigCipher::cast256MatchesRfc2612() {
    const QByteArray key = QByteArray::fromHex("2342bb9efa38542c0af75647f29f615d");
    std::array<byte, 16> block{};
    CryptoPP::CAST256::Encryption(reinterpret_cast<const byte*>(key.constData()), key.size())
        .ProcessBlock(block.data());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.data()), block.size()).toHex(),
             QByteArray("c842a08972b43d20836c91d1b7530f6b"));
}

void tst_ConfigCipher::matchesByteWiseCfb8_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QByteArray>("cp1250");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("Polish letters") << QStringLiteral("Zażółć1")
                                    << QByteArray("Za\xBF\xF3\xB3\xE6"
                                                  "1");
    QTest::newRow("blanks kept") << QStringLiteral(" hasło ") << QByteArray(" has\xB3o ");
    QTest::newRow("cp1250 beyond Latin-1") << QStringLiteral("Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ €„”")
                                           << QByteArray("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1 "
                                                         "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF \x80\x84\x94");
    QTest::newRow("longer than several blocks")
        << QStringLiteral("0123456789abcdef").repeated(5) << QByteArray("0123456789abcdef").repeated(5);
}

void tst_ConfigCipher::matchesByteWiseCfb8() {
    QFETCH(QString, plain);
    QFETCH(QByteArray, cp1250);

    const QString enciphered = EncipherPassword(plain);
    QCOMPARE(enciphered, EncipherByHand(cp1250));
    QCOMPARE(DecipherPassword(enciphered), plain);
}

void tst_ConfigCipher::knownCiphertextStaysReadable() {
    QCOMPARE(DecipherPassword(QStringLiteral("qXA1bZyDmg==")), QStringLiteral("Zażółć1"));
    QCOMPARE(EncipherPassword(QStringLiteral("Zażółć1")), QStringLiteral("qXA1bZyDmg=="));
    QCOMPARE(DecipherPassword(QString()), QString());
}

void tst_ConfigCipher::damagedBase64DoesNotFail_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("plain");

    QTest::newRow("line break inside") << QStringLiteral("qXA1bZ\r\nyDmg==") << QStringLiteral("Zażółć1");
    QTest::newRow("padding missing") << QStringLiteral("qXA1bZyDmg") << QStringLiteral("Zażółć1");
    QTest::newRow("nothing decodable") << QStringLiteral("!!!*") << QString();
    QTest::newRow("not Latin-1") << QStringLiteral("żółw") << QString();
}

void tst_ConfigCipher::damagedBase64DoesNotFail() {
    QFETCH(QString, value);
    QFETCH(QString, plain);

    QCOMPARE(DecipherPassword(value), plain);
}

void tst_ConfigCipher::refusesCharactersOutsideCp1250_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("shown");

    QTest::newRow("Cyrillic") << QStringLiteral("Пароль") << QStringLiteral("„П” (U+041F)");
    QTest::newRow("outside the BMP") << QStringLiteral("ab\U0001F600")
                                     << QStringLiteral("„\U0001F600” (U+1F600)");
}

void tst_ConfigCipher::refusesCharactersOutsideCp1250() {
    QFETCH(QString, plain);
    QFETCH(QString, shown);

    try {
        EncipherPassword(plain);
        QFAIL("a character outside cp1250 was accepted");
    } catch (const std::invalid_argument& e) {
        QVERIFY2(QString::fromStdString(e.what()).contains(shown), e.what());
    }
}

QTEST_APPLESS_MAIN(tst_ConfigCipher)
#include "tst_ConfigCipher.moc"
