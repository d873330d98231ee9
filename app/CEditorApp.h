#pragma once

// The editor's application object: loads the user-interface language, sets
// up fonts, profile and document, opens the first language file (from the
// command line, else the one the user picks) in the main frame, and handles
// the application's commands (about box, new and open, printer set-up).
//
// Opening by path (Ctrl+O, a file dropped on the window, a file handed over
// by a second start of the program) opens that file as the start-up file is
// opened: the save question first when there are unsaved changes, then the
// document's checks; a refused file leaves the open document as it was.
//
// Other features extend the commands with AddAppCommand.

#include "CRecentFileList.h"
#include "__X_CWinApp.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class QPrinter;
class CInstanceChannel;
class CMainFrame;
class CRecovery;
class CTransDoc;

class CEditorApp : public __X_CWinApp {
public:
    static constexpr int kRecentFiles = 4;
    static constexpr char16_t kRegistryKey[] = u"Kestrow Tools";
    static constexpr char16_t kUiLanguageFile[] = u"Edit.tra";
    // The program name its language files carry.
    static constexpr char16_t kProgramName[] = u"Glossmark Editor";
    // A handed-over file that finds the editor busy is tried again this much later.
    static constexpr int kHandOverRetryMs = 300;

    CEditorApp();
    ~CEditorApp() override;

    // The arguments after the program's name, as the desktop passes them.
    void SetCommandLine(const QStringList& arguments) { m_arguments = arguments; }
    // The start-up file: the first argument that is not a shell switch such
    // as /p or -p (absolute). Empty when there is none.
    static std::u16string FileOfCommandLine(const QStringList& arguments);
    const std::u16string& GetStartupFile() const { return m_startupFile; }

    // The channel through which later starts hand their file to this editor
    // (empty: none, as in tests).
    void SetInstanceChannel(const QString& name) { m_channelName = name; }
    // A file on the command line handed to an editor that runs already; true
    // when it took it, so this start ends here.
    bool HandOverToRunningEditor();

    bool InitInstance() override;
    int ExitInstance() override;

    CMainFrame* GetMainFrame() const;
    CTransDoc* GetDocument() const { return m_document.get(); }
    // The copy of unsaved work kept against crashes (from the first window on).
    CRecovery* GetRecovery() const { return m_recovery.get(); }
    const CRecentFileList& GetRecentFiles() const { return m_recentFiles; }
    QPrinter* GetPrinter();

    // Opens path as the start-up file is opened (see above); true when the
    // document holds it afterwards.
    bool OpenDocumentFile(const std::u16string& path);

    // Field of the document string 128: 0 window title, 1 document name,
    // 2 new-file name, 3 filter name, 4 filter extension, 5 file type id,
    // 6 file type name.
    static std::u16string GetDocString(int field);

    // A command of the application's own table (a later one replaces an
    // earlier one of the same id); update may be empty.
    void AddAppCommand(UINT id, std::function<void()> handler,
                       std::function<void(CCmdUI&)> update = {});

    // Test seam for the printer set-up dialog: called instead of showing it.
    using PrinterSetupResponder = std::function<int(QPrinter&)>;
    static PrinterSetupResponder SetPrinterSetupResponder(PrinterSetupResponder responder);

private:
    void RegisterCommands();
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    // The framework's new-document command at start: the document, the main
    // frame with its views, and the first open. False when no window remains.
    bool CreateFirstDocument();
    void OnDocumentTitle(const std::u16string& title);
    void OnHandedOverFile(const std::u16string& path);

    QStringList m_arguments;
    std::u16string m_startupFile;
    QString m_channelName;
    std::unique_ptr<CInstanceChannel> m_channel;
    std::unique_ptr<CTransDoc> m_document;
    std::unique_ptr<CRecovery> m_recovery;
    QPointer<CMainFrame> m_frame;
    CRecentFileList m_recentFiles{kRecentFiles};
    std::unique_ptr<QPrinter> m_printer;
    bool m_opening = false; // an open is under way (its dialogs may run events)
};
