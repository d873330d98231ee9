#pragma once

// The modeless find and replace dialog, built from one of two templates of the
// program's resources (find only, or find and replace). Every button the user
// presses sets the notification flags and sends the registered message
// "commdlg_FindReplace" to the dialog's owner with the dialog as lParam
// (GetNotifier): find next, replace, replace all, and when the dialog closes,
// dialog closing, after which the dialog deletes itself.
//
// Created without a parent the dialog is a window of its own, and its owner
// is the application's main window.

#include "CDialog.h"
#include "RegisteredMessages.h"

#include <QPointer>

#include <string>

// Notification and option flags.
constexpr DWORD FR_DOWN = 0x00000001;
constexpr DWORD FR_WHOLEWORD = 0x00000002;
constexpr DWORD FR_MATCHCASE = 0x00000004;
constexpr DWORD FR_FINDNEXT = 0x00000008;
constexpr DWORD FR_REPLACE = 0x00000010;
constexpr DWORD FR_REPLACEALL = 0x00000020;
constexpr DWORD FR_DIALOGTERM = 0x00000040;

class CFindReplaceDialog : public CDialog {
    Q_OBJECT
public:
    // The templates the program's resources provide, and their controls.
    static constexpr UINT kFindTemplate = 170;
    static constexpr UINT kReplaceTemplate = 171;
    static constexpr int kFindWhat = 0x480;
    static constexpr int kReplaceWith = 0x481;
    static constexpr int kWholeWord = 0x410;
    static constexpr int kMatchCase = 0x411;
    static constexpr int kUp = 0x420;
    static constexpr int kDown = 0x421;
    static constexpr int kReplace = 0x400;
    static constexpr int kReplaceAll = 0x401;

    explicit CFindReplaceDialog(bool findOnly);
    ~CFindReplaceDialog() override;

    // Builds, presets the texts and options (FR_DOWN, FR_WHOLEWORD,
    // FR_MATCHCASE of flags) and shows the dialog; false without a template.
    bool Create(const std::u16string& findWhat, const std::u16string& replaceWith = {},
                DWORD flags = FR_DOWN, QWidget* parentWnd = nullptr);

    // The message number of "commdlg_FindReplace".
    static UINT GetFindReplaceMessage();
    // The dialog a notification came from.
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    bool IsFindOnly() const { return m_findOnly; }
    std::u16string GetFindString() const;
    std::u16string GetReplaceString() const;
    bool SearchDown() const;
    bool MatchCase() const;
    bool MatchWholeWord() const;
    // The flags of the notification being sent.
    bool FindNext() const { return (m_flags & FR_FINDNEXT) != 0; }
    bool ReplaceCurrent() const { return (m_flags & FR_REPLACE) != 0; }
    bool ReplaceAll() const { return (m_flags & FR_REPLACEALL) != 0; }
    bool IsTerminating() const { return (m_flags & FR_DIALOGTERM) != 0; }

    // Where the notifications go.
    QWidget* GetOwner() const;

    // The buttons (public so that tests can press them).
    void OnFindNext() { Notify(FR_FINDNEXT); }
    void OnReplace() { Notify(FR_REPLACE); }
    void OnReplaceAll() { Notify(FR_REPLACEALL); }
    // Closing sends the last notification, then the dialog deletes itself.
    void OnCancel() override;

protected:
    bool OnInitDialog() override;
    // Stays above its owner: the owner becomes the transient parent before
    // the window is mapped (a window manager reads it only then).
    void showEvent(QShowEvent* event) override;

private:
    void Notify(DWORD what);
    void EnableButtons();

    bool m_findOnly;
    DWORD m_flags = 0;
    DWORD m_presetFlags = FR_DOWN;
    std::u16string m_findWhat;
    std::u16string m_replaceWith;
    QPointer<QWidget> m_owner;
    bool m_closing = false;
};
