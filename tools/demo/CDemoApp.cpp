#include "CDemoApp.h"

#include "CDemoFrame.h"
#include "UiLanguage.h"

bool CDemoApp::InitInstance()
{
    LoadTranslationFile(u"Edit.tra", true);
    SetRegistryKey(u"Kestrow Tools");
    auto* frame = new CDemoFrame;
    if (!frame->Create(m_languageFile)) {
        delete frame;
        return false;
    }
    m_pMainWnd = frame;
    frame->show();
    return true;
}
