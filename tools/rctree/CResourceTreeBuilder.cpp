#include "CResourceTreeBuilder.h"

#include "CTextNode.h"
#include "KindCodes.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace {

// The switch dialog is built in code, 200 x 200 dialog units; its three
// buttons share the width, two text lines high.
constexpr std::int32_t kSwitchDialogSize = 200;
constexpr std::int32_t kSwitchButtonWidth = 59;
constexpr std::int32_t kSwitchButtonHeight = 13;

// Roles of the switch entry's children, by position.
constexpr std::int32_t kSwitchChildKinds[11] = {
    kind::String,       // 0: the language's own name
    kind::Label,        // 1: label of this version's languages
    kind::Label,        // 2: label of older versions' languages
    kind::PushButton,   // 3: OK
    kind::PushButton,   // 4: Cancel
    kind::PushButton,   // 5: Help
    kind::String,       // 6: prefix of a version number
    kind::String,       // 7: warning for an older version's language
    kind::String,       // 8: error when switching fails
    kind::MenuItem,     // 9: menu text of the switch command
    kind::CommandString // 10: prompt and tooltip of the switch command
};

constexpr std::uint32_t kStaticTypeMask = 0x1F;
constexpr std::uint32_t kSsIcon = 0x3;
constexpr std::uint32_t kSsBitmap = 0xE;
constexpr std::uint32_t kSsEnhMetafile = 0xF;
constexpr std::uint32_t kButtonTypeMask = 0xF;

CTextNode& AddNode(CTextNode& parent, std::u16string_view text, std::int32_t kindCode,
                   std::int32_t width = 0, std::int32_t height = 0)
{
    auto node = std::make_unique<CTextNode>(&parent);
    node->originalText = std::u16string(text);
    node->translatedText = node->originalText;
    node->kindCode = kindCode;
    node->width = width;
    node->height = height;
    CTextNode& added = *node;
    parent.AddChild(std::move(node));
    return added;
}

void AddMenuItems(CTextNode& parent, std::span<const res::MenuItem> items)
{
    for (const res::MenuItem& item : items) {
        // Separators have no text; the run-time layer neither matches nor counts them.
        if (item.kind == res::MenuItemKind::Separator)
            continue;
        if (item.kind == res::MenuItemKind::Popup) {
            CTextNode& popup = AddNode(parent, item.text, kind::Popup);
            AddMenuItems(popup, item.items);
        } else {
            AddNode(parent, item.text, kind::MenuItem);
        }
    }
}

} // namespace

std::int32_t CResourceTreeBuilder::ControlKind(const res::DialogControl& control)
{
    switch (control.controlClass) {
    case res::ControlClass::Static:
        return kind::Label;
    case res::ControlClass::Button:
        switch (control.style & kButtonTypeMask) {
        case 0x7: return kind::GroupBox;
        case 0x2: case 0x3: case 0x4: case 0x5: case 0x6: case 0x9: return kind::CheckBox;
        default: return kind::PushButton;
        }
    default:
        return kind::OtherControl;
    }
}

bool CResourceTreeBuilder::ShowsText(const res::DialogControl& control)
{
    if (control.text.empty())
        return false;
    if (control.controlClass == res::ControlClass::Static) {
        const std::uint32_t type = control.style & kStaticTypeMask;
        if (type == kSsIcon || type == kSsBitmap || type == kSsEnhMetafile)
            return false;
    }
    return true;
}

std::unique_ptr<CTextNode> CResourceTreeBuilder::Build() const
{
    auto root = std::make_unique<CTextNode>(nullptr);
    AddDialogs(AddNode(*root, u"Dialoge", kind::DialogsTop));
    AddMenus(AddNode(*root, u"Menus", kind::MenusTop));
    AddStrings(AddNode(*root, u"Stringtables", kind::StringsTop));
    root->MarkDone();
    return root;
}

void CResourceTreeBuilder::AddDialogs(CTextNode& top) const
{
    for (const res::DialogTemplate& dialog : resources.dialogs) {
        CTextNode& node = AddNode(top, dialog.title, kind::Dialog, dialog.cx, dialog.cy);
        for (const res::DialogControl& control : dialog.controls) {
            if (ShowsText(control))
                AddNode(node, control.text, ControlKind(control), control.cx, control.cy);
        }
    }
    if (!switchEntry)
        return;
    CTextNode& entry = AddNode(top, StringText(switchEntry->title), kind::SwitchEntry,
                               kSwitchDialogSize, kSwitchDialogSize);
    for (std::size_t i = 0; i < switchEntry->children.size(); ++i) {
        const std::int32_t code = kSwitchChildKinds[i];
        const bool button = code == kind::PushButton;
        AddNode(entry, StringText(switchEntry->children[i]), code, button ? kSwitchButtonWidth : 0,
                button ? kSwitchButtonHeight : 0);
    }
}

void CResourceTreeBuilder::AddMenus(CTextNode& top) const
{
    for (const res::Menu& menu : resources.menus) {
        // Menus have no title of their own; the id tells the translator which one it is.
        std::u16string name = u"Men\u00FC ";
        for (const char digit : std::to_string(menu.id))
            name.push_back(static_cast<char16_t>(digit));
        CTextNode& node = AddNode(top, name, kind::Menu);
        AddMenuItems(node, menu.items);
    }
}

void CResourceTreeBuilder::AddStrings(CTextNode& top) const
{
    // The run-time lookup goes by text, so a text that several ids share is
    // one entry: the translator translates it once.
    std::set<std::u16string_view> seen;
    for (const res::StringEntry& entry : resources.strings) {
        if (entry.text.empty() || !seen.insert(entry.text).second)
            continue;
        AddNode(top, entry.text, IsCommand(entry.id) ? kind::CommandString : kind::String);
    }
}

std::u16string_view CResourceTreeBuilder::StringText(std::uint32_t id) const
{
    if (id == 0)
        return {};
    auto it = std::lower_bound(resources.strings.begin(), resources.strings.end(), id,
                               [](const res::StringEntry& e, std::uint32_t value) { return e.id < value; });
    if (it == resources.strings.end() || it->id != id)
        throw std::runtime_error("the switch entry names string " + std::to_string(id) +
                                 ", which the string table does not have");
    return it->text;
}

bool CResourceTreeBuilder::IsCommand(std::uint32_t id) const
{
    auto inItems = [id](auto&& self, std::span<const res::MenuItem> items) -> bool {
        return std::any_of(items.begin(), items.end(), [&](const res::MenuItem& item) {
            return (item.kind == res::MenuItemKind::Command && item.id == id) || self(self, item.items);
        });
    };
    for (const res::Menu& menu : resources.menus)
        if (inItems(inItems, menu.items))
            return true;
    for (const res::Toolbar& toolbar : resources.toolbars)
        if (std::find(toolbar.commands.begin(), toolbar.commands.end(), id) != toolbar.commands.end())
            return true;
    for (const res::AcceleratorTable& table : resources.accelerators)
        for (const res::Accelerator& accelerator : table.entries)
            if (accelerator.command == id)
                return true;
    return false;
}
