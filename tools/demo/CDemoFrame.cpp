#include "CDemoFrame.h"

#include "CDialog.h"
#include "CMenu.h"
#include "CMyEditView.h"
#include "CStatusBar.h"
#include "CTransDoc.h"
#include "QtStrings.h"
#include "resource.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

CDemoFrame::CDemoFrame()
{
    setAttribute(Qt::WA_DeleteOnClose);
    AddCommand(ID_FONTS, [this] { OnFonts(); });
    AddCommand(ID_APP_ABOUT, [this] { OnAbout(); });
    AddCommand(ID_APP_EXIT, [this] { close(); });
}

CDemoFrame::~CDemoFrame()
{
    // The view leaves the document before either goes.
    delete m_view;
}

bool CDemoFrame::Create(const std::u16string& languageFile)
{
    if (!LoadFrame(IDR_MAINFRAME))
        return false;
    auto* status = new CStatusBar(this);
    const UINT indicators[] = {0, ID_INDICATOR_POSITION};
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
    layout->addWidget(button, 0, Qt::AlignCenter);
    setCentralWidget(central);
    if (languageFile.empty()) {
        layout->insertStretch(0);
        layout->addStretch();
        resize(520, 300);
    } else {
        m_view = new CMyEditView(central);
        layout->addWidget(m_view, 1);
        resize(900, 700);
        OpenDocument(languageFile);
    }
    return true;
}

void CDemoFrame::OpenDocument(const std::u16string& languageFile)
{
    m_doc = std::make_unique<CTransDoc>();
    m_doc->SetTitleListener([this](const std::u16string& title) {
        setWindowTitle(ToQString(title) + QStringLiteral(" - Glossmark Editor"));
    });
    m_startupFile = languageFile;
    m_doc->SetStartupFileSource(&m_startupFile);
    m_doc->OpenLanguage(); // a file it cannot read leaves an empty view, after its message
    m_view->SetStatusBar(GetStatusBar());
    m_doc->AddView(m_view);
    m_view->OnInitialUpdate();
    m_view->setFocus();
}

bool CDemoFrame::OnCmdMsg(UINT id, int code, CCmdUI* ui)
{
    if (m_doc && m_doc->OnCmdMsg(id, code, ui))
        return true;
    return __X_CFrameWnd::OnCmdMsg(id, code, ui);
}

void CDemoFrame::closeEvent(QCloseEvent* event)
{
    if (m_doc && !m_doc->SaveModified()) {
        event->ignore();
        return;
    }
    __X_CFrameWnd::closeEvent(event);
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
