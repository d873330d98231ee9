#pragma once

// How two originals are compared: as words, punctuation, placeholders and accelerator
// marks, never letter by letter, so "%s Dateien" and "%d Dateien" are one word apart
// from nothing, and "&Öffnen" is "Öffnen" with a mark.

#include <string>
#include <string_view>
#include <vector>

namespace memory {

struct MatchToken {
    enum class Type { Word, Punctuation, Placeholder, Accelerator };
    Type type = Type::Word;
    std::u16string_view text; // into the tokenized text; "&" for an accelerator
};

// The tokens of text in order; white space separates and is dropped. Placeholders are
// printf conversions ("%d", "%-5.2f", "%ls") and numbered ones ("%1"); "%%" and "&&" are
// punctuation; "&" before any other character is an accelerator mark.
std::vector<MatchToken> Tokenize(std::u16string_view text);

// 0 to 100: how much of the longer text the shorter one covers, by a word-level edit
// distance in which a placeholder matches any placeholder (a different one costs a
// little) and an accelerator mark costs little. Equal texts score 100; different
// ones at most 99.
int Similarity(std::u16string_view a, std::u16string_view b);

// The translation of memoryOriginal made to fit currentOriginal: each placeholder of the
// translation that stands in memoryOriginal is replaced by the placeholder at the same
// position in currentOriginal ("%s Dateien" -> "%d Dateien" when the current original has
// %d), and the accelerator mark is dropped when the current original has none. When the
// two originals have different numbers of placeholders the translation stays as it is:
// a guess could break the program's formatting.
std::u16string AdaptTranslation(std::u16string_view memoryOriginal, std::u16string_view translation,
                                std::u16string_view currentOriginal);

} // namespace memory
