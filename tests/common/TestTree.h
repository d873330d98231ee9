#pragma once

// Builds small language trees by hand: a node below its parent with its texts,
// kind, width and edit state, and a root with the three top nodes.

#include "CLanguageFile.h"
#include "CTextNode.h"

#include <cstdint>
#include <memory>
#include <string>

namespace test_tree {

inline CTextNode* Add(CTextNode* parent, std::u16string original, std::u16string translated,
                      std::int32_t kind = 99, std::int32_t width = 0, std::uint32_t state = 0)
{
    auto node = std::make_unique<CTextNode>(parent);
    node->originalText = std::move(original);
    node->translatedText = std::move(translated);
    node->kindCode = kind;
    node->width = width;
    node->editState = state;
    CTextNode* raw = node.get();
    parent->AddChild(std::move(node));
    return raw;
}

inline CTextNode& Add(CTextNode& parent, std::u16string original, std::u16string translated,
                      std::int32_t kind = 99, std::int32_t width = 0, std::uint32_t state = 0)
{
    return *Add(&parent, std::move(original), std::move(translated), kind, width, state);
}

// Root, "Dialoge", "Menus" and "Stringtables".
struct Tree {
    std::unique_ptr<CTextNode> root = std::make_unique<CTextNode>(nullptr);
    CTextNode* dialogs = Add(root.get(), u"Dialoge", u"Dialoge", 8);
    CTextNode* menus = Add(root.get(), u"Menus", u"Menus", 9);
    CTextNode* strings = Add(root.get(), u"Stringtables", u"Stringtables", 10);

    // A dialog below "Dialoge" whose controls can be added.
    CTextNode* Dialog(std::u16string title = u"Dialog") { return Add(dialogs, title, title, 1); }
    // A string below a string table of its own.
    CTextNode* String(std::u16string original, std::u16string translated)
    {
        CTextNode* table = strings->ChildCount() > 0 ? strings->GetChild(0)
                                                     : Add(strings, u"1", u"1", 6);
        return Add(table, std::move(original), std::move(translated), 6);
    }
};

} // namespace test_tree
