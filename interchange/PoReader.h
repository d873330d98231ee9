#pragma once

// Reads the entries of a gettext PO file: the keywords, their (continued) strings with
// C escapes, the flags and obsolete entries; comments other than flags are passed over.

#include <string>
#include <string_view>
#include <vector>

namespace po_bridge {

struct PoEntry {
    std::string context; // msgctxt, UTF-8
    std::u16string id;   // msgid
    std::u16string str;  // msgstr (msgstr[0] of a plural entry)
    bool hasContext = false;
    bool fuzzy = false;
    bool obsolete = false; // "#~" entries
    bool plural = false;
    bool isHeader = false; // msgid "" without msgctxt
    int line = 0;          // where the entry's first keyword stands
};

// Appends the file's entries; returns "line N: what is wrong" for a malformed file.
std::string ReadPoEntries(std::string_view po, std::vector<PoEntry>& entries);

} // namespace po_bridge
