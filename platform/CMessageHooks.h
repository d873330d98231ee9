#pragma once

// Thread message hooks: the points where the run-time translation layer sees
// what the program's windows are about to do, in the spirit of a call hook
// (before the window's own handling) and a return hook (after it).
//
// Every event is raised on the UI thread, first to every CallWndProc hook,
// then the window's own handling runs, then every CallWndProcRet hook. Among
// hooks of one type the one installed last is called first. Hooks may install
// and remove hooks (also themselves) while they run; a hook removed during a
// round is not called later in it.
//
// Where the platform raises each event:
// - Create: a CDialog or CFormView whose controls have just been made, or a
//   CFrameWnd after LoadFrame made its menu and accelerators (before the
//   program's OnInitDialog / further set-up).
// - Destroy: from the destructor of CDialog, CFormView and CFrameWnd (the
//   window is still whole).
// - InitDialog: after a CDialog's (or CFormView's) controls exist and before
//   its OnInitDialog; the message boxes are dialogs and pass here too.
// - InitMenuPopup: a popup menu is about to open; the program's own handling
//   is the owner frame's OnInitMenuPopup (the command-enable update).
// - MenuSelect: the mouse or keyboard highlights a menu item (id = command id;
//   for an item that opens a popup id = its position and flags has MF_POPUP;
//   separators are never raised), or the menu closed (menuClosed, id 0, menu
//   nullptr). The frame's own handling shows the status prompt.
// - CaptureChanged: the menu's mouse capture ended, once per menu session.
// - Command: a command id is about to run (before routing), with its source.
//
// One menu session ends like this: when an item was chosen, CaptureChanged,
// then MenuSelect(menuClosed), then Command(source Menu); when the menu was
// dismissed, MenuSelect(menuClosed), then CaptureChanged. A menu command is
// thus raised exactly once, after the menu has gone (the original posts it).

#include "WinTypes.h"

#include <functional>

class QWidget;
class CMenu;

enum class HookType { CallWndProc, CallWndProcRet };

enum class HookMessage { Create, Destroy, InitDialog, InitMenuPopup, MenuSelect,
                         CaptureChanged, Command };

enum class CommandSource {
    Menu,        // a menu item was chosen (the original posts these)
    Accelerator, // a key of the accelerator table
    Control,     // a toolbar button or dialog control (sent by the control)
    Program      // the program sent the command itself
};

struct HookEvent {
    HookMessage message;
    QWidget* window = nullptr;   // the window the message is for (dialog, frame, owner)
    CMenu* menu = nullptr;       // InitMenuPopup: the popup; MenuSelect: menu holding the item
    UINT id = 0;                 // MenuSelect, Command
    UINT index = 0;              // InitMenuPopup: position of the popup in its parent menu
    UINT flags = 0;              // MenuSelect: MF_POPUP for a popup item
    bool menuClosed = false;     // MenuSelect: the menu closed (highlights nothing)
    CommandSource source = CommandSource::Program; // Command
};

using HookProc = std::function<void(const HookEvent&)>;

class CMessageHooks {
public:
    // Installs proc; returns its handle (never 0).
    static HHOOK SetWindowsHookEx(HookType type, HookProc proc);
    // Removes a hook; false (and nothing else) for a handle not installed,
    // 0 included.
    static bool UnhookWindowsHookEx(HHOOK hook);
    static bool IsInstalled(HHOOK hook);
    static int Count(HookType type);

    // Raises event to all hooks of one type (platform use and tests).
    static void Raise(HookType type, const HookEvent& event);
    // Raises to the call hooks, runs own (may be empty), raises to the return hooks.
    static void Dispatch(const HookEvent& event, const std::function<void()>& own);
    // Dispatch of an event that names only its message and window.
    static void Dispatch(HookMessage message, QWidget* window, const std::function<void()>& own = {});
};
