#pragma once

#include "CArchive.h"
#include "CLanguageFile.h"
#include "CTextNode.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// Language files as byte vectors (no disk), text trees written down as nested
// initialisers, and walks over trees: for the model, tool, document and fuzz tests.

using Bytes = std::vector<std::uint8_t>;

// The bytes that write(archive) produces.
template <class Write>
Bytes StoreWith(Write write)
{
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&data, &size);
    {
        CArchive ar(file, CArchive::Mode::Store);
        write(ar);
        ar.Close();
    }
    std::fclose(file);
    Bytes bytes(data, data + size);
    std::free(data);
    return bytes;
}

inline Bytes StoreToBytes(const CLanguageFile& language)
{
    return StoreWith([&language](CArchive& ar) { language.Store(ar); });
}

enum class LoadKind { Whole, Header, HeaderAndFlag };

// Reads bytes into language; CArchiveException passes through.
inline SerializeResult LoadFromBytes(const Bytes& bytes, CLanguageFile& language,
                                     LoadKind kind = LoadKind::Whole)
{
    static std::uint8_t none = 0;
    void* data = bytes.empty() ? &none : const_cast<std::uint8_t*>(bytes.data());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(fmemopen(data, bytes.size(), "rb"),
                                                         &std::fclose);
    CArchive ar(file.get(), CArchive::Mode::Load, bytes.size());
    switch (kind) {
    case LoadKind::Header: return language.LoadHeader(ar);
    case LoadKind::HeaderAndFlag: return language.LoadHeaderAndFlag(ar);
    case LoadKind::Whole: break;
    }
    return language.Serialize(ar);
}

struct NodeShape {
    std::u16string text;
    std::vector<NodeShape> children = {};
    std::u16string translated = {};
    std::uint32_t state = 0;
    std::int32_t kind = 99;
};

inline std::unique_ptr<CTextNode> BuildTree(const NodeShape& shape, CTextNode* parent = nullptr)
{
    auto node = std::make_unique<CTextNode>(parent);
    node->originalText = shape.text;
    node->translatedText = shape.translated;
    node->editState = shape.state;
    node->kindCode = shape.kind;
    for (const NodeShape& child : shape.children)
        node->AddChild(BuildTree(child, node.get()));
    return node;
}

// A root with depth nodes "n" below it, each the only child of the one above;
// tip (when asked) is the deepest.
inline std::unique_ptr<CTextNode> Chain(int depth, CTextNode** tip = nullptr)
{
    auto root = std::make_unique<CTextNode>(nullptr);
    CTextNode* node = root.get();
    for (int i = 0; i < depth; ++i) {
        auto child = std::make_unique<CTextNode>(node);
        child->originalText = u"n";
        CTextNode* next = child.get();
        node->AddChild(std::move(child));
        node = next;
    }
    if (tip)
        *tip = node;
    return root;
}

// Every node of the subtree, parents before children, in tree order.
template <class Node>
std::vector<Node*> PreOrder(Node& top)
{
    std::vector<Node*> nodes;
    std::vector<Node*> pending{&top};
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        for (std::int32_t i = node->ChildCount() - 1; i >= 0; --i)
            pending.push_back(node->GetChild(i));
    }
    return nodes;
}

// The edit states of the subtree in PreOrder.
inline std::vector<std::uint32_t> States(CTextNode& top)
{
    std::vector<std::uint32_t> states;
    for (const CTextNode* node : PreOrder(top))
        states.push_back(node->editState);
    return states;
}

// The merge as written down, recursively and with the plain match, to hold the
// indexed and iterative MergeTexts against (small trees only: it recurses).
inline bool ReferenceMerge(CTextNode& node, const CTextNode& old)
{
    node.translatedText = old.translatedText;
    bool changed = false;
    for (std::int32_t i = 0; i < node.ChildCount(); ++i) {
        CTextNode* child = node.GetChild(i);
        if (const CTextNode* match = child->FindMatch(old)) {
            if (ReferenceMerge(*child, *match))
                changed = true;
        } else {
            changed = true;
            child->MarkToDo();
        }
    }
    node.editState = node.ChildCount() == 0 ? 0 : (changed ? 2 : 1);
    return changed;
}
