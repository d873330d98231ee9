#include "CFrameWnd.h"

#include "CMenu.h"
#include "CResources.h"
#include "CStatusBar.h"
#include "CWinApp.h"
#include "QtStrings.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <map>

namespace {

// Virtual-key code -> Qt key, for the keys accelerator tables use.
int QtKeyOf(UINT vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return int(vk);
    if (vk >= 0x70 && vk <= 0x87) // F1..F24
        return Qt::Key_F1 + int(vk - 0x70);
    if (vk >= 0x60 && vk <= 0x69) // numpad digits
        return Qt::Key_0 + int(vk - 0x60);
    switch (vk) {
    case 0x08: return Qt::Key_Backspace;
    case 0x09: return Qt::Key_Tab;
    case 0x0D: return Qt::Key_Return;
    case 0x1B: return Qt::Key_Escape;
    case 0x20: return Qt::Key_Space;
    case 0x21: return Qt::Key_PageUp;
    case 0x22: return Qt::Key_PageDown;
    case 0x23: return Qt::Key_End;
    case 0x24: return Qt::Key_Home;
    case 0x25: return Qt::Key_Left;
    case 0x26: return Qt::Key_Up;
    case 0x27: return Qt::Key_Right;
    case 0x28: return Qt::Key_Down;
    case 0x2D: return Qt::Key_Insert;
    case 0x2E: return Qt::Key_Delete;
    case 0x6A: return Qt::Key_Asterisk;
    case 0x6B: return Qt::Key_Plus;
    case 0x6D: return Qt::Key_Minus;
    case 0x6E: return Qt::Key_Period;
    case 0x6F: return Qt::Key_Slash;
    default: return 0;
    }
}

QKeySequence SequenceOf(const res::Accelerator& accel)
{
    int key = 0;
    int modifiers = 0;
    if (accel.flags & res::AccelVirtKey) {
        key = QtKeyOf(accel.key);
        if (accel.flags & res::AccelShift)
            modifiers |= Qt::SHIFT;
        if (accel.flags & res::AccelControl)
            modifiers |= Qt::CTRL;
        if (accel.flags & res::AccelAlt)
            modifiers |= Qt::ALT;
    } else if (accel.key >= 1 && accel.key <= 26) {
        key = Qt::Key_A + int(accel.key - 1); // "^C": a control character
        modifiers = Qt::CTRL;
    } else if (accel.key > 26 && accel.key < 0x10000) {
        key = QChar(char16_t(accel.key)).toUpper().unicode();
        if (accel.flags & res::AccelAlt)
            modifiers |= Qt::ALT;
    }
    return key ? QKeySequence(key | modifiers) : QKeySequence();
}

} // namespace

CFrameWnd::CFrameWnd(QWidget* parent) : QMainWindow(parent)
{
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (m_idlePending) {
                m_idlePending = false;
                emit idleUpdateCmdUI();
            }
        });
    }
}

CFrameWnd::~CFrameWnd()
{
    CMessageHooks::Dispatch(HookMessage::Destroy, this);
}

bool CFrameWnd::event(QEvent* e)
{
    // Prompts come from GetMessageString, not from Qt's status tips.
    if (e->type() == QEvent::StatusTip)
        return true;
    // Any input or command may change what is enabled: update once idle.
    switch (e->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::WindowActivate:
    case QEvent::Show:
    case QEvent::ShortcutOverride:
        m_idlePending = true;
        break;
    default:
        break;
    }
    return QMainWindow::event(e);
}

bool CFrameWnd::LoadFrame(UINT resourceId)
{
    bool found = false;
    if (const res::Menu* menu = CResources::FindMenu(resourceId)) {
        SetMenu(CMenu::CreateMenuBar(*menu, this));
        found = true;
    }
    LoadAccelTable(resourceId);
    std::u16string title;
    if (CResources::LoadString(resourceId, title)) {
        setWindowTitle(ToQString(title.substr(0, title.find(u'\n'))));
        found = true;
    }
    CMessageHooks::Dispatch(HookMessage::Create, this);
    return found;
}

CMenu* CFrameWnd::GetMenu() const
{
    QWidget* bar = menuWidget();
    return bar ? CMenu::FromWidget(bar) : nullptr;
}

