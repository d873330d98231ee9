#pragma once

// The demo's application object: loads "Edit.tra" from the working folder
// first of all, as the editor does; the translation-aware base unloads it
// (and writes the profile entry) at exit.

#include "__X_CWinApp.h"

class CDemoApp : public __X_CWinApp {
public:
    CDemoApp() : __X_CWinApp(u"Edit") {}

    bool InitInstance() override;
};
