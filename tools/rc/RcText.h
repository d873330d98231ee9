#pragma once

// Text conversions of the resource compiler: script sources are UTF-8, the
// compiled texts UTF-16.

#include <optional>
#include <string>
#include <string_view>

// Decodes UTF-8; nullopt when the bytes are not valid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);
std::string Utf16ToUtf8(std::u16string_view text);
// The text as the body of a C++ u"" literal: ASCII printable characters as
// they are, everything else as escapes, so the output is plain ASCII.
std::string CppStringLiteralBody(std::u16string_view text);
// The text as the body of an rc string literal ("\n", "\t", "\"" escapes).
std::string RcStringLiteralBody(std::u16string_view text);
