#include "SwitchFileCollection.h"

#include "QtStrings.h"
#include "UiLanguage.h"
#include "UiLanguageLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

SwitchFileGroups CollectSwitchFiles(const std::u16string& folder)
{
    SwitchFileGroups groups;
    LanguageInfo current;
    if (!GetCurrentLanguageInfo(current))
        return groups;
    // Only files carrying bit 1 may replace a translation that carries it.
    const bool needsBit1 = (current.flags & 2u) != 0;

    // The given folder first, then the installed ones; a file reached
    // through two of them is listed once.
    std::vector<std::u16string> folders{folder};
    const auto& installed = GetInstalledLanguageFolders();
    folders.insert(folders.end(), installed.begin(), installed.end());
    QSet<QString> seen;
    for (const std::u16string& searched : folders) {
        const QDir dir(searched.empty() ? QStringLiteral(".") : ToQString(searched));
        const QStringList names = dir.entryList({QStringLiteral("*.tra")}, QDir::Files | QDir::Hidden,
                                                QDir::Name);
        for (const QString& name : names) {
            const std::u16string path = ToU16(searched.empty() ? name : dir.filePath(name));
            const QString canonical = QFileInfo(dir.filePath(name)).canonicalFilePath();
            if (seen.contains(canonical))
                continue;
            seen.insert(canonical);
            LanguageInfo info;
            if (!ReadLanguageInfo(path, info) || info.programName != current.programName)
                continue;
            if (needsBit1 && (info.flags & 2u) == 0)
                continue;
            auto& group = info.programVersion == current.programVersion ? groups.thisVersion
                                                                        : groups.otherVersions;
            if (group.size() < SwitchFileGroups::kMaxFiles)
                group.push_back(path);
        }
    }
    return groups;
}
