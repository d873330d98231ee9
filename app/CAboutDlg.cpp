#include "CAboutDlg.h"

#include "TranslatedStrings.h"
#include "resource.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(IDD_ABOUTBOX, parent) {}

std::u16string CAboutDlg::VersionText()
{
    std::u16string text;
    FormatTranslated(text, IDS_VERSION_FORMAT, kVersion[0], kVersion[1], kVersion[2]);
    return text;
}

bool CAboutDlg::OnInitDialog()
{
    SetDlgItemText(IDC_ABOUT_VERSION, VersionText());
    return CDialog::OnInitDialog();
}
