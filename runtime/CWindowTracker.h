#pragma once

// The windows the layer has translated, with the menu each had then, so that
// popups of an already translated menu bar are not translated again when they
// open (and, later, so that a language switch can reach every open window).

#include "WinTypes.h"

#include <vector>

class CWnd;

class CWindowTracker {
public:
    static constexpr size_t kMaxEntries = 500;

    struct Entry {
        HWND window = 0;
        unsigned mode = 0;
        HMENU menu = 0; // the window's menu when added; 0 for child windows
    };

    // Appends (window, mode, its menu) and compacts. When the tracker is full
    // after compaction the oldest entry makes room.
    void Add(const CWnd& window, unsigned mode);
    // Drops repeated (window, menu) pairs and entries whose window and menu are both gone.
    void Compact();
    // Whether a valid tracked menu is popup itself or holds it at any depth.
    bool HoldsPopup(HMENU popup) const;
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};
