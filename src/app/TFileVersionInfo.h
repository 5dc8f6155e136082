#pragma once

#include <QHash>
#include <QString>

// The version texts of the program file, loaded once: the string table of the first translation
// that the translation list names. A text that is absent is empty.
class TFileVersionInfo {
public:
    static const TFileVersionInfo& Instance();
    QString value(const QString& key) const { return texts_.value(key); }
    QString fileVersion() const { return value(QStringLiteral("FileVersion")); }
    QString internalName() const { return value(QStringLiteral("InternalName")); }

private:
    TFileVersionInfo();
    QHash<QString, QString> texts_;
};
