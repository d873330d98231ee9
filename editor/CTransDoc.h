#pragma once

// The editor's document: the language being edited, the foreign language
// shown beside it as an aid, the file it is saved to, and the commands of the
// "Datei", "Flagge" and "Fremdsprache" menus.
//
// Every change of the language goes through the document as a command on its
// undo stack (DocumentCommands.h); the views and panes ask for changes with
// the operations below and hear of every change through the one signal
// Changed, which any number of listeners may use. The modified mark is the
// stack's clean state. Every text the document shows comes from the string
// table through the run-time layer.

#include "CDocChange.h"
#include "CDocument.h"
#include "CFileStamp.h"
#include "CLanguageFile.h"

#include <QObject>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QFileSystemWatcher;
class CDeviceContext;
class CTextNode;

class CTransDoc : public QObject, public CDocument {
    Q_OBJECT
public:
    // The framework's update hints a view still understands (tests and the
    // framework's own calls): each means what the change of that kind means.
    static constexpr std::intptr_t kHintRebuild = 1; // CDocChange::Everything
    static constexpr std::intptr_t kHintRedraw = 4;  // CDocChange::Header (repaint)

    // How a changed text came about: its step's name, whether it merges with
    // the typing before it, whether it marks the text done.
    enum class TextEditKind { Typing, NewLine, JoinLines, Paste, Replace, Suggestion, FuzzySuggestion };
    struct TextEdit {
        CTextNode* node;
        std::u16string text;
    };

    CTransDoc();
    ~CTransDoc() override;

    // The framework's new-document path: OpenLanguage.
    bool OnNewDocument() override;
    // Opening by path through the framework reads nothing; OpenLanguage does.
    bool OnOpenDocument(const std::u16string& path) override;
    // The close question: AskSave. False keeps the document and its window.
    bool SaveModified() override;
    // While the language is read, written or merged nothing may change or
    // replace it: every command is refused (the progress dialog runs the
    // event loop). The views ask this before they change anything.
    bool IsBusy() const override { return m_busy > 0; }
    bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
    // The dialogs of the frame above: the flag dialog answers the chosen flag
    // index (-1: cancelled), the fonts dialog whether the fonts were changed.
    void SetDialogs(std::function<int()> chooseFlag, std::function<bool()> chooseFonts);
    // Makes language (a restored copy of unsaved work) the document's
    // language, modified, to be saved to path (empty: Save asks for a name).
    void RestoreLanguage(std::unique_ptr<CLanguageFile> language, const std::u16string& path);

    // The application's start-up file (from the command line): the first
    // OpenLanguage takes it instead of asking and empties it. nullptr: none.
    void SetStartupFileSource(std::u16string* startupFile) { m_startupFile = startupFile; }

    // Reading the document.
    CTextNode* GetRoot() const;
    CTextNode* GetForeignRoot() const;
    CLanguageFile* GetLanguage() const { return m_language.get(); }
    CLanguageFile* GetForeignLanguage() const { return m_foreign.get(); }
    std::u16string GetProgramName() const;
    std::u16string GetVersion() const;
    std::u16string GetLanguageName() const;
    // Empty when there is no foreign language.
    std::u16string GetForeignLanguageName() const;
    const std::u16string& GetPathName() const { return m_path; }
    // The document's own modified mark (the framework's flag stays clear):
    // a change since the last save that is not undone, or a language that was
    // never saved as it is (new translation, version update, restored copy).
    bool IsLanguageModified() const { return m_unsavedBase || !m_undo.isClean(); }
    int GetPendingFlagIndex() const { return m_pendingFlag; }
    // True also while there is no language.
    bool IsOriginal() const;

    // Changes from the views, each one undoable step (a refused one returns
    // false: busy, original-language file, no language). caretBefore and
    // caretAfter are offsets into the text where undo and redo put the caret.
    bool EditText(CTextNode* node, const std::u16string& text, TextEditKind kind,
                  std::int32_t caretBefore, std::int32_t caretAfter);
    // Replace all: one step, however many texts.
    bool ReplaceTexts(std::vector<TextEdit> edits);
    // Fill from memory: one step; the texts stay to be edited.
    bool FillTexts(std::vector<TextEdit> edits);
    // Marks top's subtree (the whole tree for nullptr) done or to be edited.
    bool MarkSubtree(CTextNode* top, bool done);
    bool SetLanguageName(const std::u16string& text);
    // The next typing starts a step of its own (the user went to another text).
    void BreakTyping() { m_breakTyping = true; }
    // The changes between these two are one step (a paste of several lines).
    void BeginStep();
    void EndStep();
    // Marks the language changed outside the undo history and updates the title.
    void SetModified();

