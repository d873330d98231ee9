#include "TextEncoding.h"

#include "Utf8.h"

#include <cstdint>

namespace tra_text {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsHigh(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

void AppendHex4(std::string& out, char32_t unit)
{
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHex[(unit >> shift) & 0xF];
    }
}

std::string ToUtf8(std::u16string_view text) { return utf8::FromUtf16(text); }

std::string Printable(std::string_view bytes, std::size_t limit)
{
    std::string out;
    std::size_t shown = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++shown) {
        if (shown == limit) {
            out += "...";
            break;
        }
        const std::size_t start = pos;
        const char32_t c = utf8::Decode(bytes, pos);
        if (c == 0xFFFD && pos == start + 1) {
            out += "\\x";
            out += kHex[static_cast<unsigned char>(bytes[start]) >> 4];
            out += kHex[static_cast<unsigned char>(bytes[start]) & 0xF];
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if ((c >= 0x80 && c < 0xA0) || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
                   (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF) {
            out += "\\u{";
            AppendHex4(out, c);
            out += '}';
        } else {
            out.append(bytes.substr(start, pos - start));
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view text) { return utf8::ToUtf16Replacing(text); }

void AppendJsonString(std::string& out, std::u16string_view text)
{
    const auto escape = [&out](char32_t unit) {
        out += "\\u";
        AppendHex4(out, unit);
    };
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        switch (unit) {
        case u'"':
            out += "\\\"";
            continue;
        case u'\\':
            out += "\\\\";
            continue;
        case u'\n':
            out += "\\n";
            continue;
        case u'\r':
            out += "\\r";
            continue;
        case u'\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        if (unit < 0x20 || unit == 0x7F) {
            escape(unit);
        } else if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
            utf8::Append(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHigh(unit) || IsLow(unit)) {
            escape(unit);
        } else {
            utf8::Append(out, unit);
        }
    }
    out += '"';
}

std::u16string FromParsedJson(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = utf8::Decode(text, pos);
        if (c == kPrivateEscape && pos + 4 <= text.size()) {
            int unit = 0;
            bool valid = true;
            for (std::size_t i = 0; i < 4; ++i) {
                const int digit = HexDigitValue(text[pos + i]);
                valid = valid && digit >= 0;
                unit = unit * 16 + digit;
            }
            if (valid) {
                out += static_cast<char16_t>(unit);
                pos += 4;
                continue;
            }
        }
        utf8::AppendUtf16(out, c);
    }
    return out;
}

} // namespace tra_text
