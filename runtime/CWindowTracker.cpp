#include "CWindowTracker.h"

#include "CMenu.h"
#include "CWnd.h"

namespace {

bool MenuHolds(const CMenu& menu, HMENU popup)
{
    if (menu.GetSafeHmenu() == popup)
        return true;
    for (int pos = 0; pos < menu.GetMenuItemCount(); ++pos) {
        const CMenu* sub = menu.GetSubMenu(pos);
        if (sub && MenuHolds(*sub, popup))
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
        m_entries.erase(m_entries.begin());
}

void CWindowTracker::Compact()
{
    for (size_t i = m_entries.size(); i-- > 0;) {
        const Entry& entry = m_entries[i];
        bool drop = !CWnd::IsWindow(entry.window) && !CMenu::IsMenu(entry.menu);
        for (size_t j = 0; j < i && !drop; ++j)
            drop = m_entries[j].window == entry.window && m_entries[j].menu == entry.menu;
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
