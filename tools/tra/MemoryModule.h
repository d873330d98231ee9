#pragma once

// The table of glossmark-tra-memory.so: the tm command, which keeps its memory in
// SQLite and reads TMX and XLIFF with Qt Core.

#include <string>
#include <vector>

struct MemoryTable {
    int (*run)(const std::vector<std::string>& args);
};

inline constexpr char kMemoryModule[] = "glossmark-tra-memory.so";
inline constexpr char kMemoryEntry[] = "glossmark_tra_memory";
