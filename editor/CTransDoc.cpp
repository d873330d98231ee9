#include "CTransDoc.h"

#include "CBusyFeedback.h"
#include "CFileDialog.h"
#include "CFlagDialog.h"
#include "CFontsDialog.h"
#include "CImageBitmap.h"
#include "CMessageBox.h"
#include "CTextNode.h"
#include "CWinApp.h"
#include "LanguageFileIO.h"
#include "QtStrings.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QTimer>

namespace {

// The file dialogs' options, kept for the record; the platform's dialogs
// always hide the read-only box, check existence and ask before overwriting.
constexpr DWORD kHideReadOnly = 0x00000004;
constexpr DWORD kFileMustExist = 0x00001000;
constexpr DWORD kOverwritePrompt = 0x00000002;

constexpr char16_t kFilter[] = u"Glossmark (*.tra)|*.tra||";
constexpr int kFlagSide = CLanguageFile::kFlagSide;

QWidget* MainWindow()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

std::string FileSystemPath(const std::u16string& path)
{
    return QFile::encodeName(ToQString(path)).toStdString();
}

void ShowFileError(const FileError& error, const std::u16string& path)
{
    AfxMessageBox(ToU16(QString::fromLocal8Bit(error.Describe(FileSystemPath(path)))));
}

} // namespace

// The busy feedback of a long operation, and the document's busy mark for as
// long as it runs.
class CTransDoc::BusyScope {
public:
    BusyScope(CTransDoc& doc, unsigned commandId) : m_doc(doc), m_feedback(commandId)
    {
        ++m_doc.m_busy;
    }
    ~BusyScope() { --m_doc.m_busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ProgressCallback Progress() { return m_feedback.Progress(); }

private:
    CTransDoc& m_doc;
    CBusyFeedback m_feedback;
};

namespace {

// A writer that saves in several steps is given this long to finish.
constexpr int kSettleMs = 200;

} // namespace

CTransDoc::CTransDoc() : m_watcher(std::make_unique<QFileSystemWatcher>())
{
    RegisterCommands();
    QObject::connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, m_watcher.get(),
                     [this] { QTimer::singleShot(kSettleMs, m_watcher.get(), [this] { CheckFileOnDisk(); }); });
}

CTransDoc::~CTransDoc() = default;

void CTransDoc::RegisterCommands()
{
    AddCommand(ID_OPEN_LANGUAGE, [this] {
        if (OpenLanguage())
            UpdateAllViews(nullptr, kHintRebuild);
    });
    AddCommand(ID_SAVE_LANGUAGE, [this] { SaveLanguage(); });
    AddUpdateCommandUI(ID_SAVE_LANGUAGE, [this](CCmdUI& ui) { ui.Enable(m_modified); });
    // Ctrl+S reaches the framework's save, which would write no language: it
    // saves the language as the menu command does.
    AddCommand(ID_FILE_SAVE, [this] { SaveLanguage(); });
    AddUpdateCommandUI(ID_FILE_SAVE, [this](CCmdUI& ui) { ui.Enable(m_modified); });
    AddCommand(ID_SAVE_LANGUAGE_AS, [this] { SaveLanguageAs(); });
    AddCommand(ID_NEW_TRANSLATION, [this] { NewTranslation(); });
    AddCommand(ID_VERSION_UPDATE, [this] { VersionUpdate(); });
    AddCommand(ID_SHOW_FOREIGN, [this] { ShowForeign(); });
    AddCommand(ID_HIDE_FOREIGN, [this] { HideForeign(); });
    AddUpdateCommandUI(ID_HIDE_FOREIGN, [this](CCmdUI& ui) { ui.Enable(m_foreign != nullptr); });
    AddCommand(ID_CHOOSE_FLAG, [this] { ChooseFlag(); });
    AddCommand(ID_FONTS, [this] { ChooseFonts(); });
}

bool CTransDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument() || !OpenLanguage())
        return false;
    // Stands in for the framework's initial update of the views.
    UpdateAllViews(nullptr, kHintRebuild);
    return true;
}

bool CTransDoc::OnOpenDocument(const std::u16string& /*path*/) { return true; }

bool CTransDoc::SaveModified() { return AskSave(); }

// Every operation that could change or replace the language refuses while
// the document is busy too: not all of them come as commands (a file
// dropped on the window or handed over by a second start).
bool CTransDoc::OnCmdMsg(UINT id, int code, CCmdUI* ui)
{
    if (IsBusy()) {
        // Handled, and so refused: no other target may run it either.
        if (code == CN_UPDATE_COMMAND_UI && ui)
            ui->Enable(false);
        return true;
    }
    return CDocument::OnCmdMsg(id, code, ui);
}

