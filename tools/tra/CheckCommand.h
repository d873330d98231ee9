#pragma once

// glossmark-tra check FILE [--spelling=CODE] [--json]: the translation checks
// from the command line, spelling only when a language is given.

#include <string>
#include <vector>

// Runs the command with the arguments after "check"; returns the exit status:
// 0 without errors (warnings allowed), 1 with an error or an unreadable file,
// 2 for wrong usage.
int RunCheckCommand(const std::vector<std::string>& args);
