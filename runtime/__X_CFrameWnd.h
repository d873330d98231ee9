#pragma once

// The frame window of a program that carries the run-time layer: its menu
// bar is translated when the frame gets it, and the status-bar prompts and
// tooltips of commands come through the translating string load.

#include "CFrameWnd.h"

class __X_CFrameWnd : public CFrameWnd {
    Q_OBJECT
public:
    using CFrameWnd::CFrameWnd;

    // Tooltips are cut to what the original's 80-character buffer holds.
    static constexpr size_t kMaxToolTip = 79;

    bool LoadFrame(UINT resourceId) override;
    // The translated string's part before its first newline.
    void GetMessageString(UINT id, std::u16string& message) const override;
    // The part after the first newline, up to the next one; empty for id 0.
    bool GetToolTipText(UINT id, std::u16string& text) const override;
};
