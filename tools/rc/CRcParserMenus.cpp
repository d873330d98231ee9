// The menu-like resources of a script: MENU, MENUEX, ACCELERATORS and TOOLBAR.
#include "CRcParser.h"

#include "CRcError.h"
#include "Utf8.h"

#include <cctype>

namespace {

constexpr int kMaxMenuDepth = 16;
constexpr std::uint32_t kMftSeparator = 0x800;
constexpr std::uint32_t kMftMenuBreaks = 0x20 | 0x40;
constexpr std::uint32_t kMfsGrayed = 0x3;
constexpr std::uint32_t kMfsChecked = 0x8;

} // namespace

void CRcParser::Menu(std::uint32_t id, const RcPlace& place)
{
    RcMenu menu = Start(script.menus, id, place, "menu");
    Begin("to open the menu");
    MenuItems(menu.items, 1);
    script.menus.push_back(std::move(menu));
}

std::uint32_t CRcParser::MenuFlags()
{
    std::uint32_t flags = 0;
    for (;;) {
        const bool comma = AcceptPunct(",");
        if (AcceptKeyword("GRAYED") || AcceptKeyword("INACTIVE"))
            flags |= res::MenuGrayed;
        else if (AcceptKeyword("CHECKED"))
            flags |= res::MenuChecked;
        else if (AcceptKeyword("MENUBREAK") || AcceptKeyword("MENUBARBREAK"))
            flags |= res::MenuBreak;
        else if (AcceptKeyword("HELP"))
            ;
        else if (comma)
            Fail(Peek(), "expected a menu option (GRAYED, CHECKED, INACTIVE, MENUBREAK, "
                         "MENUBARBREAK, HELP), found " + Describe(Peek()));
        else
            return flags;
    }
}

void CRcParser::MenuItems(std::vector<RcMenuItem>& items, int depth)
{
    const CRcToken& start = tokens[pos - 1];
    if (depth > kMaxMenuDepth)
        Fail(start, "menus nested more than " + std::to_string(kMaxMenuDepth) + " deep");
    while (!AtEnd()) {
        const CRcToken& at = Peek();
        RcMenuItem item;
        item.place = PlaceOf(at);
        if (AcceptKeyword("MENUITEM")) {
            if (AcceptKeyword("SEPARATOR")) {
                item.kind = res::MenuItemKind::Separator;
            } else {
                item.text = String("the menu item's text");
                ExpectComma("between the menu item's text and its command id");
                item.id = static_cast<std::uint32_t>(Ranged("a command id", 0, 65535));
                item.flags = MenuFlags();
            }
        } else if (AcceptKeyword("POPUP")) {
            item.kind = res::MenuItemKind::Popup;
            item.text = String("the popup's text");
            item.flags = MenuFlags();
            Begin("to open the popup's items");
            MenuItems(item.items, depth + 1);
        } else if (at.kind == CRcToken::Kind::End) {
            Fail(start, "BEGIN of the menu without END");
        } else {
            Fail(at, "expected MENUITEM, POPUP or END in the menu, found " + Describe(at));
        }
        items.push_back(std::move(item));
    }
}

void CRcParser::MenuEx(std::uint32_t id, const RcPlace& place)
{
    RcMenu menu = Start(script.menus, id, place, "menu");
    Begin("to open the menu");
    MenuExItems(menu.items, 1);
    script.menus.push_back(std::move(menu));
}

void CRcParser::MenuExItems(std::vector<RcMenuItem>& items, int depth)
{
    const CRcToken& start = tokens[pos - 1];
    if (depth > kMaxMenuDepth)
        Fail(start, "menus nested more than " + std::to_string(kMaxMenuDepth) + " deep");
    // The values after the text: id, type, state (and for a popup a help id); each may be
    // left out, also between commas.
    const auto values = [this](std::uint32_t& id, std::uint32_t& type, std::uint32_t& state) {
        std::uint32_t* slots[] = {&id, &type, &state, nullptr};
        for (std::uint32_t* slot : slots) {
            if (!AcceptPunct(","))
                return;
            if (Peek().IsPunct(",") || Peek().IsKeyword("BEGIN") || Peek().IsPunct("{"))
                continue;
            const auto value = static_cast<std::uint32_t>(slot == &id ? Expression("a command id")
                                                                       : Style(0, "a menu type or state"));
            if (slot != nullptr)
                *slot = value;
        }
    };
    while (!AtEnd()) {
        const CRcToken& at = Peek();
        RcMenuItem item;
        item.place = PlaceOf(at);
        std::uint32_t id = 0, type = 0, state = 0;
        if (AcceptKeyword("MENUITEM")) {
            if (AcceptKeyword("SEPARATOR")) {
                item.kind = res::MenuItemKind::Separator;
            } else if (Peek().kind != CRcToken::Kind::String) {
                // "MENUITEM MFT_SEPARATOR", as some resource editors write it: a type without a text.
                const CRcToken& typeAt = Peek();
                if ((Style(0, "a menu item's text or type") & kMftSeparator) == 0)
                    Fail(typeAt, "expected the menu item's text in quotes, found " + Describe(typeAt));
                item.kind = res::MenuItemKind::Separator;
            } else {
                item.text = String("the menu item's text");
                values(id, type, state);
                if ((type & kMftSeparator) != 0 || (item.text.empty() && id == 0))
                    item.kind = res::MenuItemKind::Separator;
            }
        } else if (AcceptKeyword("POPUP")) {
            item.kind = res::MenuItemKind::Popup;
            item.text = String("the popup's text");
            values(id, type, state);
            Begin("to open the popup's items");
            MenuExItems(item.items, depth + 1);
        } else if (at.kind == CRcToken::Kind::End) {
            Fail(start, "BEGIN of the menu without END");
        } else {
            Fail(at, "expected MENUITEM, POPUP or END in the menu, found " + Describe(at));
        }
        item.id = id & 0xFFFF;
        if ((state & kMfsGrayed) != 0)
            item.flags |= res::MenuGrayed;
        if ((state & kMfsChecked) != 0)
            item.flags |= res::MenuChecked;
        if ((type & kMftMenuBreaks) != 0)
            item.flags |= res::MenuBreak;
        items.push_back(std::move(item));
    }
}

