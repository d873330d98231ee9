#pragma once

// The editor's document: the language being edited, the foreign language
// shown beside it as an aid, the file it is saved to, and the commands of the
// "Datei", "Flagge" and "Fremdsprache" menus.
//
// The document reaches its views only through update hints (UpdateAllViews);
// the views call the operations below directly. Every text the document shows
// comes from the string table through the run-time layer.

#include "CDocument.h"
#include "CFileStamp.h"
#include "CLanguageFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QFileSystemWatcher;
class CDeviceContext;
class CTextNode;

class CTransDoc : public CDocument {
public:
    // Update hints sent to the views.
    static constexpr std::intptr_t kHintRebuild = 1;    // rebuild everything from the document
    static constexpr std::intptr_t kHintStoreEdits = 2; // write pending edits into the document now
    static constexpr std::intptr_t kHintApplyFlag = 3;  // call ApplyFlag with a DC of the view's own
    static constexpr std::intptr_t kHintRedraw = 4;     // redraw
    static constexpr std::intptr_t kHintRelayout = 5;   // other fonts: rebuild, keeping the place

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
    // Told whenever the title changes: the modified mark, the path, the language.
    void SetStateListener(std::function<void()> listener) { m_stateListener = std::move(listener); }
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
    // The document's own modified mark (the framework's flag stays clear).
    bool IsLanguageModified() const { return m_modified; }
    int GetPendingFlagIndex() const { return m_pendingFlag; }
    // True also while there is no language.
    bool IsOriginal() const;

    // Changes from the views.
    void SetLanguageName(const std::u16string& text);
    // Marks the language changed and updates the title.
    void SetModified();

    // Question 61464; Yes starts a new translation.
    void AskNewFromOriginal();
    // Copies the pending flag from the flag strip into the language's flag.
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
    // The open dialog titled titleId, then (pending edits stored) the chosen
    // file read whole if it belongs to this program; nullptr otherwise.
    std::unique_ptr<CLanguageFile> ChooseFileOfThisProgram(unsigned titleId, unsigned commandId);
    // The open or save dialog with the title of string titleId, showing start
    // (empty: every language file) in the open file's folder; empty on cancel.
    std::u16string AskForPath(bool open, unsigned titleId, const std::u16string& start = {}) const;

    std::unique_ptr<CLanguageFile> m_language;
    std::unique_ptr<CLanguageFile> m_foreign;
    std::u16string m_path;
    bool m_modified = false;
    std::int32_t m_newTranslationNumber = 0;
    std::int32_t m_pendingFlag = -1;
    std::u16string* m_startupFile = nullptr;
    int m_busy = 0;
    CFileStamp m_stamp;          // the file at m_stampPath when last read or written
    std::u16string m_stampPath;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    CFileStamp m_declined;       // a changed file the user chose not to reload
    bool m_askingAboutFile = false;
    std::function<void()> m_stateListener;
};