    // The history. Undo and redo refuse while the document is busy.
    QUndoStack& GetUndoStack() { return m_undo; }
    bool Undo();
    bool Redo();
    // The string-table id of the step that Undo (Redo) would take back; 0: none.
    unsigned UndoStepName() const;
    unsigned RedoStepName() const;

    // For the document's commands: tells every listener about a change.
    void Announce(const CDocChange& change);
    // Whether the tree's edit states were recomputed as a whole since it was read.
    bool StatesInLine() const { return m_statesInLine; }
    void SetStatesInLine() { m_statesInLine = true; }

signals:
    // The document's one change signal.
    void Changed(const CDocChange& change);
    // The language was written to its path.
    void Saved();

public:

    // Question 61464; Yes starts a new translation.
    void AskNewFromOriginal();
    // Copies the pending flag from the flag strip into the language's flag (a step).
    void ApplyFlag(const CDeviceContext& dc);
    // Question 61451 when modified; false means the caller must stop.
    bool AskSave();

    // The commands.
    bool OpenLanguage();
    // True when the language was written.
    bool SaveLanguage();
    bool SaveLanguageAs();
    void NewTranslation();
    void VersionUpdate();
    void ShowForeign();
    void HideForeign();
    void ChooseFlag();
    void ChooseFonts();

    // Title from the path, the modified mark and the original-language mark.
    void UpdateTitle();

private:
    class BusyScope;
    void RegisterCommands();
    void RegisterHistoryCommands();
    // A language replaced or changed outside the history: the history goes,
    // and everything is built anew. unsavedBase: the language as it is now
    // was never saved.
    void ResetHistory(bool unsavedBase);
    // New texts for several nodes as one step named stepName.
    bool PushTexts(std::vector<TextEdit> edits, unsigned stepName, bool markDone);
    // A command pushed, unless the document refuses changes now.
    bool Push(QUndoCommand* command);
    // Undo (back) or redo, refused while busy.
    bool TakeStep(bool back);
    unsigned StepNameAt(int index) const;
    // Remembers the state of the file at the path just read or written, and
    // watches it for changes by other programs.
    void TakeStamp();
    // The watched file changed: unless that was our own save, asks at once
    // whether to reload it (the document unchanged) or to keep the changes.
    void CheckFileOnDisk();
    // Reads the file at the path again, dropping the changes made here.
    void Reload();
    // Before writing over the path: true to write, false when the user
    // cancelled or chose another name (which then was saved or not).
    bool MayOverwrite(bool& saved);
    // A file read whole; nullptr after the user was told why not (file error,
    // no tree, another program when checkProgram is set). commandId names
    // the work while it runs.
    std::unique_ptr<CLanguageFile> ReadChosenFile(const std::u16string& path, bool checkProgram,
                                                  unsigned commandId);
    // The open dialog titled titleId, then the chosen
    // file read whole if it belongs to this program; nullptr otherwise.
    std::unique_ptr<CLanguageFile> ChooseFileOfThisProgram(unsigned titleId, unsigned commandId);
    // The open or save dialog with the title of string titleId, showing start
    // (empty: every language file) in the open file's folder; empty on cancel.
    std::u16string AskForPath(bool open, unsigned titleId, const std::u16string& start = {}) const;

    std::unique_ptr<CLanguageFile> m_language;
    std::unique_ptr<CLanguageFile> m_foreign;
    std::u16string m_path;
    QUndoStack m_undo;
    bool m_unsavedBase = false;
    bool m_statesInLine = false;
    bool m_breakTyping = false;
    bool m_inHistory = false; // an undo or redo runs
    std::int32_t m_newTranslationNumber = 0;
    std::int32_t m_pendingFlag = -1;
    std::u16string* m_startupFile = nullptr;
    int m_busy = 0;
    CFileStamp m_stamp;          // the file at m_stampPath when last read or written
    std::u16string m_stampPath;
    std::function<int()> m_chooseFlag;
    std::function<bool()> m_chooseFonts;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    CFileStamp m_declined;       // a changed file the user chose not to reload
    bool m_askingAboutFile = false;
};
