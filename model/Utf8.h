#pragma once

#include <string>
#include <string_view>

// UTF-8 from the model's UTF-16, for the places that compare or show texts as bytes.
namespace utf8 {

// Appends one code point.
void Append(std::string& out, char32_t c);

// A lone surrogate becomes U+FFFD.
std::string FromUtf16(std::u16string_view text);

} // namespace utf8
