#include "TextConverter.h"

#include <bit>
#include <cerrno>
#include <cstring>

namespace spelling {

CTextConverter::CTextConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}

CTextConverter::~CTextConverter()
{
    if (IsValid())
        iconv_close(m_cd);
}

std::optional<std::string> CTextConverter::Convert(std::string_view bytes) const
{
    if (!IsValid())
        return std::nullopt;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    std::string out(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::size_t done = 0;
    while (inLeft > 0) {
        char* at = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t result = iconv(m_cd, &in, &inLeft, &at, &outLeft);
        done = out.size() - outLeft;
        if (result != std::size_t(-1))
            break;
        if (errno != E2BIG)
            return std::nullopt; // EILSEQ or EINVAL: nothing sensible to pass on
        out.resize(out.size() * 2);
    }
    out.resize(done);
    return out;
}

std::string IconvName(std::string_view dictionaryEncoding)
{
    constexpr std::string_view kMicrosoft = "microsoft-";
    if (dictionaryEncoding.starts_with(kMicrosoft))
        dictionaryEncoding.remove_prefix(kMicrosoft.size());
    return dictionaryEncoding.empty() ? std::string("ISO-8859-1") : std::string(dictionaryEncoding);
}

const char* NativeUtf16()
{
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

std::string_view BytesOf(std::u16string_view text)
{
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

std::u16string Utf16Of(std::string_view bytes)
{
    std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
    return text;
}

} // namespace spelling
