#pragma once

// What the PO and XLIFF fuzz targets check: a file is refused with a line, or applied
// to a translation without changing the tree's shape.

#include "SampleLanguage.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

template <class Import>
int ImportKeepsTheTree(Import import, const std::uint8_t* data, std::size_t size)
{
    static const auto sample = MakeSampleLanguage(200, 4);
    const auto language = sample->Copy();
    const auto result = import(std::string_view(reinterpret_cast<const char*>(data), size), *language);
    if ((!result.error.empty() && result.error.rfind("line ", 0) != 0) ||
        language->root->CountNodes() != sample->root->CountNodes())
        std::abort();
    return 0;
}
