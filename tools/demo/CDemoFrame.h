#pragma once

// The demo's main window: the editor's menu, a status bar for the prompts and
// one button that opens the fonts dialog.

#include "__X_CFrameWnd.h"

class CDemoFrame : public __X_CFrameWnd {
    Q_OBJECT
public:
    CDemoFrame();

    // Loads menu 128 (translated on the way) and builds the window's content.
    bool Create();

private:
    void OnFonts();
    void OnAbout();
};
