#pragma once

// A menu: a wrapper over a QMenuBar (menu bar) or QMenu (popup), giving the
// item operations the design does by position and by command. Items are the
// widget's QActions in order; a command item's action carries its numeric id
// (QAction::data), a popup item's action carries the submenu (QAction::menu).
// Item texts are kept as written, '&' marks and "\t" shortcut text included
// (QMenu shows the part after the tab as the shortcut column).
//
// A CMenu is a child object of its widget and dies with it; its handle stays
// unique, so IsMenu(handle) answers false afterwards.
//
// Popups made or attached here raise the hooks (CMessageHooks): InitMenuPopup
// around the owner frame's OnInitMenuPopup, MenuSelect on highlighting, and at
// the end of a menu session CaptureChanged, MenuSelect(closed) and the chosen
// command (see CMessageHooks.h for the order). The chosen command goes to the
// owner frame's OnCommand; menu items never carry shortcuts of their own
// (accelerators are the frame's).

#include "ResourceTypes.h"
#include "WinTypes.h"

#include <QObject>
#include <QPointer>

#include <span>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class CFrameWnd;

class CMenu : public QObject {
    Q_OBJECT
public:
    // The wrapper of a QMenuBar or QMenu, made on first use (popups found
    // below it are attached too). nullptr for other widgets.
    static CMenu* FromWidget(QWidget* menuWidget);
    static CMenu* FromHandle(HMENU menu);
    static bool IsMenu(HMENU menu);

    // Builds a menu bar from a menu resource (popups with their items).
    static QMenuBar* CreateMenuBar(const res::Menu& menu, QWidget* parent = nullptr);
    // LoadMenu: a menu resource as a popup container (for context menus:
    // GetSubMenu(0) is usually what is tracked). nullptr for a missing id. The
    // QMenu is a child of parent (or owned by the caller without one).
    static CMenu* LoadMenu(UINT id, QWidget* parent = nullptr);
    // CreatePopupMenu: a new, empty popup.
    static CMenu* CreatePopupMenu(QWidget* parent = nullptr);

    HMENU GetSafeHmenu() const { return m_handle; }
    QWidget* GetWidget() const { return m_widget; }
    bool IsMenuBar() const;

    // The frame whose commands and command-enable update this menu serves;
    // submenus inherit it. Set by CFrameWnd::SetMenu and TrackPopupMenu.
    void SetOwner(CFrameWnd* owner);
    CFrameWnd* GetOwner() const;

    // GetMenuItemCount: the number of items, separators included.
    int GetMenuItemCount() const;
    // GetMenuItemID: the command id at pos; 0 for a separator, MENU_POPUP_ID
    // for a popup item and for a bad position.
    UINT GetMenuItemID(int pos) const;
    // GetMenuString by position (MF_BYPOSITION) or command (MF_BYCOMMAND,
    // searched through the submenus). Empty for a miss or a separator.
    std::u16string GetMenuString(UINT idOrPos, UINT flags) const;
    // GetMenuState: MF_GRAYED | MF_CHECKED | MF_POPUP | MF_SEPARATOR bits, or
    // MENU_ITEM_NOT_FOUND.
    UINT GetMenuState(UINT idOrPos, UINT flags) const;
    // GetSubMenu: the popup at pos, or nullptr.
    CMenu* GetSubMenu(int pos) const;

    // ModifyMenu: replaces the item (by position or command) with a string
    // item of text and id, or with MF_POPUP a popup item whose submenu is
    // the menu of handle idOrPopup (may be the same submenu), or with
    // MF_SEPARATOR a separator. Like the original, the new item is enabled and
    // unchecked unless flags say MF_GRAYED/MF_CHECKED.
    bool ModifyMenu(UINT idOrPos, UINT flags, UINT_PTR idOrPopup, const std::u16string& text);
    // AppendMenu: MF_STRING (id, text), MF_POPUP (handle of a popup, text) or MF_SEPARATOR.
    bool AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const std::u16string& text = {});
    // RemoveMenu: takes the item out; a popup's menu is not destroyed.
    bool RemoveMenu(UINT idOrPos, UINT flags);
    // EnableMenuItem: MF_ENABLED / MF_GRAYED / MF_DISABLED, by position or by
    // command (every item with that id, submenus included). Returns the
    // previous MF_GRAYED/MF_DISABLED state of the first item, or MENU_ITEM_NOT_FOUND.
    UINT EnableMenuItem(UINT idOrPos, UINT flags);
    // CheckMenuItem: MF_CHECKED / MF_UNCHECKED; returns the previous state or MENU_ITEM_NOT_FOUND.
    UINT CheckMenuItem(UINT idOrPos, UINT flags);
    // Nothing to do on this platform: menu bars repaint themselves.
    void DrawMenuBar() const {}

    // TrackPopupMenu: shows this popup at the screen position and runs it
    // modally. With TPM_RETURNCMD the chosen id is returned (0 for none) and
    // no command is sent; otherwise the choice goes to owner like a menu
    // command and the result is whether something was chosen.
    UINT TrackPopupMenu(UINT flags, int x, int y, CFrameWnd* owner);

    // The QAction at pos (nullptr for a bad position).
    QAction* GetAction(int pos) const;

    // DestroyMenu: deletes the menu widget (later, when control returns to
    // the event loop), and with it this wrapper.
    void DestroyMenu();

private:
    explicit CMenu(QWidget* menuWidget);
    void Connect();
    QAction* FindByCommand(UINT id, CMenu** holder) const;
    QAction* Find(UINT idOrPos, UINT flags, CMenu** holder = nullptr) const;
    void OnAboutToShow();
    void OnAboutToHide();
    void OnHovered(QAction* action);
    void OnTriggered(QAction* action);

    QWidget* m_widget;
    HMENU m_handle;
    QPointer<QObject> m_owner; // the CFrameWnd
};
