#include "CMainFrame.h"

#include "CHeadView.h"
#include "CHelpWindow.h"
#include "CInPlaceEdit.h"
#include "CLanguageSwitchNotifier.h"
#include "CMemoryController.h"
#include "CMyEditView.h"
#include "CProblemsController.h"
#include "CResources.h"
#include "CSpellingCommands.h"
#include "CStatusBar.h"
#include "CSuggestionsController.h"
#include "CTransDoc.h"
#include "CWnd.h"
#include "CZweiToolBar.h"
#include "DocumentDialogs.h"
#include "LockKeys.h"
#include "QtStrings.h"
#include "RegisteredMessages.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QUrl>

#include <algorithm>

namespace {

// The status bar's panes, left to right: the message line, the position
// pane (as wide as its string), and the three lock-key indicators.
constexpr UINT kIndicators[] = {0, ID_INDICATOR_POSITION, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                ID_INDICATOR_SCRL};

// Obtained before the first window exists.
const UINT g_findReplaceMessage = RegisterWindowMessageW(u"commdlg_FindReplace");

// The window title of the document string 128 (its first field).
QString AppTitle()
{
    const std::u16string text = CResources::LoadString(IDR_MAINFRAME);
    return ToQString(text.substr(0, text.find(u'\n')));
}

// Calls back when a lock key is released anywhere in the program (the key
// itself reaches whichever widget has the focus).
class LockKeyWatcher : public QObject {
public:
    LockKeyWatcher(QObject* parent, std::function<void()> changed)
        : QObject(parent), m_changed(std::move(changed))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
                m_changed();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_changed;
};

} // namespace

UINT CMainFrame::FindReplaceMessage() { return g_findReplaceMessage; }

bool CMainFrame::IsRoutedToTreeView(UINT id)
{
    switch (id) {
    case ID_EXPAND_ALL:
    case ID_SHOW_TODO:
    case ID_MARK_ALL_TODO:
    case ID_MARK_ALL_DONE:
    case ID_COLLAPSE_ALL:
    case ID_FIND:
    case ID_REPLACE:
        return true;
    default:
        return false;
    }
}