void CRcParser::Accelerators(std::uint32_t id, const RcPlace& place)
{
    RcAcceleratorTable table = Start(script.accelerators, id, place, "accelerator table");
    const CRcToken& start = Peek();
    Begin("to open the accelerator table");
    while (!AtEnd()) {
        const CRcToken& at = Peek();
        if (at.kind == CRcToken::Kind::End)
            Fail(start, "BEGIN of the accelerator table without END");
        std::uint32_t key = 0;
        bool control = false;
        const bool character = at.kind == CRcToken::Kind::String;
        if (character) {
            const std::u16string text = Next().value;
            if (text.size() == 2 && text[0] == u'^' && text[1] >= u'@' && text[1] < 0x80) {
                key = static_cast<std::uint32_t>(std::toupper(static_cast<int>(text[1]))) & 0x1F;
                control = true;
            } else if (text.size() == 1) {
                key = text[0];
            } else {
                Fail(at, "an accelerator key is one character or \"^X\", not \"" + utf8::FromUtf16(text) + "\"");
            }
        } else {
            key = static_cast<std::uint32_t>(Ranged("a key code", 0, 65535));
        }
        ExpectComma("after the accelerator's key");
        const auto command = static_cast<std::uint32_t>(Ranged("a command id", 0, 65535));
        std::uint32_t flags = 0;
        while (AcceptPunct(",")) {
            const CRcToken& option = Next();
            if (option.IsKeyword("VIRTKEY")) flags |= res::AccelVirtKey;
            else if (option.IsKeyword("ASCII")) flags &= ~static_cast<std::uint32_t>(res::AccelVirtKey);
            else if (option.IsKeyword("SHIFT")) flags |= res::AccelShift;
            else if (option.IsKeyword("CONTROL")) flags |= res::AccelControl;
            else if (option.IsKeyword("ALT")) flags |= res::AccelAlt;
            else if (option.IsKeyword("NOINVERT")) ;
            else Fail(option, "expected VIRTKEY, ASCII, SHIFT, CONTROL, ALT or NOINVERT, found " + Describe(option));
        }
        if ((flags & res::AccelVirtKey) != 0) {
            if (control)
                Fail(at, "\"^X\" keys are characters; write \"X\", ..., VIRTKEY, CONTROL instead");
            if (character && key >= 'a' && key <= 'z')
                key -= 'a' - 'A'; // virtual keys of letters are the capitals
        } else if ((flags & (res::AccelShift | res::AccelControl)) != 0) {
            Fail(at, "SHIFT and CONTROL need VIRTKEY");
        }
        table.entries.push_back({key, flags, command});
    }
    script.accelerators.push_back(std::move(table));
}

void CRcParser::Toolbar(std::uint32_t id, const RcPlace& place)
{
    RcToolbar toolbar = Start(script.toolbars, id, place, "toolbar");
    toolbar.buttonWidth = static_cast<std::int16_t>(Ranged("the button width", 1, 1000));
    ExpectComma("between the toolbar's button width and height");
    toolbar.buttonHeight = static_cast<std::int16_t>(Ranged("the button height", 1, 1000));
    const CRcToken& start = Peek();
    Begin("to open the toolbar's buttons");
    while (!AtEnd()) {
        const CRcToken& at = Peek();
        if (AcceptKeyword("BUTTON"))
            toolbar.commands.push_back(static_cast<std::uint32_t>(Ranged("a command id", 1, 65535)));
        else if (AcceptKeyword("SEPARATOR"))
            toolbar.commands.push_back(0);
        else if (at.kind == CRcToken::Kind::End)
            Fail(start, "BEGIN of the toolbar without END");
        else
            Fail(at, "expected BUTTON, SEPARATOR or END in the toolbar, found " + Describe(at));
    }
    script.toolbars.push_back(std::move(toolbar));
}
