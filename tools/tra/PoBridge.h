#pragma once

// A language file as a gettext PO file and back. Each text below the top nodes is one
// entry: msgctxt its index path, msgid its original text, msgstr its translation, the
// fuzzy flag while its own text is still to be edited.

#include "BridgeUnits.h"

#include <string>
#include <string_view>

namespace po_bridge {

struct ExportResult {
    std::string text;  // the PO file, UTF-8
    std::string error; // set when a text cannot be written; text is then empty
};

// languageCode: the BCP 47 code of the Language: header, by default the code of the
// file's language name ("und" when it has none).
ExportResult ExportPo(const CLanguageFile& language, std::string_view languageCode = {});

struct ImportResult {
    std::string error; // "line N: ..." for a malformed file; nothing was changed then
    bridge::ImportCounts counts;
};

// Applies the entries of a PO file to language (which must have a tree and must not be
// an original-language file: the caller checks both), then recomputes the edit states.
ImportResult ImportPo(std::string_view po, CLanguageFile& language);

// The gettext c-format classification of a text.
enum class FormatKind { None, CFormat, NoCFormat };
FormatKind ClassifyFormat(std::u16string_view text);

} // namespace po_bridge
