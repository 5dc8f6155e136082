#include "tools/ConfigCommands.h"

#include "app/ConfigReader.h"
#include "platform/crypto/ConfigCipher.h"
#include "tools/AdminIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <stdexcept>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const QString kMaskedPassword = QStringLiteral("********");

int UsageError(const QString& message, const QString& usage) {
    PrintErr(message);
    PrintErr(QStringLiteral("Użycie: ostoja-admin ") + usage);
    return kExitUsage;
}

// The text of the "password" key for the password on standard input; prints the reason and returns
// nothing when it cannot be made.
std::optional<QString> ReadEncipheredPassword() {
    const std::optional<QString> password = ReadPassword();
    if (!password) {
        return std::nullopt;
    }
    try {
        return EncipherPassword(*password);
    } catch (const std::invalid_argument& e) {
        PrintErr(QString::fromStdString(e.what()));
        return std::nullopt;
    }
}

struct WriteIniOptions {
    QString path;
    bool embedded = false;
    std::optional<QString> host;
    std::optional<QString> port;
    std::optional<QString> database;
    std::optional<QString> user;
};

const QString kWriteIniUsage =
    QStringLiteral("write-ini ŚCIEŻKA [--embedded] [--host H] [--port P] --database D [--user U]");

// Parses the words after write-ini; on a fault prints the message and returns nothing.
std::optional<WriteIniOptions> ParseWriteIni(const QStringList& args) {
    WriteIniOptions o;
    bool havePath = false;
    bool embeddedGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        std::optional<QString>* target = nullptr;
        if (arg == u"--embedded") {
            if (embeddedGiven) {
                UsageError(QStringLiteral("Opcja --embedded podana więcej niż raz."), kWriteIniUsage);
                return std::nullopt;
            }
            embeddedGiven = o.embedded = true;
            continue;
        } else if (arg == u"--host") {
            target = &o.host;
        } else if (arg == u"--port") {
            target = &o.port;
        } else if (arg == u"--database") {
            target = &o.database;
        } else if (arg == u"--user") {
            target = &o.user;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            UsageError(QStringLiteral("Nieznana opcja: %1").arg(arg), kWriteIniUsage);
            return std::nullopt;
        } else if (!havePath) {
            o.path = arg;
            havePath = true;
            continue;
        } else {
            UsageError(QStringLiteral("Nieoczekiwany argument: %1").arg(arg), kWriteIniUsage);
            return std::nullopt;
        }
        if (target->has_value()) {
            UsageError(QStringLiteral("Opcja %1 podana więcej niż raz.").arg(arg), kWriteIniUsage);
            return std::nullopt;
        }
        if (i + 1 >= args.size() || args.at(i + 1).startsWith(u"--")) {
            UsageError(QStringLiteral("Brak wartości opcji %1.").arg(arg), kWriteIniUsage);
            return std::nullopt;
        }
        const QString value = args.at(++i);
        // A line end would end the key and start another one in the file.
        if (value.contains(u'\n') || value.contains(u'\r')) {
            UsageError(QStringLiteral("Wartość opcji %1 nie może zawierać znaku końca wiersza.").arg(arg),
                       kWriteIniUsage);
            return std::nullopt;
        }
        *target = value;
    }
    if (!havePath || o.path.isEmpty()) {
        UsageError(QStringLiteral("Nie podano ścieżki pliku konfiguracyjnego."), kWriteIniUsage);
        return std::nullopt;
    }
    if (!o.database || o.database->trimmed().isEmpty()) {
        UsageError(QStringLiteral("Nie podano ścieżki bazy danych (opcja --database)."), kWriteIniUsage);
        return std::nullopt;
    }
    if (o.port) {
        if (!ParsePort(*o.port)) {
            UsageError(QStringLiteral("Port musi być liczbą od 1 do 65535: %1").arg(*o.port), kWriteIniUsage);
            return std::nullopt;
        }
    }
    return o;
}

} // namespace

