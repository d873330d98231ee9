#include "__X_CWinApp.h"

#include "UiLanguage.h"

int __X_CWinApp::ExitInstance()
{
    UnloadTranslation();
    return CWinApp::ExitInstance();
}
