#pragma once

// The demo's application object: loads "Edit.tra" from the working folder
// first of all, as the editor does; the translation-aware base unloads it
// (and writes the profile entry) at exit.

#include "__X_CWinApp.h"

#include <string>

class CDemoApp : public __X_CWinApp {
public:
    CDemoApp() : __X_CWinApp(u"Edit") {}

    // The language file to open in the main window (the command line's).
    void SetLanguageFile(std::u16string path) { m_languageFile = std::move(path); }

    bool InitInstance() override;

private:
    std::u16string m_languageFile;
};
