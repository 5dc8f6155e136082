#include "tools/DbCommands.h"

#include "app/BaseDatabase.h"
#include "app/TdmfDB.h"
#include "app/TdmfDbUpGrade.h"
#include "platform/Messages.h"
#include "platform/data/DataError.h"
#include "tools/AdminIo.h"

#include <QFileInfo>
#include <QSqlQuery>

#include <optional>

namespace {

int Refuse(const QString& message) {
    PrintErr(message);
    return 2;
}

struct DbArgs {
    ConnectionTarget target;
    std::optional<int> to;
};

// PATH [--host H] [--port P] [--user U] [--to N]; the password of a server from ISC_PASSWORD or
// the standard input. Returns an error text or an empty one.
QString Parse(const QStringList& args, bool allowTo, DbArgs* out) {
    QStringList positional;
    out->target.user = QStringLiteral("SYSDBA");
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        if (i + 1 >= args.size())
            return QStringLiteral("Brak wartości opcji %1.").arg(a);
        const QString value = args.at(++i);
        if (a == QLatin1String("--host")) {
            out->target.host = value;
        } else if (a == QLatin1String("--port")) {
            const std::optional<int> port = ParsePort(value);
            if (!port)
                return QStringLiteral("Port musi być liczbą od 1 do 65535: %1").arg(value);
            out->target.port = *port;
        } else if (a == QLatin1String("--user")) {
            out->target.user = value;
        } else if (a == QLatin1String("--to") && allowTo) {
            bool ok = false;
            const int to = value.toInt(&ok);
            if (!ok || to < 2 || to > 7)
                return QStringLiteral("Wersja docelowa musi być liczbą od 2 do 7: %1").arg(value);
            out->to = to;
        } else {
            return QStringLiteral("Nieznana opcja: %1").arg(a);
        }
    }
    if (positional.size() != 1)
        return QStringLiteral("Podaj jedną ścieżkę bazy danych.");
    out->target.database = positional.first();
    if (!out->target.host.isEmpty()) {
        out->target.password = qEnvironmentVariable("ISC_PASSWORD");
        if (out->target.password.isEmpty()) {
            const std::optional<QString> password = ReadPassword();
            if (!password)
                return QStringLiteral("Brak hasła do serwera bazy danych.");
            out->target.password = *password;
        }
    }
    return {};
}

// Opens an existing database; prints the reason and returns false when that fails.
bool OpenExisting(Connection& connection, const ConnectionTarget& target) {
    if (target.host.isEmpty() && !QFileInfo::exists(target.database)) {
        PrintErr(QStringLiteral("Nie odnaleziono pliku bazy danych: %1").arg(target.database));
        return false;
    }
    try {
        connection.open(target);
        return true;
    } catch (const DataError& e) {
        PrintErr(QStringLiteral("Połączenie do bazy danych nie powiodło się: %1").arg(e.message()));
        return false;
    }
}

} // namespace

int CreateDbCommand(const QStringList& args) {
    DbArgs a;
    if (const QString error = Parse(args, false, &a); !error.isEmpty())
        return Refuse(error);
    try {
        CreateBaseDatabase(a.target);
    } catch (const DataError& e) {
        PrintErr(QStringLiteral("Nie udało się utworzyć bazy danych: %1").arg(e.message()));
        return 1;
    }
    PrintOut(QStringLiteral("Utworzono bazę danych w wersji 1: %1").arg(a.target.database));
    return 0;
}

int VersionCommand(const QStringList& args) {
    DbArgs a;
    if (const QString error = Parse(args, false, &a); !error.isEmpty())
        return Refuse(error);
    Connection connection(QStringLiteral("ostoja-admin"));
    if (!OpenExisting(connection, a.target))
        return 1;
    try {
        PrintOut(QString::number(ReadSchemaVersion(connection)));
    } catch (const DataError& e) {
        PrintErr(QStringLiteral("Nie można odczytać wersji bazy danych: %1").arg(e.message()));
        return 1;
    }
    return 0;
}

int UpgradeCommand(const QStringList& args) {
    DbArgs a;
    if (const QString error = Parse(args, true, &a); !error.isEmpty())
        return Refuse(error);
    Connection connection(QStringLiteral("ostoja-admin"));
    if (!OpenExisting(connection, a.target))
        return 1;
    ConsoleMessages messages;
    try {
        const int version = ReadSchemaVersion(connection);
        const int target = a.to.value_or(7);
        if (version >= target) {
            PrintOut(QStringLiteral("Baza danych jest w wersji %1; nie ma czego aktualizować.").arg(version));
            return version == target || !a.to ? 0 : 1;
        }
        TdmfDbUpGrade upgrade(connection, messages);
        upgrade.afterStep = [](const UpgradeStep& step) {
            PrintOut(QStringLiteral("%1: wersja %2 -> %3 wykonana")
                         .arg(step.component)
                         .arg(step.from)
                         .arg(step.from + 1));
        };
        if (!upgrade.Run(version, target)) {
            if (version < 1)
                PrintErr(QStringLiteral("Wersji %1 nie można zaktualizować.").arg(version));
            return 1;
        }
        PrintOut(QStringLiteral("Baza danych została zaktualizowana poprawnie. Aktualna wersja to %1.")
                     .arg(ReadSchemaVersion(connection)));
    } catch (const DataError& e) {
        PrintErr(e.message());
        return 1;
    }
    return 0;
}
