// Fuzz target for the XLIFF import: a document is refused with a line or applied to
// a translation without changing the tree's shape.
#include "SampleLanguage.h"
#include "XliffBridge.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto sample = MakeSampleLanguage(200, 4);
    const auto language = sample->Copy();
    const xliff_bridge::ImportResult result =
        xliff_bridge::ImportXliff(std::string_view(reinterpret_cast<const char*>(data), size), *language);
    if ((!result.error.empty() && result.error.rfind("line ", 0) != 0) ||
        language->root->CountNodes() != sample->root->CountNodes())
        std::abort();
    return 0;
}
