#pragma once

// The words of a translation that a dictionary can judge. Never words:
// placeholders ("%d", "%-5.2f", "%1"), escape sequences ("\n", "\x41"),
// tabs and line breaks, numbers and words with digits ("Win32"), URLs and
// mail addresses, dotted names ("Edit.tra", "z.B."), the keys of shortcuts
// ("Strg+Umschalt+S"), words in capitals ("PDF", "E-MAIL") and single letters. An accelerator mark inside or before a word is
// left out of the word ("Ö&ffnen" is checked as "Öffnen"); "&&" is an
// ampersand and parts words.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace spelling {

struct SpellableWord {
    std::size_t begin = 0; // in the text's UTF-16 units, marks included
    std::size_t end = 0;
    std::u16string word;   // as the dictionary is asked: without accelerator marks
};

std::vector<SpellableWord> SpellableWords(std::u16string_view text);

} // namespace spelling
