#include "app/TFileVersionInfo.h"

#include "app/AppInfo.h"

#include "BuildVersion.h"

namespace {

struct VersionString {
    const char* translation; // language and code page, e.g. "041504E2" (Polish, cp1250)
    const char* key;
    const char* value;
};

// The translation list and string tables, filled from the build.
const char* const kTranslations[] = {"041504E2"};
const VersionString kStrings[] = {
    {"041504E2", "FileVersion", OSTOJA_FILE_VERSION},
    {"041504E2", "InternalName", OSTOJA_INTERNAL_NAME},
    {"041504E2", "ProductName", "Ostoja"},
    {"041504E2", "OriginalFilename", OSTOJA_INTERNAL_NAME},
};

} // namespace

TFileVersionInfo::TFileVersionInfo() {
    const QString first = QString::fromLatin1(kTranslations[0]);
    for (const VersionString& s : kStrings)
        if (first == QLatin1String(s.translation))
            texts_.insert(QString::fromLatin1(s.key), QString::fromUtf8(s.value));
    texts_.insert(QStringLiteral("FileDescription"), AppInfo::Title());
}

const TFileVersionInfo& TFileVersionInfo::Instance() {
    static const TFileVersionInfo info;
    return info;
}
