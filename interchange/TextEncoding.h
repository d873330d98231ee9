#pragma once

#include <string>
#include <string_view>

// Conversions between the model's UTF-16 texts and the UTF-8 of terminals and JSON.
//
// A .tra file may hold texts that are not valid UTF-16 (a surrogate without its partner).
// JSON can only spell those as "\uD800" escapes, which strict parsers refuse, so the JSON
// reader rewrites them before parsing into a private form: U+FDD0 followed by the four hex
// digits of the code unit. U+FDD0 is a noncharacter; a real one in the input is rewritten
// the same way, so the private form is never ambiguous.

namespace tra_text {

inline constexpr char32_t kPrivateEscape = 0xFDD0;

// 0-15 for a hex digit of either case, else -1.
int HexDigitValue(char c);

// Appends the four upper-case hex digits of a code unit.
void AppendHex4(std::string& out, char32_t unit);

// For showing texts: a lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// For command-line arguments; invalid bytes become U+FFFD.
std::u16string FromUtf8(std::string_view text);

// For echoing bytes of a file or of a message on a terminal: printable characters as
// they are; control characters (the terminal's escapes among them), the marks that
// reorder a line and bytes that are not UTF-8 as \n, \xNN or \u{NNNN}; cut after
// limit characters with "...".
std::string Printable(std::string_view bytes, std::size_t limit = std::string_view::npos);

// Appends text as a JSON string literal (quotes included): valid characters as UTF-8,
// control characters and lone surrogates as escapes.
void AppendJsonString(std::string& out, std::u16string_view text);

// Decodes a string that the JSON parser produced from rewritten input: valid UTF-8 in
// which U+FDD0 and four hex digits stand for one code unit.
std::u16string FromParsedJson(std::string_view text);

} // namespace tra_text
