#pragma once

// Small language trees for the translation checks: a root with the three top
// nodes, and helpers that hang texts below them.

#include "CLanguageFile.h"
#include "CTextNode.h"

#include <cstdint>
#include <memory>
#include <string>

namespace check_test {

inline CTextNode* Add(CTextNode* parent, std::u16string original, std::u16string translated,
                      std::int32_t kindCode = 21, std::int32_t width = 0)
{
    auto node = std::make_unique<CTextNode>(parent);
    node->originalText = std::move(original);
    node->translatedText = std::move(translated);
    node->kindCode = kindCode;
    node->width = width;
    CTextNode* raw = node.get();
    parent->AddChild(std::move(node));
    return raw;
}

// Root, "Dialoge", "Menus" and "Stringtables".
struct Tree {
    std::unique_ptr<CTextNode> root = std::make_unique<CTextNode>(nullptr);
    CTextNode* dialogs = Add(root.get(), u"Dialoge", u"Dialoge", 8);
    CTextNode* menus = Add(root.get(), u"Menus", u"Menus", 9);
    CTextNode* strings = Add(root.get(), u"Stringtables", u"Stringtables", 10);

    // A dialog below "Dialoge" whose controls can be added.
    CTextNode* Dialog(std::u16string title = u"Dialog")
    {
        return Add(dialogs, title, title, 1);
    }
    // A string below a string table of its own.
    CTextNode* String(std::u16string original, std::u16string translated)
    {
        CTextNode* table = strings->ChildCount() > 0 ? strings->GetChild(0)
                                                     : Add(strings, u"1", u"1", 6);
        return Add(table, std::move(original), std::move(translated), 6);
    }
};

} // namespace check_test
