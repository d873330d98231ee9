#pragma once

// The editor's one top-level window: menu 128 with its accelerators, the
// toolbar at the top, the status bar with the position pane at the bottom, and
// a splitter that stacks the head view above the text tree view.
//
// Apart from building its children the frame only routes: the whole-tree and
// find commands go to the text tree view (the splitter's lower pane) wherever
// the focus is, the help commands open the user guide, and every other
// command takes the ordinary route (active view, document, application).
//
// Other features plug in without touching the frame's code: AddDockPane puts
// a widget in a dock beside the views (with a menu-less toggle command), and
// SetFindReplaceTarget receives the find/replace dialog's notifications.

#include "WinTypes.h"
#include "__X_CFrameWnd.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QDockWidget;
class QMimeData;
class QSplitter;
class CHeadView;
class CHelpWindow;
class CMemoryController;
class CMyEditView;
class CProblemsController;
class CSuggestionsController;
class CSpellingCommands;
class CTransDoc;
class CZweiToolBar;

class CMainFrame : public __X_CFrameWnd {
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 512;
    // Taken from the screen's height, so the window never reaches below it.
    static constexpr int kHeightMargin = 40;
    static constexpr int kHeadViewHeight = 125;
    static constexpr int kTreeViewHeight = 120;
    // The toolbar: images 20 x 20 on buttons 30 x 30.
    static constexpr int kToolImageSide = 20;
    static constexpr int kToolButtonSide = 30;
    static constexpr int kToolImageYOffset = 5;

    // The registered message the find/replace dialog sends its owner, the frame.
    static UINT FindReplaceMessage();

    CMainFrame();
    ~CMainFrame() override;

    // LoadFrame with the document being opened: menu, accelerators and title
    // of resource 128, the client area (splitter and views) and the bars.
    // False when a part the window cannot do without fails; the caller then
    // deletes the frame. The views join the document in InitialUpdate.
    bool LoadFrame(UINT resourceId, CTransDoc* document);
    // The views join the document and take their first look at it.
    void InitialUpdate();
    // The caption: "<document title> - Glossmark Editor".
    void UpdateFrameTitle(const std::u16string& documentTitle);

    // The parts.
    QSplitter* GetSplitter() const { return m_splitter; }
    CMyEditView* GetEditView() const;
    CHeadView* GetHeadView() const;
    CZweiToolBar* GetToolBar() const { return m_toolBar; }
    CTransDoc* GetDocument() const { return m_document; }

    // A widget of another feature (a list of problems, ...) in a dock of its
    // own at area. With a command id, that command shows and hides the dock
    // (checked while shown). The frame owns the dock.
    QDockWidget* AddDockPane(QWidget* content, const std::u16string& title,
                             Qt::DockWidgetArea area = Qt::BottomDockWidgetArea,
                             UINT toggleCommand = 0);

    // Receiver of the find/replace dialog's notifications (its two message
    // parameters); the text tree view unless another is set.
    using FindReplaceTarget = std::function<std::intptr_t(std::uintptr_t, std::intptr_t)>;
    void SetFindReplaceTarget(FindReplaceTarget target) { m_findReplaceTarget = std::move(target); }
    // A registered message sent to the frame; returns whether it was known.
    bool OnRegisteredMessage(UINT message, std::uintptr_t wParam, std::intptr_t lParam,
                             std::intptr_t& result);

    // Opened files: a .tra file dropped on the window goes here.
    using OpenFileHandler = std::function<void(const std::u16string&)>;
    void SetOpenFileHandler(OpenFileHandler handler) { m_openFile = std::move(handler); }

    bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

    // The help window, while it is open (nullptr otherwise).
    CHelpWindow* GetHelpWindow() const;
    // The translation checks with their problems pane.
    CProblemsController* GetProblems() const { return m_problems; }
    // The translation memory's commands and the progress pane.
    CMemoryController* GetMemory() const { return m_memory; }
    // Suggestions for the current text from the translation memory and the file.
    CSuggestionsController* GetSuggestions() const { return m_suggestions; }

    // Commands that always go to the text tree view.
    static bool IsRoutedToTreeView(UINT id);

protected:
    // The window's initial size.
    virtual void PreCreateWindow();
    // The splitter with its two views; false when it cannot be built.
    virtual bool OnCreateClient();
    // Status bar and toolbar; false when the status bar cannot be built.
    bool OnCreate();

    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab walk the fields of the head view and of the docks, and
    // go from one pane to the next (the text tree view is one stop).
    bool focusNextPrevChild(bool next) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RegisterCommands();
    bool CreateToolBar();
    void ToggleBar(QWidget* bar);
    void MovePaneFocus(int step);
    // The panes that Tab and F6 walk in turn: the splitter's views, then
    // every shown dock in the order they were added.
    std::vector<QWidget*> FocusPanes() const;
    // The keyboard to pane: its first field (forward) or its last.
    void FocusPane(QWidget* pane, bool forward) const;
    void ShowHelp();
    // The lock panes: the translated text while the key is on, empty while
    // off, hidden where the platform cannot tell.
    void UpdateLockPanes();
    static std::vector<std::u16string> DroppedLanguageFiles(const QMimeData* data);

    CTransDoc* m_document = nullptr;
    QSplitter* m_splitter = nullptr;
    CHeadView* m_headView = nullptr;
    CMyEditView* m_editView = nullptr;
    CZweiToolBar* m_toolBar = nullptr;
    QPointer<CHelpWindow> m_help;
    std::vector<QPointer<QDockWidget>> m_docks;
    CProblemsController* m_problems = nullptr; // a child of the frame
    CMemoryController* m_memory = nullptr;     // a child of the frame
    CSuggestionsController* m_suggestions = nullptr; // a child of the frame
    CSpellingCommands* m_spelling = nullptr;   // a child of the frame
    FindReplaceTarget m_findReplaceTarget;
    OpenFileHandler m_openFile;
};
