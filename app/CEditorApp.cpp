#include "CEditorApp.h"

#include "CAboutDlg.h"
#include "CFileDialog.h"
#include "CInstanceChannel.h"
#include "CLanguageSwitchDialog.h"
#include "CMainFrame.h"
#include "CMyEditViewPrint.h"
#include "CRecovery.h"
#include "CResources.h"
#include "CTransDoc.h"
#include "EditorFonts.h"
#include "QtStrings.h"
#include "QtTranslations.h"
#include "TranslatedStrings.h"
#include "UiLanguageLocation.h"
#include "resource.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>

namespace {

CEditorApp::PrinterSetupResponder g_printerSetupResponder;

// A shell switch: "/p", "/pt", "-p", "/dde", "/Embedding" ... (a path of an
// existing file is never one, even when it starts with a slash).
bool IsShellSwitch(const QString& argument)
{
    static const QRegularExpression kSwitch(QStringLiteral("^[/-][A-Za-z]+$"));
    return kSwitch.match(argument).hasMatch() && !QFileInfo::exists(argument);
}

} // namespace

CEditorApp::CEditorApp() : __X_CWinApp(u"Edit") { RegisterCommands(); }

CEditorApp::~CEditorApp()
{
    // The frame (and with it the views) goes before the document it shows.
    delete m_frame.data();
}

std::u16string CEditorApp::FileOfCommandLine(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || IsShellSwitch(argument))
            continue;
        return ToU16(QFileInfo(argument).absoluteFilePath());
    }
    return {};
}

std::u16string CEditorApp::GetDocString(int field)
{
    const std::u16string text = CResources::LoadString(IDR_MAINFRAME);
    std::size_t start = 0;
    for (int i = 0; i < field; ++i) {
        start = text.find(u'\n', start);
        if (start == std::u16string::npos)
            return {};
        ++start;
    }
    return text.substr(start, text.find(u'\n', start) - start);
}

CMainFrame* CEditorApp::GetMainFrame() const { return m_frame; }

bool CEditorApp::HandOverToRunningEditor()
{
    const std::u16string file = FileOfCommandLine(m_arguments);
    return !file.empty() && CInstanceChannel::SendToRunning(m_channelName, ToQString(file));
}

void CEditorApp::RegisterCommands()
{
    AddCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    AddCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    AddCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    AddCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    for (int i = 0; i < kRecentFiles; ++i) {
        const UINT id = ID_FILE_MRU_FILE1 + UINT(i);
        AddCommand(id, [this, i] {
            if (i < int(m_recentFiles.GetFiles().size()))
                OpenDocumentFile(std::u16string(m_recentFiles.GetFiles()[std::size_t(i)]));
        });
        AddUpdateCommandUI(id, [this, i](CCmdUI& ui) { m_recentFiles.UpdateMenuItem(ui, i); });
    }
    // The language switch dialog with the editor's own texts, each passed
    // through the user-interface language in use.
    AddCommand(ID_LANGUAGE_SWITCH, [] {
        DoSwitchDialog(u"", true, true,
                       std::array<UINT, 9>{IDS_SWITCH_TITLE, IDS_SWITCH_THIS_VERSION,
                                           IDS_SWITCH_OLDER_VERSIONS, IDS_SWITCH_OK,
                                           IDS_SWITCH_CANCEL, IDS_SWITCH_HELP,
                                           IDS_SWITCH_VERSION_PREFIX, IDS_SWITCH_OLDER_WARNING,
                                           IDS_SWITCH_ERROR});
    });
}

void CEditorApp::AddAppCommand(UINT id, std::function<void()> handler,
                               std::function<void(CCmdUI&)> update)
{
    AddCommand(id, std::move(handler));
    if (update)
        AddUpdateCommandUI(id, std::move(update));
}

