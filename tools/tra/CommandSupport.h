#pragma once

// What every glossmark-tra command does the same way: its exit statuses, how it
// reports wrong usage and failures on standard error, and how it reads and
// writes a language file.

#include "CLanguageFile.h"

#include <memory>
#include <string>

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

} // namespace tra_command
