#pragma once

// The Hunspell dictionaries installed on this machine and the place of the
// personal word lists, and which dictionary fits a language file's language.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spelling {

struct SpellingPaths {
    // Searched in order; the first folder holding a dictionary wins.
    std::vector<std::filesystem::path> dictionaryDirs;
    // The personal word lists, one per dictionary code.
    std::filesystem::path wordListDir;
};

// $XDG_DATA_HOME/hunspell, each of $XDG_DATA_DIRS/hunspell and /usr/share/hunspell;
// the word lists beside the editor's settings in $XDG_CONFIG_HOME/Kestrow Tools.
SpellingPaths DefaultPaths();

struct Dictionary {
    std::string code; // "de_DE", "fr"
    std::filesystem::path aff;
    std::filesystem::path dic;
};

// The dictionary for language: a dictionary code ("de_DE"), a BCP 47 code
// ("de", "fr-CH") or a language name in English, German or French ("German",
// "Deutsch", "allemand"). A code whose region has no dictionary takes another
// of the same language. None when nothing installed fits.
std::optional<Dictionary> FindDictionary(std::u16string_view language,
                                         const std::vector<std::filesystem::path>& dirs);

// Every dictionary installed in dirs, by code; a code found in two folders
// once, from the first.
std::vector<Dictionary> InstalledDictionaries(const std::vector<std::filesystem::path>& dirs);

} // namespace spelling
