#include "app/AppUser.h"

#include "platform/Messages.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QStringList>

#include <array>

namespace {

// Unicode code points of the Windows-1250 bytes 0x80 to 0xFF (0 where the code page has none).
constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 0x98
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

// The text in Windows-1250, as passwords have always been hashed; a character outside the code page
// becomes "?", one per character (also for one outside the basic plane).
QByteArray ToCp1250(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80) {
            bytes.append(char(c));
            continue;
        }
        char b = '?';
        for (int i = 0; i < int(kCp1250High.size()); ++i)
            if (kCp1250High[i] != 0 && char32_t(kCp1250High[i]) == c) {
                b = char(0x80 + i);
                break;
            }
        bytes.append(b);
    }
    return bytes;
}

const QString kWrongLoginOrPassword = QStringLiteral("Błędna nazwa użytkownika lub hasło.");

TrAppUser signedInUser;
bool signedIn = false;

} // namespace

QString PasswordDigest(const QString& password) {
    const QByteArray digest =
        QCryptographicHash::hash(ToCp1250(password.trimmed()), QCryptographicHash::Sha1);
    return QString::fromLatin1(digest.toHex().toUpper());
}

bool PasswordNotSet(const QString& storedDigest) {
    return storedDigest.trimmed().isEmpty() || storedDigest == PasswordDigest(QString());
}

bool LoadAppUser(Connection& connection, const QString& login, TrAppUser& user) {
    Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT au_id, au_login, au_pw, au_first_name, au_last_name, "
                                        "au_active, au_administrator, au_note"),
                         QStringLiteral("FROM app_users"), QStringLiteral("WHERE au_login = :au_login")});
    q.setParam(QStringLiteral("au_login"), login);
    try {
        q.open();
    } catch (const DataError& e) {
        // A login longer than the column, or with a character the database cannot hold, cannot be
        // anybody's: the engine refuses to compare it.
        if (e.sqlCode() == SqlCode::StringTruncation)
            return false;
        throw;
    }
    if (q.isEmpty())
        return false;
    user.id = int(q.fieldByName(QStringLiteral("au_id")).asInteger());
    user.login = q.fieldByName(QStringLiteral("au_login")).asString();
    user.pw = q.fieldByName(QStringLiteral("au_pw")).asString();
    user.firstName = q.fieldByName(QStringLiteral("au_first_name")).asString();
    user.lastName = q.fieldByName(QStringLiteral("au_last_name")).asString();
    user.note = q.fieldByName(QStringLiteral("au_note")).asString();
    user.active = q.fieldByName(QStringLiteral("au_active")).asInteger() != 0;
    user.administrator = q.fieldByName(QStringLiteral("au_administrator")).asInteger() != 0;
    q.close();
    return true;
}

bool LoadAppUser(const QString& login, TrAppUser& user) {
    return LoadAppUser(MainConnection(), login, user);
}

bool SignIn(const QString& login, const QString& password, const QString& caption) {
    TrAppUser user;
    if (!LoadAppUser(login.trimmed(), user)) {
        AppMessages().error(kWrongLoginOrPassword, caption);
        return false;
    }
    if (!user.active) {
        AppMessages().error(QStringLiteral("Użytkownik %1 ma status \"nieaktywny\".").arg(user.login),
                            caption);
        return false;
    }
    // A blank stored digest matches no password: a digest is never blank.
    if (PasswordDigest(password) != user.pw) {
        AppMessages().error(kWrongLoginOrPassword, caption);
        return false;
    }
    signedInUser = user;
    signedIn = true;
    return true;
}

QString InitialAdminPassword() {
    return QStringLiteral("admin");
}

bool SignInAtStartup() {
    const QString caption = QStringLiteral("Logowanie do aplikacji");
    try {
        return SignIn(QStringLiteral("ADMIN"), InitialAdminPassword(), caption);
    } catch (const DataError& e) {
        AppMessages().error(e.message(), caption);
        return false;
    }
}

const TrAppUser& SignedInUser() {
    return signedInUser;
}

QString SignedInLogin() {
    return signedInUser.login;
}

QString SignedInDigest() {
    return signedInUser.pw;
}

bool SignedInActive() {
    return signedInUser.active;
}

bool SignedInAdministrator() {
    return signedInUser.administrator;
}

bool IsSignedIn() {
    return signedIn;
}

void ClearSignedInUser() {
    signedInUser = TrAppUser();
    signedIn = false;
}

QString ShortName(const QString& firstName, const QString& lastName) {
    const QString first = firstName.trimmed();
    const QString last = lastName.trimmed();
    if (first.isEmpty())
        return last;
    return last + QLatin1Char(' ') + first.at(0) + QLatin1Char('.');
}
