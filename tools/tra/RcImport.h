#pragma once

// The original-language file of a Windows program, made from its resource script:
// the script compiler reads it (leniently: missing headers and unknown statements cost
// warnings, not the run), one of its languages is picked, and the resource tree builder
// gives the same tree shape and kind codes as the editor's own files.

#include "CLanguageFile.h"

#include <memory>
#include <string>
#include <vector>

namespace rc_import {

struct Options {
    std::u16string programName;
    std::u16string programVersion;
    std::string languageId;       // "LANG_ENGLISH"; empty: the first language of the script's texts
    std::u16string languageName;  // empty: the chosen language in words ("English")
    std::vector<std::string> includeDirs;
    std::vector<std::string> defines; // NAME or NAME=VALUE
    // The language switch entry of a program that carries the run-time layer: the string
    // ids (names from the script's headers, or numbers) of its title and its eleven
    // children; 0 leaves a child empty. Empty: no switch entry.
    std::vector<std::string> switchEntry;
};

struct Result {
    std::unique_ptr<CLanguageFile> language; // null when the script cannot be read
    std::string error;                       // "file:line: error: ..." then
    std::vector<std::string> warnings;       // "file:line: warning: ..."
};

Result LanguageFromScript(const std::string& scriptPath, const Options& options);

} // namespace rc_import
