#include "TextRules.h"

#include <algorithm>

namespace checks {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char32_t CodePointAt(std::u16string_view text, std::size_t i)
{
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    return c;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

} // namespace

Accelerators FindAccelerators(std::u16string_view text)
{
    Accelerators found;
    constexpr std::size_t npos = std::u16string_view::npos;
    for (std::size_t i = text.find(u'&'); i != npos && i + 1 < text.size(); i = text.find(u'&', i + 1)) {
        if (text[i + 1] != u'&') {
            if (found.count == 0)
                found.firstLetter = CodePointAt(text, i + 1);
            ++found.count;
        }
        ++i; // "&&" is one ampersand shown; the character after a marker is its letter
    }
    return found;
}

char32_t FoldCase(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c < 0x80)
        return c;
    // Latin-1: À to Þ except the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    // Latin Extended-A: mostly pairs, upper case on the even code.
    if (c == 0x130 || c == 0x131)
        return c; // the dotted and dotless i have no simple pair
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    if (c == 0x178)
        return 0xFF; // Ÿ
    // Greek and Cyrillic capitals.
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2))
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

std::int32_t CountLineBreaks(std::u16string_view text)
{
    return std::int32_t(std::count(text.begin(), text.end(), u'\n'));
}

std::u16string_view LeadingBlanks(std::u16string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && IsBlank(text[n]))
        ++n;
    return text.substr(0, n);
}

std::u16string_view TrailingBlanks(std::u16string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && IsBlank(text[text.size() - 1 - n]))
        ++n;
    return text.substr(text.size() - n);
}

} // namespace checks
