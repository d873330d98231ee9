#pragma once

#include "CRcScript.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

class CTextNode;

// Translations of a program's texts, keyed by the original text: a readable
// source file of lines
//     "&Datei" = "&File"
// with the escapes of resource scripts ("\n", "\t", "\"" or "") and //
// comments. One original text has one translation wherever it appears.
class CTranslationTable {
public:
    // Throw CRcError with file and line on bad syntax or a text listed twice.
    static CTranslationTable Load(const std::string& path);
    static CTranslationTable Parse(const std::string& name, std::string_view text);

    const std::u16string* Find(std::u16string_view original) const;
    std::size_t Size() const { return entries.size(); }

    // Gives every node below root the translation of its original text (an
    // empty text stays empty). Returns the original texts that have no
    // entry, each once, in tree order; those nodes keep their texts.
    std::vector<std::u16string> Translate(CTextNode& root) const;
    // Entries that no Translate call has used, with their place.
    std::vector<std::pair<std::u16string, RcPlace>> Unused() const;

private:
    struct Entry {
        std::u16string translation;
        RcPlace place;
        mutable bool used = false;
    };
    void TranslateChildren(CTextNode& node, std::vector<std::u16string>& missing) const;

    std::map<std::u16string, Entry, std::less<>> entries;
};
