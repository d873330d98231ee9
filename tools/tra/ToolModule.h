#pragma once

// The parts of glossmark-tra that need Qt live in modules loaded when a command
// needs them (the width rule of check: Qt Gui; the XLIFF bridge: Qt Core), so
// that every other command starts without loading Qt at all.
//
// A module exports one C function, named by its table type, that returns the
// module's table of functions. Both sides are built together, so the table may
// carry C++ types.

#include <string>

namespace tra_module {

// Loads fileName from the tool's own folder (the build tree) or from the folder
// the modules are installed in, and returns what its entry returns; null with
// why set when it cannot be loaded. A loaded module stays for the process.
const void* Load(const char* fileName, const char* entry, std::string& why);

} // namespace tra_module