bool CEditorApp::InitInstance()
{
    // 1. The editor's own user-interface language: from the working folder,
    //    the user's last choice or the installed files by the locale; without
    //    one the German texts of the resources stay. Qt's dialogs follow it.
    SetInstalledLanguageFolders(FindInstalledLanguageFolders());
    LoadUiLanguage(kUiLanguageFile, kProgramName);
    FollowUiLanguageWithQtTexts();
    // 2. The text and foreign fonts.
    SetDefaultFonts();
    // 3. (Control containers and the 3D look of dialogs are the platform's own.)
    // 4. The profile: Kestrow Tools / Edit; message boxes say "Glossmark Editor".
    SetRegistryKey(kRegistryKey);
    SetDisplayName(GetDocString(0));
    // 5. The recently used files.
    m_recentFiles.ReadList();
    // 6. The document template: document, frame and views of resource 128.
    m_document = std::make_unique<CTransDoc>();
    m_document->SetStartupFileSource(&m_startupFile);
    // Printing starts from what the printer set-up chose.
    SetPrinterDefaults([this](QPrinter& printer) {
        if (!m_printer)
            return;
        if (!m_printer->printerName().isEmpty())
            printer.setPrinterName(m_printer->printerName());
        printer.setPageLayout(m_printer->pageLayout());
    });
    // 8. The command line: its file becomes the start-up file.
    m_startupFile = FileOfCommandLine(m_arguments);
    // 9. and 10. Whatever the command line asked for, a new document: the
    //    frame and the first open. Cancelled or refused: the program ends.
    if (!CreateFirstDocument())
        return false;
    // 7. The shell's way in: later starts hand their file over (the file
    //    type itself is registered by the installed desktop files). Only now
    //    that a document can take a file: one taken during the start's own
    //    open dialog would be lost when that dialog is cancelled, while a
    //    second start that finds nobody listening opens the file itself.
    if (!m_channelName.isEmpty()) {
        m_channel = std::make_unique<CInstanceChannel>(m_channelName);
        m_channel->Listen([this](const QString& path) { OnHandedOverFile(ToU16(path)); });
    }
    // 11. Shown, painted at once, open for dropped files.
    m_frame->show();
    m_frame->repaint();
    m_frame->setAcceptDrops(true);
    // Beyond the original start: work a crash or a killed session left
    // unsaved is offered back, and from now on kept against the next one.
    m_recovery = std::make_unique<CRecovery>(*m_document, CRecovery::DefaultFolder());
    m_recovery->OfferAtStart();
    return true;
}

bool CEditorApp::CreateFirstDocument()
{
    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, m_document.get())) {
        delete frame;
        return false;
    }
    m_frame = frame;
    m_pMainWnd = frame;
    QObject::connect(frame, &QObject::destroyed, [this] { m_pMainWnd = nullptr; });
    frame->SetOpenFileHandler([this](const std::u16string& path) { OpenDocumentFile(path); });
    m_document->SetTitleListener([this](const std::u16string& title) { OnDocumentTitle(title); });
    m_opening = true;
    const bool opened = m_document->OnNewDocument();
    m_opening = false;
    if (!opened) {
        m_startupFile.clear();
        delete frame;
        return false;
    }
    frame->InitialUpdate();
    return true;
}

void CEditorApp::OnDocumentTitle(const std::u16string& title)
{
    if (m_frame)
        m_frame->UpdateFrameTitle(title);
    if (m_document)
        m_recentFiles.Add(m_document->GetPathName());
}

void CEditorApp::OnHandedOverFile(const std::u16string& path)
{
    // Not in the middle of another open or a dialog: the file waits until
    // the editor is free again.
    if (m_opening || !m_frame || QApplication::activeModalWidget()) {
        QTimer::singleShot(kHandOverRetryMs, m_channel.get(), [this, path] { OnHandedOverFile(path); });
        return;
    }
    m_frame->raise();
    m_frame->activateWindow();
    OpenDocumentFile(path);
}

int CEditorApp::ExitInstance()
{
    // An orderly end comes after the save question: what was not saved, the
    // user chose to drop.
    if (m_recovery)
        m_recovery->Discard();
    m_recovery.reset();
    m_channel.reset();
    SetPrinterDefaults({});
    return __X_CWinApp::ExitInstance();
}

bool CEditorApp::OpenDocumentFile(const std::u16string& path)
{
    if (!m_document || path.empty())
        return false;
    if (m_opening)
        return false;
    m_opening = true;
    m_startupFile = path;
    const bool opened = m_document->OpenLanguage();
    m_opening = false;
    // A cancelled save question leaves the name unused: the next open asks again.
    m_startupFile.clear();
    return opened;
}

void CEditorApp::OnAppAbout()
{
    CAboutDlg dialog(m_frame);
    dialog.DoModal();
}

void CEditorApp::OnFileNew()
{
    if (!m_document || m_opening)
        return;
    m_opening = true;
    m_document->OnNewDocument();
    m_opening = false;
}

void CEditorApp::OnFileOpen()
{
    // The framework's open dialog with the document string's filter.
    const std::u16string filter = GetDocString(3) + u"|*" + GetDocString(4) + u"||";
    CFileDialog dialog(true, u"tra", u"*.tra", 0, filter, m_frame);
    dialog.SetTitle(TranslatedString(IDS_TITLE_OPEN_LANGUAGE));
    if (m_document)
        dialog.SetStartFolderOf(m_document->GetPathName());
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

QPrinter* CEditorApp::GetPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return m_printer.get();
}

CEditorApp::PrinterSetupResponder CEditorApp::SetPrinterSetupResponder(PrinterSetupResponder responder)
{
    return std::exchange(g_printerSetupResponder, std::move(responder));
}

void CEditorApp::OnFilePrintSetup()
{
    QPrinter& printer = *GetPrinter();
    if (g_printerSetupResponder) {
        g_printerSetupResponder(printer);
        return;
    }
    QPageSetupDialog dialog(&printer, m_frame);
    dialog.exec();
}
