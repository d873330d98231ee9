#pragma once

// Fill from memory, one rule for the editor and the command line: every text
// still to be edited whose original the memory holds exactly in the file's
// language takes that translation and stays to be edited (a translator has
// not seen it here yet).

#include "CTranslationMemory.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CTextNode;

namespace memory {

struct Fill {
    CTextNode* node;
    std::u16string translation;
};

// Whether a translation may stand in a text: one that breaks the width rule of
// its control would have to be cut, and is left out instead.
using FitsRule = std::function<bool(const CTextNode& node, std::u16string_view translation)>;

// The fills for the tree below root (the newest translation of each original);
// a text that holds that translation already is left out. Returns an error
// message; fills is then empty.
std::string FindFills(CTranslationMemory& memory, const CTextNode& root, std::string_view targetLanguage,
                      const FitsRule& fits, std::vector<Fill>& fills);

} // namespace memory
