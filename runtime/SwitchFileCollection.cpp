#include "SwitchFileCollection.h"

#include "QtStrings.h"
#include "UiLanguage.h"

#include <QDir>

SwitchFileGroups CollectSwitchFiles(const std::u16string& folder)
{
    SwitchFileGroups groups;
    LanguageInfo current;
    if (!GetCurrentLanguageInfo(current))
        return groups;
    // Only files carrying bit 1 may replace a translation that carries it.
    const bool needsBit1 = (current.flags & 2u) != 0;

    const QDir dir(folder.empty() ? QStringLiteral(".") : ToQString(folder));
    const QStringList names = dir.entryList({QStringLiteral("*.tra")}, QDir::Files | QDir::Hidden,
                                            QDir::Name);
    for (const QString& name : names) {
        const std::u16string path = ToU16(folder.empty() ? name : dir.filePath(name));
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
    return groups;
}
