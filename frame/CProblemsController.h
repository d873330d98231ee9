#pragma once

// The translation checks in the editor. The whole file is checked when the
// text tree view is built anew (a file opened, a version update, a new
// translation) and after replace all; after each change of a text only that
// text and its siblings are checked again, always from the document's model, so a keystroke costs the same in
// a small file as in a large one. The problems pane lists the problems, F8
// and Shift+F8 walk them in tree order, and the status line's message shows
// the current row's first problem while that row is current.
//
// Spelling is checked with the document's dictionary: with the other checks
// for a changed text, and for the whole file on a thread of its own, whose
// problems join the list when it is done (those of texts typed meanwhile
// were checked as they were typed).

#include "CBackgroundRun.h"
#include "CCmdTarget.h"
#include "CTranslationChecker.h"

#include <QObject>
#include <QPointer>

#include <unordered_set>
#include <utility>
#include <vector>

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

    // Whether the whole file's spelling is still being checked.
    bool IsSpellingRunning() const { return m_spellingRun.IsRunning(); }

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
    // The whole file's spelling on a thread of its own, from a copy of its texts.
    void StartSpellingRun();
    // The run's problems (by view row) into the list.
    void TakeSpelling(std::vector<std::pair<int, checks::TranslationProblem>> found);

    CMainFrame& m_frame;
    checks::CTranslationChecker m_checker;
    checks::SpellRule m_spellRule; // the checker's, left out of the whole file's walk
    CProblemList* m_list;
    CProblemsPane* m_pane;
    QDockWidget* m_dock = nullptr;
    bool m_statusShown = false; // the message line holds a problem of ours
    std::unordered_set<const CTextNode*> m_typedDuringRun;
    CBackgroundRun m_spellingRun{*this};
};
