#pragma once

// The translation checks in the editor. The whole file is checked when the
// text tree view is built anew (a file opened, a version update, a new
// translation) and after replace all; after each change of a text only that
// text and its siblings are checked again, always from the document's model, so a keystroke costs the same in
// a small file as in a large one. The problems pane lists the problems, F8
// and Shift+F8 walk them in tree order, and the status line's message shows
// the current row's first problem while that row is current.

#include "CCmdTarget.h"
#include "CTranslationChecker.h"

#include <QObject>
#include <QPointer>

struct CDocChange;
class CMainFrame;
class CTextNode;
class CMyEditView;
class CProblemList;
class CProblemsPane;
class QDockWidget;

class CProblemsController : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    // Puts the pane in a dock of frame (shown and hidden by ID_VIEW_PROBLEMS)
    // and follows frame's text tree view. Owned by the frame.
    explicit CProblemsController(CMainFrame& frame);
    ~CProblemsController() override;

    // The whole file once more (after replace all, for instance).
    void CheckAll();
    // F8 and Shift+F8: the next or previous problem in tree order, round the end.
    void GoToNext();
    void GoToPrevious();
    // Makes the problem's row current and opens the in-place editor on it.
    void GoToProblem(int listRow);

    CProblemList* GetList() const { return m_list; }
    CProblemsPane* GetPane() const { return m_pane; }
    QDockWidget* GetDock() const { return m_dock; }
    const checks::CTranslationChecker& GetChecker() const { return m_checker; }

    // The message of a problem in the user-interface language.
    static std::u16string MessageOf(const checks::TranslationProblem& problem);
    // The original texts from the top node down to the problem's node.
    static std::u16string PathOf(const checks::TranslationProblem& problem);

private:
    // The dock's title and the list's column headers in the current language.
    void LoadTexts();
    CMyEditView* View() const;
    void GoToAdjacent(bool forward);
    void OnDocumentChanged(const CDocChange& change);
    // The problems of node and its siblings again.
    void Recheck(const CTextNode& node);
    void ShowStatus();

    CMainFrame& m_frame;
    checks::CTranslationChecker m_checker;
    CProblemList* m_list;
    CProblemsPane* m_pane;
    QDockWidget* m_dock = nullptr;
    bool m_statusShown = false; // the message line holds a problem of ours
};
