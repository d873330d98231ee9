#include "CMenu.h"

#include "CFrameWnd.h"
#include "CMessageHooks.h"
#include "CResources.h"
#include "QtStrings.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <unordered_map>

namespace {

std::unordered_map<HMENU, QPointer<CMenu>>& Menus()
{
    static std::unordered_map<HMENU, QPointer<CMenu>> menus;
    return menus;
}

HMENU g_nextHmenu = 0x20000;

// One menu session: from the first popup opening to the last one closing.
struct MenuSession {
    bool active = false;
    bool hasChoice = false;
    UINT chosen = 0;
    QPointer<QObject> owner; // the CFrameWnd of the menu (of the chosen item)
    bool returnCommand = false; // TrackPopupMenu with TPM_RETURNCMD
    UINT trackResult = 0;
};
MenuSession g_session;

CFrameWnd* AsFrame(QObject* object) { return qobject_cast<CFrameWnd*>(object); }

UINT ToMenuFlags(std::uint32_t resFlags)
{
    UINT flags = 0;
    if (resFlags & res::MenuGrayed)
        flags |= MF_GRAYED;
    if (resFlags & res::MenuChecked)
        flags |= MF_CHECKED;
    return flags;
}

void AddItems(CMenu& menu, std::span<const res::MenuItem> items)
{
    for (const res::MenuItem& item : items) {
        const std::u16string text(item.text);
        switch (item.kind) {
        case res::MenuItemKind::Separator:
            menu.AppendMenu(MF_SEPARATOR);
            break;
        case res::MenuItemKind::Popup: {
            CMenu* sub = CMenu::CreatePopupMenu(menu.GetWidget());
            AddItems(*sub, item.items);
            menu.AppendMenu(MF_POPUP | ToMenuFlags(item.flags), sub->GetSafeHmenu(), text);
            break;
        }
        case res::MenuItemKind::Command:
            menu.AppendMenu(MF_STRING | ToMenuFlags(item.flags), item.id, text);
            break;
        }
    }
}

void ApplyState(QAction* action, UINT flags)
{
    action->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    action->setCheckable((flags & MF_CHECKED) != 0 || action->isCheckable());
    action->setChecked((flags & MF_CHECKED) != 0);
}

// Every action with command id below widget, submenus included.
void CollectByCommand(QWidget* widget, UINT id, std::vector<QAction*>& out)
{
    for (QAction* action : widget->actions()) {
        if (action->isSeparator())
            continue;
        if (QMenu* sub = action->menu()) {
            CollectByCommand(sub, id, out);
        } else if (action->data().isValid() && action->data().toUInt() == id) {
            out.push_back(action);
        }
    }
}

UINT StateOf(const QAction* action)
{
    if (action->isSeparator())
        return MF_SEPARATOR;
    UINT state = 0;
    if (!action->isEnabled())
        state |= MF_GRAYED;
    if (action->isChecked())
        state |= MF_CHECKED;
    if (action->menu())
        state |= MF_POPUP;
    return state;
}

void EndSessionIfOver()
{
    if (!g_session.active)
        return;
    if (qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        return; // another popup of the same session is open (moving along the bar)
    const MenuSession ended = g_session;
    g_session.active = false;
    g_session.hasChoice = false;
    g_session.owner = nullptr;
    CFrameWnd* owner = AsFrame(ended.owner.data());

    HookEvent capture{HookMessage::CaptureChanged};
    capture.window = owner;
    HookEvent closed{HookMessage::MenuSelect};
    closed.window = owner;
    closed.menuClosed = true;
    closed.flags = 0xFFFF;
    const auto closeOwn = [owner] {
        if (owner)
            owner->OnMenuSelect(0, 0xFFFF, nullptr);
    };
    if (ended.hasChoice) {
        CMessageHooks::Dispatch(capture, {});
        CMessageHooks::Dispatch(closed, closeOwn);
        if (owner)
            owner->OnCommand(ended.chosen, CommandSource::Menu);
    } else {
        CMessageHooks::Dispatch(closed, closeOwn);
        CMessageHooks::Dispatch(capture, {});
    }
}

} // namespace

CMenu::CMenu(QWidget* menuWidget) : QObject(menuWidget), m_widget(menuWidget), m_handle(g_nextHmenu++)
{
    Menus().emplace(m_handle, this);
    const HMENU handle = m_handle;
    connect(this, &QObject::destroyed, [handle] { Menus().erase(handle); });
}

CMenu* CMenu::FromWidget(QWidget* menuWidget)
{
    if (!qobject_cast<QMenu*>(menuWidget) && !qobject_cast<QMenuBar*>(menuWidget))
        return nullptr;
    if (auto* existing = menuWidget->findChild<CMenu*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    auto* menu = new CMenu(menuWidget);
    if (auto* bar = qobject_cast<QMenuBar*>(menuWidget))
        bar->setNativeMenuBar(false); // the hooks need Qt's own menu bar
    menu->Connect();
    for (QAction* action : menuWidget->actions()) {
        if (action->menu())
            FromWidget(action->menu());
    }
    return menu;
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    auto it = Menus().find(menu);
    return it == Menus().end() ? nullptr : it->second.data();
}

bool CMenu::IsMenu(HMENU menu) { return FromHandle(menu) != nullptr; }

QMenuBar* CMenu::CreateMenuBar(const res::Menu& menu, QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    AddItems(*FromWidget(bar), menu.items);
    return bar;
}

CMenu* CMenu::LoadMenu(UINT id, QWidget* parent)
{
    const res::Menu* resource = CResources::FindMenu(id);
    if (!resource)
        return nullptr;
    CMenu* menu = CreatePopupMenu(parent);
    AddItems(*menu, resource->items);
    return menu;
}

CMenu* CMenu::CreatePopupMenu(QWidget* parent) { return FromWidget(new QMenu(parent)); }

bool CMenu::IsMenuBar() const { return qobject_cast<QMenuBar*>(m_widget) != nullptr; }

void CMenu::SetOwner(CFrameWnd* owner) { m_owner = owner; }

CFrameWnd* CMenu::GetOwner() const
{
    if (m_owner)
        return AsFrame(m_owner.data());
    for (QWidget* w = m_widget->parentWidget(); w; w = w->parentWidget()) {
        if (CFrameWnd* frame = AsFrame(w))
            return frame;
        if (CMenu* above = w->findChild<CMenu*>(QString(), Qt::FindDirectChildrenOnly);
            above && above->m_owner)
            return AsFrame(above->m_owner.data());
    }
    return nullptr;
}

int CMenu::GetMenuItemCount() const { return int(m_widget->actions().size()); }

QAction* CMenu::GetAction(int pos) const
{
    const QList<QAction*> actions = m_widget->actions();
    return pos >= 0 && pos < actions.size() ? actions[pos] : nullptr;
}

QAction* CMenu::FindByCommand(UINT id, CMenu** holder) const
{
    for (QAction* action : m_widget->actions()) {
        if (action->isSeparator())
            continue;
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FromWidget(sub)->FindByCommand(id, holder))
                return found;
        } else if (action->data().isValid() && action->data().toUInt() == id) {
            if (holder)
                *holder = const_cast<CMenu*>(this);
            return action;
        }
    }
    return nullptr;
}

