#pragma once

// A window as the design's code sees it: a light, copyable reference to a
// QWidget (it does not own it, and goes null when the widget dies), with the
// Win32 window operations the translation and the dialogs need.
//
// Window text is one accessor pair over the kinds of widget:
//   top-level window             -> window title
//   QAbstractButton              -> text()
//   QGroupBox                    -> title()
//   QLabel                       -> text() (a picture label: its stored text)
//   QLineEdit / QPlainTextEdit   -> the edit text
//   QComboBox (editable)         -> the edit text
//   anything else                -> a stored text (the "windowText" property):
//                                   a list view's template text such as "List1"
// Child windows are the direct child widgets that are not windows themselves,
// in creation order: for a dialog built from a template that is the template
// order, the z-order from the top that the dialog translation walks.

#include "CRect.h"
#include "WinTypes.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class CMenu;

class CWnd {
public:
    CWnd() = default;
    CWnd(QWidget* widget) : m_widget(widget) {} // NOLINT: a widget is a window

    static CWnd FromHandle(HWND hwnd);
    static bool IsWindow(HWND hwnd);
    // The handle of widget, assigned on first use; 0 for nullptr.
    static HWND HandleOf(QWidget* widget);

    QWidget* GetWidget() const { return m_widget; }
    QWidget* operator->() const { return m_widget; }
    explicit operator bool() const { return m_widget != nullptr; }
    HWND GetSafeHwnd() const { return HandleOf(m_widget); }

    std::u16string GetWindowText() const;
    void SetWindowText(const std::u16string& text) const;
    int GetWindowTextLength() const { return int(GetWindowText().size()); }

    // The control id (GetDlgCtrlID); 0 for a window that has none.
    int GetDlgCtrlID() const;
    void SetDlgCtrlID(int id) const;
    // GetDlgItem: the direct child with that control id (first in z-order).
    CWnd GetDlgItem(int id) const;

    // Direct child windows in z-order from the top (GetWindow(GW_CHILD) and
    // GW_HWNDNEXT walked to the end).
    std::vector<CWnd> GetChildren() const;
    CWnd GetParent() const;
    // WS_CHILD: the widget is not a window of its own.
    bool IsChildWindow() const;
    bool IsDialog() const;    // a CDialog or a form built from a template
    bool IsFrameWnd() const;  // a CFrameWnd
    // The Win32 class name the control stands for: "Button", "Edit",
    // "Static", "ListBox", "ComboBox", "ScrollBar", "SysListView32",
    // "SysTreeView32", "SysTabControl32", "#32770" (dialog), or the stored
    // name of a custom control; else the Qt class name.
    std::u16string GetClassName() const;
    // Records the class name a control stands for (the template builder does).
    void SetClassName(const std::u16string& name) const;

    // GetMenu: the menu bar of a frame window (or of a window with a
    // QMenuBar child); nullptr for child windows and windows without one.
    CMenu* GetMenu() const;

    bool EnableWindow(bool enable) const;   // returns whether it was disabled before
    bool IsWindowEnabled() const;
    bool ShowWindow(int cmd) const;         // SW_HIDE / SW_SHOW; returns previous visibility
    bool IsWindowVisible() const;
    void MoveWindow(const CRect& rect) const; // in the parent's client coordinates
    CRect GetWindowRect() const;            // in screen coordinates
    CRect GetClientRect() const;            // (0, 0, width, height)

    friend bool operator==(const CWnd& a, const CWnd& b) { return a.m_widget == b.m_widget; }

private:
    QPointer<QWidget> m_widget;
};
