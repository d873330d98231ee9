#pragma once

// A stretch of a text: [begin, end) in its UTF-16 units.

#include <cstddef>

struct TextRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const TextRange&) const = default;
};
