#include "CTranslationTable.h"

#include "CRcError.h"
#include "CRcPreprocessor.h"
#include "CTextNode.h"

#include <algorithm>
#include <fstream>
#include <sstream>

CTranslationTable CTranslationTable::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CRcError(path, 0, "cannot open the file");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return Parse(path, buffer.str());
}

CTranslationTable CTranslationTable::Parse(const std::string& name, std::string_view text)
{
    // The resource compiler's reader gives strings, comments and places for free.
    CRcSymbols symbols;
    CRcPreprocessor reader(symbols);
    const std::vector<CRcToken> tokens = reader.ProcessText(name, text);
    CTranslationTable table;
    std::size_t i = 0;
    auto expectString = [&](const char* what) -> const CRcToken& {
        if (i >= tokens.size())
            throw CRcError(name, tokens.empty() ? 1 : tokens.back().line,
                           std::string("expected ") + what + ", found the end of the file");
        if (tokens[i].kind != CRcToken::Kind::String)
            throw CRcError(name, tokens[i].line,
                           std::string("expected ") + what + " in quotes, found '" + tokens[i].text + "'");
        return tokens[i++];
    };
    while (i < tokens.size()) {
        const CRcToken& original = expectString("an original text");
        if (i >= tokens.size() || !tokens[i].IsPunct("="))
            throw CRcError(name, i < tokens.size() ? tokens[i].line : original.line,
                           "expected '=' after the original text");
        ++i;
        const CRcToken& translation = expectString("the translation");
        if (translation.line != original.line)
            throw CRcError(name, translation.line, "an entry must stand on one line");
        const auto [it, added] =
            table.entries.emplace(original.value, Entry{translation.value, {name, original.line}});
        if (!added)
            throw CRcError(name, original.line, "this text is translated twice (first at line " +
                                                    std::to_string(it->second.place.line) + ")");
    }
    return table;
}

const std::u16string* CTranslationTable::Find(std::u16string_view original) const
{
    auto it = entries.find(original);
    if (it == entries.end())
        return nullptr;
    it->second.used = true;
    return &it->second.translation;
}

std::vector<std::u16string> CTranslationTable::Translate(CTextNode& root) const
{
    std::vector<std::u16string> missing;
    TranslateChildren(root, missing);
    return missing;
}

void CTranslationTable::TranslateChildren(CTextNode& node, std::vector<std::u16string>& missing) const
{
    for (std::int32_t i = 0; i < node.ChildCount(); ++i) {
        CTextNode& child = *node.GetChild(i);
        if (const std::u16string* translation = Find(child.originalText))
            child.translatedText = *translation;
        else if (!child.originalText.empty() &&
                 std::find(missing.begin(), missing.end(), child.originalText) == missing.end())
            missing.push_back(child.originalText);
        TranslateChildren(child, missing);
    }
}

std::vector<std::pair<std::u16string, RcPlace>> CTranslationTable::Unused() const
{
    std::vector<std::pair<std::u16string, RcPlace>> unused;
    for (const auto& [original, entry] : entries)
        if (!entry.used)
            unused.emplace_back(original, entry.place);
    std::sort(unused.begin(), unused.end(),
              [](const auto& a, const auto& b) { return a.second.line < b.second.line; });
    return unused;
}
