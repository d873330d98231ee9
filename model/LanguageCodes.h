#pragma once

// BCP 47 language codes from the language names that files carry: for the interchange
// formats (XLIFF source-language and target-language, the PO Language: header), which
// want a code, never a name, and for choosing a spelling dictionary.

#include <string>
#include <string_view>

namespace language_codes {

// The code of a language named in English, German or French ("German", "Deutsch",
// "allemand" -> "de"; "Deutsch (Schweiz)" by its first word), or the name itself when it
// is a code already ("de", "pt-BR"); empty when neither.
std::string FromName(std::u16string_view name);
// The same, "und" (undetermined) when the name has no code: the formats need one.
std::string CodeOrUndetermined(std::u16string_view name);

} // namespace language_codes