void CTransDoc::TakeStamp()
{
    m_stampPath = m_path;
    m_stamp = CFileStamp::Of(FileSystemPath(m_path));
    // A file saved by renaming over it is a new one to the watcher.
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (m_stamp.Exists())
        m_watcher->addPath(ToQString(m_path));
}

void CTransDoc::CheckFileOnDisk()
{
    if (m_stampPath != m_path || !m_stamp.Exists() || IsBusy() || m_askingAboutFile)
        return;
    if (m_watcher->files().isEmpty())
        m_watcher->addPath(ToQString(m_path));
    // Our own save took the stamp of what it wrote: nothing to ask.
    const CFileStamp now = CFileStamp::Of(FileSystemPath(m_path));
    if (!now.Exists() || now == m_stamp || now == m_declined)
        return;
    // Unchanged: "reload it?"; changed here: "keep your changes?".
    const bool modified = m_modified;
    std::u16string question;
    FormatTranslated(question, modified ? IDS_FILE_CHANGED_KEEP : IDS_FILE_CHANGED_RELOAD, m_path);
    m_askingAboutFile = true;
    const int answer = AfxMessageBox(question, MB_YESNO);
    m_askingAboutFile = false;
    // Kept, the old stamp stays: a save still asks before writing over the file.
    if (modified ? answer == IDNO : answer == IDYES)
        Reload();
    else
        m_declined = now;
}

void CTransDoc::Reload()
{
    std::unique_ptr<CLanguageFile> language = ReadChosenFile(m_path, false, ID_OPEN_LANGUAGE);
    if (!language)
        return;
    m_language = std::move(language);
    if (m_foreign)
        m_foreign->TakeStructureFrom(*m_language);
    m_modified = false;
    TakeStamp();
    UpdateTitle();
    UpdateAllViews(nullptr, kHintRebuild);
}

bool CTransDoc::MayOverwrite(bool& saved)
{
    saved = false;
    if (m_stampPath != m_path || !m_stamp.Exists())
        return true;
    const CFileStamp now = CFileStamp::Of(FileSystemPath(m_path));
    if (!now.Exists() || now == m_stamp)
        return true;
    std::u16string question;
    FormatTranslated(question, IDS_FILE_CHANGED, m_path);
    switch (AfxMessageBox(question, MB_YESNOCANCEL)) {
    case IDYES: return true;
    case IDNO: saved = SaveLanguageAs(); return false;
    default: return false;
    }
}

void CTransDoc::RestoreLanguage(std::unique_ptr<CLanguageFile> language, const std::u16string& path)
{
    if (!language || IsBusy())
        return;
    UpdateAllViews(nullptr, kHintStoreEdits);
    m_language = std::move(language);
    m_foreign.reset();
    m_path = path;
    // The file is as it was when the work was lost: saving over it is what the user wants.
    TakeStamp();
    m_modified = true;
    UpdateTitle();
    UpdateAllViews(nullptr, kHintRebuild);
}

CTextNode* CTransDoc::GetRoot() const { return m_language ? m_language->GetRoot() : nullptr; }

CTextNode* CTransDoc::GetForeignRoot() const { return m_foreign ? m_foreign->GetRoot() : nullptr; }

std::u16string CTransDoc::GetProgramName() const
{
    return m_language ? m_language->GetProgramName() : std::u16string();
}

std::u16string CTransDoc::GetVersion() const
{
    return m_language ? m_language->GetProgramVersion() : std::u16string();
}

std::u16string CTransDoc::GetLanguageName() const
{
    return m_language ? m_language->GetLanguageName() : std::u16string();
}

std::u16string CTransDoc::GetForeignLanguageName() const
{
    return m_foreign ? m_foreign->GetLanguageName() : std::u16string();
}

bool CTransDoc::IsOriginal() const { return !m_language || m_language->IsOriginal(); }

void CTransDoc::SetLanguageName(const std::u16string& text)
{
    if (IsBusy())
        return;
    if (m_language)
        m_language->SetLanguageName(text);
}

void CTransDoc::SetModified()
{
    m_modified = true;
    UpdateTitle();
}