QAction* CMenu::Find(UINT idOrPos, UINT flags, CMenu** holder) const
{
    if (flags & MF_BYPOSITION) {
        if (holder)
            *holder = const_cast<CMenu*>(this);
        return idOrPos > UINT(INT32_MAX) ? nullptr : GetAction(int(idOrPos));
    }
    return FindByCommand(idOrPos, holder);
}

UINT CMenu::GetMenuItemID(int pos) const
{
    const QAction* action = GetAction(pos);
    if (!action || action->menu())
        return MENU_POPUP_ID;
    if (action->isSeparator())
        return 0;
    return action->data().toUInt();
}

std::u16string CMenu::GetMenuString(UINT idOrPos, UINT flags) const
{
    const QAction* action = Find(idOrPos, flags);
    if (!action || action->isSeparator())
        return {};
    return ToU16(action->text());
}

UINT CMenu::GetMenuState(UINT idOrPos, UINT flags) const
{
    const QAction* action = Find(idOrPos, flags);
    return action ? StateOf(action) : MENU_ITEM_NOT_FOUND;
}

CMenu* CMenu::GetSubMenu(int pos) const
{
    const QAction* action = GetAction(pos);
    return action && action->menu() ? FromWidget(action->menu()) : nullptr;
}

bool CMenu::ModifyMenu(UINT idOrPos, UINT flags, UINT_PTR idOrPopup, const std::u16string& text)
{
    CMenu* holderMenu = nullptr;
    QAction* old = Find(idOrPos, flags & MF_BYPOSITION, &holderMenu);
    if (!old || !holderMenu)
        return false;
    QWidget* holder = holderMenu->m_widget;
    const QString qtext = ToQString(text);
    QMenu* newSub = nullptr;
    if (flags & MF_POPUP) {
        CMenu* sub = FromHandle(HMENU(idOrPopup));
        newSub = sub ? qobject_cast<QMenu*>(sub->m_widget) : nullptr;
        if (!newSub || newSub == holder)
            return false;
    }
    // The item keeps its QAction when its kind stays, so an open menu only repaints.
    QAction* replacement = nullptr;
    if (flags & MF_SEPARATOR) {
        if (!old->isSeparator()) {
            replacement = new QAction(holder);
            replacement->setSeparator(true);
        }
    } else if (newSub) {
        if (old->menu() != newSub) {
            replacement = newSub->menuAction();
        }
        (replacement ? replacement : old)->setText(qtext);
    } else {
        if (old->menu() || old->isSeparator())
            replacement = new QAction(holder);
        QAction* target = replacement ? replacement : old;
        target->setText(qtext);
        target->setData(QVariant::fromValue(UINT(idOrPopup)));
    }
    QAction* item = replacement ? replacement : old;
    if (!item->isSeparator())
        ApplyState(item, flags);
    if (replacement) {
        holder->insertAction(old, replacement);
        holder->removeAction(old);
        if (!old->menu() && old->parent() == holder)
            old->deleteLater();
    }
    return true;
}

