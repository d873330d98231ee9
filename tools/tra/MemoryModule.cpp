// glossmark-tra-memory.so: the translation memory with Qt Core, for the tm command.

#include "MemoryCommand.h"
#include "MemoryModule.h"

namespace {

constexpr MemoryTable kTable{RunMemoryCommand};

} // namespace

extern "C" __attribute__((visibility("default"))) const void* glossmark_tra_memory()
{
    return &kTable;
}
