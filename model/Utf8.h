#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 from and to the model's UTF-16, for the places that compare or show texts as bytes
// and for the files that carry texts as UTF-8.
namespace utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// Appends one code point.
void Append(std::string& out, char32_t c);

// A lone surrogate becomes U+FFFD.
std::string FromUtf16(std::u16string_view text);

// Decodes the sequence at bytes[pos] and moves pos past it. A byte that starts no
// well-formed sequence (cut short, overlong, a surrogate, past U+10FFFF) gives
// kReplacement and moves pos by that one byte, so a caller can tell it from a real U+FFFD.
char32_t Decode(std::string_view bytes, std::size_t& pos);

// Appends one code point as one or two UTF-16 units.
void AppendUtf16(std::u16string& out, char32_t c);

// Null when the bytes are not well-formed UTF-8.
std::optional<std::u16string> ToUtf16(std::string_view bytes);

// Every byte that is not UTF-8 becomes kReplacement.
std::u16string ToUtf16Replacing(std::string_view bytes);

} // namespace utf8
