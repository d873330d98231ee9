#pragma once

// The table of glossmark-tra-memory.so: the tm command, which keeps its memory in
// SQLite and reads TMX and XLIFF with Qt Core.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Whether a translation keeps the width rule of a text's control (its kind code and
// width); the tool hands the module the rule it loaded, so fill cuts no text.
using TextFits = std::function<bool(std::int32_t kindCode, std::int32_t width, std::u16string_view text)>;

struct MemoryTable {
    int (*run)(const std::vector<std::string>& args, const TextFits& fits);
};

inline constexpr char kMemoryModule[] = "glossmark-tra-memory.so";
inline constexpr char kMemoryEntry[] = "glossmark_tra_memory";
