#include "SpellableWords.h"

#include "FormatGrammar.h"

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <locale.h>

namespace spelling {

namespace {

// Letter classes for all of Unicode from the C library, independent of the
// program's own locale.
locale_t Classes()
{
    static const locale_t classes = [] {
        locale_t made = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
        return made ? made : newlocale(LC_CTYPE_MASK, "C", locale_t(nullptr));
    }();
    return classes;
}

struct CodePoint {
    char32_t value = 0;
    std::size_t units = 1;
};

CodePoint At(std::u16string_view text, std::size_t i)
{
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
        return {0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00), 2};
    return {c, 1};
}

bool IsDigit(char32_t c) { return iswdigit_l(wint_t(c), Classes()) || (c >= U'0' && c <= U'9'); }

bool IsCombining(char32_t c) { return c >= 0x300 && c <= 0x36F; }

bool IsWordChar(char32_t c)
{
    if (c < 0x80)
        return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9');
    if (c >= 0xD800 && c <= 0xDFFF)
        return false; // a lone surrogate
    return iswalpha_l(wint_t(c), Classes()) || IsDigit(c) || IsCombining(c);
}

bool IsWordCharAt(std::u16string_view text, std::size_t i)
{
    return i < text.size() && IsWordChar(At(text, i).value);
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool IsHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Where the text goes on behind a "%" that starts a placeholder; pos + 1 for
// an ordinary "%".
std::size_t SkipPercent(std::u16string_view text, std::size_t pos)
{
    if (pos + 1 < text.size() && text[pos + 1] == u'%')
        return pos + 2;
    const format_grammar::Conversion conversion = format_grammar::ReadConversion(text, pos);
    if (conversion.kind)
        return conversion.end;
    const auto read = format_grammar::ReadPlaceholder(text, pos);
    if (read.type == format_grammar::PlaceholderRead::Type::Placeholders)
        return read.end - read.trailing.size();
    // "%1", "%12": the numbered arguments of message formats.
    std::size_t end = pos + 1;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    return end;
}

// Where the text goes on behind an escape sequence at text[pos] == '\'.
std::size_t SkipEscape(std::u16string_view text, std::size_t pos)
{
    std::size_t end = pos + 2;
    if (pos + 1 < text.size() && (text[pos + 1] == u'x' || text[pos + 1] == u'u')) {
        while (end < text.size() && IsHexDigit(text[end]) && end < pos + 6)
            ++end;
    } else if (pos + 1 < text.size() && text[pos + 1] >= u'0' && text[pos + 1] <= u'7') {
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'7' && end < pos + 4)
            ++end;
    }
    return std::min(end, text.size());
}

std::size_t SkipToBlank(std::u16string_view text, std::size_t pos)
{
    while (pos < text.size() && !IsBlank(text[pos]))
        ++pos;
    return pos;
}

// A mark joins a word when a word character follows it ("&&" never does).
bool IsAcceleratorAt(std::u16string_view text, std::size_t i)
{
    return text[i] == u'&' && IsWordCharAt(text, i + 1);
}

// Apostrophes and hyphens belong to a word between two of its characters
// ("l'application", "E-Mail"); so does a dot, which makes the word a name.
bool IsInnerJoiner(char16_t c)
{
    return c == u'\'' || c == u'\u2019' || c == u'-' || c == u'.';
}

bool IsCapitalsOnly(std::u16string_view word)
{
    bool upper = false;
    for (std::size_t i = 0; i < word.size();) {
        const CodePoint c = At(word, i);
        if (iswlower_l(wint_t(c.value), Classes()) || (c.value >= U'a' && c.value <= U'z'))
            return false;
        upper = upper || iswupper_l(wint_t(c.value), Classes()) || (c.value >= U'A' && c.value <= U'Z');
        i += c.units;
    }
    return upper;
}

} // namespace

std::vector<SpellableWord> SpellableWords(std::u16string_view text)
{
    std::vector<SpellableWord> words;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'%') {
            i = SkipPercent(text, i);
            continue;
        }
        if (c == u'\\') {
            i = SkipEscape(text, i);
            continue;
        }
        if (!IsWordCharAt(text, i) && !IsAcceleratorAt(text, i)) {
            i += c == u'&' && i + 1 < text.size() && text[i + 1] == u'&' ? 2 : 1;
            continue;
        }
        SpellableWord word;
        word.begin = i;
        bool digits = false;
        bool dotted = false;
        while (i < text.size()) {
            if (IsAcceleratorAt(text, i)) {
                ++i;
                continue;
            }
            if (IsWordCharAt(text, i)) {
                const CodePoint point = At(text, i);
                digits = digits || IsDigit(point.value);
                word.word.append(text.substr(i, point.units));
                i += point.units;
                continue;
            }
            if (IsInnerJoiner(text[i]) && !word.word.empty() && IsWordCharAt(text, i + 1)) {
                dotted = dotted || text[i] == u'.';
                word.word += text[i++];
                continue;
            }
            break;
        }
        word.end = i;
        const bool address = (i + 2 < text.size() && text.substr(i, 3) == u"://") ||
                             (i < text.size() && text[i] == u'@') ||
                             (word.begin > 0 && text[word.begin - 1] == u'@');
        if (address) {
            i = SkipToBlank(text, i);
            continue;
        }
        // "Strg+Umschalt+S": key names of a shortcut.
        const bool key = (i < text.size() && text[i] == u'+') ||
                         (word.begin > 0 && text[word.begin - 1] == u'+');
        if (key || digits || dotted || word.word.size() < 2 || IsCapitalsOnly(word.word))
            continue;
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace spelling
