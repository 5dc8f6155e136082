// ostoja-admin: prepares what the program only reads — databases and configuration files.

#include "tools/ConfigCommands.h"
#include "tools/DbCommands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <functional>
#include <map>

namespace {

const char* const kUsage =
    "Użycie:\n"
    "  ostoja-admin create-db ŚCIEŻKA [--host H] [--port P] [--user U]\n"
    "  ostoja-admin version ŚCIEŻKA [--host H] [--port P] [--user U]\n"
    "  ostoja-admin upgrade ŚCIEŻKA [--to N] [--host H] [--port P] [--user U]\n"
    "  ostoja-admin encrypt-password\n"
    "  ostoja-admin write-ini ŚCIEŻKA [--embedded] [--host H] [--port P] --database D [--user U]\n"
    "  ostoja-admin show-config ŚCIEŻKA [--reveal]\n"
    "Hasło do serwera bazy danych: zmienna środowiskowa ISC_PASSWORD albo standardowe wejście.\n";

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("create-db"), CreateDbCommand},
        {QStringLiteral("version"), VersionCommand},
        {QStringLiteral("upgrade"), UpgradeCommand},
        {QStringLiteral("encrypt-password"), EncryptPasswordCommand},
        {QStringLiteral("write-ini"), WriteIniCommand},
        {QStringLiteral("show-config"), ShowConfigCommand},
    };
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        QTextStream(args.isEmpty() ? stderr : stdout) << QString::fromUtf8(kUsage);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    const auto command = commands.find(name);
    if (command == commands.end()) {
        QTextStream(stderr) << QStringLiteral("Nieznane polecenie: %1\n").arg(name)
                            << QString::fromUtf8(kUsage);
        return 2;
    }
    return command->second(args);
}
