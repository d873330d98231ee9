#pragma once

// The table of glossmark-tra-widths.so: the in-place editor's width rule with
// the fonts it measures in, for check.

#include <cstdint>
#include <string>
#include <string_view>

struct WidthRuleTable {
    // Starts the fonts: a GUI application, on the off-screen platform unless
    // QT_QPA_PLATFORM names another. False with why set when no font is installed.
    bool (*open)(std::string& why);
    bool (*isSizeLimitedKind)(std::int32_t kindCode);
    bool (*fits)(std::u16string_view text, std::int32_t width);
    // Ends the application that open started.
    void (*close)();
};

inline constexpr char kWidthRuleModule[] = "glossmark-tra-widths.so";
inline constexpr char kWidthRuleEntry[] = "glossmark_tra_width_rule";