CMainFrame::CMainFrame()
{
    setAttribute(Qt::WA_DeleteOnClose);
    RegisterCommands();
    // The modeless find/replace dialog has no parent: it sends its
    // notifications to the main window.
    SetMessageHandler(this, FindReplaceMessage(), [this](WPARAM wParam, LPARAM lParam) {
        LRESULT result = 0;
        OnRegisteredMessage(FindReplaceMessage(), wParam, lParam, result);
        return result;
    });
    // They go to the text tree view, looked up at each one.
    SetFindReplaceTarget([this](std::uintptr_t wParam, std::intptr_t lParam) {
        CMyEditView* view = GetEditView();
        return view ? std::intptr_t(view->OnFindReplace(wParam, lParam)) : std::intptr_t(0);
    });
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::RegisterCommands()
{
    AddCommand(ID_APP_EXIT, [this] { close(); });
    AddCommand(ID_VIEW_TOOLBAR, [this] { ToggleBar(m_toolBar); });
    AddUpdateCommandUI(ID_VIEW_TOOLBAR, [this](CCmdUI& ui) {
        ui.Enable(m_toolBar != nullptr);
        ui.SetCheck(m_toolBar && m_toolBar->isVisible() ? 1 : 0);
    });
    AddCommand(ID_VIEW_STATUS_BAR, [this] { ToggleBar(GetStatusBar()); });
    AddUpdateCommandUI(ID_VIEW_STATUS_BAR, [this](CCmdUI& ui) {
        ui.SetCheck(GetStatusBar() && GetStatusBar()->isVisible() ? 1 : 0);
    });
    AddCommand(ID_NEXT_PANE, [this] { MovePaneFocus(1); });
    AddCommand(ID_PREV_PANE, [this] { MovePaneFocus(-1); });
    // Every help command opens the user guide: there is one help page per language.
    for (UINT id : {ID_HELP_FINDER, ID_DEFAULT_HELP, ID_HELP, ID_CONTEXT_HELP})
        AddCommand(id, [this] { ShowHelp(); });
}

bool CMainFrame::LoadFrame(UINT resourceId, CTransDoc* document)
{
    m_document = document;
    if (m_document)
        InstallDocumentDialogs(*m_document);
    PreCreateWindow();
    if (!__X_CFrameWnd::LoadFrame(resourceId))
        return false;
    if (!OnCreateClient() || !OnCreate())
        return false;
    return true;
}

void CMainFrame::UpdateFrameTitle(const std::u16string& documentTitle)
{
    setWindowTitle(ToQString(documentTitle) + QStringLiteral(" - ") + AppTitle());
}

void CMainFrame::PreCreateWindow()
{
    int height = 600;
    if (const QScreen* screen = QApplication::primaryScreen())
        height = screen->availableGeometry().height();
    resize(kInitialWidth, height - kHeightMargin);
}

bool CMainFrame::OnCreateClient()
{
    m_splitter = new QSplitter(Qt::Vertical, this);
    CWnd(m_splitter).SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    m_splitter->setChildrenCollapsible(false);

    m_headView = new CHeadView(m_splitter);
    // Large fonts make the head view's fields taller than the usual height;
    // they are never cut off.
    const int headHeight = std::max(kHeadViewHeight, m_headView->sizeHint().height());
    m_headView->resize(100, headHeight);
    m_editView = new CMyEditView(m_splitter);
    m_editView->resize(100, kTreeViewHeight);
    m_splitter->addWidget(m_headView);
    m_splitter->addWidget(m_editView);
    // The head view keeps its height; the tree view takes the rest.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({headHeight, std::max(kTreeViewHeight, height() - headHeight)});
    setCentralWidget(m_splitter);

    SetActiveView(m_editView);
    // The status bar is made here so the view can be handed it now; it is
    // put in place by OnCreate.
    m_editView->SetStatusBar(new CStatusBar(this));
    // The position pane's text is formatted, so no tracker can translate it.
    connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched,
            m_editView, &CMyEditView::WritePositionPane);
    return true;
}

bool CMainFrame::OnCreate()
{
    CStatusBar* status = findChild<CStatusBar*>();
    if (!status || !status->SetIndicators(kIndicators))
        return false;
    CWnd(status).SetDlgCtrlID(ID_VIEW_STATUS_BAR);
    setStatusBar(status);
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    // The idle text is loaded when it is shown; after a language switch it is
    // shown anew (before the problems pane may put its message there).
    connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched, this, [this] {
        SetMessageText(AFX_IDS_IDLEMESSAGE);
        UpdateLockPanes();
    });
    // A lock key may also change while another program has the keyboard.
    UpdateLockPanes();
    new LockKeyWatcher(this, [this] { UpdateLockPanes(); });
    connect(qApp, &QApplication::applicationStateChanged, this, [this] { UpdateLockPanes(); });
    // A toolbar that cannot be made leaves the window working without one.
    CreateToolBar();
    m_problems = new CProblemsController(*this);
    if (m_document)
        m_memory = new CMemoryController(*this);
    m_suggestions = new CSuggestionsController(*this, memory::CTranslationMemory::DefaultPath());
    m_spelling = new CSpellingCommands(*this);
    return true;
}

bool CMainFrame::CreateToolBar()
{
    auto* bar = new CZweiToolBar(kToolImageSide, kToolImageSide, true);
    if (!bar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR)) {
        delete bar;
        return false;
    }
    m_toolBar = bar;
    bar->SetSizes(kToolButtonSide, kToolButtonSide, kToolImageYOffset, 0, false, nullptr, 0);
    if (!bar->LoadToolBar(IDR_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_CHECKED))
        return true; // there, but neither styled nor docked
    bar->SetBarStyle(bar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    setDockOptions(dockOptions() | QMainWindow::AllowNestedDocks);
    addToolBar(Qt::TopToolBarArea, bar);
    // A narrow window cuts the bar off at its edge instead of growing.
    bar->setMinimumWidth(kToolButtonSide);
    bar->show();
    return true;
}