void CFrameWnd::SetMenu(QMenuBar* menuBar)
{
    setMenuBar(menuBar);
    if (CMenu* menu = CMenu::FromWidget(menuBar))
        menu->SetOwner(this);
}

bool CFrameWnd::LoadAccelTable(UINT id)
{
    for (QAction* action : m_accelerators) {
        removeAction(action);
        delete action;
    }
    m_accelerators.clear();
    const res::AcceleratorTable* table = CResources::FindAccelerators(id);
    if (!table)
        return false;
    // One action per command, carrying all of its keys.
    std::map<UINT, QList<QKeySequence>> keys;
    std::vector<UINT> order;
    for (const res::Accelerator& accel : table->entries) {
        const QKeySequence sequence = SequenceOf(accel);
        if (sequence.isEmpty())
            continue;
        if (!keys.count(accel.command))
            order.push_back(accel.command);
        keys[accel.command].push_back(sequence);
    }
    for (UINT command : order) {
        auto* action = new QAction(this);
        action->setShortcuts(keys[command]);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setData(QVariant::fromValue(command));
        connect(action, &QAction::triggered, this,
                [this, command] { OnCommand(command, CommandSource::Accelerator); });
        addAction(action);
        m_accelerators.push_back(action);
    }
    return true;
}

void CFrameWnd::GetMessageString(UINT id, std::u16string& message) const
{
    message = CResources::LoadString(id);
    message = message.substr(0, message.find(u'\n'));
}

bool CFrameWnd::GetToolTipText(UINT id, std::u16string& text) const
{
    text.clear();
    if (id == 0)
        return true;
    const std::u16string full = CResources::LoadString(id);
    const std::size_t newline = full.find(u'\n');
    if (newline != std::u16string::npos) {
        const std::size_t end = full.find(u'\n', newline + 1);
        text = full.substr(newline + 1, end == std::u16string::npos ? end : end - newline - 1);
    }
    return true;
}

CStatusBar* CFrameWnd::GetStatusBar() const { return findChild<CStatusBar*>(); }

void CFrameWnd::SetMessageText(const std::u16string& text)
{
    CStatusBar* bar = GetStatusBar();
    if (bar && bar->GetCount() > 0 && bar->GetItemID(0) == 0)
        bar->SetPaneText(0, text);
}

void CFrameWnd::SetMessageText(UINT id)
{
    std::u16string message;
    GetMessageString(id, message);
    SetMessageText(message);
}

void CFrameWnd::OnCommand(UINT id, CommandSource source)
{
    HookEvent event{HookMessage::Command};
    event.window = this;
    event.id = id;
    event.source = source;
    CMessageHooks::Dispatch(event, [this, id] {
        // A command that became disabled since its item was shown is dropped.
        CCmdUI state(id);
        if (OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state) && !state.IsEnabled())
            return;
        OnCmdMsg(id, CN_COMMAND, nullptr);
    });
    m_idlePending = true;
}

CCmdUI CFrameWnd::QueryCommandState(UINT id)
{
    CCmdUI ui(id);
    UpdateCommandUI(ui);
    return ui;
}

bool CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui)
{
    if (m_activeView && m_activeView->OnCmdMsg(id, code, ui))
        return true;
    if (HandleOwnCommand(id, code, ui))
        return true;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code, ui);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT /*index*/, bool /*sysMenu*/)
{
    if (!popup)
        return;
    for (int pos = 0; pos < popup->GetMenuItemCount(); ++pos) {
        QAction* action = popup->GetAction(pos);
        if (!action || action->isSeparator() || action->menu())
            continue;
        CCmdUI ui(action->data().toUInt());
        UpdateCommandUI(ui);
        action->setEnabled(ui.IsEnabled());
        if (ui.CheckChanged()) {
            action->setCheckable(true);
            action->setChecked(ui.GetCheck() != 0);
        }
        if (ui.GetText())
            action->setText(ToQString(*ui.GetText()));
        if (ui.GetShown())
            action->setVisible(*ui.GetShown());
    }
}

void CFrameWnd::OnMenuSelect(UINT id, UINT flags, CMenu* menu)
{
    if (flags == 0xFFFF && !menu)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
    else if (flags & (MF_POPUP | MF_SEPARATOR))
        SetMessageText(std::u16string());
    else
        SetMessageText(id);
}
