#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 from and to the model's UTF-16, for the places that compare or show texts as bytes
// and for the files that carry texts as UTF-8.
namespace utf8 {

// Appends one code point.
void Append(std::string& out, char32_t c);

// A lone surrogate becomes U+FFFD.
std::string FromUtf16(std::u16string_view text);

// Decodes UTF-8; nullopt when the bytes are not valid UTF-8 (overlong forms,
// surrogates and values past U+10FFFF included).
std::optional<std::u16string> ToUtf16(std::string_view bytes);

} // namespace utf8
