#pragma once

// The text tree view: the lower pane of the main frame's splitter. It shows
// the language's text tree as rows (one per node, depth-first, the root left
// out) and lets the user type translations into the rows' text pieces with
// the in-place editor.
//
// Scrolling is the view's own model: the visible band is kept as fractions
// of the document and mapped onto the scroll bars, whose range never exceeds
// 16384. Painting goes into an off-screen image that reaches the window in
// one copy. Only the rows inside the window are laid out and painted; the
// rows' heights are summed in CRowHeights, so a step of scrolling costs the
// same for ten thousand texts as for a hundred thousand.

#include "CDc.h"
#include "CImageBitmap.h"
#include "CMyEditViewPrint.h"
#include "CPoint.h"
#include "CRect.h"
#include "CRowHeights.h"
#include "CTransDoc.h"
#include "CView.h"

#include "RegisteredMessages.h"
#include "TextRange.h"

#include <QAbstractScrollArea>
#include <QMetaObject>
#include <QPointer>

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class CCmdUI;
class CFindReplaceDialog;
class CInPlaceEdit;
class QMenu;
class CSearchCursor;
class CStatusBar;
class CTextNode;
struct CDocChange;
class CTextRow;

class CMyEditView : public QAbstractScrollArea, public CView {
    Q_OBJECT
public:
    static constexpr double DocumentWidth = 2000.0;
    static constexpr int MaxRange = 16384;
    // Where a row jumped to lands below the window's top edge.
    static constexpr int JumpMargin = 30;
    // A piece closer than this to the bottom edge is scrolled up ...
    static constexpr int BottomZone = 64;
    // ... so that its top lies this far above the bottom edge.
    static constexpr int BottomLift = 96;
    // Pixels scrolled by one notch of the mouse wheel.
    static constexpr int WheelStep = 48;
    static constexpr int StatusPositionPane = 1;

    explicit CMyEditView(QWidget* parent = nullptr);
    ~CMyEditView() override;

    CTransDoc* GetDocument() const;
    void SetStatusBar(CStatusBar* statusBar) { m_statusBar = statusBar; }

    // The framework's view operations.
    void OnInitialUpdate();
    // Hint 1 rebuilds and repaints, hint 4 repaints; every other hint is
    // ignored. The view follows the document's change signal (connected at
    // the initial update); it never writes the document's texts itself.
    void OnUpdate(CView* sender, std::intptr_t hint) override;
    void OnDocumentChanged(const CDocChange& change);
    // Paints the whole window into the off-screen image and copies it to dc.
    void OnDraw(CDc& dc);

    // Printing (commands 57607 and 57608 print, 57609 previews; see
    // CMyEditViewPrint.cpp): every row as if expanded, or the current row's
    // subtree when the selection is printed, over numbered pages.
    void OnFilePrint();
    void OnFilePrintPreview();
    // Prints to printer as it is set up, without asking; false when the
    // printer cannot be opened.
    bool PrintTo(QPrinter& printer);
    // Answers the print dialog in place of the user (tests, headless runs).
    // Returns the previous responder; an empty one shows the real dialog.
    static PrintDialogResponder SetPrintDialogResponder(PrintDialogResponder responder);

    // Rows.
    int GetRowCount() const { return int(m_rows.size()); }
    CTextRow* GetRow(int index) const;
    int GetCurrentRow() const { return m_currentRow; }
    // Makes index the current row without opening the editor (search, tests).
    void SetCurrentRow(int index) { m_currentRow = index; }
    bool IsRowShown(int index) const;
    // Document y of a shown row.
    int RowDocumentY(int index) const;
    int RowDocumentX(int index) const;
    int IndexOf(const CTextRow* row) const;
    // The row of a node of the language's tree, -1 for none.
    int RowOf(const CTextNode* node) const;
    // Makes a row current and opens the editor at offset of its text (undo and
    // redo put the caret where the change was).
    void ShowTextPlace(int index, std::int32_t offset);
    // The shown rows as a list (what assistive technology walks).
    int ShownRowCount() const { return m_heights.ShownCount(); }
    int NthShownRow(int n) const { return m_heights.NthShown(n); }
    int ShownIndexOfRow(int index) const { return m_heights.ShownBefore(index); }
    int RowHeightOf(int index) const { return m_heights.Height(index); }
    // Expands or collapses a row (a click on its box).
    void SetExpanded(int index, bool expanded);
    // The same for the current row, from the keyboard, repainted.
    void ExpandCurrentRow(bool expand);
    // The in-place editor gives the keyboard back to the view (Escape).
    void LeaveEditor();

    // What the in-place editor uses.
    CInPlaceEdit* GetEditor() const { return m_editor; }
    CPoint GetCurrentRowOrigin() const { return m_currentOrigin; }
    int GetTabWidth() const { return m_tabWidth; }
    int GetShownRows() const { return m_shownRows; }
    void RepaintCurrentRow();
    void RepaintAll();

