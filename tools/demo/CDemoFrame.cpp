#include "CDemoFrame.h"

#include "CDialog.h"
#include "CMenu.h"
#include "CStatusBar.h"
#include "QtStrings.h"
#include "resource.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

CDemoFrame::CDemoFrame()
{
    setAttribute(Qt::WA_DeleteOnClose);
    AddCommand(ID_FONTS, [this] { OnFonts(); });
    AddCommand(ID_APP_ABOUT, [this] { OnAbout(); });
    AddCommand(ID_APP_EXIT, [this] { close(); });
}

bool CDemoFrame::Create()
{
    if (!LoadFrame(IDR_MAINFRAME))
        return false;
    auto* status = new CStatusBar(this);
    const UINT indicators[] = {0};
    status->SetIndicators(indicators);
    setStatusBar(status);
    SetMessageText(AFX_IDS_IDLEMESSAGE);

    // The button carries the menu's own text for the command, so it shows
    // whichever language the menu was translated into.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    const CMenu* menu = GetMenu();
    auto* button = new QPushButton(
        ToQString(menu ? menu->GetMenuString(ID_FONTS, MF_BYCOMMAND) : u"Fonts"), central);
    connect(button, &QPushButton::clicked, this, [this] { OnCommand(ID_FONTS, CommandSource::Control); });
    layout->addStretch();
    layout->addWidget(button, 0, Qt::AlignCenter);
    layout->addStretch();
    setCentralWidget(central);
    resize(520, 300);
    return true;
}

void CDemoFrame::OnFonts()
{
    CDialog dialog(IDD_FONTSDIALOG, this);
    dialog.DoModal();
}

void CDemoFrame::OnAbout()
{
    CDialog dialog(IDD_ABOUTBOX, this);
    dialog.DoModal();
}
