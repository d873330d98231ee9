#pragma once

// glossmark-tra tm: the translation memory from the command line (import, lookup,
// export, fill, remove).

#include <string>
#include <vector>

#include "MemoryModule.h"

// Runs "tm" with its arguments (the action first); returns the exit status. The
// tool's side loads the module; the module's side runs the command with the width rule.
int RunMemoryCommand(const std::vector<std::string>& args);
int RunMemoryCommand(const std::vector<std::string>& args, const TextFits& fits);

// The lines of the tm command for the tool's help text.
extern const char kMemoryHelp[];
