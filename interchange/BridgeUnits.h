#pragma once

// What the PO and XLIFF bridges share: the units a language file is exported as
// (every node below the three top nodes, depth first), their addresses, and
// the rule by which an imported unit changes the tree.

#include "CLanguageFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bridge {

// One exported text: the node and its index path from the root ("0.3.2").
struct Unit {
    const CTextNode* node = nullptr;
    std::string path;
    // The original texts of the node's ancestors below the root, top node first.
    std::vector<std::u16string_view> ancestors;
};

// Calls visit for every node below the top nodes, parents before children, in child order.
// Runs on an explicit stack, so the depth of a tree is no danger.
void ForEachUnit(const CTextNode& root, const std::function<void(const Unit&)>& visit);

// "Dialoge > Datei > Öffnen", line breaks and tabs shown as \n and \t.
std::string AncestorPath(const Unit& unit);
// The ancestor path with the kind code and the size: what both bridges write as a note.
std::string UnitNote(const Unit& unit);

// The node at a dotted index path below the root; null when the path is malformed or
// leads nowhere, or names a top node (those are no units).
CTextNode* NodeAtPath(CTextNode& root, std::string_view path);

// The first character that a UTF-8 or XML file cannot carry, or -1: a lone surrogate,
// and with forXml also the control characters XML 1.0 forbids (all but tab, line
// feed and carriage return) and U+FFFE/U+FFFF; U+0000 in both cases.
std::ptrdiff_t FirstUnwritable(std::u16string_view text, bool forXml);
// Empty when the unit's original and translated texts can both be written (see
// FirstUnwritable); else "the original text of the node ... " followed by problem.
std::string UnwritableTextError(const Unit& unit, bool forXml, std::string_view problem);

// What the import of one unit did.
enum class ApplyResult { Applied, Unchanged, NoSuchText, OtherOriginal };

struct ImportCounts {
    std::uint64_t applied = 0;
    std::uint64_t unchanged = 0;
    std::uint64_t skipped = 0;
    // "line N: why" for each skipped unit, in the order of the file.
    std::vector<std::string> skippedLines;
};

// Applies one imported unit: the node at path whose original text equals source takes
// target as its translation and toBeEdited as its own-text mark. An empty target
// changes nothing (unless the source is empty too); a missing path or another source
// text skips the unit.
ApplyResult ApplyUnit(CTextNode& root, std::string_view path, std::u16string_view source,
                      std::u16string_view target, bool toBeEdited);

// Applies the units of one file in file order and counts them. A unit whose path was
// read before is skipped with the lines of both (the first one wins, as with msgfmt).
class UnitImporter {
public:
    // keyName and sourceName: what the file format calls a unit's path and original text.
    UnitImporter(CTextNode& root, std::string keyName, std::string sourceName);

    void Apply(int line, const std::string& path, std::u16string_view source, std::u16string_view target,
               bool toBeEdited);
    void Skip(int line, const std::string& why);

    ImportCounts counts;

private:
    CTextNode& root;
    std::string keyName;
    std::string sourceName;
    std::unordered_map<std::string, int> firstLines;
};

// Whether a node's own text is still to be edited (states 3 to 5).
inline bool OwnTextToBeEdited(const CTextNode& node)
{
    return node.editState >= 3 && node.editState <= 5;
}

// The answer to a change of an original-language file, in the tool's English.
inline constexpr char kOriginalRefused[] =
    "this is an original-language file; it cannot be changed (start a translation of it with "
    "glossmark-tra new-translation)";

} // namespace bridge