void CTransDoc::UpdateTitle()
{
    const auto slash = m_path.find_last_of(u"/\\");
    const std::u16string name = slash == std::u16string::npos ? m_path : m_path.substr(slash + 1);
    std::u16string title;
    FormatTranslated(title, IDS_TITLE_FORMAT, name);
    if (m_modified)
        title += u'*';
    if (IsOriginal())
        title += u' ' + TranslatedString(IDS_ORIGINAL_MARK);
    SetTitle(title);
    if (m_stateListener)
        m_stateListener();
}

bool CTransDoc::AskSave()
{
    if (IsBusy())
        return false;
    if (!m_modified)
        return true;
    switch (TranslatedMessageBox(IDS_ASK_SAVE, MB_YESNOCANCEL)) {
    case IDCANCEL: return false;
    case IDNO: return true;
    default: break;
    }
    // Only a save that happened lets the caller go on: a cancelled save
    // dialog (unlike the framework's rule) or a failed write would otherwise
    // drop the changes the user just asked to keep.
    return m_path.empty() ? SaveLanguageAs() : SaveLanguage();
}

void CTransDoc::AskNewFromOriginal()
{
    if (IsBusy())
        return;
    if (TranslatedMessageBox(IDS_ASK_NEW_FROM_ORIGINAL, MB_YESNO) == IDYES)
        NewTranslation();
}

std::u16string CTransDoc::AskForPath(bool open, unsigned titleId, const std::u16string& start) const
{
    const DWORD flags = kHideReadOnly | (open ? kFileMustExist : kOverwritePrompt);
    CFileDialog dialog(open, u"tra", start.empty() ? u"*.tra" : start, flags, kFilter, MainWindow());
    dialog.SetTitle(TranslatedString(titleId));
    dialog.SetStartFolderOf(GetPathName());
    if (dialog.DoModal() != IDOK)
        return {};
    return dialog.GetPathName();
}

std::unique_ptr<CLanguageFile> CTransDoc::ReadChosenFile(const std::u16string& path,
                                                         bool checkProgram, unsigned commandId)
{
    ReadOutcome outcome;
    {
        BusyScope busy(*this, commandId);
        outcome = ReadLanguageFile(FileSystemPath(path), ReadDepth::Whole, busy.Progress());
    }
    if (outcome.error) {
        ShowFileError(outcome.error, path);
        return nullptr;
    }
    if (outcome.wrongMagic)
        AfxMessageBox(kCorruptFileMessage);
    if (!outcome.language || !outcome.language->GetRoot()) {
        TranslatedMessageBox(IDS_INVALID_FILE);
        return nullptr;
    }
    if (checkProgram && outcome.language->GetProgramName() != GetProgramName()) {
        TranslatedMessageBox(IDS_OTHER_PROGRAM);
        return nullptr;
    }
    return std::move(outcome.language);
}

std::unique_ptr<CLanguageFile> CTransDoc::ChooseFileOfThisProgram(unsigned titleId,
                                                                  unsigned commandId)
{
    const std::u16string path = AskForPath(true, titleId);
    if (path.empty())
        return nullptr;
    UpdateAllViews(nullptr, kHintStoreEdits);
    return ReadChosenFile(path, true, commandId);
}

bool CTransDoc::OpenLanguage()
{
    if (IsBusy())
        return false;
    if (!AskSave())
        return false;
    std::u16string path;
    if (m_startupFile && !m_startupFile->empty()) {
        path = std::move(*m_startupFile);
        m_startupFile->clear();
    } else {
        path = AskForPath(true, IDS_TITLE_OPEN_LANGUAGE);
        if (path.empty())
            return false;
    }
    std::unique_ptr<CLanguageFile> language = ReadChosenFile(path, false, ID_OPEN_LANGUAGE);
    if (!language)
        return false;
    m_path = path;
    m_language = std::move(language);
    m_foreign.reset();
    m_modified = false;
    TakeStamp();
    UpdateTitle();
    UpdateAllViews(nullptr, kHintRedraw);
    return true;
}

bool CTransDoc::SaveLanguage()
{
    if (m_path.empty())
        return SaveLanguageAs();
    if (!m_language || IsBusy())
        return false;
    if (bool saved = false; !MayOverwrite(saved))
        return saved;
    UpdateAllViews(nullptr, kHintStoreEdits);
    FileError error;
    {
        BusyScope busy(*this, ID_SAVE_LANGUAGE);
        error = WriteLanguageFile(*m_language, FileSystemPath(m_path), busy.Progress());
    }
    if (error) {
        // The title names the file the next save goes to.
        UpdateTitle();
        ShowFileError(error, m_path);
        return false;
    }
    m_modified = false;
    TakeStamp();
    UpdateTitle();
    return true;
}

