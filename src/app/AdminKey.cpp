#include "app/AdminKey.h"

#include <QCryptographicHash>
#include <QFile>

namespace AdminKey {

namespace {
// Digest of the key text handed to administrators; the text itself is not kept in the program.
const char kAdministratorDigest[] = "6C35038FAE5E22B9F728AE0AE5DFEDF5BED1A673";
} // namespace

QString Digest(const QString& text) {
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex())
        .toUpper();
}

bool IsKeyText(const QString& fileContent) {
    const QString firstLine = fileContent.section(QLatin1Char('\n'), 0, 0).trimmed();
    return Digest(firstLine) == QLatin1String(kAdministratorDigest);
}

Mode ReadMode(const QString& programFolder, QString* error) {
    QFile file(programFolder + FileName());
    if (!file.exists())
        return Mode::Off;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error =
                QStringLiteral("Nie można odczytać pliku „%1”: %2").arg(file.fileName(), file.errorString());
        return Mode::Unreadable;
    }
    return IsKeyText(QString::fromUtf8(file.readLine())) ? Mode::On : Mode::Off;
}

} // namespace AdminKey
