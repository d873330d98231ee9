#include "FormatGrammar.h"

namespace format_grammar {

bool IsConversionChar(char16_t c)
{
    switch (c) {
    case u'a': case u'A': case u'b': case u'B': case u'c': case u'C': case u'd':
    case u'e': case u'E': case u'f': case u'g': case u'G': case u'H': case u'i':
    case u'I': case u'j': case u'm': case u'M': case u'n': case u'o': case u'p':
    case u's': case u'S': case u'u': case u'U': case u'w': case u'W': case u'x':
    case u'X': case u'y': case u'Y': case u'z': case u'Z':
        return true;
    default:
        return false;
    }
}

bool IsFlag(char16_t c)
{
    return c == u'-' || c == u'+' || c == u'#' || c == u'0' || c == u' ';
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

namespace {

// Reads a run of digits at i into value; false (i at the digit that made it
// too large) when the number exceeds kMaxWidth.
bool ReadNumber(std::u16string_view text, std::size_t& i, int& value)
{
    value = 0;
    while (i < text.size() && IsDigit(text[i])) {
        value = value * 10 + int(text[i] - u'0');
        if (value > kMaxWidth)
            return false;
        ++i;
    }
    return true;
}

// A size prefix at i: its length, 0 for none. printf takes a run of them; the
// placeholders take one of "h", "l", "L" and "I64".
std::size_t PrintfPrefixAt(std::u16string_view text, std::size_t i)
{
    if (text.substr(i, 3) == u"I64" || text.substr(i, 3) == u"I32")
        return 3;
    return std::u16string_view(u"hlLqjztIw").find(text[i]) != std::u16string_view::npos ? 1 : 0;
}

std::size_t PlaceholderPrefixAt(std::u16string_view text, std::size_t i)
{
    const char16_t c = text[i];
    if (c == u'h' || c == u'l' || c == u'L')
        return 1;
    if (i + 2 < text.size() && text.substr(i, 3) == u"I64")
        return 3;
    return 0;
}

bool IsWideInteger(std::u16string_view size)
{
    return size.find(u"ll") != std::u16string_view::npos ||
           size.find(u"I64") != std::u16string_view::npos ||
           size.find_first_of(u"qj") != std::u16string_view::npos;
}

std::optional<FormatKind> KindOf(char16_t letter, std::u16string_view size)
{
    switch (letter) {
    case u'd': case u'i': case u'u': case u'o': case u'x': case u'X':
        return IsWideInteger(size) ? FormatKind::Integer64 : FormatKind::Integer;
    case u'c': case u'C':
        return FormatKind::Char;
    case u'e': case u'E': case u'f': case u'F': case u'g': case u'G': case u'a': case u'A':
        return FormatKind::Float;
    case u's': case u'S':
        return FormatKind::String;
    case u'p':
        return FormatKind::Pointer;
    default:
        return std::nullopt;
    }
}

} // namespace

Conversion ReadConversion(std::u16string_view text, std::size_t pos)
{
    Conversion c;
    c.begin = pos;
    c.end = text.size();
    std::size_t i = pos + 1;
    const std::size_t flagsBegin = i;
    while (i < text.size() && IsFlag(text[i]))
        ++i;
    c.flags = text.substr(flagsBegin, i - flagsBegin);
    if (i < text.size() && IsDigit(text[i]) && !ReadNumber(text, i, c.width)) {
        c.end = i;
        return c;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        if (!ReadNumber(text, i, c.precision)) {
            c.end = i;
            return c;
        }
    }
    // Size prefixes say nothing the argument's own type does not, except
    // that a 64-bit integer is another kind of argument.
    const std::size_t sizeBegin = i;
    while (i < text.size()) {
        const std::size_t n = PrintfPrefixAt(text, i);
        if (n == 0)
            break;
        i += n;
    }
    c.size = text.substr(sizeBegin, i - sizeBegin);
    if (i >= text.size())
        return c;
    c.end = i + 1;
    c.letter = text[i];
    c.kind = KindOf(c.letter, c.size);
    return c;
}

std::vector<FormatToken> Tokenize(std::u16string_view text)
{
    std::vector<FormatToken> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t percent = text.find(u'%', i);
        if (percent != i) {
            const std::size_t stop = percent == std::u16string_view::npos ? text.size() : percent;
            tokens.push_back({FormatToken::Type::Literal, text.substr(i, stop - i), {}});
            i = stop;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == u'%') {
            tokens.push_back({FormatToken::Type::Percent, text.substr(i, 2), {}});
            i += 2;
            continue;
        }
        const Conversion conversion = ReadConversion(text, i);
        tokens.push_back({FormatToken::Type::Conversion,
                          text.substr(i, conversion.end - i), conversion});
        i = conversion.end;
    }
    return tokens;
}

bool ReadKinds(std::u16string_view text, std::vector<FormatKind>& kinds)
{
    kinds.clear();
    // Most texts have no conversion at all; they need no tokens.
    if (text.find(u'%') == std::u16string_view::npos)
        return true;
    for (const FormatToken& token : Tokenize(text)) {
        if (token.type != FormatToken::Type::Conversion)
            continue;
        if (!token.conversion.kind)
            return false;
        kinds.push_back(*token.conversion.kind);
    }
    return true;
}

bool TranslationAgrees(std::u16string_view translated, std::u16string_view original)
{
    std::vector<FormatKind> own;
    std::vector<FormatKind> theirs;
    ReadKinds(original, own);
    return ReadKinds(translated, theirs) && theirs == own;
}

std::u16string ConversionList(std::u16string_view text)
{
    std::u16string list;
    for (const FormatToken& token : Tokenize(text)) {
        if (token.type != FormatToken::Type::Conversion)
            continue;
        if (!list.empty())
            list += u' ';
        list += token.raw;
    }
    return list;
}

PlaceholderRead ReadPlaceholder(std::u16string_view text, std::size_t pos)
{
    const std::size_t start = pos;
    const std::size_t length = text.size();
    PlaceholderRead read;
    ++pos;
    if (pos < length && IsFlag(text[pos]))
        ++pos;
    while (pos < length && IsDigit(text[pos]))
        ++pos;
    if (pos < length && text[pos] == u'.') {
        ++pos;
        while (pos < length && IsDigit(text[pos]))
            ++pos;
    }
    bool made = false;
    if (pos < length && IsConversionChar(text[pos])) {
        ++pos;
        read.first = text.substr(start, pos - start);
        made = true;
    }
    // The size prefix is looked for even behind a complete placeholder.
    const std::size_t prefixBegin = pos;
    const std::size_t prefix = pos < length ? PlaceholderPrefixAt(text, pos) : 0;
    pos += prefix;
    if (prefix > 0) {
        if (pos < length && IsConversionChar(text[pos])) {
            ++pos;
            if (made)
                read.second = text.substr(prefixBegin, pos - prefixBegin);
            else
                read.first = text.substr(start, pos - start);
            made = true;
        } else if (made) {
            read.trailing = text.substr(prefixBegin, prefix);
        }
    }
    if (pos < length && text[pos] == u'%' && pos == start + 1) {
        read.type = PlaceholderRead::Type::Escape;
        read.end = pos + 1;
    } else if (!made) {
        // An ordinary "%": what was read after it is read again as text.
        read.type = PlaceholderRead::Type::Ordinary;
        read.end = start + 1;
    } else {
        read.type = PlaceholderRead::Type::Placeholders;
        read.end = pos;
    }
    return read;
}

} // namespace format_grammar
