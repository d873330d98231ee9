#include "SafeFormat.h"

#include <fmt/printf.h>

#include <optional>

namespace {

struct Conversion {
    std::string flags;      // of "-+ #0"
    int width = -1;
    int precision = -1;
    char letter = 0;
    FormatKind kind = FormatKind::Integer;
};

// One step through a format: a run of literal text (already unescaped for
// "%%"), a conversion, or a conversion that is refused (copied as raw).
struct Piece {
    std::u16string_view raw;
    std::optional<Conversion> conversion;
    bool literal = false;
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads digits at i; false when the number exceeds kMaxFormatWidth.
bool ReadNumber(std::u16string_view f, size_t& i, int& value)
{
    value = 0;
    while (i < f.size() && IsDigit(f[i])) {
        value = value * 10 + int(f[i] - u'0');
        if (value > kMaxFormatWidth)
            return false;
        ++i;
    }
    return true;
}

std::optional<FormatKind> KindOf(char16_t letter)
{
    switch (letter) {
    case u'd': case u'i': case u'u': case u'o': case u'x': case u'X':
        return FormatKind::Integer;
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

// Parses the conversion starting at f[start] == '%'; end is set behind what
// was consumed (a refused conversion consumes up to and including the
// offending character).
std::optional<Conversion> ParseConversion(std::u16string_view f, size_t start, size_t& end)
{
    size_t i = start + 1;
    Conversion c;
    end = f.size();
    while (i < f.size() && std::u16string_view(u"-+ #0").find(f[i]) != std::u16string_view::npos)
        c.flags.push_back(char(f[i++]));
    if (i < f.size() && IsDigit(f[i]) && !ReadNumber(f, i, c.width)) {
        end = i;
        return std::nullopt;
    }
    if (i < f.size() && f[i] == u'.') {
        ++i;
        if (!ReadNumber(f, i, c.precision)) {
            end = i;
            return std::nullopt;
        }
    }
    // Length modifiers say nothing the argument's own type does not.
    while (i < f.size()) {
        if (f.substr(i, 3) == u"I64" || f.substr(i, 3) == u"I32") {
            i += 3;
        } else if (std::u16string_view(u"hlLqjztIw").find(f[i]) != std::u16string_view::npos) {
            ++i;
        } else {
            break;
        }
    }
    if (i >= f.size())
        return std::nullopt;
    end = i + 1;
    const auto kind = KindOf(f[i]);
    if (!kind)
        return std::nullopt; // %n, '*', unknown letters
    c.letter = char(f[i]);
    c.kind = *kind;
    return c;
}

std::vector<Piece> Split(std::u16string_view f)
{
    std::vector<Piece> pieces;
    size_t i = 0;
    while (i < f.size()) {
        const size_t percent = f.find(u'%', i);
        if (percent != i) {
            const size_t stop = percent == std::u16string_view::npos ? f.size() : percent;
            pieces.push_back({f.substr(i, stop - i), std::nullopt, true});
            i = stop;
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == u'%') {
            pieces.push_back({f.substr(i + 1, 1), std::nullopt, true});
            i += 2;
            continue;
        }
        size_t end = 0;
        auto conversion = ParseConversion(f, i, end);
        pieces.push_back({f.substr(i, end - i), conversion, false});
        i = end;
    }
    return pieces;
}

std::u16string Widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string Pad(std::u16string text, const Conversion& c)
{
    if (c.width > 0 && int(text.size()) < c.width) {
        const std::u16string fill(size_t(c.width) - text.size(), u' ');
        text = c.flags.find('-') != std::string::npos ? text + fill : fill + text;
    }
    return text;
}

std::string Spec(const Conversion& c, char letter)
{
    std::string spec = "%" + c.flags;
    if (c.width >= 0)
        spec += std::to_string(c.width);
    if (c.precision >= 0)
        spec += "." + std::to_string(c.precision);
    return spec + letter;
}

std::u16string FormatInteger(const Conversion& c, const CFormatArg& arg)
{
    const bool isSigned = c.letter == 'd' || c.letter == 'i';
    const std::string spec = Spec(c, c.letter);
    // An int stays 32 bits wide, as the platform's printf shows it.
    if (arg.IsWide()) {
        return isSigned ? Widen(fmt::sprintf(spec, static_cast<long long>(arg.AsSigned())))
                        : Widen(fmt::sprintf(spec, static_cast<unsigned long long>(arg.AsUnsigned())));
    }
    return isSigned ? Widen(fmt::sprintf(spec, static_cast<int>(arg.AsSigned())))
                    : Widen(fmt::sprintf(spec, static_cast<unsigned>(arg.AsUnsigned())));
}

std::u16string FormatOne(const Conversion& c, const CFormatArg& arg)
{
    using Type = CFormatArg::Type;
    // A string given where a number is asked for is shown as it is; a number
    // where a string is asked for is shown in decimal.
    if (arg.GetType() == Type::String && c.kind != FormatKind::String)
        return Pad(std::u16string(arg.AsText()), c);
    switch (c.kind) {
    case FormatKind::String: {
        if (arg.GetType() != Type::String)
            return Pad(Widen(fmt::format("{}", arg.AsSigned())), c);
        std::u16string_view text = arg.AsText();
        if (c.precision >= 0 && size_t(c.precision) < text.size())
            text = text.substr(0, size_t(c.precision));
        return Pad(std::u16string(text), c);
    }
    case FormatKind::Char:
        return Pad(std::u16string(1, char16_t(arg.AsUnsigned() & 0xFFFF)), c);
    case FormatKind::Float:
        return Widen(fmt::sprintf(Spec(c, c.letter), arg.AsFloat()));
    case FormatKind::Pointer:
        return Pad(Widen(fmt::format("{:016X}", arg.AsUnsigned())), c);
    case FormatKind::Integer:
        return FormatInteger(c, arg);
    }
    return {};
}

} // namespace

bool ParseFormatKinds(std::u16string_view format, std::vector<FormatKind>& kinds)
{
    kinds.clear();
    for (const Piece& piece : Split(format)) {
        if (piece.literal)
            continue;
        if (!piece.conversion)
            return false;
        kinds.push_back(piece.conversion->kind);
    }
    return true;
}

std::u16string SafeFormat(std::u16string_view format, std::span<const CFormatArg> args)
{
    std::u16string out;
    size_t next = 0;
    for (const Piece& piece : Split(format)) {
        if (!piece.conversion) {
            out += piece.raw;
            continue;
        }
        if (next >= args.size())
            continue;
        try {
            out += FormatOne(*piece.conversion, args[next]);
        } catch (const fmt::format_error&) {
            out += piece.raw; // a flag combination the formatter will not take
        }
        ++next;
    }
    return out;
}

std::u16string FormatChecked(std::u16string_view translated, std::u16string_view original,
                             std::span<const CFormatArg> args)
{
    std::vector<FormatKind> own;
    std::vector<FormatKind> theirs;
    ParseFormatKinds(original, own);
    const bool trusted = ParseFormatKinds(translated, theirs) && theirs == own;
    return SafeFormat(trusted ? translated : original, args);
}
