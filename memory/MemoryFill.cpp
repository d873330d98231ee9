#include "MemoryFill.h"

#include "TextWalk.h"

namespace memory {

std::string FindFills(CTranslationMemory& memory, const CTextNode& root, std::string_view targetLanguage,
                      const FitsRule& fits, std::vector<Fill>& fills)
{
    fills.clear();
    std::vector<CTextNode*> open;
    std::vector<std::u16string_view> originals;
    ForEachText(root, [&](CTextNode& node) {
        if (!OwnTextDone(node) && !node.originalText.empty()) {
            open.push_back(&node);
            originals.push_back(node.originalText);
        }
    });
    std::vector<std::u16string> translations;
    if (std::string error = memory.ExactTranslations(originals, targetLanguage, translations); !error.empty()) {
        return error;
    }
    for (std::size_t i = 0; i < open.size(); ++i) {
        std::u16string& translation = translations[i];
        if (!translation.empty() && translation != std::u16string_view(open[i]->translatedText) &&
            (!fits || fits(*open[i], translation))) {
            fills.push_back({open[i], std::move(translation)});
        }
    }
    return {};
}

} // namespace memory
