#include "CMemoryController.h"

#include "CFileDialog.h"
#include "CLanguageSwitchNotifier.h"
#include "CMainFrame.h"
#include "CMemoryFeeder.h"
#include "CMessageBox.h"
#include "CProgressCount.h"
#include "CStatusBar.h"
#include "CTextNode.h"
#include "CTransDoc.h"
#include "CTranslationChecker.h"
#include "LanguageCodes.h"
#include "MemoryFill.h"
#include "MemoryImport.h"
#include "QtStrings.h"
#include "SizeLimit.h"
#include "TmxFile.h"
#include "TranslatedStrings.h"
#include "UiLanguage.h"
#include "WholeFile.h"
#include "resource.h"

#include <QFile>
#include <QLabel>
#include <QLocale>

namespace {

constexpr DWORD kOpenFlags = 0x00000004 | 0x00001000;   // hide read-only, file must exist
constexpr DWORD kSaveFlags = 0x00000004 | 0x00000002;   // hide read-only, ask before overwriting
constexpr char16_t kImportFilter[] =
    u"Glossmark, PO, XLIFF, TMX (*.tra *.po *.xlf *.xliff *.tmx)|*.tra;*.po;*.xlf;*.xliff;*.tmx||";
constexpr char16_t kExportFilter[] = u"TMX (*.tmx)|*.tmx||";

std::string FileSystemPath(const std::u16string& path)
{
    return QFile::encodeName(ToQString(path)).toStdString();
}

std::u16string FromUtf8(const std::string& text) { return ToU16(QString::fromStdString(text)); }

} // namespace

CMemoryController::CMemoryController(CMainFrame& frame)
    : QObject(&frame), m_frame(frame),
      m_feeder(new CMemoryFeeder(Doc(), memory::CTranslationMemory::DefaultPath(), this)),
      m_progress(new CProgressCount(Doc(), this)), m_progressPane(new QLabel(&frame))
{
    // Said once: the editor goes on without the memory, and saves as ever.
    connect(m_feeder, &CMemoryFeeder::Unavailable, this,
            [this](const QString& why) { ShowError(IDS_MEMORY_UNAVAILABLE, ToU16(why)); });

    m_progressPane->setTextFormat(Qt::PlainText);
    m_progressPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (CStatusBar* bar = frame.GetStatusBar())
        bar->insertPermanentWidget(1, m_progressPane); // after the message, before the position
    connect(m_progress, &CProgressCount::CountChanged, this, &CMemoryController::ShowProgress);
    connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched, this,
            &CMemoryController::ShowProgress);
    ShowProgress();

    AddCommand(ID_FILL_FROM_MEMORY, [this] { FillFromMemory(); });
    AddCommand(ID_MEMORY_IMPORT, [this] { Import(); });
    AddCommand(ID_MEMORY_EXPORT, [this] { Export(); });
    AddCommand(ID_MEMORY_REMOVE_FILE, [this] { RemoveEntries(false); });
    AddCommand(ID_MEMORY_REMOVE_PROGRAM, [this] { RemoveEntries(true); });
    const auto idle = [this](CCmdUI& ui) { ui.Enable(!Doc().IsBusy()); };
    AddUpdateCommandUI(ID_MEMORY_IMPORT, idle);
    AddUpdateCommandUI(ID_MEMORY_EXPORT, idle);
    AddUpdateCommandUI(ID_FILL_FROM_MEMORY,
                       [this](CCmdUI& ui) { ui.Enable(HasLanguage() && !Doc().IsOriginal()); });
    AddUpdateCommandUI(ID_MEMORY_REMOVE_FILE,
                       [this](CCmdUI& ui) { ui.Enable(HasLanguage() && !Doc().GetPathName().empty()); });
    AddUpdateCommandUI(ID_MEMORY_REMOVE_PROGRAM, [this](CCmdUI& ui) { ui.Enable(HasLanguage()); });
}

CMemoryController::~CMemoryController() = default;

CTransDoc& CMemoryController::Doc() const { return *m_frame.GetDocument(); }

bool CMemoryController::HasLanguage() const { return Doc().GetLanguage() && !Doc().IsBusy(); }

std::u16string CMemoryController::ProgressText() const { return ToU16(m_progressPane->text()); }

void CMemoryController::ShowProgress()
{
    if (!Doc().GetLanguage()) {
        m_progressPane->clear();
        return;
    }
    // Digits grouped as the user-interface language groups them.
    LanguageInfo info;
    const std::string code = GetCurrentLanguageInfo(info) ? language_codes::FromName(info.languageName) : "de";
    const QLocale locale(QString::fromStdString(code.empty() ? "de" : code));
    std::u16string text;
    FormatTranslated(text, IDS_PROGRESS, ToU16(locale.toString(qlonglong(m_progress->Done()))),
                     ToU16(locale.toString(qlonglong(m_progress->Total()))));
    m_progressPane->setText(ToQString(text));
}

void CMemoryController::ShowError(unsigned formatId, const std::u16string& detail) const
{
    std::u16string text;
    FormatTranslated(text, formatId, detail);
    AfxMessageBox(text, MB_OK);
}

