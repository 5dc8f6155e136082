#include "app/AppUser.h"

#include "platform/Cp1250.h"
#include "platform/Messages.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QSqlQuery>
#include <QStringList>

namespace {

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

QString NewPasswordError(const QString& password) {
    if (password.trimmed().isEmpty())
        return QStringLiteral("Hasło nie może być puste.");
    char32_t unmapped = 0;
    ToCp1250(password.trimmed(), &unmapped);
    if (unmapped != 0)
        return QStringLiteral("Hasło nie może zawierać znaku \"%1\". Użyj liter, cyfr lub innych znaków.")
            .arg(QString::fromUcs4(&unmapped, 1));
    return QString();
}

bool StoreUserPassword(Connection& connection, int userId, const QString& password) {
    // By the key: the login may have been changed since the record was read.
    QSqlQuery q = connection.run(QStringLiteral("UPDATE app_users SET au_pw = ? WHERE au_id = ?"),
                                 {PasswordDigest(password), userId});
    return q.numRowsAffected() > 0;
}

namespace {

void ReadUser(const Query& q, TrAppUser& user) {
    user.id = int(q.fieldByName(QStringLiteral("au_id")).asInteger());
    user.login = q.fieldByName(QStringLiteral("au_login")).asString();
    user.pw = q.fieldByName(QStringLiteral("au_pw")).asString();
    user.firstName = q.fieldByName(QStringLiteral("au_first_name")).asString();
    user.lastName = q.fieldByName(QStringLiteral("au_last_name")).asString();
    user.note = q.fieldByName(QStringLiteral("au_note")).asString();
    user.active = q.fieldByName(QStringLiteral("au_active")).asInteger() != 0;
    user.administrator = q.fieldByName(QStringLiteral("au_administrator")).asInteger() != 0;
}

const QString kUserColumns = QStringLiteral(
    "SELECT au_id, au_login, au_pw, au_first_name, au_last_name, au_active, au_administrator, au_note");

} // namespace

bool LoadAppUserById(Connection& connection, int id, TrAppUser& user) {
    Query q(connection);
    q.setSql(
        QStringList{kUserColumns, QStringLiteral("FROM app_users"), QStringLiteral("WHERE au_id = :au_id")});
    q.setParam(QStringLiteral("au_id"), id);
    q.open();
    if (q.isEmpty())
        return false;
    ReadUser(q, user);
    q.close();
    return true;
}

bool LoadAppUser(Connection& connection, const QString& login, TrAppUser& user) {
    Query q(connection);
    q.setSql(QStringList{kUserColumns, QStringLiteral("FROM app_users"),
                         QStringLiteral("WHERE au_login = :au_login")});
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
    ReadUser(q, user);
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

bool SignInSilently() {
    TrAppUser user;
    if (!LoadAppUser(QStringLiteral("ADMIN"), user) || !user.active ||
        PasswordDigest(InitialAdminPassword()) != user.pw)
        return false;
    signedInUser = user;
    signedIn = true;
    return true;
}

bool ChangeSignedInPassword(const QString& password) {
    try {
        if (!StoreUserPassword(MainConnection(), signedInUser.id, password)) {
            AppMessages().error(QStringLiteral("Nie znaleziono użytkownika %1 - hasło nie zostało zmienione.")
                                    .arg(signedInUser.login));
            return false;
        }
        TrAppUser fresh;
        if (LoadAppUserById(MainConnection(), signedInUser.id, fresh))
            signedInUser = fresh;
    } catch (const DataError& e) {
        AppMessages().error(e.message());
        return false;
    }
    AppMessages().information(
        QStringLiteral("Hasło użytkownika %1 zostało zmieniono").arg(signedInUser.login));
    return true;
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
