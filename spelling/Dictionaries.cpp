#include "Dictionaries.h"

#include "LanguageCodes.h"

#include <algorithm>
#include <cstdlib>

namespace spelling {

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// XDG_CONFIG_HOME and XDG_DATA_HOME fall back to folders under the home folder.
fs::path UserFolder(const char* variable, const char* underHome)
{
    const std::string set = Environment(variable);
    return set.empty() ? fs::path(Environment("HOME")) / underHome : fs::path(set);
}

std::optional<Dictionary> Installed(const std::string& code, const std::vector<fs::path>& dirs)
{
    std::error_code error;
    for (const fs::path& dir : dirs) {
        Dictionary found{code, dir / (code + ".aff"), dir / (code + ".dic")};
        if (fs::is_regular_file(found.aff, error) && fs::is_regular_file(found.dic, error))
            return found;
    }
    return std::nullopt;
}

// The region a dictionary of the language most often comes with where it is
// not the language's own code in capitals (de_DE, fr_FR, it_IT ...).
std::string UsualRegion(const std::string& primary)
{
    static constexpr std::pair<std::string_view, std::string_view> kRegions[] = {
        {"en", "US"}, {"cs", "CZ"}, {"da", "DK"}, {"el", "GR"}, {"et", "EE"}, {"he", "IL"},
        {"nb", "NO"}, {"sl", "SI"}, {"sv", "SE"}, {"uk", "UA"}, {"ca", "ES"}, {"ja", "JP"}};
    for (const auto& [language, region] : kRegions) {
        if (language == primary)
            return std::string(region);
    }
    std::string region = primary;
    for (char& c : region)
        c = char(c - 'a' + 'A');
    return region;
}

bool IsLowerAscii(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

} // namespace

SpellingPaths DefaultPaths()
{
    SpellingPaths paths;
    paths.dictionaryDirs.push_back(UserFolder("XDG_DATA_HOME", ".local/share") / "hunspell");
    std::string dataDirs = Environment("XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= dataDirs.size();) {
        const std::size_t stop = std::min(dataDirs.find(':', start), dataDirs.size());
        if (stop > start)
            paths.dictionaryDirs.push_back(fs::path(dataDirs.substr(start, stop - start)) / "hunspell");
        start = stop + 1;
    }
    const fs::path system = "/usr/share/hunspell";
    if (std::find(paths.dictionaryDirs.begin(), paths.dictionaryDirs.end(), system) ==
        paths.dictionaryDirs.end())
        paths.dictionaryDirs.push_back(system);
    paths.wordListDir = UserFolder("XDG_CONFIG_HOME", ".config") / "Kestrow Tools";
    return paths;
}

std::optional<Dictionary> FindDictionary(std::u16string_view language,
                                         const std::vector<fs::path>& dirs)
{
    // A dictionary code as it is: only letters, digits and "_" can name a file here.
    std::string asCode;
    for (const char16_t c : language) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
              c == u'_' || c == u'-'))
            break;
        asCode += c == u'-' ? '_' : char(c);
    }
    if (asCode.size() == language.size() && !asCode.empty()) {
        if (auto found = Installed(asCode, dirs))
            return found;
    }
    std::string code = language_codes::FromName(language);
    if (code.empty() && asCode.size() == language.size())
        code = asCode; // "de_AT" is no BCP 47 code, but its language is "de"
    const std::string primary = code.substr(0, code.find_first_of("-_"));
    if (!IsLowerAscii(primary))
        return std::nullopt;
    for (const std::string& candidate : {primary + "_" + UsualRegion(primary), primary}) {
        if (auto found = Installed(candidate, dirs))
            return found;
    }
    // Any other region of the language, the first by name for a stable choice.
    std::vector<std::string> others;
    std::error_code error;
    for (const fs::path& dir : dirs) {
        for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
            const fs::path& file = it->path();
            const std::string stem = file.stem().string();
            if (file.extension() == ".aff" && stem.starts_with(primary + "_"))
                others.push_back(stem);
        }
    }
    std::sort(others.begin(), others.end());
    for (const std::string& other : others) {
        if (auto found = Installed(other, dirs))
            return found;
    }
    return std::nullopt;
}

std::vector<Dictionary> InstalledDictionaries(const std::vector<fs::path>& dirs)
{
    std::vector<std::string> codes;
    std::error_code error;
    for (const fs::path& dir : dirs) {
        for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
            if (it->path().extension() == ".aff")
                codes.push_back(it->path().stem().string());
        }
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    std::vector<Dictionary> installed;
    for (const std::string& code : codes) {
        if (auto found = Installed(code, dirs))
            installed.push_back(std::move(*found));
    }
    return installed;
}

} // namespace spelling
