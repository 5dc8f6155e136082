#include "app/Startup.h"

#include "app/AppInfo.h"
#include "app/ConfigReader.h"
#include "app/TdmfDbUpGrade.h"
#include "platform/Messages.h"
#include "platform/data/DataError.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace {
const QString kWrongVersion =
    QStringLiteral("Aplikacja zostanie zamknięta ze względu na nieodpowiednią wersję bazy danych.");
}

StartupPaths StartupPaths::ForExecutable(const QString& executablePath) {
    const QFileInfo exe(executablePath);
    StartupPaths paths;
    paths.programFolder = QDir::toNativeSeparators(exe.absolutePath() + QLatin1Char('/'));
    paths.configFile = paths.programFolder + exe.completeBaseName() + QStringLiteral(".ini");
    return paths;
}

std::unique_ptr<TdmfDB> CreateDatabaseModule(const StartupPaths& paths, Messages& messages,
                                             const UpgradeScripts* scripts) {
    if (!QFileInfo::exists(paths.configFile)) {
        messages.error(QStringLiteral("Nie odnaleziono pliku konfiguracyjnego aplikacji: ") +
                       paths.configFile);
        return nullptr;
    }
    auto db = std::make_unique<TdmfDB>();
    try {
        db->Connect(ReadConfiguration(paths.configFile, paths.programFolder));
    } catch (const DataError& e) {
        messages.error(QStringLiteral("Połączenie do bazy danych nie powiodło się. \n"
                                      "Aplikacja zostanie zamknięta. \n"
                                      "Szczegóły błędu: \n") +
                       e.message());
        return nullptr;
    } catch (const std::runtime_error& e) {
        messages.error(QString::fromUtf8(e.what()));
        return nullptr;
    }
    try {
        if (!CheckSchemaVersion(*db, messages, scripts))
            return nullptr;
    } catch (const DataError& e) {
        // Not a database of this program (no version table) or the engine failed while reading it.
        messages.error(e.message());
        return nullptr;
    }
    return db;
}

bool CheckSchemaVersion(TdmfDB& db, Messages& messages, const UpgradeScripts* scripts) {
    const int required = AppInfo::RequiredSchemaVersion;
    const int version = db.ReadSchemaVersion();
    if (version == required)
        return true;
    if (version > required) {
        messages.warning(kWrongVersion);
        return false;
    }
    if (!messages.question(
            QStringLiteral("Ta wersja aplikacji wymaga bazy danych w wersji %1. Aktualna wersja "
                           "bazy danych to %2. Czy zaktualizować bazę danych?")
                .arg(required)
                .arg(version))) {
        messages.warning(kWrongVersion);
        return false;
    }
    bool upgraded = false;
    {
        TdmfDbUpGrade upgrade(db.cnMain, messages, scripts ? *scripts : UpgradeScripts::FromResources());
        upgraded = upgrade.Run(version);
    }
    if (!upgraded) {
        messages.warning(QStringLiteral("Aplikacja zostanie zamknięta po błędzie aktulizacji bazy danych."));
        return false;
    }
    messages.information(
        QStringLiteral("Baza danych została zaktualizowana poprawnie. Aktualna wersja to %1.")
            .arg(db.ReadSchemaVersion()));
    return true;
}
