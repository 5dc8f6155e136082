#include "tools/DbCommands.h"

#include "app/BaseDatabase.h"
#include "app/TdmfDB.h"
#include "app/TdmfDbUpGrade.h"
#include "platform/Messages.h"
#include "platform/data/DataError.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

int Refuse(const QString& message) {
    Err() << message << Qt::endl;
    return 2;
}

// Messages of the upgrade driver, printed: errors to the error output, the rest to the output.
class ConsoleMessages : public Messages {
public:
    bool question(const QString& text) override {
        Out() << text << Qt::endl;
        return true;
    }
    void error(const QString& text, const QString&) override { Err() << text << Qt::endl; }
    void warning(const QString& text) override { Err() << text << Qt::endl; }
    void information(const QString& text) override { Out() << text << Qt::endl; }
};

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
            bool ok = false;
            out->target.port = value.toInt(&ok);
            if (!ok || out->target.port <= 0 || out->target.port > 65535)
                return QStringLiteral("Port musi być liczbą od 1 do 65535: %1").arg(value);
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
        QString password = qEnvironmentVariable("ISC_PASSWORD");
        if (password.isEmpty()) {
            QTextStream in(stdin);
            password = in.readLine();
        }
        out->target.password = password;
    }
    return {};
}

// Opens an existing database; prints the reason and returns false when that fails.
bool OpenExisting(Connection& connection, const ConnectionTarget& target) {
    if (target.host.isEmpty() && !QFileInfo::exists(target.database)) {
        Err() << QStringLiteral("Nie odnaleziono pliku bazy danych: %1").arg(target.database) << Qt::endl;
        return false;
    }
    try {
        connection.open(target);
        return true;
    } catch (const DataError& e) {
        Err() << QStringLiteral("Połączenie do bazy danych nie powiodło się: %1").arg(e.message())
              << Qt::endl;
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
        Err() << QStringLiteral("Nie udało się utworzyć bazy danych: %1").arg(e.message()) << Qt::endl;
        return 1;
    }
    Out() << QStringLiteral("Utworzono bazę danych w wersji 1: %1").arg(a.target.database) << Qt::endl;
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
        Out() << ReadSchemaVersion(connection) << Qt::endl;
    } catch (const DataError& e) {
        Err() << QStringLiteral("Nie można odczytać wersji bazy danych: %1").arg(e.message()) << Qt::endl;
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
            Out() << QStringLiteral("Baza danych jest w wersji %1; nie ma czego aktualizować.").arg(version)
                  << Qt::endl;
            return version == target || !a.to ? 0 : 1;
        }
        TdmfDbUpGrade upgrade(connection, messages);
        upgrade.afterStep = [](const UpgradeStep& step) {
            Out() << QStringLiteral("%1: wersja %2 -> %3 wykonana")
                         .arg(step.component)
                         .arg(step.from)
                         .arg(step.from + 1)
                  << Qt::endl;
        };
        if (!upgrade.Run(version, target)) {
            if (version < 1)
                Err() << QStringLiteral("Wersji %1 nie można zaktualizować.").arg(version) << Qt::endl;
            return 1;
        }
        Out() << QStringLiteral("Baza danych została zaktualizowana poprawnie. Aktualna wersja to %1.")
                     .arg(ReadSchemaVersion(connection))
              << Qt::endl;
    } catch (const DataError& e) {
        Err() << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}
