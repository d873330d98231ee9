#include "CProblemsController.h"

#include "CDocSpelling.h"
#include "CLanguageSwitchNotifier.h"
#include "CMainFrame.h"
#include "CMyEditView.h"
#include "CProblemList.h"
#include "CProblemsPane.h"
#include "CTextNode.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "QtStrings.h"
#include "SizeLimit.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QDockWidget>
#include <QTreeView>

#include <iterator>
#include <map>
#include <unordered_map>

namespace {

// Texts of a path or message on one line of the list.
std::u16string OneLine(std::u16string text)
{
    for (char16_t& c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return text;
}

} // namespace

CProblemsController::CProblemsController(CMainFrame& frame)
    : QObject(&frame), m_frame(frame),
      m_checker({size_limit::IsSizeLimitedKind, size_limit::Fits}),
      m_list(new CProblemList(this)), m_pane(new CProblemsPane(m_list))
{
    m_list->SetDescribers(
        [](const checks::TranslationProblem& p) { return ToQString(OneLine(PathOf(p))); },
        [](const checks::TranslationProblem& p) { return ToQString(OneLine(MessageOf(p))); });
    m_dock = frame.AddDockPane(m_pane, {}, Qt::BottomDockWidgetArea, ID_VIEW_PROBLEMS);
    m_dock->setObjectName(QStringLiteral("ProblemsDock"));
    LoadTexts();
    // The trackers know neither the dock's title nor the list's texts.
    connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched, this,
            [this] {
                LoadTexts();
                m_list->DescriptionsChanged();
                ShowStatus();
            });

    connect(m_pane, &CProblemsPane::ProblemActivated, this, &CProblemsController::GoToProblem);
    // The list is in the order of the view's rows: a rebuilt view is checked
    // whole; changed texts are checked from the document's model.
    if (CMyEditView* view = View()) {
        connect(view, &CMyEditView::RowsRebuilt, this, &CProblemsController::CheckAll);
        connect(view, &CMyEditView::CurrentRowChanged, this, &CProblemsController::ShowStatus);
    }
    if (CTransDoc* doc = frame.GetDocument()) {
        connect(doc, &CTransDoc::Changed, this, &CProblemsController::OnDocumentChanged);
        CDocSpelling* spelling = &CDocSpelling::Of(*doc);
        m_spellRule = [spelling](std::u16string_view text) {
            const auto speller = spelling->Speller();
            return speller ? speller->Misspelt(text) : std::vector<TextRange>();
        };
        m_checker.SetSpellRule(m_spellRule);
        connect(spelling, &CDocSpelling::SpellingChanged, this,
                &CProblemsController::StartSpellingRun);
    }

    AddCommand(ID_NEXT_PROBLEM, [this] { GoToNext(); });
    AddCommand(ID_PREV_PROBLEM, [this] { GoToPrevious(); });
    for (UINT id : {ID_NEXT_PROBLEM, ID_PREV_PROBLEM})
        AddUpdateCommandUI(id, [this](CCmdUI& ui) { ui.Enable(m_list->ProblemCount() > 0); });
}

CProblemsController::~CProblemsController()
{
    // Its thread reads nothing of ours, but its result would come to us.
    m_spellingRun.Stop();
}

void CProblemsController::LoadTexts()
{
    std::u16string path;
    std::u16string message;
    std::u16string title;
    LoadTranslatedString(path, IDS_PROBLEMS_PATH);
    LoadTranslatedString(message, IDS_PROBLEMS_MESSAGE);
    LoadTranslatedString(title, IDS_PROBLEMS_TITLE);
    m_list->SetHeaders(ToQString(path), ToQString(message));
    m_dock->setWindowTitle(ToQString(title));
    // A screen reader names the list by the dock's title.
    m_pane->GetListView()->setAccessibleName(ToQString(title));
}

CMyEditView* CProblemsController::View() const { return m_frame.GetEditView(); }

void CProblemsController::CheckAll()
{
    CMyEditView* view = View();
    CTransDoc* doc = view ? view->GetDocument() : nullptr;
    CTextNode* root = doc ? doc->GetRoot() : nullptr;
    std::vector<std::pair<int, checks::TranslationProblem>> problems;
    if (root) {
        // The view's rows are the nodes in depth-first order without the root.
        // Spelling a large file would stall the window: it runs apart.
        m_checker.SetSpellRule({});
        m_checker.CheckTree(*root, [&](const checks::TranslationProblem& problem,
                                       const checks::WalkPosition& position) {
            problems.emplace_back(int(position.order - 1), problem);
        });
        m_checker.SetSpellRule(m_spellRule);
    }
    m_list->Reset(view ? view->GetRowCount() : 0, std::move(problems));
    ShowStatus();
    StartSpellingRun();
}

