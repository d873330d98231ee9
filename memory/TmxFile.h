#pragma once

// The translation memory's exchange form: TMX 1.4b, one <tu> per pair with a <tuv> for
// the original and one for the translation.

#include "CTranslationMemory.h"

#include <string>
#include <string_view>
#include <vector>

namespace memory {

// Writes every pair of memory as a TMX document into out; returns an error message.
std::string ExportTmx(CTranslationMemory& memory, std::string& out);

// Reads the pairs of a TMX document: the variant in the source language (sourceLanguage
// when given, else the header's srclang, else each unit's first variant) is the original,
// every other variant a translation into its language (targetLanguage, when given, keeps
// only that one). file names where they came from. Returns "line N: ..." for a malformed
// document; pairs is then left as it was.
std::string ReadTmx(std::string_view tmx, const std::string& sourceLanguage, const std::string& targetLanguage,
                    const std::string& file, std::vector<Pair>& pairs);

} // namespace memory
