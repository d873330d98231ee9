// Fuzz target for the XLIFF import.
#include "ImportFuzzing.h"
#include "XliffBridge.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return ImportKeepsTheTree(xliff_bridge::ImportXliff, data, size);
}
