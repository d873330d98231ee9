#include "MenuTranslation.h"

#include "CFrameWnd.h"
#include "CMenu.h"
#include "CTextNode.h"
#include "CTranslationState.h"
#include "TranslationSettings.h"
#include "UiLanguage.h"

#include <memory>
#include <vector>

namespace {

// Longer item texts are compared in their first 255 characters.
constexpr size_t kMaxItemText = 255;

// What a live menu looked like before matching.
struct MenuImage {
    std::u16string text;
    CMenu* submenu = nullptr; // for a popup node
    UINT id = 0;              // for a command node
    std::vector<std::unique_ptr<MenuImage>> items; // empty for separators
    std::int32_t size = 1;
};

std::unique_ptr<MenuImage> BuildImage(CMenu& menu, std::u16string text, int depth = 0)
{
    auto node = std::make_unique<MenuImage>();
    node->text = std::move(text);
    node->submenu = &menu;
    const int count = menu.GetMenuItemCount();
    node->items.resize(size_t(count));
    for (int pos = 0; pos < count; ++pos) {
        std::u16string itemText = menu.GetMenuString(UINT(pos), MF_BYPOSITION);
        if (itemText.size() > kMaxItemText)
            itemText.resize(kMaxItemText);
        // A menu cannot hold itself; the depth limit only guards against a broken platform.
        if (CMenu* sub = menu.GetSubMenu(pos); sub && depth < 64) {
            node->items[size_t(pos)] = BuildImage(*sub, std::move(itemText), depth + 1);
        } else if (UINT id = menu.GetMenuItemID(pos); id != 0 && !sub) {
            auto command = std::make_unique<MenuImage>();
            command->text = std::move(itemText);
            command->id = id;
            node->items[size_t(pos)] = std::move(command);
        }
        if (node->items[size_t(pos)])
            node->size += node->items[size_t(pos)]->size;
    }
    return node;
}

const std::u16string& Compared(const CTextNode& node, bool useTranslated)
{
    return useTranslated ? node.translatedText : node.originalText;
}

const CTextNode* FirstWithText(const CTextNode& entry, const std::u16string& text,
                               bool useTranslated)
{
    for (std::int32_t i = 0; i < entry.ChildCount(); ++i) {
        const CTextNode* child = entry.GetChild(i);
        if (child && Compared(*child, useTranslated) == text)
            return child;
    }
    return nullptr;
}

struct Misses {
    unsigned live = 0;
    unsigned file = 0;
};

void CountMisses(const MenuImage& image, const CTextNode& entry, bool useTranslated,
                 Misses& misses)
{
    std::vector<bool> used(size_t(entry.ChildCount()), false);
    for (const auto& slot : image.items) {
        if (!slot)
            continue;
        bool matched = false;
        for (std::int32_t i = 0; i < entry.ChildCount() && !matched; ++i) {
            const CTextNode* child = entry.GetChild(i);
            if (!child || Compared(*child, useTranslated) != slot->text)
                continue;
            CountMisses(*slot, *child, useTranslated, misses);
            used[size_t(i)] = true;
            matched = true;
        }
        if (!matched)
            misses.live += unsigned(slot->size);
    }
    for (std::int32_t i = 0; i < entry.ChildCount(); ++i) {
        if (!used[size_t(i)] && entry.GetChild(i))
            misses.file += unsigned(entry.GetChild(i)->CountNodes());
    }
}

void Apply(const MenuImage& image, const CTextNode& entry, bool useTranslated)
{
    for (size_t pos = 0; pos < image.items.size(); ++pos) {
        const MenuImage* slot = image.items[pos].get();
        if (!slot)
            continue;
        const CTextNode* child = FirstWithText(entry, slot->text, useTranslated);
        if (!child)
            continue;
        Apply(*slot, *child, useTranslated);
        if (slot->id == 0 && slot->submenu) {
            image.submenu->ModifyMenu(UINT(pos), MF_BYPOSITION | MF_POPUP,
                                      UINT_PTR(slot->submenu->GetSafeHmenu()),
                                      child->translatedText);
        } else {
            image.submenu->ModifyMenu(UINT(pos), MF_BYPOSITION | MF_STRING, slot->id,
                                      child->translatedText);
        }
    }
}

// The entry a popup is compared with: the first child of a menu entry.
const CTextNode* Candidate(const CTextNode& entry, bool asPopup)
{
    return asPopup && entry.ChildCount() > 0 ? entry.GetChild(0) : &entry;
}

void AppendSwitchItem(const MenuImage& root)
{
    if (root.items.empty() || !root.items[0] || root.items[0]->id != 0 || !root.items[0]->submenu)
        return;
    CMenu& popup = *root.items[0]->submenu;
    std::u16string text;
    if (const CTextNode* entry = FindSwitchEntry(); entry && entry->ChildCount() > 9)
        text = entry->GetChild(9)->translatedText;
    const UINT id = translation_settings::kSwitchCommandId;
    for (int pos = 0; pos < popup.GetMenuItemCount(); ++pos) {
        if (popup.GetMenuItemID(pos) == id) {
            popup.ModifyMenu(UINT(pos), MF_BYPOSITION | MF_STRING, id, text);
            return;
        }
    }
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, id, text);
}

} // namespace

void TranslateSingleMenu(CMenu& menu, const CTextNode* menus, bool asPopup)
{
    if (!menus || menus->ChildCount() == 0)
        return;
    const auto image = BuildImage(menu, u"Hallo");
    unsigned best = 9999;
    const CTextNode* chosen = nullptr;
    bool chosenTranslated = false;
    for (std::int32_t i = 0; i < menus->ChildCount(); ++i) {
        const CTextNode* entry = menus->GetChild(i);
        if (!entry)
            continue;
        const CTextNode& candidate = *Candidate(*entry, asPopup);
        for (bool useTranslated : {false, true}) {
            Misses misses;
            CountMisses(*image, candidate, useTranslated, misses);
            // "<=": ties go to the later entry, and to the translated comparison.
            if (misses.live + misses.file <= best) {
                best = misses.live + misses.file;
                chosen = &candidate;
                chosenTranslated = useTranslated;
            }
        }
    }
    if (chosen)
        Apply(*image, *chosen, chosenTranslated);
    if (translation_settings::kAppendSwitchItem)
        AppendSwitchItem(*image);
}

void TranslateMenuBar(const CWnd& window, const CTextNode* menus)
{
    if (!window || window.IsChildWindow())
        return;
    CMenu* menu = window.GetMenu();
    if (!menu)
        return;
    TranslateSingleMenu(*menu, menus, false);
    menu->DrawMenuBar();
    if (window.IsFrameWnd()) {
        auto* frame = qobject_cast<CFrameWnd*>(window.GetWidget());
        // This platform's frames show one menu, so their default menu is
        // usually the one just translated.
        if (CMenu* defaultMenu = frame ? frame->GetDefaultMenu() : nullptr;
            defaultMenu && defaultMenu != menu)
            TranslateSingleMenu(*defaultMenu, menus, false);
    }
}

void TranslateFrameMenu(const CWnd& window)
{
    CTranslationState& state = CTranslationState::Get();
    if (!state.Current())
        return;
    TranslateMenuBar(window, FindTopNode(CTranslationState::Get().Current(), u"Menus"));
    if (state.frameTracker)
        state.frameTracker->Add(window, 0);
}

void TranslatePopupMenu(CMenu* popup)
{
    if (!CTranslationState::Get().Current() || !popup)
        return;
    TranslateSingleMenu(*popup, FindTopNode(CTranslationState::Get().Current(), u"Menus"), true);
}
