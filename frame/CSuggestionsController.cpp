#include "CSuggestionsController.h"

#include "CLanguageSwitchNotifier.h"
#include "CMainFrame.h"
#include "CMyEditView.h"
#include "CProblemsController.h"
#include "CTextNode.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "LanguageCodes.h"
#include "MatchTokens.h"
#include "QtStrings.h"
#include "SizeLimit.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QDockWidget>
#include <QFileInfo>

#include <algorithm>

namespace {

// The file name of a path (the memory keeps paths as UTF-8).
std::u16string FileNameOf(const QString& path)
{
    return ToU16(QFileInfo(path).fileName());
}

// The texts of the same original that are looked at for guesses.
constexpr std::size_t kGuessCandidates = 64;

// The checks whose failure would break the program that loads the file.
bool Refuses(checks::CheckId check)
{
    return check == checks::CheckId::Format || check == checks::CheckId::Accelerator ||
           check == checks::CheckId::Width;
}

} // namespace

CSuggestionsController::CSuggestionsController(CMainFrame& frame, std::string databasePath)
    : QObject(&frame), m_frame(frame), m_pane(new CSuggestionsPane),
      m_checker({size_limit::IsSizeLimitedKind, size_limit::Fits}),
      m_worker(std::move(databasePath), this, [this](const SuggestionReply& reply) { OnReply(reply); })
{
    m_dock = frame.AddDockPane(m_pane, {}, Qt::BottomDockWidgetArea, ID_VIEW_SUGGESTIONS);
    m_dock->setObjectName(QStringLiteral("SuggestionsDock"));
    // Beside the problems, so the text tree keeps its height.
    if (CProblemsController* problems = frame.GetProblems())
        frame.splitDockWidget(problems->GetDock(), m_dock, Qt::Horizontal);
    LoadTexts();
    // The problems and the message are texts of the user-interface language.
    connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched, this,
            [this] {
                LoadTexts();
                Refresh();
            });
    connect(m_pane, &CSuggestionsPane::EntryActivated, this, &CSuggestionsController::UseSuggestion);
    // Nothing is looked up while the dock is closed: on opening it catches up.
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            Refresh();
    });
    if (CMyEditView* view = frame.GetEditView()) {
        connect(view, &CMyEditView::RowsRebuilt, this, [this] {
            m_indexBuilt = false;
            m_byOriginal.clear();
            Refresh();
        });
        // Also told when the row stays (the position pane is written anew).
        connect(view, &CMyEditView::CurrentRowChanged, this, [this] {
            if (!m_dock->isHidden() && CurrentNode() != m_node)
                Refresh();
        });
    }
    if (CTransDoc* doc = frame.GetDocument())
        connect(doc, &CTransDoc::Changed, this, &CSuggestionsController::OnDocumentChanged);
    AddCommandRange(ID_USE_SUGGESTION_1, ID_USE_SUGGESTION_9,
                    [this](UINT id) { UseSuggestion(int(id - ID_USE_SUGGESTION_1)); });
}

CSuggestionsController::~CSuggestionsController() = default;

void CSuggestionsController::LoadTexts()
{
    QStringList headers;
    for (unsigned id : {IDS_SUGGESTIONS_NUMBER, IDS_SUGGESTIONS_SCORE, IDS_SUGGESTIONS_TEXT,
                        IDS_SUGGESTIONS_ORIGINAL, IDS_SUGGESTIONS_FILE, IDS_SUGGESTIONS_PROBLEM})
        headers << ToQString(TranslatedString(id));
    const QString title = ToQString(TranslatedString(IDS_SUGGESTIONS_TITLE));
    m_pane->SetHeaders(headers, title);
    m_dock->setWindowTitle(title);
}

CTextNode* CSuggestionsController::CurrentNode() const
{
    const CMyEditView* view = m_frame.GetEditView();
    const CTextRow* row = view ? view->GetRow(view->GetCurrentRow()) : nullptr;
    // The top nodes ("Dialoge", ...) are no texts of the program.
    CTextNode* node = row ? row->node : nullptr;
    return node && node->parent && node->parent->parent ? node : nullptr;
}

void CSuggestionsController::Refresh()
{
    ++m_sequence;
    m_armed = -1;
    m_entries.clear();
    m_lookingUp = false;
    const CTransDoc* doc = m_frame.GetDocument();
    m_node = m_dock->isHidden() || !doc ? nullptr : CurrentNode();
    if (m_node) {
        AddGuesses(*m_node);
        const std::string language = language_codes::FromName(doc->GetLanguageName());
        if (!language.empty()) {
            m_lookingUp = true;
            m_worker.Request(m_sequence, m_node->originalText.str(), language, kMaxSuggestions);
        }
    }
    ShowEntries();
}

void CSuggestionsController::OnReply(const SuggestionReply& reply)
{
    if (reply.sequence != m_sequence || !m_node)
        return; // another text is current by now
    m_lookingUp = false;
    m_memoryError = ToU16(QString::fromStdString(reply.error));
    for (const memory::Match& match : reply.matches) {
        std::u16string text = memory::AdaptTranslation(match.original, match.translation,
                                                       m_node->originalText.view());
        AddEntry(match.score, std::move(text), match.original,
                 FileNameOf(QString::fromStdString(match.file)));
    }
    ShowEntries();
}

