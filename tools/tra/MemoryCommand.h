#pragma once

// glossmark-tra tm: the translation memory from the command line (import, lookup,
// export, fill, remove).

#include <string>
#include <vector>

// Runs "tm" with its arguments (the action first); returns the exit status.
int RunMemoryCommand(const std::vector<std::string>& args);

// The lines of the tm command for the tool's help text.
extern const char kMemoryHelp[];
