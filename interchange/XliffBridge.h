#pragma once

// A language file as an XLIFF 1.2 document and back: one <file> whose languages come
// from the header, one <trans-unit> per text below the top nodes, its id the index path.

#include "BridgeUnits.h"

#include <string>
#include <string_view>
#include <vector>

namespace xliff_bridge {

struct ExportResult {
    std::string text;  // the document, UTF-8
    std::string error; // set when a text cannot be written; text is then empty
};

// sourceLanguage: the BCP 47 code of the language the original texts are in;
// targetLanguage: that of the translations, by default the code of the file's language
// name ("und" when it has none).
ExportResult ExportXliff(const CLanguageFile& language, std::u16string_view sourceLanguage,
                         std::u16string_view targetLanguage = {});

// One trans-unit as read.
struct TransUnit {
    int line = 0; // of the <trans-unit>, for the import's list of skipped units
    std::string id;
    std::u16string source;
    std::u16string target;
    bool hasTarget = false;
    bool toBeEdited = false;
};

struct Document {
    std::string sourceLanguage; // of the first <file>, as written
    std::string targetLanguage;
    std::vector<TransUnit> units;
};

// Reads the units of a whole document; returns "line N: ..." for a malformed one.
std::string ReadXliff(std::string_view xliff, Document& document);

struct ImportResult {
    std::string error; // "line N: ..." for a malformed document; nothing was changed then
    bridge::ImportCounts counts;
};

// Applies the trans-units to language (with a tree, not an original-language file: the
// caller checks both), then recomputes the edit states.
ImportResult ImportXliff(std::string_view xliff, CLanguageFile& language);

} // namespace xliff_bridge