void CProblemsController::StartSpellingRun()
{
    m_spellingRun.Stop();
    m_typedDuringRun.clear();
    CMyEditView* view = View();
    CTransDoc* doc = view ? view->GetDocument() : nullptr;
    std::shared_ptr<const spelling::CSpeller> speller =
        doc && !doc->IsOriginal() ? CDocSpelling::Of(*doc).Speller() : nullptr;
    if (!speller) {
        TakeSpelling({}); // spelling switched off: its problems go
        return;
    }
    // The texts as they are now: the document may change while the run reads.
    struct Text {
        int row;
        const CTextNode* node;
        std::u16string translated;
    };
    std::vector<Text> texts;
    for (int i = 0; i < view->GetRowCount(); ++i) {
        const CTextRow* row = view->GetRow(i);
        // As the checker: below the top nodes, and only what was translated.
        if (row->level >= 2 && row->node->translatedText != row->node->originalText)
            texts.push_back({i, row->node, row->node->translatedText});
    }
    m_spellingRun.Start([this, speller, texts = std::move(texts)](std::stop_token stop)
                            -> CBackgroundRun::Finish {
        std::vector<std::pair<int, checks::TranslationProblem>> found;
        std::vector<checks::TranslationProblem> problems;
        for (const Text& text : texts) {
            if (stop.stop_requested())
                return {};
            problems.clear();
            checks::AddSpellingProblems(*text.node, text.translated,
                                        speller->Misspelt(text.translated), problems);
            for (checks::TranslationProblem& problem : problems)
                found.emplace_back(text.row, std::move(problem));
        }
        return [this, found = std::move(found)]() mutable { TakeSpelling(std::move(found)); };
    });
}

void CProblemsController::TakeSpelling(std::vector<std::pair<int, checks::TranslationProblem>> found)
{
    CMyEditView* view = View();
    if (!view || m_list->ViewRows() != view->GetRowCount())
        return;
    // The rows whose spelling the run decides: those it found words in and
    // those that had spelling problems, unless the row was typed in meanwhile
    // (its problems are newer than the run's).
    const auto runDecides = [this](const checks::TranslationProblem& problem) {
        return !m_typedDuringRun.contains(problem.node);
    };
    std::map<int, std::vector<checks::TranslationProblem>> spelt;
    for (auto& [row, problem] : found) {
        if (runDecides(problem))
            spelt[row].push_back(std::move(problem));
    }
    for (int i = 0; i < m_list->ProblemCount(); ++i) {
        const checks::TranslationProblem& problem = *m_list->ProblemAt(i);
        if (problem.check == checks::CheckId::Spelling && runDecides(problem))
            spelt.try_emplace(m_list->ViewRowOf(i));
    }
    // Each row's other problems first, then its spelling. Row by row keeps
    // the pane's place; past a few hundred rows one reset is cheaper.
    constexpr std::size_t kRowsReplaced = 500;
    for (auto& [row, spelling] : spelt) {
        std::vector<checks::TranslationProblem> problems;
        for (const checks::TranslationProblem& problem : m_list->ProblemsOf(row)) {
            if (problem.check != checks::CheckId::Spelling)
                problems.push_back(problem);
        }
        problems.insert(problems.end(), std::make_move_iterator(spelling.begin()),
                        std::make_move_iterator(spelling.end()));
        spelling = std::move(problems);
    }
    if (spelt.size() <= kRowsReplaced) {
        for (auto& [row, problems] : spelt)
            m_list->Replace(row, std::move(problems));
    } else {
        std::vector<std::pair<int, checks::TranslationProblem>> all;
        for (int row = 0; row < view->GetRowCount(); ++row) {
            const auto it = spelt.find(row);
            for (const checks::TranslationProblem& problem :
                 it != spelt.end() ? it->second : m_list->ProblemsOf(row))
                all.emplace_back(row, problem);
        }
        m_list->Reset(view->GetRowCount(), std::move(all));
    }
    m_typedDuringRun.clear();
    ShowStatus();
}

void CProblemsController::OnDocumentChanged(const CDocChange& change)
{
    if (!change.Has(CDocChange::Texts))
        return;
    // One text (typing, and its undo) is checked with its siblings; many
    // (replace all) with one check of the whole file.
    if (change.texts.size() != 1) {
        CheckAll();
        return;
    }
    Recheck(*change.texts.front());
    if (m_spellingRun.IsRunning())
        m_typedDuringRun.insert(change.texts.front());
    ShowStatus();
}