    // Navigation and scrolling.
    void MoveCurrentRow(int delta, bool atStart, bool caretAtStart);
    void OpenEditorInCurrentRow(bool atStart, bool caretAtStart);
    void MakeCurrentRowVisible();
    void MakePieceVisible(CTextRow* row, int y);
    void RevealCurrentRow();
    void ComputeDocumentHeight();
    void UpdateScrollBars(bool fromPixels);
    void WritePositionPane();
    // Says text in the status line's message pane.
    void SetMessageText(const std::u16string& text);
    // Vertical scrolling by d pixels (positive: down).
    void ScrollBy(int d);
    // A scroll bar message: codes 0 line up/left ... 8 end of scrolling.
    void OnScroll(bool vertical, int code, int thumbPosition);
    // Left button down at a window point.
    void Click(int px, int py);
    // The row at a document point, -1 for none; box says whether its box was hit.
    int HitTest(int x, int y, bool& box);

    // The scroll model, for the status of the window and for tests.
    int GetVerticalScroll() const { return m_vScroll; }
    int GetHorizontalScroll() const { return m_hScroll; }
    double GetDocumentHeight() const { return m_docHeight; }
    int GetVerticalRange() const { return m_vRange; }
    int GetHorizontalRange() const { return m_hRange; }
    double GetVerticalThumb() const { return m_vThumb; }
    double GetHorizontalThumb() const { return m_hThumb; }
    bool IsInitialised() const { return m_initialised; }
    // The off-screen image as last painted.
    const QImage& GetOffscreenImage() const;
    // Rows laid out so far (the rest only know their height from line counts).
    int CountLaidOutRows() const;
    // Times the rows were painted into the off-screen image.
    int CountPaintPasses() const { return m_paintPasses; }

    // Find and replace (CMyEditViewFind.cpp). Commands 33009 to 33012 are in
    // the view's command table; the frame passes the dialog's registered
    // message "commdlg_FindReplace" to OnFindReplace.
    void OnEditFind();
    void OnEditReplace();
    void OnFindNext(bool down);
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    // The open find or replace dialog, nullptr for none.
    CFindReplaceDialog* GetFindDialog() const;
    bool HasFindDialog() const { return GetFindDialog() != nullptr; }
    const CSearchCursor* GetSearchCursor() const { return m_searchCursor.get(); }
    bool IsDirectionDown() const { return m_directionDown; }
    // The walk: true when a match was found and selected; quiet shows no
    // message when nothing is found.
    bool Search(bool advanceFirst, bool quiet);
    // Replace and replace all take the find text, the replace text and the
    // options the dialog holds when the button is pressed.
    bool ReplaceOne(bool quiet);
    // What replace all did: texts changed, texts kept as they were because
    // the result would not fit their limited size, and whether every row was
    // visited within the step budget.
    struct ReplaceAllResult {
        int changed = 0;
        int refused = 0;
        bool ended = false;
    };
    // Replaces every match of every row, visiting each row once (at most
    // stepBudget rows), and says what it did in the status line.
    ReplaceAllResult ReplaceAll(int stepBudget = INT_MAX);
    // While replace all runs the rows' texts change one after the other; the
    // tree's states, the modified mark and the checks follow once at its end.
    bool IsBatchEditing() const { return m_batchEditing; }

    // Spelling (CMyEditViewSpelling.cpp): the menu of the misspelt word at the
    // editor's caret, nullptr when the caret is in none: up to eight
    // suggestions (each replaces the word as one step), add to the
    // dictionary, ignore in this file.
    std::unique_ptr<QMenu> MakeSpellingMenu();
    void ShowSpellingMenu(const QPoint& globalPos);

