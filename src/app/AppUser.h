#pragma once

#include <QString>

class Connection;

// One user of the program (a row of app_users).
struct TrAppUser {
    int id = 0;
    QString login;
    QString pw; // SHA-1 digest of the password, 40 upper-case hexadecimal digits
    QString firstName;
    QString lastName;
    QString note;
    bool active = false;
    bool administrator = false;
};

// The stored form of a password: SHA-1 of the text without surrounding blanks, taken over its
// Windows-1250 bytes (a character that code page lacks counts as "?"), as 40 upper-case hex digits.
QString PasswordDigest(const QString& password);
// True when no password has been set: the stored digest is blank or that of the empty text.
bool PasswordNotSet(const QString& storedDigest);

// Why a new password can't be stored (a Polish message), or empty when it can: blanks alone are no
// password, and a character outside Windows-1250 would be stored as "?" and match any other such
// character.
QString NewPasswordError(const QString& password);

// Stores the digest of the new password for the user with the key; false when no row was changed
// (the user has been deleted meanwhile). A failing statement raises DataError.
bool StoreUserPassword(Connection& connection, int userId, const QString& password);

// Loads the user with exactly this login; false when there is none.
bool LoadAppUser(const QString& login, TrAppUser& user);
bool LoadAppUser(Connection& connection, const QString& login, TrAppUser& user);

// Signs the user in: on success the user's record is held as the signed-in user for the rest of the
// run; on failure an error box with the given caption tells why and the signed-in user stays as it was.
// A failing query raises DataError.
bool SignIn(const QString& login, const QString& password, const QString& caption);

bool LoadAppUserById(Connection& connection, int id, TrAppUser& user);

// The password of ADMIN in a new database.
QString InitialAdminPassword();
// Signs ADMIN in with the initial password, as the main window does when first shown. False when the
// program must end; the reason has been shown (a database error too).
bool SignInAtStartup();

// Signs ADMIN in with the initial password without any message; false when that is not possible (the
// password has been changed, ADMIN withdrawn or removed). A failing query raises DataError.
bool SignInSilently();

// Changes the signed-in user's password: stores the digest by the user's key, re-reads the signed-in
// record and tells "Hasło użytkownika … zostało zmieniono" only when the row was changed; otherwise an
// error box says nothing was changed. False then, and on a database error (shown too).
bool ChangeSignedInPassword(const QString& password);

// The signed-in user (an empty record before the sign-in).
const TrAppUser& SignedInUser();
QString SignedInLogin();
QString SignedInDigest();
bool SignedInActive();
bool SignedInAdministrator();
bool IsSignedIn();
// Forgets the signed-in user; the program itself never signs out (tests start each case from here).
void ClearSignedInUser();

// "Kowalski J." from "Jan" and "Kowalski"; the last name alone without a first name.
QString ShortName(const QString& firstName, const QString& lastName);
