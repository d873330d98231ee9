#pragma once

// A status bar with panes by indicator id: pane 0 (id 0) is the stretching
// message line, the others are fixed panes as wide as their string (the
// string of the indicator id, or a given width text) and show that string.

#include "WinTypes.h"

#include <QStatusBar>

#include <span>
#include <string>
#include <vector>

class QLabel;

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* parent = nullptr);

    // SetIndicators: one pane per id (0 = the message line).
    bool SetIndicators(std::span<const UINT> ids);
    int GetCount() const { return int(m_panes.size()); }
    int CommandToIndex(UINT id) const; // -1 when missing
    UINT GetItemID(int index) const;

    bool SetPaneText(int index, const std::u16string& text);
    std::u16string GetPaneText(int index) const;
    // Width of pane index in pixels to fit text (the default is the indicator's string).
    void SetPaneWidthFor(int index, const std::u16string& text);
    QLabel* GetPane(int index) const;

private:
    struct Pane {
        UINT id;
        QLabel* label;
    };
    std::vector<Pane> m_panes;
};
