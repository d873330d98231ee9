// Fuzz target for format strings: the conversions as printf and as the editor read
// them, and gettext's classification; every reading ends inside the text and the
// editor's pieces stay within it.
#include "FormatGrammar.h"
#include "PoBridge.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    const std::u16string other(text.rbegin(), text.rend());
    for (std::size_t pos = text.find(u'%'); pos != std::u16string::npos; pos = text.find(u'%', pos + 1)) {
        if (pos + 1 < text.size() && text[pos + 1] == u'%')
            continue;
        const format_grammar::Conversion conversion = format_grammar::ReadConversion(text, pos);
        if (conversion.begin != pos || conversion.end > text.size() || conversion.end <= pos)
            std::abort();
        const format_grammar::PlaceholderRead placeholder = format_grammar::ReadPlaceholder(text, pos);
        if (placeholder.end <= pos || placeholder.end > text.size())
            std::abort();
    }
    format_grammar::Tokenize(text);
    std::vector<format_grammar::FormatKind> kinds;
    format_grammar::ReadKinds(text, kinds);
    format_grammar::TranslationAgrees(other, text);
    format_grammar::ConversionList(text);
    po_bridge::ClassifyFormat(text);
    return 0;
}
