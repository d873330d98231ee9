#pragma once

// The glossmark-tra commands that carry language files to and from other tools:
// export-po, import-po, export-xliff, import-xliff and from-rc.

#include <optional>
#include <string>
#include <vector>

// Runs command when it is one of the bridge commands and returns its exit status;
// nullopt for any other command.
std::optional<int> RunBridgeCommand(const std::string& command, const std::vector<std::string>& args);

// The lines of the bridge commands for the tool's help text.
extern const char kBridgeHelp[];
