#include "app/UpgradeScripts.h"

#include <QFile>

UpgradeScripts UpgradeScripts::FromResources() {
    UpgradeScripts scripts;
    for (int from = 1; from <= 6; ++from) {
        QFile file(QStringLiteral(":/db/sqlprcsrV%1_V%2.sql").arg(from).arg(from + 1));
        scripts.texts << (file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
    }
    return scripts;
}