void CMainFrame::InitialUpdate()
{
    if (!m_document)
        return;
    m_document->AddView(m_headView);
    m_headView->OnInitialUpdate();
    m_document->AddView(m_editView);
    m_editView->OnInitialUpdate();
    m_editView->setFocus();
}

CMyEditView* CMainFrame::GetEditView() const
{
    // Always the lower pane, looked up where it is.
    return m_splitter && m_splitter->count() > 1 ? qobject_cast<CMyEditView*>(m_splitter->widget(1))
                                                 : nullptr;
}

CHeadView* CMainFrame::GetHeadView() const { return m_headView; }

CHelpWindow* CMainFrame::GetHelpWindow() const { return m_help; }

QDockWidget* CMainFrame::AddDockPane(QWidget* content, const std::u16string& title,
                                     Qt::DockWidgetArea area, UINT toggleCommand)
{
    auto* dock = new QDockWidget(ToQString(title), this);
    dock->setWidget(content);
    addDockWidget(area, dock);
    dock->show();
    m_docks.emplace_back(dock);
    if (toggleCommand) {
        // Hidden, not visible: a dock is shown only once the window lays it out.
        AddCommand(toggleCommand, [dock] { dock->setHidden(!dock->isHidden()); });
        AddUpdateCommandUI(toggleCommand,
                           [dock](CCmdUI& ui) { ui.SetCheck(dock->isHidden() ? 0 : 1); });
    }
    return dock;
}

bool CMainFrame::OnRegisteredMessage(UINT message, std::uintptr_t wParam, std::intptr_t lParam,
                                     std::intptr_t& result)
{
    result = 0;
    if (message != FindReplaceMessage())
        return false;
    if (m_findReplaceTarget)
        result = m_findReplaceTarget(wParam, lParam);
    return true;
}

bool CMainFrame::OnCmdMsg(UINT id, int code, CCmdUI* ui)
{
    if (IsRoutedToTreeView(id)) {
        CMyEditView* view = GetEditView();
        return view && view->OnCmdMsg(id, code, ui);
    }
    if (m_problems && m_problems->OnCmdMsg(id, code, ui))
        return true;
    if (m_memory && m_memory->OnCmdMsg(id, code, ui))
        return true;
    if (m_suggestions && m_suggestions->OnCmdMsg(id, code, ui))
        return true;
    if (m_spelling && m_spelling->OnCmdMsg(id, code, ui))
        return true;
    return __X_CFrameWnd::OnCmdMsg(id, code, ui);
}

void CMainFrame::ToggleBar(QWidget* bar)
{
    if (bar)
        bar->setVisible(!bar->isVisible());
}

namespace {

// The widgets inside pane that Tab stops at, in the window's focus order.
std::vector<QWidget*> TabStopsIn(QWidget* pane)
{
    std::vector<QWidget*> stops;
    QWidget* w = pane;
    do {
        if ((w == pane || pane->isAncestorOf(w)) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus))
            stops.push_back(w);
        w = w->nextInFocusChain();
    } while (w && w != pane);
    return stops;
}

int PaneIndexOf(const std::vector<QWidget*>& panes, QWidget* widget)
{
    for (std::size_t i = 0; widget && i < panes.size(); ++i) {
        if (panes[i]->isAncestorOf(widget))
            return int(i);
    }
    return -1;
}

} // namespace

std::vector<QWidget*> CMainFrame::FocusPanes() const
{
    std::vector<QWidget*> panes;
    for (int i = 0; m_splitter && i < m_splitter->count(); ++i)
        panes.push_back(m_splitter->widget(i));
    for (const QPointer<QDockWidget>& dock : m_docks) {
        if (dock && dock->isVisible() && dock->widget())
            panes.push_back(dock->widget());
    }
    return panes;
}

