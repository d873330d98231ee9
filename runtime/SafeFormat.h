#pragma once

// printf-style formatting of UTF-16 texts that cannot be made to crash or to
// read past its arguments: each conversion takes the next argument if there
// is one (nothing is written otherwise) and is written according to the
// argument's real type. Translated formats come from files anyone can write,
// so FormatChecked uses them only when their conversions agree with the
// program's own format.

#include "CFormatArg.h"
#include "FormatGrammar.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a conversion consumes, which is all that must agree between a format
// and its translation (flags, width and precision may differ).
using FormatKind = format_grammar::FormatKind;

// Widths and precisions above this are refused.
inline constexpr int kMaxFormatWidth = format_grammar::kMaxWidth;

// The conversions of format in order; false when it holds one that is not
// accepted (%n, '*' widths, a '%' at the end, an unknown letter, a width or
// precision above kMaxFormatWidth).
bool ParseFormatKinds(std::u16string_view format, std::vector<FormatKind>& kinds);

// Formats with the arguments given. Conversions that ParseFormatKinds refuses
// are copied as they stand and take no argument.
std::u16string SafeFormat(std::u16string_view format, std::span<const CFormatArg> args);

// translated when it is acceptable and has original's conversions in kind and
// order, else original; formatted with SafeFormat.
std::u16string FormatChecked(std::u16string_view translated, std::u16string_view original,
                             std::span<const CFormatArg> args);
