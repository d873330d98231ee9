#pragma once

#include "CRcToken.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The macros of a resource script: the #defines read so far plus the Win32
// and framework constants that scripts take from the system headers
// (WS_*, BS_*, VK_*, IDOK, ID_FILE_OPEN, ...). A #define may redefine a
// built-in constant; redefining one of the script's own macros with another
// value is an error, as in C.
class CRcSymbols {
public:
    struct Macro {
        std::vector<CRcToken> replacement;
        bool functionLike = false;
        std::vector<std::string> parameters; // of a function-like macro; __VA_ARGS__ last when variadic
        bool variadic = false;
        bool builtIn = false;
        std::string file; // where it was defined (empty for built-ins)
        int line = 0;
    };

    CRcSymbols();

    // Throws CRcError (at file:line) when a macro of the script is redefined differently.
    void Define(const std::string& name, Macro macro);
    void DefineNumber(const std::string& name, std::int64_t value);
    void Undefine(const std::string& name) { macros.erase(name); }
    bool IsDefined(const std::string& name) const { return macros.count(name) != 0; }
    const Macro* Find(const std::string& name) const;

private:
    std::map<std::string, Macro, std::less<>> macros;
};