void CMainFrame::FocusPane(QWidget* pane, bool forward) const
{
    // The tree view itself, not its editor, whichever way Tab comes: its
    // arrows choose the text, Enter opens the editor.
    const std::vector<QWidget*> stops = pane == GetEditView() ? std::vector<QWidget*>{} : TabStopsIn(pane);
    QWidget* target = stops.empty() ? pane : forward ? stops.front() : stops.back();
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool CMainFrame::focusNextPrevChild(bool next)
{
    const std::vector<QWidget*> panes = FocusPanes();
    QWidget* focus = QApplication::focusWidget();
    const int pane = PaneIndexOf(panes, focus);
    if (pane < 0)
        return __X_CFrameWnd::focusNextPrevChild(next);
    // The text tree view is one stop (its editor too); elsewhere Tab goes
    // field by field until it leaves the pane.
    if (panes[std::size_t(pane)] != GetEditView()) {
        const std::vector<QWidget*> stops = TabStopsIn(panes[std::size_t(pane)]);
        const auto at = std::find_if(stops.begin(), stops.end(),
                                     [focus](QWidget* w) { return w->isAncestorOf(focus); });
        const auto index = at - stops.begin() + (next ? 1 : -1);
        if (at != stops.end() && index >= 0 && index < std::ssize(stops)) {
            stops[std::size_t(index)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    const int count = int(panes.size());
    FocusPane(panes[std::size_t(((pane + (next ? 1 : -1)) % count + count) % count)], next);
    return true;
}

void CMainFrame::MovePaneFocus(int step)
{
    const std::vector<QWidget*> panes = FocusPanes();
    if (panes.empty())
        return;
    const int count = int(panes.size());
    const int current = std::max(0, PaneIndexOf(panes, QApplication::focusWidget()));
    // Only the focus moves: the tree view stays the view that commands (and
    // printing) reach.
    QWidget* next = panes[std::size_t(((current + step) % count + count) % count)];
    // The focus goes where a caret shows it: the tree view's current text
    // (its editor opened there), or the pane's first field that Tab reaches.
    CMyEditView* view = GetEditView();
    if (next == view && view->GetCurrentRow() >= 0) {
        QWidget* editor = view->GetEditor();
        if (!editor || !editor->isVisible())
            view->OpenEditorInCurrentRow(true, true);
        if (editor && editor->isVisible()) {
            editor->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    FocusPane(next, true);
}

void CMainFrame::UpdateLockPanes()
{
    CStatusBar* bar = GetStatusBar();
    if (!bar)
        return;
    const std::optional<LockKeys> keys = QueryLockKeys();
    const std::pair<UINT, bool> panes[] = {{ID_INDICATOR_CAPS, keys && keys->caps},
                                           {ID_INDICATOR_NUM, keys && keys->num},
                                           {ID_INDICATOR_SCRL, keys && keys->scroll}};
    for (const auto& [id, on] : panes) {
        const int index = bar->CommandToIndex(id);
        if (!bar->GetPane(index))
            continue;
        bar->GetPane(index)->setVisible(keys.has_value());
        const std::u16string text = TranslatedString(id);
        bar->SetPaneWidthFor(index, text);
        bar->SetPaneText(index, on ? text : std::u16string());
    }
}

void CMainFrame::ShowHelp()
{
    if (!m_help)
        m_help = new CHelpWindow(this);
    m_help->ShowGuide();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_document && !m_document->SaveModified()) {
        event->ignore();
        return;
    }
    __X_CFrameWnd::closeEvent(event);
}

std::vector<std::u16string> CMainFrame::DroppedLanguageFiles(const QMimeData* data)
{
    std::vector<std::u16string> files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        const QFileInfo info(url.toLocalFile());
        if (url.isLocalFile() && info.suffix().compare(QStringLiteral("tra"), Qt::CaseInsensitive) == 0)
            files.push_back(ToU16(info.absoluteFilePath()));
    }
    return files;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedLanguageFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const std::vector<std::u16string> files = DroppedLanguageFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    // One document at a time: the first language file dropped is opened.
    if (m_openFile)
        m_openFile(files.front());
}
