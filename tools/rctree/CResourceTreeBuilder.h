#pragma once

#include "ResourceTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class CTextNode;

// Makes the text tree of a program's original-language file from its
// resources, in the shape the run-time layer walks:
//   root
//   +- "Dialoge": one node per dialog (its title) with one child per control
//   |             that shows a text, in template order; then the switch entry
//   +- "Menus":   one node per menu, its popups below it, their items below them
//   +- "Stringtables": one node per distinct string-table text, by id
// Both texts of every node are the resource's text; widths and heights are
// the controls' and dialogs' sizes in dialog units; every node is done.
class CResourceTreeBuilder {
public:
    // The switch entry: the language switch dialog's texts as string ids
    // (title, then its eleven children; 0 leaves a child's text empty).
    struct SwitchEntry {
        std::uint32_t title = 0;
        std::array<std::uint32_t, 11> children{};
    };

    explicit CResourceTreeBuilder(const res::ResourceSet& resources) : resources(resources) {}

    void SetSwitchEntry(const SwitchEntry& entry) { switchEntry = entry; }
    // Throws std::runtime_error when the switch entry names a missing string.
    std::unique_ptr<CTextNode> Build() const;

    static std::int32_t ControlKind(const res::DialogControl& control);
    // Image statics name a bitmap or icon, not a text.
    static bool ShowsText(const res::DialogControl& control);

private:
    void AddDialogs(CTextNode& top) const;
    void AddMenus(CTextNode& top) const;
    void AddStrings(CTextNode& top) const;
    std::u16string_view StringText(std::uint32_t id) const;
    bool IsCommand(std::uint32_t id) const;

    const res::ResourceSet& resources;
    std::optional<SwitchEntry> switchEntry;
};