bool CTransDoc::SaveLanguageAs()
{
    if (IsBusy())
        return false;
    // In the file's own folder, with its name, when it has one.
    const std::u16string path = AskForPath(false, IDS_TITLE_SAVE_LANGUAGE, m_path);
    if (path.empty())
        return false;
    m_path = path;
    return SaveLanguage();
}

void CTransDoc::NewTranslation()
{
    if (IsBusy())
        return;
    if (!AskSave() || !m_language)
        return;
    UpdateAllViews(nullptr, kHintStoreEdits);
    {
        BusyScope busy(*this, ID_NEW_TRANSLATION);
        m_foreign = m_language->Copy();
    }
    std::u16string name;
    FormatTranslated(name, IDS_NEW_LANGUAGE_NAME, m_newTranslationNumber);
    m_language->StartTranslation(std::move(name));
    m_path.clear();
    UpdateAllViews(nullptr, kHintRebuild);
    ChooseFlag();
    UpdateAllViews(nullptr, kHintRedraw);
    m_modified = true;
    UpdateTitle();
}

void CTransDoc::VersionUpdate()
{
    if (IsBusy())
        return;
    if (!AskSave() || !m_language)
        return;
    std::unique_ptr<CLanguageFile> newer =
        ChooseFileOfThisProgram(IDS_TITLE_VERSION_UPDATE, ID_VERSION_UPDATE);
    if (!newer)
        return;
    {
        BusyScope busy(*this, ID_VERSION_UPDATE);
        m_language->TakeStructureFrom(*newer);
    }
    m_foreign = std::move(newer);
    // Modified even when every text matched: the language has no file now
    // and carries the new version number, which must not be dropped unasked.
    m_modified = true;
    m_path.clear();
    UpdateTitle();
    UpdateAllViews(nullptr, kHintRebuild);
}

void CTransDoc::ShowForeign()
{
    if (IsBusy())
        return;
    if (!m_language)
        return;
    std::unique_ptr<CLanguageFile> foreign =
        ChooseFileOfThisProgram(IDS_TITLE_SHOW_FOREIGN, ID_SHOW_FOREIGN);
    if (!foreign)
        return;
    bool changed = false;
    {
        BusyScope busy(*this, ID_SHOW_FOREIGN);
        changed = foreign->TakeStructureFrom(*m_language);
    }
    if (changed)
        TranslatedMessageBox(IDS_OTHER_VERSION);
    m_foreign = std::move(foreign);
    UpdateAllViews(nullptr, kHintRebuild);
    UpdateAllViews(nullptr, kHintRedraw);
}

void CTransDoc::HideForeign()
{
    if (IsBusy())
        return;
    UpdateAllViews(nullptr, kHintStoreEdits);
    m_foreign.reset();
    UpdateAllViews(nullptr, kHintRebuild);
    UpdateAllViews(nullptr, kHintRedraw);
}

void CTransDoc::ChooseFlag()
{
    if (IsBusy())
        return;
    if (IsOriginal()) {
        AskNewFromOriginal();
        return;
    }
    CFlagDialog dialog(MainWindow());
    if (dialog.DoModal() != IDOK || dialog.GetChosenFlag() < 0)
        return;
    m_pendingFlag = dialog.GetChosenFlag();
    UpdateAllViews(nullptr, kHintApplyFlag);
}

void CTransDoc::ApplyFlag(const CDeviceContext& dc)
{
    if (IsBusy())
        return;
    CImageBitmap strip;
    if (!strip.LoadBitmap(IDB_FLAG_STRIP))
        return;
    const int index = std::exchange(m_pendingFlag, -1);
    // No flag chosen, or one the strip does not hold: the flag stays.
    if (!m_language || index < 0 || (index + 1) * kFlagSide > strip.Width() ||
        strip.Height() < kFlagSide)
        return;
    m_language->SetFlagFromBitmap(dc, strip, index * kFlagSide, 0);
    UpdateAllViews(nullptr, kHintRedraw);
    m_modified = true;
    UpdateTitle();
}

void CTransDoc::ChooseFonts()
{
    if (IsBusy())
        return;
    CFontsDialog dialog(MainWindow());
    if (dialog.DoModal() == IDOK) {
        UpdateAllViews(nullptr, kHintStoreEdits);
        UpdateAllViews(nullptr, kHintRelayout);
    }
}