    // The whole-tree commands (CMyEditViewTree.cpp), also in the command table.
    void OnMarkAllToDo();
    void OnMarkAllDone();
    void OnExpandAll();
    void OnCollapseAll();
    void OnShowToDo();

signals:
    // The rows were built anew from the document (opened, updated, new translation).
    void RowsRebuilt();
    // The current row changed (-1: none), or the rows were rebuilt.
    void CurrentRowChanged(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Keyboard work in the view itself (CMyEditViewKeys.cpp).
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RegisterPrintCommands();
    // Whether the view or its in-place editor has the keyboard focus.
    bool HasKeyboard() const;
    // A dotted frame around the window while it has the keyboard.
    void PaintFocusFrame(QPainter& painter);
    // Makes row current from the keyboard, without opening the editor.
    void SelectRowByKey(int row);
    // The framework's standard preparation: the print dialog.
    bool OnPreparePrinting(QPrinter& printer);
    void Rebuild();
    // keepPlace (the same rows laid out in other fonts): expansion, current
    // row and scroll position stay.
    void RebuildAndRepaint(bool keepPlace = false);
    // A row whose node's text changed in the document: split again when it
    // shows another text, laid out, its height summed again.
    void TextChangedInDocument(int index);
    void OpenEditorAt(CTextRow& row, std::int32_t offset);
    void MeasureTabWidth();
    void MakeEditor();
    void LoadStrips();
    void FreeStrips();
    void MakeOffscreen(int width, int height);
    // Shows or hides the rows below index by the expanded flags.
    void UpdateShown(int index);
    // The row's height, laying it out first when asked to.
    int RowHeight(int index, bool layOut);
    // Lays a row out and keeps the sums when its height changed.
    void LayOutRow(int index, CDc& dc);
    int LineHeight(bool foreign) const;
    // The next shown row after index (by the depth rule), GetRowCount() at the end.
    int NextShown(int index) const;
    void PaintRows(CDc& dc);
    // The current row is framed, so that the eye finds the caret's row.
    void FrameCurrentRow(CDc& dc, int sy);
    void ScrollBarAction(bool vertical, int action);
    void MoveEditor(int dx, int dy);
    void SetBars();
    // Counts the rows inside the window and sets the current row's origin,
    // as painting would; false without a current row.
    bool PlaceCurrentRow();
    void RegisterCommands();
    // Search helpers (CMyEditViewFind.cpp).
    // The dialog's find text, replace text and options, as it holds them now.
    void ReadDialog(CSearchCursor& cursor) const;
    // Starts at startPosition of the current piece when given, else one
    // beyond (down) or before (up) the selection's start.
    void BuildSearchCursor(std::optional<int> startPosition);
    bool Walk(bool advanceFirst, bool quiet, std::optional<int> startPosition);
    bool SearchCursorRow();
    enum class RowReplacement { None, Changed, Refused };
    // Replaces every match in the row's pieces and notes the row's new text in edits.
    RowReplacement ReplaceInRow(int index, const CSearchCursor& cursor,
                                std::vector<CTransDoc::TextEdit>& edits);
    void ShowHit();
    // Shown flags and heights of every row again from the expanded flags.
    void RecomputeShown();
    // RecomputeShown, then the view scrolled to the top and painted again.
    void RecomputeShownFromTop();
    // Moves an open editor along with its row after the rows moved.
    void FollowCurrentRow();
    // Marks the current row's subtree (the whole tree when there is none) done or to be edited.
    void MarkCurrentSubtree(bool done);
    // Spelling helpers: the misspelt word (in the current row's text) at the
    // editor's caret; the editor's own context menu at a point of it; a
    // suggestion put in place of the word.
    std::optional<TextRange> MisspeltAtCaret() const;
    void OnEditorContextMenu(const QPoint& at);
    void ReplaceMisspelt(TextRange word, const std::u16string& suggestion);

    std::vector<std::unique_ptr<CTextRow>> m_rows;
    int m_currentRow = -1;
    CInPlaceEdit* m_editor = nullptr; // owned; let go with deleteLater
    CPoint m_currentOrigin{-1, -1};
    int m_shownRows = 5;
    int m_vScroll = 0;
    int m_hScroll = 0;
    bool m_initialised = false;
    int m_clientHeight = 0;
    int m_clientWidth = 0;
    double m_docHeight = 0.0;
    double m_docWidth = DocumentWidth;
    int m_vRange = 0;
    int m_hRange = 0;
    double m_hLine = 0.0, m_hPage = 0.0, m_vLine = 0.0, m_vPage = 0.0;
    double m_hPos = 0.0, m_vPos = 0.0;
    double m_vBandTop = 0.0, m_vBandBottom = 0.0;
    double m_hBandLeft = 0.0, m_hBandRight = 0.0;
    double m_hThumb = 0.0, m_vThumb = 0.0;
    std::unique_ptr<CDc> m_offscreenDc;
    std::unique_ptr<CImageBitmap> m_offscreen;
    int m_tabWidth = 0;
    CStatusBar* m_statusBar = nullptr;

    CRowHeights m_heights;
    int m_textLineHeight = 16;
    int m_foreignLineHeight = 14;
    std::unique_ptr<CDc> m_boxDc;
    std::unique_ptr<CImageBitmap> m_boxStrip;
    std::unique_ptr<CDc> m_iconDc;
    std::unique_ptr<CImageBitmap> m_iconStrip;
    bool m_paintAll = true;      // the next paint event draws the rows again
    bool m_settingBars = false;  // our own changes to the scroll bars

    // Find and replace.
    QPointer<CFindReplaceDialog> m_findDialog;
    bool m_replaceMode = false;
    std::unique_ptr<CSearchCursor> m_searchCursor;
    bool m_directionDown = true;
    bool m_batchEditing = false;
    int m_paintPasses = 0;
    QMetaObject::Connection m_docConnection;
    mutable std::unordered_map<const CTextNode*, int> m_rowOfNode;
};
