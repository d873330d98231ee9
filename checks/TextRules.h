#pragma once

// The small text facts the checks compare between an original and its
// translation: accelerator markers, line breaks, the spaces at either end.

#include <cstdint>
#include <string_view>

namespace checks {

struct Accelerators {
    std::int32_t count = 0;  // "&" followed by anything but "&"
    char32_t firstLetter = 0; // the character after the first marker, 0 for none
};

Accelerators FindAccelerators(std::u16string_view text);

// A letter compared without case: the simple lower-case mapping of the
// alphabets that menus and dialogs are written in (Latin with its accented
// letters, Greek, Cyrillic); other characters stand for themselves.
char32_t FoldCase(char32_t c);

std::int32_t CountLineBreaks(std::u16string_view text);

// The runs of spaces and tabs at the start and at the end of text.
std::u16string_view LeadingBlanks(std::u16string_view text);
std::u16string_view TrailingBlanks(std::u16string_view text);

} // namespace checks
