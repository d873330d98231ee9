#pragma once

// Texts of the resource compiler written back as literals (the scripts' UTF-8 is
// decoded with the model's utf8 functions).

#include <string>
#include <string_view>

// The text as the body of a C++ u"" literal: ASCII printable characters as
// they are, everything else as escapes, so the output is plain ASCII.
std::string CppStringLiteralBody(std::u16string_view text);
// The text as the body of an rc string literal ("\n", "\t", "\"" escapes).
std::string RcStringLiteralBody(std::u16string_view text);