bool CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, const std::u16string& text)
{
    QAction* action = nullptr;
    if (flags & MF_SEPARATOR) {
        action = new QAction(m_widget);
        action->setSeparator(true);
        m_widget->addAction(action);
        return true;
    }
    if (flags & MF_POPUP) {
        CMenu* sub = FromHandle(HMENU(idOrPopup));
        auto* menu = sub ? qobject_cast<QMenu*>(sub->m_widget) : nullptr;
        if (!menu || menu == m_widget)
            return false;
        action = menu->menuAction();
    } else {
        action = new QAction(m_widget);
        action->setData(QVariant::fromValue(UINT(idOrPopup)));
    }
    action->setText(ToQString(text));
    ApplyState(action, flags);
    m_widget->addAction(action);
    return true;
}

bool CMenu::RemoveMenu(UINT idOrPos, UINT flags)
{
    CMenu* holder = nullptr;
    QAction* action = Find(idOrPos, flags, &holder);
    if (!action || !holder)
        return false;
    holder->m_widget->removeAction(action);
    if (!action->menu() && action->parent() == holder->m_widget)
        action->deleteLater();
    return true;
}

UINT CMenu::EnableMenuItem(UINT idOrPos, UINT flags)
{
    std::vector<QAction*> targets;
    if (flags & MF_BYPOSITION) {
        if (QAction* action = Find(idOrPos, flags))
            targets.push_back(action);
    } else {
        CollectByCommand(m_widget, idOrPos, targets);
    }
    if (targets.empty())
        return MENU_ITEM_NOT_FOUND;
    const UINT previous = targets.front()->isEnabled() ? MF_ENABLED : MF_GRAYED;
    for (QAction* action : targets)
        action->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    return previous;
}

UINT CMenu::CheckMenuItem(UINT idOrPos, UINT flags)
{
    QAction* action = Find(idOrPos, flags);
    if (!action || action->isSeparator())
        return MENU_ITEM_NOT_FOUND;
    const UINT previous = action->isChecked() ? MF_CHECKED : MF_UNCHECKED;
    action->setCheckable(true);
    action->setChecked((flags & MF_CHECKED) != 0);
    return previous;
}

