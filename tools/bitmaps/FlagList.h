#pragma once

#include <array>
#include <cstddef>

namespace bitmaps {

// One image of the flag strip: the flag source's file name (ISO 3166 alpha-2, lower case)
// and the English country name written to the strip's index file.
struct FlagEntry {
    const char* code;
    const char* name;
};

inline constexpr std::size_t kFlagCount = 189;
inline constexpr std::size_t kOfferedFlagCount = 152;

extern const std::array<FlagEntry, kFlagCount> kFlags;

}  // namespace bitmaps
