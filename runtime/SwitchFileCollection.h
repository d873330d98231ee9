#pragma once

// The language files the switch dialog offers: the *.tra files of one folder
// and of the installed language folders (UiLanguageLocation.h) that belong to
// the program of the current translation, split into those of the current
// program version and those of other versions.

#include <cstddef>
#include <string>
#include <vector>

struct SwitchFileGroups {
    static constexpr std::size_t kMaxFiles = 128; // per group; more are left out
    std::vector<std::u16string> thisVersion;
    std::vector<std::u16string> otherVersions;
};

// folder empty: the current directory, and its paths are bare file names.
// Files are taken folder by folder in name order, each file once, so the
// lists do not depend on the file system. A file whose header cannot be read
// is left out; one that is no language file at all is reported once by the
// header read and left out.
// Nothing is listed while no translation is loaded.
SwitchFileGroups CollectSwitchFiles(const std::u16string& folder);
