// Fuzz target for the PO import.
#include "ImportFuzzing.h"
#include "PoBridge.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return ImportKeepsTheTree(po_bridge::ImportPo, data, size);
}
