#include "UiLanguageLocation.h"

#include "CProfile.h"
#include "CTranslationState.h"
#include "LanguageFileIO.h"
#include "QtStrings.h"
#include "TranslationSettings.h"
#include "UiLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <string_view>
#include <utility>

namespace settings = translation_settings;

namespace {

constexpr char16_t kGermanFile[] = u"Deutsch.tra";
constexpr char16_t kFrenchFile[] = u"Francais.tra";

std::vector<std::u16string>& InstalledFolders()
{
    static std::vector<std::u16string> folders;
    return folders;
}

// The file of one locale name such as "fr_FR.UTF-8", "de", "de_AT@euro";
// empty when the program has no file of that language (English has one: the default).
std::u16string FileOfLocale(const QString& locale, const std::u16string& defaultFile)
{
    const QString language = locale.section(QRegularExpression(QStringLiteral("[_.@-]")), 0, 0);
    if (language == QLatin1String("de"))
        return kGermanFile;
    if (language == QLatin1String("fr"))
        return kFrenchFile;
    if (language == QLatin1String("en") || language == QLatin1String("C") ||
        language == QLatin1String("POSIX"))
        return defaultFile;
    return {};
}

// The user's last choice in the switch dialog, while it is still a
// language file of this program.
bool IsLanguageFileOf(const std::u16string& path, const std::u16string& programName)
{
    if (path.empty() || !QFileInfo(ToQString(path)).isFile())
        return false;
    const ReadOutcome outcome = ReadLanguageFile(NativePath(path), ReadDepth::Header);
    return outcome.language && !outcome.wrongMagic && outcome.language->programName == programName;
}

std::u16string FindInstalledFile(const std::u16string& name)
{
    for (const std::u16string& folder : InstalledFolders()) {
        const QString path = QDir(ToQString(folder)).filePath(ToQString(name));
        if (QFileInfo(path).isFile())
            return ToU16(path);
    }
    return {};
}

} // namespace

std::vector<std::u16string> FindInstalledLanguageFolders()
{
    QStringList candidates = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    // <prefix>/bin/program -> <prefix>/share/program, wherever the prefix is.
    candidates << QDir(QCoreApplication::applicationDirPath())
                      .filePath(QStringLiteral("../share/") + QCoreApplication::applicationName());
    std::vector<std::u16string> folders;
    for (const QString& candidate : std::as_const(candidates)) {
        const QFileInfo folder(candidate);
        const std::u16string path = ToU16(folder.canonicalFilePath());
        if (folder.isDir() && std::find(folders.begin(), folders.end(), path) == folders.end())
            folders.push_back(path);
    }
    return folders;
}

void SetInstalledLanguageFolders(std::vector<std::u16string> folders)
{
    InstalledFolders() = std::move(folders);
}

const std::vector<std::u16string>& GetInstalledLanguageFolders() { return InstalledFolders(); }

std::u16string LocaleLanguageFile(const std::u16string& defaultFile)
{
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (value.isEmpty())
            continue;
        for (const QString& locale : value.split(u':', Qt::SkipEmptyParts)) {
            if (std::u16string file = FileOfLocale(locale, defaultFile); !file.empty())
                return file;
        }
        if (std::string_view(variable) != "LANGUAGE")
            break;
    }
    return defaultFile;
}

bool LoadUiLanguage(const std::u16string& defaultFile, const std::u16string& programName)
{
    if (QFileInfo::exists(ToQString(defaultFile)))
        return LoadTranslationFile(defaultFile, true);

    const std::u16string section(settings::kProfileSection);
    const std::u16string chosen =
        CProfile::GetProfileString(section, std::u16string(settings::kProfileEntry));
    const bool wasChosen =
        CProfile::GetProfileInt(section, std::u16string(settings::kProfileChoiceEntry), 0) != 0;
    if (wasChosen && IsLanguageFileOf(chosen, programName) && LoadTranslationFile(chosen, false)) {
        CTranslationState::Get().fileChosen = true;
        return true;
    }

    const std::u16string wanted = LocaleLanguageFile(defaultFile);
    std::u16string installed = FindInstalledFile(wanted);
    if (installed.empty() && wanted != kGermanFile)
        installed = FindInstalledFile(defaultFile);
    if (!installed.empty())
        return LoadTranslationFile(installed, true);
    // German needs no file: the program's own texts are German.
    if (wanted == kGermanFile)
        return false;
    return LoadTranslationFile(defaultFile, true);
}
