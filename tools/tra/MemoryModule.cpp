// glossmark-tra-memory.so: the translation memory with Qt Core, for the tm command.

#include "MemoryCommand.h"
#include "MemoryModule.h"

namespace {

int Run(const std::vector<std::string>& args, const TextFits& fits) { return RunMemoryCommand(args, fits); }

constexpr MemoryTable kTable{Run};

} // namespace

extern "C" __attribute__((visibility("default"))) const void* glossmark_tra_memory()
{
    return &kTable;
}
