#include "CWindowTracker.h"

#include "CMenu.h"
#include "CTranslationState.h"
#include "DialogTranslation.h"
#include "MenuTranslation.h"
#include "UiLanguage.h"

namespace {

bool MenuHolds(const CMenu& menu, HMENU popup, int depth = 0)
{
    if (menu.GetSafeHmenu() == popup)
        return true;
    // A menu cannot hold itself; the depth limit only guards against a broken platform.
    for (int pos = 0; pos < menu.GetMenuItemCount() && depth < 64; ++pos) {
        const CMenu* sub = menu.GetSubMenu(pos);
        if (sub && MenuHolds(*sub, popup, depth + 1))
            return true;
    }
    return false;
}

} // namespace

void CWindowTracker::Add(const CWnd& window, unsigned mode)
{
    Entry entry{window.GetSafeHwnd(), mode, 0};
    if (!window.IsChildWindow()) {
        if (const CMenu* menu = window.GetMenu())
            entry.menu = menu->GetSafeHmenu();
    }
    m_entries.push_back(entry);
    Compact();
    if (m_entries.size() > kMaxEntries)
        m_entries.pop_back();
}

void CWindowTracker::Compact()
{
    for (size_t i = m_entries.size(); i-- > 0;) {
        const Entry& entry = m_entries[i];
        bool drop = false;
        for (size_t j = 0; j < i && !drop; ++j)
            drop = m_entries[j].window == entry.window && m_entries[j].menu == entry.menu;
        if (!drop)
            drop = !CWnd::IsWindow(entry.window) && !CMenu::IsMenu(entry.menu);
        if (drop)
            m_entries.erase(m_entries.begin() + std::ptrdiff_t(i));
    }
}

bool CWindowTracker::HoldsPopup(HMENU popup) const
{
    for (const Entry& entry : m_entries) {
        if (!CMenu::IsMenu(entry.menu))
            continue;
        const CMenu* menu = CMenu::FromHandle(entry.menu);
        if (menu && MenuHolds(*menu, popup))
            return true;
    }
    return false;
}

void CWindowTracker::ReTranslateAll(const CTextNode* menus)
{
    Compact();
    // A re-translation may open or close windows and so add entries: walk a copy.
    const std::vector<Entry> entries = m_entries;
    for (const Entry& entry : entries) {
        // Every live handle belongs to a widget, so the window reference made
        // here is the temporary wrapper; it owns nothing and needs no detaching.
        if (CWnd::IsWindow(entry.window))
            ReTranslate(CWnd::FromHandle(entry.window), entry.mode);
        if (CMenu::IsMenu(entry.menu)) {
            if (CMenu* menu = CMenu::FromHandle(entry.menu))
                TranslateSingleMenu(*menu, menus, false);
        }
    }
}

void CDialogTracker::ReTranslate(const CWnd& window, unsigned mode)
{
    TranslateDialogCore(window, FindTopNode(GetLookupTranslation(), u"Dialoge"), mode);
}

void CFrameTracker::ReTranslate(const CWnd& window, unsigned)
{
    TranslateMenuBar(window, FindTopNode(GetLookupTranslation(), u"Menus"));
}
