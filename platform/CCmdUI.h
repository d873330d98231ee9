#pragma once

// The state a command's update handler sets (update-command-UI): enabled,
// check mark, and optionally a new text. The menu and the toolbar apply it to
// their items after the command route has been asked.

#include "WinTypes.h"

#include <optional>
#include <string>

class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true) { m_enabled = on; m_enableChanged = true; }
    virtual void SetCheck(int check = 1) { m_check = check; m_checkChanged = true; } // 0, 1, 2
    virtual void SetText(const std::u16string& text) { m_text = text; }
    // A menu item can be taken out of its menu while it has nothing to offer.
    void Show(bool on) { m_shown = on; }

    UINT m_nID;

    bool IsEnabled() const { return m_enabled; }
    bool EnableChanged() const { return m_enableChanged; }
    int GetCheck() const { return m_check; }
    bool CheckChanged() const { return m_checkChanged; }
    const std::optional<std::u16string>& GetText() const { return m_text; }
    const std::optional<bool>& GetShown() const { return m_shown; }

private:
    bool m_enabled = true;
    bool m_enableChanged = false;
    int m_check = 0;
    bool m_checkChanged = false;
    std::optional<std::u16string> m_text;
    std::optional<bool> m_shown;
};
