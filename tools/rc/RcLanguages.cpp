#include "RcLanguages.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr RcLanguageName kLanguages[] = {
    {"LANG_NEUTRAL", 0x00, "Neutral"},       {"LANG_ARABIC", 0x01, "Arabic"},
    {"LANG_BULGARIAN", 0x02, "Bulgarian"},   {"LANG_CATALAN", 0x03, "Catalan"},
    {"LANG_CHINESE", 0x04, "Chinese"},       {"LANG_CZECH", 0x05, "Czech"},
    {"LANG_DANISH", 0x06, "Danish"},         {"LANG_GERMAN", 0x07, "German"},
    {"LANG_GREEK", 0x08, "Greek"},           {"LANG_ENGLISH", 0x09, "English"},
    {"LANG_SPANISH", 0x0A, "Spanish"},       {"LANG_FINNISH", 0x0B, "Finnish"},
    {"LANG_FRENCH", 0x0C, "French"},         {"LANG_HEBREW", 0x0D, "Hebrew"},
    {"LANG_HUNGARIAN", 0x0E, "Hungarian"},   {"LANG_ICELANDIC", 0x0F, "Icelandic"},
    {"LANG_ITALIAN", 0x10, "Italian"},       {"LANG_JAPANESE", 0x11, "Japanese"},
    {"LANG_KOREAN", 0x12, "Korean"},         {"LANG_DUTCH", 0x13, "Dutch"},
    {"LANG_NORWEGIAN", 0x14, "Norwegian"},   {"LANG_POLISH", 0x15, "Polish"},
    {"LANG_PORTUGUESE", 0x16, "Portuguese"}, {"LANG_ROMANSH", 0x17, "Romansh"},
    {"LANG_ROMANIAN", 0x18, "Romanian"},     {"LANG_RUSSIAN", 0x19, "Russian"},
    {"LANG_CROATIAN", 0x1A, "Croatian"},     {"LANG_SERBIAN", 0x1A, "Serbian"},
    {"LANG_BOSNIAN", 0x1A, "Bosnian"},       {"LANG_SLOVAK", 0x1B, "Slovak"},
    {"LANG_ALBANIAN", 0x1C, "Albanian"},     {"LANG_SWEDISH", 0x1D, "Swedish"},
    {"LANG_THAI", 0x1E, "Thai"},             {"LANG_TURKISH", 0x1F, "Turkish"},
    {"LANG_URDU", 0x20, "Urdu"},             {"LANG_INDONESIAN", 0x21, "Indonesian"},
    {"LANG_UKRAINIAN", 0x22, "Ukrainian"},   {"LANG_BELARUSIAN", 0x23, "Belarusian"},
    {"LANG_SLOVENIAN", 0x24, "Slovenian"},   {"LANG_ESTONIAN", 0x25, "Estonian"},
    {"LANG_LATVIAN", 0x26, "Latvian"},       {"LANG_LITHUANIAN", 0x27, "Lithuanian"},
    {"LANG_FARSI", 0x29, "Farsi"},           {"LANG_PERSIAN", 0x29, "Persian"},
    {"LANG_VIETNAMESE", 0x2A, "Vietnamese"}, {"LANG_ARMENIAN", 0x2B, "Armenian"},
    {"LANG_AZERI", 0x2C, "Azeri"},           {"LANG_BASQUE", 0x2D, "Basque"},
    {"LANG_MACEDONIAN", 0x2F, "Macedonian"}, {"LANG_AFRIKAANS", 0x36, "Afrikaans"},
    {"LANG_GEORGIAN", 0x37, "Georgian"},     {"LANG_FAEROESE", 0x38, "Faeroese"},
    {"LANG_HINDI", 0x39, "Hindi"},           {"LANG_MALTESE", 0x3A, "Maltese"},
    {"LANG_IRISH", 0x3C, "Irish"},           {"LANG_MALAY", 0x3E, "Malay"},
    {"LANG_KAZAK", 0x3F, "Kazakh"},          {"LANG_SWAHILI", 0x41, "Swahili"},
    {"LANG_UZBEK", 0x43, "Uzbek"},           {"LANG_BENGALI", 0x45, "Bengali"},
    {"LANG_TAMIL", 0x49, "Tamil"},           {"LANG_GALICIAN", 0x56, "Galician"},
    {"LANG_WELSH", 0x52, "Welsh"},           {"LANG_INVARIANT", 0x7F, "Invariant"},
};

constexpr RcSubLanguage kSubLanguages[] = {
    {"SUBLANG_NEUTRAL", 0x00}, {"SUBLANG_DEFAULT", 0x01}, {"SUBLANG_SYS_DEFAULT", 0x02},
    {"SUBLANG_CUSTOM_DEFAULT", 0x03}, {"SUBLANG_CUSTOM_UNSPECIFIED", 0x04},
    {"SUBLANG_ENGLISH_US", 0x01}, {"SUBLANG_ENGLISH_UK", 0x02}, {"SUBLANG_ENGLISH_AUS", 0x03},
    {"SUBLANG_ENGLISH_CAN", 0x04}, {"SUBLANG_ENGLISH_NZ", 0x05}, {"SUBLANG_ENGLISH_EIRE", 0x06},
    {"SUBLANG_GERMAN", 0x01}, {"SUBLANG_GERMAN_SWISS", 0x02}, {"SUBLANG_GERMAN_AUSTRIAN", 0x03},
    {"SUBLANG_FRENCH", 0x01}, {"SUBLANG_FRENCH_BELGIAN", 0x02}, {"SUBLANG_FRENCH_CANADIAN", 0x03},
    {"SUBLANG_FRENCH_SWISS", 0x04}, {"SUBLANG_SPANISH", 0x01}, {"SUBLANG_SPANISH_MEXICAN", 0x02},
    {"SUBLANG_SPANISH_MODERN", 0x03}, {"SUBLANG_ITALIAN", 0x01}, {"SUBLANG_ITALIAN_SWISS", 0x02},
    {"SUBLANG_DUTCH", 0x01}, {"SUBLANG_DUTCH_BELGIAN", 0x02}, {"SUBLANG_PORTUGUESE", 0x02},
    {"SUBLANG_PORTUGUESE_BRAZILIAN", 0x01}, {"SUBLANG_CHINESE_TRADITIONAL", 0x01},
    {"SUBLANG_CHINESE_SIMPLIFIED", 0x02}, {"SUBLANG_JAPANESE_JAPAN", 0x01},
    {"SUBLANG_KOREAN", 0x01}, {"SUBLANG_NORWEGIAN_BOKMAL", 0x01},
    {"SUBLANG_NORWEGIAN_NYNORSK", 0x02}, {"SUBLANG_SERBIAN_LATIN", 0x02},
    {"SUBLANG_SERBIAN_CYRILLIC", 0x03}, {"SUBLANG_SWEDISH", 0x01}, {"SUBLANG_POLISH_POLAND", 0x01},
    {"SUBLANG_RUSSIAN_RUSSIA", 0x01}, {"SUBLANG_CZECH_CZECH_REPUBLIC", 0x01},
};

} // namespace

std::span<const RcLanguageName> RcPrimaryLanguages() { return kLanguages; }

std::span<const RcSubLanguage> RcSubLanguages() { return kSubLanguages; }

const RcLanguageName* FindRcLanguage(std::int32_t id)
{
    const auto it = std::find_if(std::begin(kLanguages), std::end(kLanguages),
                                 [id](const RcLanguageName& l) { return l.id == id; });
    return it == std::end(kLanguages) ? nullptr : &*it;
}
