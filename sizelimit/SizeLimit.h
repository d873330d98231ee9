#pragma once

// The rule that keeps the texts of fixed-size controls (group boxes, buttons,
// check boxes, other controls) to their size. The in-place editor refuses a
// change that breaks it, and the translation checks report texts that break
// it; it lives below both, so that the command line can use it without the
// view (it needs fonts, but no window).

#include <cstdint>
#include <string_view>

namespace size_limit {

// The kind codes whose texts must keep their width and line count.
bool IsSizeLimitedKind(std::int32_t kindCode);

// Whether text fits a control `width` dialog units wide: its width in the
// stock variable-pitch font is below 77.5 % of the control's width, that is
// TextWidth(text) < Limit(width).
bool Fits(std::u16string_view text, std::int32_t width);

// Whether a font to measure in is installed; without one every width is made up.
bool CanMeasure();

// The two sides of the rule, in pixels.
int TextWidth(std::u16string_view text);
int Limit(std::int32_t width);

} // namespace size_limit