void CProblemsController::Recheck(const CTextNode& node)
{
    CMyEditView* view = View();
    const int viewRow = view ? view->RowOf(&node) : -1;
    CTextRow* row = view ? view->GetRow(viewRow) : nullptr;
    if (!row || m_list->ViewRows() != view->GetRowCount())
        return;
    // The node's siblings by the rows' own links: the rows after the parent's
    // row, each the end of the one before's subtree.
    std::unordered_map<const CTextNode*, int> rows;
    if (const CTextRow* parent = view->GetRow(row->parentRow)) {
        for (int i = row->parentRow + 1; i < parent->subtreeEnd && view->GetRow(i);
             i = view->GetRow(i)->subtreeEnd)
            rows.emplace(view->GetRow(i)->node, i);
    } else {
        rows.emplace(row->node, viewRow);
    }
    for (checks::NodeProblems& entry : m_checker.Recheck(node)) {
        const auto it = rows.find(entry.node);
        if (it != rows.end())
            m_list->Replace(it->second, std::move(entry.problems));
    }
}

void CProblemsController::GoToProblem(int listRow)
{
    CMyEditView* view = View();
    const int target = m_list->ViewRowOf(listRow);
    if (!view || !view->GetRow(target))
        return;
    m_pane->SetCurrentProblem(listRow);
    if (CTextRow* current = view->GetRow(view->GetCurrentRow()))
        current->EndEdit();
    view->SetCurrentRow(target);
    view->RevealCurrentRow();
    view->WritePositionPane();
    view->MakeCurrentRowVisible();
    view->UpdateScrollBars(true);
    view->OpenEditorInCurrentRow(true, true);
    view->RepaintAll();
}

void CProblemsController::GoToNext()
{
    GoToAdjacent(true);
}

void CProblemsController::GoToPrevious()
{
    GoToAdjacent(false);
}

// Steps from the problem selected in the pane when it belongs to the current row,
// else from the current row; past either end it wraps around.
void CProblemsController::GoToAdjacent(bool forward)
{
    const int count = m_list->ProblemCount();
    CMyEditView* view = View();
    if (count == 0 || !view)
        return;
    const int current = view->GetCurrentRow();
    const int selected = m_pane->CurrentProblem();
    int target;
    if (selected >= 0 && current >= 0 && m_list->ViewRowOf(selected) == current)
        target = forward ? selected + 1 : selected - 1;
    else if (forward)
        target = m_list->FirstFrom(current + 1);
    else
        target = m_list->LastBefore(current < 0 ? m_list->ViewRows() : current);
    if (target < 0 || target >= count)
        target = forward ? 0 : count - 1;
    GoToProblem(target);
}

void CProblemsController::ShowStatus()
{
    CMyEditView* view = View();
    const checks::TranslationProblem* problem =
        view ? m_list->FirstProblemOf(view->GetCurrentRow()) : nullptr;
    if (problem) {
        std::u16string text;
        FormatTranslated(text, IDS_PROBLEM_STATUS, OneLine(MessageOf(*problem)));
        m_frame.SetMessageText(text);
        m_statusShown = true;
    } else if (m_statusShown) {
        m_frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
        m_statusShown = false;
    }
}

std::u16string CProblemsController::MessageOf(const checks::TranslationProblem& problem)
{
    std::u16string text;
    switch (problem.check) {
    case checks::CheckId::Format:
        FormatTranslated(text, IDS_PROBLEM_FORMAT, problem.translatedDetail, problem.originalDetail);
        break;
    case checks::CheckId::Accelerator:
        FormatTranslated(text, IDS_PROBLEM_ACCELERATOR, problem.translatedCount, problem.originalCount);
        break;
    case checks::CheckId::AcceleratorClash:
        FormatTranslated(text, IDS_PROBLEM_CLASH, problem.translatedDetail, problem.originalDetail);
        break;
    case checks::CheckId::Lines:
        FormatTranslated(text, IDS_PROBLEM_LINES, problem.translatedCount, problem.originalCount);
        break;
    case checks::CheckId::Whitespace:
        LoadTranslatedString(text, IDS_PROBLEM_WHITESPACE);
        break;
    case checks::CheckId::Width:
        FormatTranslated(text, IDS_PROBLEM_WIDTH, problem.originalCount);
        break;
    case checks::CheckId::Spelling:
        FormatTranslated(text, IDS_PROBLEM_SPELLING, problem.translatedDetail);
        break;
    }
    return text;
}

std::u16string CProblemsController::PathOf(const checks::TranslationProblem& problem)
{
    std::vector<const CTextNode*> nodes;
    for (const CTextNode* n = problem.node; n && n->parent; n = n->parent)
        nodes.push_back(n);
    std::u16string path;
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        if (!path.empty())
            path += u" > ";
        path += (*it)->originalText;
    }
    return path;
}