UINT CMenu::TrackPopupMenu(UINT flags, int x, int y, CFrameWnd* owner)
{
    auto* menu = qobject_cast<QMenu*>(m_widget);
    if (!menu)
        return 0;
    SetOwner(owner);
    g_session.returnCommand = (flags & TPM_RETURNCMD) != 0;
    g_session.trackResult = 0;
    QAction* chosen = menu->exec(QPoint(x, y));
    const bool returnCommand = g_session.returnCommand;
    g_session.returnCommand = false;
    if (returnCommand)
        return g_session.trackResult;
    return chosen ? 1 : 0;
}

void CMenu::DestroyMenu() { m_widget->deleteLater(); }

void CMenu::Connect()
{
    if (auto* menu = qobject_cast<QMenu*>(m_widget)) {
        connect(menu, &QMenu::aboutToShow, this, &CMenu::OnAboutToShow);
        connect(menu, &QMenu::aboutToHide, this, &CMenu::OnAboutToHide);
        connect(menu, &QMenu::hovered, this, &CMenu::OnHovered);
        connect(menu, &QMenu::triggered, this, &CMenu::OnTriggered);
    } else if (auto* bar = qobject_cast<QMenuBar*>(m_widget)) {
        connect(bar, &QMenuBar::hovered, this, &CMenu::OnHovered);
        connect(bar, &QMenuBar::triggered, this, &CMenu::OnTriggered);
    }
}

void CMenu::OnAboutToShow()
{
    if (!g_session.active) {
        g_session.active = true;
        g_session.hasChoice = false;
        // Told when the session ends, with a choice or without one.
        g_session.owner = GetOwner();
    }
    UINT index = 0;
    if (QWidget* parent = m_widget->parentWidget()) {
        const QList<QAction*> actions = parent->actions();
        for (qsizetype i = 0; i < actions.size(); ++i) {
            if (actions[i]->menu() == m_widget) {
                index = UINT(i);
                break;
            }
        }
    }
    CFrameWnd* owner = GetOwner();
    HookEvent event{HookMessage::InitMenuPopup};
    event.window = owner;
    event.menu = this;
    event.index = index;
    QPointer<CMenu> self(this);
    CMessageHooks::Dispatch(event, [&] {
        if (owner && self)
            owner->OnInitMenuPopup(this, index, false);
    });
}

void CMenu::OnAboutToHide()
{
    // Whether an item was chosen is known only after the menu has hidden (Qt
    // triggers the action afterwards), so the end of the session is decided
    // once control is back in the event loop.
    QMetaObject::invokeMethod(qApp, [] { EndSessionIfOver(); }, Qt::QueuedConnection);
}

void CMenu::OnHovered(QAction* action)
{
    if (!action || action->isSeparator())
        return;
    if (IsMenuBar() && !g_session.active)
        return; // the bar is highlighted only inside a menu session
    UINT id = 0;
    UINT flags = 0;
    if (action->menu()) {
        flags = MF_POPUP;
        id = UINT(std::max<qsizetype>(0, m_widget->actions().indexOf(action)));
    } else {
        id = action->data().toUInt();
    }
    CFrameWnd* owner = GetOwner();
    HookEvent event{HookMessage::MenuSelect};
    event.window = owner;
    event.menu = this;
    event.id = id;
    event.flags = flags;
    QPointer<CMenu> self(this);
    CMessageHooks::Dispatch(event, [&] {
        if (owner && self)
            owner->OnMenuSelect(id, flags, this);
    });
}

void CMenu::OnTriggered(QAction* action)
{
    // QMenu::triggered reaches every menu up the chain; the menu holding the
    // item answers, so a choice is taken once.
    if (!action || action->menu() || action->isSeparator() || !m_widget->actions().contains(action))
        return;
    const UINT id = action->data().toUInt();
    if (g_session.returnCommand) {
        g_session.trackResult = id;
        return;
    }
    CFrameWnd* owner = GetOwner();
    if (g_session.active) {
        g_session.hasChoice = true;
        g_session.chosen = id;
        g_session.owner = owner;
        return;
    }
    if (owner)
        owner->OnCommand(id, CommandSource::Menu); // triggered without a session (by the program)
}
