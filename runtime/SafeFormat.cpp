#include "SafeFormat.h"

#include <fmt/printf.h>

#include <optional>

namespace {

using format_grammar::Conversion;
using format_grammar::FormatToken;

std::u16string Widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string Pad(std::u16string text, const Conversion& c)
{
    if (c.width > 0 && int(text.size()) < c.width) {
        const std::u16string fill(size_t(c.width) - text.size(), u' ');
        text = c.flags.find(u'-') != std::u16string_view::npos ? text + fill : fill + text;
    }
    return text;
}

std::string Spec(const Conversion& c, char letter)
{
    // The grammar reads flags as ASCII only.
    std::string spec = "%" + std::string(c.flags.begin(), c.flags.end());
    if (c.width >= 0)
        spec += std::to_string(c.width);
    if (c.precision >= 0)
        spec += "." + std::to_string(c.precision);
    return spec + letter;
}

std::u16string FormatInteger(const Conversion& c, const CFormatArg& arg)
{
    const bool isSigned = c.letter == u'd' || c.letter == u'i';
    const std::string spec = Spec(c, char(c.letter));
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
    switch (*c.kind) {
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
        return Widen(fmt::sprintf(Spec(c, char(c.letter)), arg.AsFloat()));
    case FormatKind::Pointer:
        return Pad(Widen(fmt::format("{:016X}", arg.AsUnsigned())), c);
    case FormatKind::Integer:
    case FormatKind::Integer64:
        return FormatInteger(c, arg);
    }
    return {};
}

} // namespace

bool ParseFormatKinds(std::u16string_view format, std::vector<FormatKind>& kinds)
{
    return format_grammar::ReadKinds(format, kinds);
}

std::u16string SafeFormat(std::u16string_view format, std::span<const CFormatArg> args)
{
    std::u16string out;
    size_t next = 0;
    for (const FormatToken& token : format_grammar::Tokenize(format)) {
        if (token.type == FormatToken::Type::Percent) {
            out += u'%';
            continue;
        }
        if (token.type == FormatToken::Type::Literal || !token.conversion.kind) {
            out += token.raw;
            continue;
        }
        if (next >= args.size())
            continue;
        try {
            out += FormatOne(token.conversion, args[next]);
        } catch (const fmt::format_error&) {
            out += token.raw; // a flag combination the formatter will not take
        }
        ++next;
    }
    return out;
}

std::u16string FormatChecked(std::u16string_view translated, std::u16string_view original,
                             std::span<const CFormatArg> args)
{
    const bool trusted = format_grammar::TranslationAgrees(translated, original);
    return SafeFormat(trusted ? translated : original, args);
}