std::unique_ptr<memory::CTranslationMemory> CMemoryController::OpenMemory() const
{
    std::string error;
    auto memory = memory::CTranslationMemory::Open(m_feeder->DatabasePath(), error);
    if (!memory)
        ShowError(IDS_MEMORY_ERROR, FromUtf8(error));
    return memory;
}

int CMemoryController::FillFromMemory()
{
    CTextNode* root = Doc().GetRoot();
    if (!HasLanguage() || Doc().IsOriginal() || !root)
        return -1;
    const std::string target = CMemoryFeeder::TargetLanguage(Doc());
    if (target.empty()) {
        ShowError(IDS_MEMORY_NO_CODE, Doc().GetLanguageName());
        return -1;
    }
    const auto memory = OpenMemory();
    if (!memory)
        return -1;
    // The in-place editor's width rule: a translation it would refuse is not filled.
    const checks::SizeRule rule{size_limit::IsSizeLimitedKind, size_limit::Fits};
    std::vector<memory::Fill> fills;
    const std::string error = memory::FindFills(
        *memory, *root, target,
        [&rule](const CTextNode& node, std::u16string_view text) {
            return checks::FitsSizeRule(rule, node.kindCode, node.width, text);
        },
        fills);
    if (!error.empty()) {
        ShowError(IDS_MEMORY_ERROR, FromUtf8(error));
        return -1;
    }
    std::vector<CTransDoc::TextEdit> edits;
    edits.reserve(fills.size());
    for (memory::Fill& fill : fills)
        edits.push_back({fill.node, std::move(fill.translation)});
    const int filled = int(edits.size());
    Doc().FillTexts(std::move(edits));
    std::u16string text;
    FormatTranslated(text, IDS_MEMORY_FILLED, filled);
    m_frame.SetMessageText(text);
    return filled;
}

void CMemoryController::Import()
{
    CFileDialog dialog(true, {}, {}, kOpenFlags, kImportFilter, &m_frame);
    dialog.SetTitle(TranslatedString(IDS_MEMORY_IMPORT_TITLE));
    dialog.SetStartFolderOf(Doc().GetPathName());
    if (dialog.DoModal() != IDOK)
        return;
    const std::u16string path = dialog.GetPathName();
    // The whole file is read before the memory is touched: a bad one adds nothing.
    std::vector<memory::Pair> pairs;
    if (const std::string error = memory::ReadPairsOfFile(FileSystemPath(path), {}, {}, pairs); !error.empty()) {
        std::u16string text;
        FormatTranslated(text, IDS_MEMORY_IMPORT_FAILED, path, FromUtf8(error));
        AfxMessageBox(text, MB_OK);
        return;
    }
    const auto memory = OpenMemory();
    if (!memory)
        return;
    memory::AddCounts counts;
    if (const std::string error = memory->Add(pairs, counts); !error.empty()) {
        ShowError(IDS_MEMORY_ERROR, FromUtf8(error));
        return;
    }
    std::u16string text;
    FormatTranslated(text, IDS_MEMORY_IMPORTED, dialog.GetFileName(), int(counts.added), int(counts.present));
    AfxMessageBox(text, MB_OK);
}

void CMemoryController::Export()
{
    CFileDialog dialog(false, u"tmx", u"*.tmx", kSaveFlags, kExportFilter, &m_frame);
    dialog.SetTitle(TranslatedString(IDS_MEMORY_EXPORT_TITLE));
    dialog.SetStartFolderOf(Doc().GetPathName());
    if (dialog.DoModal() != IDOK)
        return;
    const auto memory = OpenMemory();
    if (!memory)
        return;
    std::string tmx;
    std::string error = memory::ExportTmx(*memory, tmx);
    if (error.empty()) {
        if (const FileError written = WriteWholeFile(FileSystemPath(dialog.GetPathName()), tmx))
            error = written.Describe(FileSystemPath(dialog.GetPathName()));
    }
    if (!error.empty()) {
        ShowError(IDS_MEMORY_ERROR, FromUtf8(error));
        return;
    }
    std::u16string text;
    FormatTranslated(text, IDS_MEMORY_EXPORTED, dialog.GetPathName());
    m_frame.SetMessageText(text);
}

void CMemoryController::RemoveEntries(bool ofProgram)
{
    if (!HasLanguage())
        return;
    // What the worker still writes would come back after the removal.
    m_feeder->Flush();
    const auto memory = OpenMemory();
    if (!memory)
        return;
    std::uint64_t removed = 0;
    const std::string error = ofProgram ? memory->Remove(std::u16string_view(Doc().GetProgramName()), removed)
                                        : memory->Remove(std::string_view(CMemoryFeeder::FileOf(Doc())), removed);
    if (!error.empty()) {
        ShowError(IDS_MEMORY_ERROR, FromUtf8(error));
        return;
    }
    std::u16string text;
    FormatTranslated(text, IDS_MEMORY_REMOVED, int(removed));
    m_frame.SetMessageText(text);
}
