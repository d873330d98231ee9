// glossmark-tra-xliff.so: the XLIFF bridge with Qt Core, for the XLIFF commands.

#include "XliffModule.h"

namespace {

constexpr XliffTable kTable{xliff_bridge::ExportXliff, xliff_bridge::ImportXliff};

} // namespace

extern "C" __attribute__((visibility("default"))) const void* glossmark_tra_xliff()
{
    return &kTable;
}
