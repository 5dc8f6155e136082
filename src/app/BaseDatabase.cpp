#include "app/BaseDatabase.h"

#include "platform/data/DataError.h"
#include "platform/data/DatabaseCreator.h"
#include "platform/data/ScriptRunner.h"

#include <QFile>
#include <QFileInfo>

QStringList BaseScripts() {
    QStringList texts;
    for (const char* name : {":/db/base_v1.sql", ":/db/base_v1_data.sql"}) {
        QFile file(QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            throw DataError(
                QStringLiteral("Program nie zawiera skryptu bazy danych %1.").arg(file.fileName()));
        texts << QString::fromUtf8(file.readAll());
    }
    return texts;
}

void CreateBaseDatabase(const ConnectionTarget& target) {
    const bool embedded = target.host.isEmpty();
    if (embedded && QFileInfo::exists(target.database))
        throw DataError(QStringLiteral("Plik %1 już istnieje.").arg(target.database));
    const QStringList scripts = BaseScripts();

    ConnectionTarget building = target;
    if (embedded)
        building.database = target.database + QStringLiteral(".tworzenie");
    QFile::remove(building.database);
    CreateEmptyDatabase(building);
    try {
        Connection connection(QStringLiteral("ostoja-base"));
        connection.open(building);
        ScriptRunner runner(connection);
        for (const QString& text : scripts)
            runner.runText(text);
        connection.close();
    } catch (const DataError&) {
        if (embedded)
            QFile::remove(building.database);
        else
            try {
                DropDatabase(building);
            } catch (const DataError&) {
                // The original error is the one worth reporting.
            }
        throw;
    }
    if (embedded && !QFile::rename(building.database, target.database)) {
        QFile::remove(building.database);
        throw DataError(QStringLiteral("Nie można zapisać pliku %1.").arg(target.database));
    }
}
