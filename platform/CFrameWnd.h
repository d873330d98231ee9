#pragma once

// The frame window: a QMainWindow that carries the menu bar made from a menu
// resource, the accelerators, the status bar's message line, the command
// route and the prompts of commands.
//
// Commands: every command (menu, accelerator, toolbar, program) goes through
// OnCommand(id, source): the Command hooks are raised around it, a command
// whose update handler disables it is dropped (as the original does), and
// otherwise it is routed with OnCmdMsg: the active view (which may route on to
// its document), then the frame's own table, then the application.
//
// Menus: when a popup opens, OnInitMenuPopup runs between the InitMenuPopup
// hooks and sets each item's enabled/checked state from the route (see
// CCmdTarget::UpdateCommandUI): with no handler anywhere an item is greyed.
// Highlighting an item shows GetMessageString(id) on the message line; when
// the menu closes the idle prompt (AFX_IDS_IDLEMESSAGE) returns.

#include "CCmdTarget.h"
#include "CMessageHooks.h"
#include "WinTypes.h"

#include <QMainWindow>
#include <QPointer>

#include <string>
#include <vector>

class QAction;
class QMenuBar;
class CMenu;
class CStatusBar;

class CFrameWnd : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    explicit CFrameWnd(QWidget* parent = nullptr);
    ~CFrameWnd() override;

    // LoadFrame: menu resourceId (if there is one) as the menu bar, the
    // accelerator table resourceId (if any), and the title from string
    // resourceId (its part before the first "\n"); then the Create hooks. False
    // when neither a menu nor a string of that id exists.
    virtual bool LoadFrame(UINT resourceId);

    // The menu bar (nullptr before one is set) and the menu shown while no
    // document is active, which in this single-document frame is the same.
    CMenu* GetMenu() const;
    CMenu* GetDefaultMenu() const { return GetMenu(); }
    // Installs a menu bar (made by CMenu::CreateMenuBar) and owns it.
    void SetMenu(QMenuBar* menuBar);
    // LoadAccelTable: the keys of an accelerator table become frame-wide
    // shortcuts that send their command (source Accelerator). Replaces earlier ones.
    bool LoadAccelTable(UINT id);

    // Status-bar prompt of a command: the part of string id before the first
    // "\n" (the whole string when it has none; empty when it is missing).
    virtual void GetMessageString(UINT id, std::u16string& message) const;
    // Tooltip of a command: the part of string id after the first "\n" up
    // to the next one; empty for id 0, a missing string or one without "\n".
    // Returns whether it was answered (the original's TTN_NEEDTEXT handler).
    virtual bool GetToolTipText(UINT id, std::u16string& text) const;

    // The message line (pane 0 of the status bar, if there is a CStatusBar).
    void SetMessageText(const std::u16string& text);
    void SetMessageText(UINT id); // GetMessageString(id)
    CStatusBar* GetStatusBar() const;

    // Sends command id along the route (see above).
    virtual void OnCommand(UINT id, CommandSource source = CommandSource::Program);
    // The enabled/checked state the route gives command id now.
    CCmdUI QueryCommandState(UINT id);

    // The active view: asked first on the route.
    void SetActiveView(CCmdTarget* view) { m_activeView = view; }
    CCmdTarget* GetActiveView() const { return m_activeView; }

    bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

    // The program's handling of an opening popup (between the hooks).
    virtual void OnInitMenuPopup(CMenu* popup, UINT index, bool sysMenu);
    // The program's handling of a highlighted item / closed menu.
    virtual void OnMenuSelect(UINT id, UINT flags, CMenu* menu);

signals:
    // Emitted when the event loop has nothing to do: the moment to bring
    // toolbars up to date with QueryCommandState (the original's idle update).
    void idleUpdateCmdUI();

protected:
    bool event(QEvent* e) override;

private:
    CCmdTarget* m_activeView = nullptr;
    std::vector<QAction*> m_accelerators;
    bool m_idlePending = false;
};
