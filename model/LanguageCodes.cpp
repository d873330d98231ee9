#include "LanguageCodes.h"

#include "Utf8.h"

#include <algorithm>
#include <cctype>

namespace language_codes {

namespace {

struct Language {
    std::string_view code;
    std::string_view english, german, french; // lower case, UTF-8
};

// The languages of Windows resource scripts, with their names in the three languages
// a translator is most likely to write.
constexpr Language kLanguages[] = {
    {"af", "afrikaans", "afrikaans", "afrikaans"},
    {"ar", "arabic", "arabisch", "arabe"},
    {"az", "azeri", "aserbaidschanisch", "az\xC3\xA9ri"},
    {"be", "belarusian", "belarussisch", "bi\xC3\xA9lorusse"},
    {"bg", "bulgarian", "bulgarisch", "bulgare"},
    {"bn", "bengali", "bengalisch", "bengali"},
    {"bs", "bosnian", "bosnisch", "bosniaque"},
    {"ca", "catalan", "katalanisch", "catalan"},
    {"cs", "czech", "tschechisch", "tch\xC3\xA8que"},
    {"cy", "welsh", "walisisch", "gallois"},
    {"da", "danish", "d\xC3\xA4nisch", "danois"},
    {"de", "german", "deutsch", "allemand"},
    {"el", "greek", "griechisch", "grec"},
    {"en", "english", "englisch", "anglais"},
    {"es", "spanish", "spanisch", "espagnol"},
    {"et", "estonian", "estnisch", "estonien"},
    {"eu", "basque", "baskisch", "basque"},
    {"fa", "persian", "persisch", "persan"},
    {"fa", "farsi", "farsi", "farsi"},
    {"fi", "finnish", "finnisch", "finnois"},
    {"fo", "faeroese", "f\xC3\xA4r\xC3\xB6isch", "f\xC3\xA9ro\xC3\xAF" "en"},
    {"fr", "french", "franz\xC3\xB6sisch", "fran\xC3\xA7" "ais"},
    {"fr", "french", "franzoesisch", "francais"}, // typed without the accents
    {"ga", "irish", "irisch", "irlandais"},
    {"gl", "galician", "galicisch", "galicien"},
    {"he", "hebrew", "hebr\xC3\xA4isch", "h\xC3\xA9" "breu"},
    {"hi", "hindi", "hindi", "hindi"},
    {"hr", "croatian", "kroatisch", "croate"},
    {"hu", "hungarian", "ungarisch", "hongrois"},
    {"hy", "armenian", "armenisch", "arm\xC3\xA9nien"},
    {"id", "indonesian", "indonesisch", "indon\xC3\xA9sien"},
    {"is", "icelandic", "isl\xC3\xA4ndisch", "islandais"},
    {"it", "italian", "italienisch", "italien"},
    {"ja", "japanese", "japanisch", "japonais"},
    {"ka", "georgian", "georgisch", "g\xC3\xA9orgien"},
    {"kk", "kazakh", "kasachisch", "kazakh"},
    {"ko", "korean", "koreanisch", "cor\xC3\xA9" "en"},
    {"lt", "lithuanian", "litauisch", "lituanien"},
    {"lv", "latvian", "lettisch", "letton"},
    {"mk", "macedonian", "mazedonisch", "mac\xC3\xA9" "donien"},
    {"ms", "malay", "malaiisch", "malais"},
    {"mt", "maltese", "maltesisch", "maltais"},
    {"nb", "norwegian", "norwegisch", "norv\xC3\xA9gien"},
    {"nl", "dutch", "niederl\xC3\xA4ndisch", "n\xC3\xA9" "erlandais"},
    {"pl", "polish", "polnisch", "polonais"},
    {"pt", "portuguese", "portugiesisch", "portugais"},
    {"rm", "romansh", "r\xC3\xA4toromanisch", "romanche"},
    {"ro", "romanian", "rum\xC3\xA4nisch", "roumain"},
    {"ru", "russian", "russisch", "russe"},
    {"sk", "slovak", "slowakisch", "slovaque"},
    {"sl", "slovenian", "slowenisch", "slov\xC3\xA8ne"},
    {"sq", "albanian", "albanisch", "albanais"},
    {"sr", "serbian", "serbisch", "serbe"},
    {"sv", "swedish", "schwedisch", "su\xC3\xA9" "dois"},
    {"sw", "swahili", "suaheli", "swahili"},
    {"ta", "tamil", "tamilisch", "tamoul"},
    {"th", "thai", "thail\xC3\xA4ndisch", "tha\xC3\xAF"},
    {"tr", "turkish", "t\xC3\xBCrkisch", "turc"},
    {"uk", "ukrainian", "ukrainisch", "ukrainien"},
    {"ur", "urdu", "urdu", "ourdou"},
    {"uz", "uzbek", "usbekisch", "ouzbek"},
    {"vi", "vietnamese", "vietnamesisch", "vietnamien"},
    {"zh", "chinese", "chinesisch", "chinois"},
};

// ASCII letters in lower case; the few capitals of the names above (none beyond ASCII
// start a name) need no more.
std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "de", "pt-BR", "zh-Hant": a primary subtag of two or three letters, then subtags of
// letters and digits.
bool IsCode(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
        ++i;
    if (i < 2 || i > 3)
        return false;
    while (i < text.size()) {
        if (text[i] != '-' || i + 1 == text.size())
            return false;
        std::size_t end = ++i;
        while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end])))
            ++end;
        if (end == i || end - i > 8)
            return false;
        i = end;
    }
    return true;
}

} // namespace

std::string FromName(std::u16string_view name)
{
    std::string text = utf8::FromUtf16(name);
    // "Deutsch (Schweiz)", "English - US": the language is the first word.
    text = text.substr(0, text.find_first_of(" (-_,/"));
    const std::string full = utf8::FromUtf16(name);
    if (IsCode(full) && full.find(' ') == std::string::npos) {
        const std::string primary = Lower(full.substr(0, full.find('-')));
        if (std::any_of(std::begin(kLanguages), std::end(kLanguages),
                        [&](const Language& l) { return l.code == primary; }))
            return full;
    }
    const std::string word = Lower(text);
    for (const Language& language : kLanguages) {
        if (word == language.english || word == language.german || word == language.french)
            return std::string(language.code);
    }
    return {};
}

std::string CodeOrUndetermined(std::u16string_view name)
{
    std::string code = FromName(name);
    return code.empty() ? "und" : code;
}

} // namespace language_codes
