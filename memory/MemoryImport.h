#pragma once

// The pairs of a file the user imports into the translation memory, by its kind:
// .tra (its done texts), gettext PO (translated, not fuzzy), XLIFF 1.2 (translated
// units not marked to be edited) and TMX.

#include "CTranslationMemory.h"

#include <string>
#include <vector>

namespace memory {

// Appends the pairs of the file at path. sourceLanguage and targetLanguage (BCP 47,
// empty: from the file, which must then name its language) set the languages. Returns
// why the file cannot be read, in a short sentence for the user; nothing is appended then.
std::string ReadPairsOfFile(const std::string& path, const std::string& sourceLanguage,
                            const std::string& targetLanguage, std::vector<Pair>& pairs);

} // namespace memory
