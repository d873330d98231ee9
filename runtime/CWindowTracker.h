#pragma once

// The windows the layer has translated, with the menu each had then: popups
// of an already translated menu bar are not translated again when they open,
// and a language switch reaches every open window through them.
//
// Identity: window and menu handles of this platform are never reused, so an
// entry of a window that died cannot be mistaken for a new window that
// happens to get the same address.

#include "CWnd.h"
#include "WinTypes.h"

#include <vector>

class CTextNode;

class CWindowTracker {
public:
    static constexpr size_t kMaxEntries = 500;

    struct Entry {
        HWND window = 0;
        unsigned mode = 0;
        HMENU menu = 0; // the window's menu when added; 0 for child windows
    };

    virtual ~CWindowTracker() = default;

    // Appends (window, mode, its menu) and compacts. A tracker that is still
    // full after compaction keeps what it has: the oldest windows (the main
    // frame first of all) matter most to a switch.
    void Add(const CWnd& window, unsigned mode);
    // Walks from the last entry to the first and drops an entry when an
    // earlier one has the same window and menu, or when its window and its
    // menu are both gone.
    void Compact();
    // Whether a valid tracked menu is popup itself or holds it at any depth.
    bool HoldsPopup(HMENU popup) const;
    // Compacts, then re-translates every live window with its stored mode and
    // every valid menu (also one whose window has gone) against menus, the
    // switch mapping's "Menus" branch.
    void ReTranslateAll(const CTextNode* menus);

    const std::vector<Entry>& Entries() const { return m_entries; }

protected:
    // This tracker's kind of re-translation of one live window.
    virtual void ReTranslate(const CWnd& window, unsigned mode) = 0;

private:
    std::vector<Entry> m_entries;
};

// Dialogs, filled by the dialog translation with their modes; re-translated
// with the dialog core against the switch mapping's "Dialoge" branch.
class CDialogTracker : public CWindowTracker {
protected:
    void ReTranslate(const CWnd& window, unsigned mode) override;
};

// Windows that got a menu (frames, and dialogs that may carry one), filled by
// the frame-menu translation; their menu bars are re-translated against the
// switch mapping's "Menus" branch.
class CFrameTracker : public CWindowTracker {
protected:
    void ReTranslate(const CWnd& window, unsigned mode) override;
};
