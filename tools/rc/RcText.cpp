#include "RcText.h"

#include "Utf8.h"

#include <cstdint>
#include <cstdio>

std::string CppStringLiteralBody(std::u16string_view text)
{
    std::string out;
    char buffer[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
        case u'\n': out += "\\n"; continue;
        case u'\t': out += "\\t"; continue;
        case u'\r': out += "\\r"; continue;
        case u'"': out += "\\\""; continue;
        case u'\\': out += "\\\\"; continue;
        case u'?': out += "\\?"; continue; // never part of a trigraph-like sequence
        default: break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                   text[i + 1] <= 0xDFFF) {
            const std::uint32_t cp = 0x10000 + ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
            std::snprintf(buffer, sizeof buffer, "\\U%08X", static_cast<unsigned>(cp));
            out += buffer;
            ++i;
        } else if (c < 0xA0) {
            // Control characters: an octal escape takes at most three digits,
            // so a digit after it stays a character of its own.
            std::snprintf(buffer, sizeof buffer, "\\%03o", static_cast<unsigned>(c));
            out += buffer;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // A lone surrogate has no \u form; a hex escape must end the
            // literal piece, which the next piece continues.
            std::snprintf(buffer, sizeof buffer, "\\x%04X\" u\"", static_cast<unsigned>(c));
            out += buffer;
        } else {
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

std::string RcStringLiteralBody(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text) {
        switch (c) {
        case u'\n': out += "\\n"; break;
        case u'\t': out += "\\t"; break;
        case u'\r': out += "\\r"; break;
        case u'"': out += "\"\""; break;
        case u'\\': out += "\\\\"; break;
        default: out += utf8::FromUtf16(std::u16string_view(&c, 1)); break;
        }
    }
    return out;
}
