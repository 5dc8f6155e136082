#include "app/ConfigReader.h"

#include "platform/crypto/ConfigCipher.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>

#include <optional>
#include <stdexcept>

namespace {

// The database server's factory-default administrator password.
const QString kFactoryPassword = QStringLiteral("masterkey");

[[noreturn]] void ThrowUnreadable(const QString& iniPath, const QString& reason) {
    throw std::runtime_error(QStringLiteral("Nie można odczytać pliku konfiguracyjnego aplikacji: %1 (%2)")
                                 .arg(QDir::toNativeSeparators(iniPath), reason)
                                 .toStdString());
}

// Keys of one section of an INI text, keyed by their case-folded names. Section and key names match
// regardless of letter case; a key given twice keeps its first value; lines without "=" and comment
// lines are ignored.
class IniSection {
public:
    IniSection(const QString& text, const QString& section) {
        const QString wanted = section.toCaseFolded();
        bool inSection = false;
        for (QStringView line : QStringView(text).split(u'\n')) {
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) {
                continue;
            }
            if (line.startsWith(u'[')) {
                const qsizetype close = line.indexOf(u']');
                const QStringView name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
                inSection = name.toString().toCaseFolded() == wanted;
                continue;
            }
            const qsizetype eq = line.indexOf(u'=');
            if (!inSection || eq < 0) {
                continue;
            }
            const QString key = line.left(eq).trimmed().toString().toCaseFolded();
            if (!m_values.contains(key)) {
                m_values.insert(key, line.mid(eq + 1).toString());
            }
        }
    }

    std::optional<QString> value(const QString& key) const {
        const auto it = m_values.constFind(key.toCaseFolded());
        if (it == m_values.constEnd()) {
            return std::nullopt;
        }
        return *it;
    }

    QString value(const QString& key, const QString& defaultValue) const {
        return value(key).value_or(defaultValue);
    }

private:
    QHash<QString, QString> m_values;
};

QString ReadText(const QString& iniPath) {
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowUnreadable(iniPath, file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ThrowUnreadable(iniPath, file.errorString());
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    return QString::fromUtf8(bytes);
}

} // namespace

TRConProp ReadConfiguration(const QString& iniPath, const QString& programFolder) {
    const IniSection db(ReadText(iniPath), QStringLiteral("database"));

    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/') && !folder.endsWith(u'\\')) {
        folder += QDir::separator();
    }

    TRConProp prop;
    prop.embedded =
        db.value(QStringLiteral("embedded"), QString()).trimmed().compare(u"YES", Qt::CaseInsensitive) == 0;
    if (prop.embedded) {
        prop.host.clear();
        prop.port = QStringLiteral("3050");
    } else {
        prop.host = db.value(QStringLiteral("host"), QString()).trimmed();
        prop.port = db.value(QStringLiteral("port"), QString()).trimmed();
    }
    prop.database = db.value(QStringLiteral("database"), QStringLiteral("arvo.fdb"))
                        .trimmed()
                        .replace(QStringLiteral("${APP_DIR}"), folder, Qt::CaseInsensitive)
                        .trimmed();
    prop.user = db.value(QStringLiteral("user"), QStringLiteral("sysdba")).trimmed();
    // Only a value written into the file is enciphered; without the key the factory password applies
    // as it is (deciphering it would yield nothing usable).
    const std::optional<QString> password = db.value(QStringLiteral("password"));
    prop.password = password ? DecipherPassword(password->trimmed()) : kFactoryPassword;
    return prop;
}