void CSuggestionsController::AddGuesses(const CTextNode& node)
{
    if (!m_indexBuilt) {
        // Every text below the top nodes, in tree order.
        std::vector<const CTextNode*> pending;
        if (const CTextNode* root = m_frame.GetDocument()->GetRoot()) {
            for (std::int32_t t = root->ChildCount(); t-- > 0;)
                for (std::int32_t i = root->GetChild(t)->ChildCount(); i-- > 0;)
                    pending.push_back(root->GetChild(t)->GetChild(i));
        }
        while (!pending.empty()) {
            const CTextNode* text = pending.back();
            pending.pop_back();
            if (!text->originalText.empty())
                m_byOriginal[text->originalText.view()].push_back(text);
            for (std::int32_t i = text->ChildCount(); i-- > 0;)
                pending.push_back(text->GetChild(i));
        }
        m_indexBuilt = true;
    }
    const auto same = m_byOriginal.find(node.originalText.view());
    if (same == m_byOriginal.end())
        return;
    const std::u16string file = FileNameOf(ToQString(m_frame.GetDocument()->GetPathName()));
    // "OK" stands in thousands of dialogs of a large file, mostly translated
    // alike: the first texts of that original are enough, and going to
    // another text costs the same in a file of any size.
    const std::size_t count = std::min(same->second.size(), kGuessCandidates);
    for (std::size_t i = 0; i < count; ++i) {
        const CTextNode* other = same->second[i];
        const bool done = other->editState < 3;
        if (other != &node && done && !other->translatedText.empty())
            AddEntry(100, other->translatedText.str(), node.originalText.view(), file);
    }
}

void CSuggestionsController::AddEntry(int score, std::u16string text, std::u16string_view original,
                                      std::u16string file)
{
    if (int(m_entries.size()) >= kMaxSuggestions ||
        std::any_of(m_entries.begin(), m_entries.end(),
                    [&](const SuggestionEntry& entry) { return entry.text == text; }))
        return;
    SuggestionEntry& entry = m_entries.emplace_back();
    entry.score = score;
    entry.problem = ProblemOf(*m_node, text);
    entry.text = std::move(text);
    entry.original = std::u16string(original);
    entry.differences = DifferingWords(original, m_node->originalText.view());
    entry.file = std::move(file);
}

std::u16string CSuggestionsController::ProblemOf(const CTextNode& node, const std::u16string& text)
{
    m_checker.SetTextSource([&](const CTextNode& other) {
        return &other == &node ? text : std::u16string(other.translatedText);
    });
    for (const checks::NodeProblems& entry : m_checker.Recheck(node)) {
        if (entry.node != &node)
            continue;
        for (const checks::TranslationProblem& problem : entry.problems) {
            if (Refuses(problem.check))
                return CProblemsController::MessageOf(problem);
        }
    }
    return {};
}

void CSuggestionsController::ShowEntries()
{
    m_pane->SetEntries(m_entries);
    std::u16string message;
    if (!m_memoryError.empty())
        FormatTranslated(message, IDS_SUGGESTIONS_NO_MEMORY, m_memoryError);
    m_pane->SetMessage(ToQString(message));
}

void CSuggestionsController::OnDocumentChanged(const CDocChange& change)
{
    if (!m_node || m_dock->isHidden())
        return;
    if (change.Has(CDocChange::Everything))
        return; // the view's rebuild refreshes
    // A guess appears or goes when another text with the same original
    // changes; the current text's own typing changes none.
    bool affected = change.Has(CDocChange::Header) ||
                    (change.Has(CDocChange::States) && change.texts.empty());
    for (const CTextNode* node : change.texts)
        affected = affected || (node != m_node && node->originalText == m_node->originalText);
    if (affected)
        Refresh();
}

bool CSuggestionsController::UseSuggestion(int index)
{
    CTransDoc* doc = m_frame.GetDocument();
    CTextNode* node = CurrentNode();
    if (!doc || !node || node != m_node || m_dock->isHidden() || index < 0 || index >= int(m_entries.size()))
        return false;
    const SuggestionEntry& entry = m_entries[std::size_t(index)];
    if (!entry.problem.empty() && m_armed != index) {
        // Never in by accident: the user hears why and chooses it again.
        m_armed = index;
        std::u16string message;
        FormatTranslated(message, IDS_SUGGESTIONS_CONFIRM, index + 1, entry.problem);
        m_frame.SetMessageText(message);
        return false;
    }
    m_armed = -1;
    // Whole, even when too wide: the problems pane then shows it, nothing is cut.
    const std::u16string text = entry.text;
    const auto kind = entry.score >= 100 ? CTransDoc::TextEditKind::Suggestion
                                         : CTransDoc::TextEditKind::FuzzySuggestion;
    return doc->EditText(node, text, kind, 0, std::int32_t(text.size()));
}
