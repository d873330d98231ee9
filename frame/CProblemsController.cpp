#include "CProblemsController.h"

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
    if (CTransDoc* doc = frame.GetDocument())
        connect(doc, &CTransDoc::Changed, this, &CProblemsController::OnDocumentChanged);

    AddCommand(ID_NEXT_PROBLEM, [this] { GoToNext(); });
    AddCommand(ID_PREV_PROBLEM, [this] { GoToPrevious(); });
    for (UINT id : {ID_NEXT_PROBLEM, ID_PREV_PROBLEM})
        AddUpdateCommandUI(id, [this](CCmdUI& ui) { ui.Enable(m_list->ProblemCount() > 0); });
}

CProblemsController::~CProblemsController() = default;

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
        m_checker.CheckTree(*root, [&](const checks::TranslationProblem& problem,
                                       const checks::WalkPosition& position) {
            problems.emplace_back(int(position.order - 1), problem);
        });
    }
    m_list->Reset(view ? view->GetRowCount() : 0, std::move(problems));
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
