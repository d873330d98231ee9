#pragma once

// The demo's main window: the editor's menu, a status bar for the prompts, one
// button that opens the fonts dialog and, when a language file was named, the
// text tree view over a document holding it. Commands go to the document
// first, so its menu items (save, foreign language, flag, fonts) work.

#include "__X_CFrameWnd.h"

#include <memory>
#include <string>

class CMyEditView;
class CTransDoc;

class CDemoFrame : public __X_CFrameWnd {
    Q_OBJECT
public:
    CDemoFrame();
    ~CDemoFrame() override;

    // Loads menu 128 (translated on the way) and builds the window's content;
    // a non-empty languageFile is opened in the text tree view.
    bool Create(const std::u16string& languageFile = {});

    bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnFonts();
    void OnAbout();
    void OpenDocument(const std::u16string& languageFile);

    std::u16string m_startupFile;
    std::unique_ptr<CTransDoc> m_doc;
    CMyEditView* m_view = nullptr;
};