int EncryptPasswordCommand(const QStringList& args) {
    if (!args.isEmpty()) {
        return UsageError(QStringLiteral("Nieoczekiwany argument: %1").arg(args.first()),
                          QStringLiteral("encrypt-password"));
    }
    const std::optional<QString> enciphered = ReadEncipheredPassword();
    if (!enciphered) {
        return kExitFailure;
    }
    PrintOut(*enciphered);
    return 0;
}

int WriteIniCommand(const QStringList& args) {
    const std::optional<WriteIniOptions> o = ParseWriteIni(args);
    if (!o) {
        return kExitUsage;
    }
    const std::optional<QString> password = ReadEncipheredPassword();
    if (!password) {
        return kExitFailure;
    }

    // The server's own port and a server on this machine unless told otherwise; in embedded mode the
    // program ignores both.
    const QString host = o->host.value_or(o->embedded ? QString() : QStringLiteral("localhost"));
    const QString port = o->port ? o->port->trimmed() : QStringLiteral("3050");
    const QString text = QStringLiteral("[database]\n"
                                        "embedded=%1\n"
                                        "host=%2\n"
                                        "port=%3\n"
                                        "database=%4\n"
                                        "user=%5\n"
                                        "password=%6\n")
                             .arg(o->embedded ? QStringLiteral("YES") : QStringLiteral("NO"), host, port,
                                  *o->database, o->user.value_or(QStringLiteral("SYSDBA")), *password);

    // Written aside and renamed over the target only when complete, so a failure leaves the old file.
    QSaveFile file(o->path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        PrintErr(QStringLiteral("Nie można zapisać pliku konfiguracyjnego %1: %2")
                     .arg(o->path, file.errorString()));
        return kExitFailure;
    }
    PrintOut(QStringLiteral("Zapisano plik konfiguracyjny: %1").arg(o->path));
    return 0;
}

int ShowConfigCommand(const QStringList& args) {
    const QString usage = QStringLiteral("show-config ŚCIEŻKA [--reveal]");
    QString path;
    bool reveal = false;
    for (const QString& arg : args) {
        if (arg == u"--reveal") {
            reveal = true;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return UsageError(QStringLiteral("Nieznana opcja: %1").arg(arg), usage);
        } else if (path.isEmpty()) {
            path = arg;
        } else {
            return UsageError(QStringLiteral("Nieoczekiwany argument: %1").arg(arg), usage);
        }
    }
    if (path.isEmpty()) {
        return UsageError(QStringLiteral("Nie podano ścieżki pliku konfiguracyjnego."), usage);
    }

    const QFileInfo info(path);
    if (!info.isFile()) {
        PrintErr(QStringLiteral("Nie odnaleziono pliku konfiguracyjnego aplikacji: %1")
                     .arg(info.absoluteFilePath()));
        return kExitFailure;
    }
    TRConProp prop;
    try {
        prop = ReadConfiguration(path, info.absolutePath() + u'/');
    } catch (const std::runtime_error& e) {
        PrintErr(QString::fromStdString(e.what()));
        return kExitFailure;
    }

    PrintOut(
        QStringLiteral("embedded: %1").arg(prop.embedded ? QStringLiteral("tak") : QStringLiteral("nie")));
    PrintOut(QStringLiteral("host: %1").arg(prop.host));
    PrintOut(QStringLiteral("port: %1").arg(prop.port));
    PrintOut(QStringLiteral("database: %1").arg(prop.database));
    PrintOut(QStringLiteral("user: %1").arg(prop.user));
    PrintOut(QStringLiteral("password: %1").arg(reveal ? prop.password : kMaskedPassword));

    if (!ParsePort(prop.port)) {
        PrintErr(
            QStringLiteral("Uwaga: port „%1” nie jest liczbą od 1 do 65535; połączenie z serwerem się nie "
                           "powiedzie.")
                .arg(prop.port));
    }
    return 0;
}
