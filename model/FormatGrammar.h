#pragma once

// The conversions of printf-style texts, read in one place for everything that
// looks into a format: the text pieces of the editor, the run-time layer's safe
// formatting and the translation checks.
//
// A conversion is written "%" flags width [. precision] [size prefix] letter.
// Two readings of it are made here, from the same character classes and the
// same readers of each part:
//
// - ReadConversion reads what printf reads (any number of flags, any run of
//   size prefixes, the printf letters) and says what argument the conversion
//   consumes. Formatting, the choice between a translated format and the
//   program's own, and the format check all use it, so they can never disagree
//   about a text.
// - ReadPlaceholder reads the fixed pictures of a row: at most one flag, one
//   size prefix, the 33 letters of printf and strftime, the letter looked for
//   before the prefix ("%I64d" shows as the picture "%I" and the text "64d").
//   The editor protects these from being typed over; it is deliberately
//   narrower than printf and must stay exactly as it is, since the rows'
//   layout and the texts written back depend on it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace format_grammar {

// Widths and precisions above this are refused: "%999999999d" would ask for
// a gigabyte.
inline constexpr int kMaxWidth = 1024;

// What a conversion consumes: the type of its argument, 64-bit integers apart
// since a program that passes 32 bits to "%I64d" reads past its arguments.
enum class FormatKind { Integer, Integer64, Char, Float, String, Pointer };

// The 33 letters that end a placeholder (printf's and strftime's).
bool IsConversionChar(char16_t c);
// "-", "+", "#", "0" or a space.
bool IsFlag(char16_t c);
bool IsDigit(char16_t c);

// One conversion as printf reads it, starting at a "%".
struct Conversion {
    std::size_t begin = 0;       // the "%"
    std::size_t end = 0;         // behind what was read (for a refused one: behind the offending character)
    std::u16string_view flags;   // of "-+ #0"
    int width = -1;              // -1: none
    int precision = -1;          // -1: none
    std::u16string_view size;    // the size prefixes as written ("ll", "I64", "h", ...)
    char16_t letter = 0;         // 0 when the text ended first
    std::optional<FormatKind> kind; // none: refused (%n, "*", unknown letter, too wide, unfinished)
};

// Reads the conversion at text[pos] == '%' (the caller has made sure it is
// not "%%").
Conversion ReadConversion(std::u16string_view text, std::size_t pos);

// One step through a format: literal text (raw, "%%" still doubled), an
// escaped "%" (the "%%"), or a conversion (accepted or refused).
struct FormatToken {
    enum class Type { Literal, Percent, Conversion };
    Type type = Type::Literal;
    std::u16string_view raw;
    Conversion conversion; // for Type::Conversion
};

std::vector<FormatToken> Tokenize(std::u16string_view text);

// The kinds of text's conversions in order; false when one of them is refused.
// kinds holds the kinds read up to the refused one.
bool ReadKinds(std::u16string_view text, std::vector<FormatKind>& kinds);

// Whether a translated format may stand for the original: it is acceptable
// and its conversions agree with the original's in number, kind and order
// (flags, width and precision may differ). This one rule decides both where
// the run-time layer falls back to the program's own text and where the
// format check reports an error.
bool TranslationAgrees(std::u16string_view translated, std::u16string_view original);

// The conversions of text as written, separated by spaces ("%d %-5.2f"), for
// messages; refused ones included.
std::u16string ConversionList(std::u16string_view text);

// What ReadPlaceholder found at a "%".
struct PlaceholderRead {
    enum class Type {
        Ordinary,     // the "%" is an ordinary character; go on after it
        Escape,       // "%%"
        Placeholders, // one or two placeholders (first, second), then trailing text
    };
    Type type = Type::Ordinary;
    std::u16string_view first;    // the placeholder text, from its "%"
    std::u16string_view second;   // a size prefix and letter right behind the first ("%dhs": "hs")
    std::u16string_view trailing; // a size prefix behind the first that made no placeholder: plain text
    std::size_t end = 0;          // where reading goes on
};

// Reads the placeholder at text[pos] == '%' the way the rows show it.
PlaceholderRead ReadPlaceholder(std::u16string_view text, std::size_t pos);

} // namespace format_grammar
