#pragma once

// Suggestions for the current text: earlier translations of the same or a
// similar original from the translation memory, and "guesses" from the open
// file (the same original translated and done elsewhere in it). The memory is
// asked off the user-interface thread whenever another text becomes current
// (a reply for a text that is no longer current is dropped); the guesses come
// from an index of the file's originals built once per file. Typing asks
// nothing: the suggestions depend on the original, which typing never
// changes, so a keystroke costs the same with the dock open as without it.
//
// Ctrl+1 to Ctrl+9, or a double click, put a suggestion in as one undoable
// step. A suggestion that would fail a translation check (format,
// accelerator, width) is marked with the problem and goes in only when it is
// chosen a second time in a row.

#include "CCmdTarget.h"
#include "CSuggestionWorker.h"
#include "CSuggestionsPane.h"
#include "CTranslationChecker.h"

#include <QObject>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct CDocChange;
class CMainFrame;
class CTextNode;
class QDockWidget;

class CSuggestionsController : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    static constexpr int kMaxSuggestions = 9;

    // Puts the pane in a dock of frame beside the problems (shown and hidden
    // by ID_VIEW_SUGGESTIONS). Owned by the frame.
    CSuggestionsController(CMainFrame& frame, std::string databasePath);
    ~CSuggestionsController() override;

    CSuggestionsPane* GetPane() const { return m_pane; }
    QDockWidget* GetDock() const { return m_dock; }
    const std::vector<SuggestionEntry>& GetSuggestions() const { return m_entries; }
    // A lookup in the memory is on its way.
    bool IsLookingUp() const { return m_lookingUp; }

    // The current text's suggestions anew: its guesses at once, the memory's
    // when they arrive.
    void Refresh();
    // Puts suggestion index (from 0) in as the current text's translation.
    // True when it went in; false also when it was only marked to go in on
    // the next choice.
    bool UseSuggestion(int index);

private:
    void LoadTexts();
    CTextNode* CurrentNode() const;
    void OnDocumentChanged(const CDocChange& change);
    void OnReply(const SuggestionReply& reply);
    void AddGuesses(const CTextNode& node);
    // One more entry unless the same text is there already or the list is full.
    void AddEntry(int score, std::u16string text, std::u16string_view original, std::u16string file);
    // The first problem text would cause as node's translation; empty: none.
    std::u16string ProblemOf(const CTextNode& node, const std::u16string& text);
    void ShowEntries();

    CMainFrame& m_frame;
    CSuggestionsPane* m_pane;
    QDockWidget* m_dock = nullptr;
    checks::CTranslationChecker m_checker;
    CSuggestionWorker m_worker;
    std::uint64_t m_sequence = 0;
    bool m_lookingUp = false;
    const CTextNode* m_node = nullptr; // the text whose suggestions are shown
    std::vector<SuggestionEntry> m_entries;
    std::u16string m_memoryError;
    int m_armed = -1; // the entry whose problem was told: the next choice of it goes in
    // The file's texts by their original. The keys look into the nodes'
    // originals, which stay as they are until the file is built anew.
    std::unordered_map<std::u16string_view, std::vector<const CTextNode*>> m_byOriginal;
    bool m_indexBuilt = false;
};
