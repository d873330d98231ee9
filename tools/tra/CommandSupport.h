#pragma once

// What every glossmark-tra command does the same way: its exit statuses, how it
// reports wrong usage and failures on standard error, and how it reads and
// writes a language file.

#include "CLanguageFile.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tra_command {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// Prints message and the hint to --help; returns kUsage.
int Usage(const std::string& message);

// Prints message, its raw bytes made printable; returns kFailure.
int Fail(const std::string& message);

// Prints a warning the same way.
void Warn(const std::string& message);

// Reads a whole input file that must not be empty; prints why when that fails.
bool ReadInput(const std::string& path, std::string& bytes);

// Writes bytes to path atomically, as Save writes a language file; prints why when that fails.
bool WriteOutput(const std::string& path, const std::string& bytes);

// Whether out names the same file as one of inputs (compared by device and inode, so
// links and other spellings of a name count); prints the refusal then.
bool OutputIsAnInput(const std::string& out, std::initializer_list<std::string> inputs);

// Reads a whole language file; prints why when that fails and returns null.
std::unique_ptr<CLanguageFile> Load(const std::string& path);

// Writes language to path (atomically); prints why when that fails.
bool Save(const CLanguageFile& language, const std::string& path);

// The value of arg when it is "--name=value"; nullopt otherwise.
std::optional<std::string> OptionValue(const std::string& arg, std::string_view name);

enum class OptionRead { NotThis, Taken, Refused };

// --target-language=CODE, and --source-language=CODE when withSource: the BCP 47 code of
// the value, which may be a code or a language name, goes into target or source. Refused
// (the usage error printed) for a value it does not know.
OptionRead ReadLanguageOption(const std::string& arg, bool withSource, std::string& source, std::string& target);

} // namespace tra_command
