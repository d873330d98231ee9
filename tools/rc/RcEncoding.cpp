#include "RcEncoding.h"

#include "Utf8.h"

#include <iconv.h>

namespace rc_encoding {

namespace {

constexpr int kWindows1252 = 1252;

// The bytes 0x80 to 0x9F of Windows-1252; the others equal their code point.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

// The code pages other than 1252 through the C library's converter.
std::optional<std::u16string> DecodeWithIconv(std::string_view bytes, int codePage)
{
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t converter = iconv_open("UTF-16LE", name.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string in(bytes);
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1))
        return std::nullopt;
    std::u16string text;
    const std::size_t written = out.size() - outLeft;
    for (std::size_t i = 0; i + 1 < written; i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(out[i]) |
                                             (static_cast<unsigned char>(out[i + 1]) << 8)));
    return text;
}

} // namespace

FileText Normalise(std::string_view bytes)
{
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    constexpr std::string_view kUtf16Bom = "\xFF\xFE";
    if (bytes.substr(0, 2) != kUtf16Bom) {
        while (bytes.substr(0, 3) == kUtf8Bom)
            bytes.remove_prefix(3);
        return {std::string(bytes), false};
    }
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    std::size_t marks = 0;
    while (marks < units.size() && units[marks] == 0xFEFF)
        ++marks;
    return {utf8::FromUtf16(std::u16string_view(units).substr(marks)), true};
}

bool IsSupported(int codePage)
{
    return codePage == kUtf8 || (codePage >= 1250 && codePage <= 1258) || IsDoubleByte(codePage);
}

bool IsLeadByte(int codePage, unsigned char byte)
{
    if (codePage == 932)
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return IsDoubleByte(codePage) && byte >= 0x81 && byte <= 0xFE;
}

std::optional<std::u16string> Decode(std::string_view bytes, int codePage)
{
    if (codePage == kWindows1252) {
        std::u16string out;
        for (const char b : bytes) {
            const auto u = static_cast<unsigned char>(b);
            out.push_back(u >= 0x80 && u < 0xA0 ? kWindows1252High[u - 0x80] : char16_t(u));
        }
        return out;
    }
    if (codePage != kUtf8 && codePage != kUtf16 && IsSupported(codePage))
        return DecodeWithIconv(bytes, codePage);
    return utf8::ToUtf16(bytes);
}

} // namespace rc_encoding
