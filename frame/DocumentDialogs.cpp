#include "DocumentDialogs.h"

#include "CFlagDialog.h"
#include "CFontsDialog.h"
#include "CTransDoc.h"
#include "CWinApp.h"

namespace {

QWidget* MainWindow()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

} // namespace

void InstallDocumentDialogs(CTransDoc& doc)
{
    doc.SetDialogs(
        [] {
            CFlagDialog dialog(MainWindow());
            return dialog.DoModal() == IDOK ? dialog.GetChosenFlag() : -1;
        },
        [] {
            CFontsDialog dialog(MainWindow());
            return dialog.DoModal() == IDOK;
        });
}
