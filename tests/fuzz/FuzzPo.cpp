// Fuzz target for the PO import: a file is refused with a line or applied to a
// translation without changing the tree's shape.
#include "PoBridge.h"
#include "SampleLanguage.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto sample = MakeSampleLanguage(200, 4);
    const auto language = sample->Copy();
    const po_bridge::ImportResult result =
        po_bridge::ImportPo(std::string_view(reinterpret_cast<const char*>(data), size), *language);
    if ((!result.error.empty() && result.error.rfind("line ", 0) != 0) ||
        language->root->CountNodes() != sample->root->CountNodes())
        std::abort();
    return 0;
}
