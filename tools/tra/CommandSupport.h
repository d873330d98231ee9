#pragma once

// What every glossmark-tra command does the same way: its exit statuses, how it
// reports wrong usage and failures on standard error, and how it reads and
// writes a language file.

#include "CLanguageFile.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tra_command {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// Prints message and the hint to --help; returns kUsage.
int Usage(const std::string& message);

// Prints message; returns kFailure.
int Fail(const std::string& message);

// Reads a whole language file; prints why when that fails and returns null.
std::unique_ptr<CLanguageFile> Load(const std::string& path);

// Writes language to path (atomically); prints why when that fails.
bool Save(const CLanguageFile& language, const std::string& path);

// Reads a whole file into bytes; prints why when that fails.
bool ReadWhole(const std::string& path, std::string& bytes);

// Writes beside path and renames over it, so a failed write leaves no half file.
bool WriteWhole(const std::string& path, const std::string& bytes);

// The value of arg when it is "--name=value"; nullopt otherwise.
std::optional<std::string> OptionValue(const std::string& arg, std::string_view name);

// The BCP 47 code of a --source-language or --target-language value, which may be a code
// or a language name; prints the usage error and returns nullopt for one it does not know.
std::optional<std::string> LanguageOption(const std::string& value);

} // namespace tra_command
