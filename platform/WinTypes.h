#pragma once

// Win32 vocabulary the ported code is written in: integer types, handles,
// return codes and flag bits. Values are those of the original platform, so
// numbers quoted by the design (IDOK = 1, MF_GRAYED = 1, ...) keep their meaning.

#include "DeviceContext.h" // COLORREF (model)

#include <cstdint>

using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using LONG = std::int32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;

// Handles are plain numbers handed out by the platform. A handle of a window
// or menu that has gone is never reused, so it can be tested with IsWindow /
// IsMenu long after the object died (the run-time layer's trackers rely on it).
using HWND = std::uint64_t;
using HMENU = std::uint64_t;
using HHOOK = std::uint64_t;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// Dialog and message-box results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDHELP = 9;
constexpr int IDC_STATIC = -1;

// Message-box types (no icons: the program never shows one).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

// Menu flags (AppendMenu, ModifyMenu, EnableMenuItem, GetMenuState, ...).
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MENU_ITEM_NOT_FOUND = 0xFFFFFFFFu; // EnableMenuItem / GetMenuState miss
constexpr UINT MENU_POPUP_ID = 0xFFFFFFFFu;       // GetMenuItemID of a popup item

// TrackPopupMenu
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Raster operations for BitBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;   // dest | src
constexpr DWORD SRCAND = 0x008800C6;     // dest & src
constexpr DWORD SRCINVERT = 0x00660046;  // dest ^ src
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// ShowWindow
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// Command routing codes (OnCmdMsg).
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
constexpr int CN_HAS_HANDLER = -2; // ours: is there a command handler (nothing runs)

// Window style bits the dialog templates use.
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_CENTER = 0x0800;

constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_CHECKBOX = 0x2;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_RADIOBUTTON = 0x4;
constexpr DWORD BS_3STATE = 0x5;
constexpr DWORD BS_AUTO3STATE = 0x6;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
constexpr DWORD BS_TYPEMASK = 0xF;

constexpr DWORD ES_CENTER = 0x1;
constexpr DWORD ES_RIGHT = 0x2;
constexpr DWORD ES_MULTILINE = 0x4;
constexpr DWORD ES_PASSWORD = 0x20;
constexpr DWORD ES_AUTOHSCROLL = 0x80;
constexpr DWORD ES_READONLY = 0x800;

constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD SS_CENTER = 0x1;
constexpr DWORD SS_RIGHT = 0x2;
constexpr DWORD SS_ICON = 0x3;
constexpr DWORD SS_BLACKFRAME = 0x7;
constexpr DWORD SS_LEFTNOWORDWRAP = 0xC;
constexpr DWORD SS_BITMAP = 0xE;
constexpr DWORD SS_ETCHEDHORZ = 0x10;
constexpr DWORD SS_ETCHEDVERT = 0x11;
constexpr DWORD SS_ETCHEDFRAME = 0x12;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD SS_NOPREFIX = 0x80;

constexpr DWORD LVS_ICON = 0x0;
constexpr DWORD LVS_REPORT = 0x1;
constexpr DWORD LVS_SMALLICON = 0x2;
constexpr DWORD LVS_LIST = 0x3;
constexpr DWORD LVS_TYPEMASK = 0x3;
constexpr DWORD LVS_SINGLESEL = 0x4;
constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
constexpr DWORD LVS_AUTOARRANGE = 0x100;

constexpr DWORD CBS_SIMPLE = 0x1;
constexpr DWORD CBS_DROPDOWN = 0x2;
constexpr DWORD CBS_DROPDOWNLIST = 0x3;
constexpr DWORD SBS_VERT = 0x1;

// Framework string ids the platform itself asks for.
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;     // 57344
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;   // 57345
