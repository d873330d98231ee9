#include "TextEncoding.h"

#include "Utf8.h"

#include <cstdint>

namespace tra_text {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsHigh(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// Decodes one UTF-8 sequence at text[pos]; returns U+FFFD and advances one byte when the
// bytes are not well-formed.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + length > text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += length;
    return c;
}

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
        const char32_t c = DecodeUtf8(bytes, pos);
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

std::u16string FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        AppendUtf16(out, DecodeUtf8(text, pos));
    }
    return out;
}

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
        const char32_t c = DecodeUtf8(text, pos);
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
        AppendUtf16(out, c);
    }
    return out;
}

} // namespace tra_text
