#pragma once

// The primary language ids of Windows (LANG_*) with their names in words, and the
// common sub-language ids (SUBLANG_*): built into the symbols of every script, and
// the way a language of a script is chosen and named.

#include <cstdint>
#include <span>
#include <string_view>

struct RcLanguageName {
    std::string_view symbol; // "LANG_ENGLISH"
    std::int32_t id;         // 0x09
    std::string_view words;  // "English"
};

std::span<const RcLanguageName> RcPrimaryLanguages();

struct RcSubLanguage {
    std::string_view symbol;
    std::int32_t id;
};

std::span<const RcSubLanguage> RcSubLanguages();

// The first name of a primary language id, or null.
const RcLanguageName* FindRcLanguage(std::int32_t id);
