#pragma once

// Bytes of one character encoding to bytes of another, through the C library's
// iconv: a dictionary may be in ISO-8859-1 or KOI8-R as well as in UTF-8.

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace spelling {

class CTextConverter {
public:
    CTextConverter(const char* to, const char* from);
    ~CTextConverter();
    CTextConverter(const CTextConverter&) = delete;
    CTextConverter& operator=(const CTextConverter&) = delete;

    bool IsValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // None when a character has no form in the target encoding or the input
    // is not valid in the source encoding. Not for two threads at once.
    std::optional<std::string> Convert(std::string_view bytes) const;

private:
    iconv_t m_cd;
};

// The name iconv knows for a dictionary's SET line ("ISO8859-1" as is,
// "microsoft-cp1251" as "CP1251").
std::string IconvName(std::string_view dictionaryEncoding);

// The model's UTF-16 as iconv names it on this machine.
const char* NativeUtf16();

// UTF-16 text as the bytes iconv reads, and back.
std::string_view BytesOf(std::u16string_view text);
std::u16string Utf16Of(std::string_view bytes);

} // namespace spelling
