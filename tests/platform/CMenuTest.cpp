#include "CFrameWnd.h"
#include "CMenu.h"
#include "CResources.h"
#include "CStatusBar.h"
#include "TestResources.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testres;

namespace {

std::vector<std::string>* g_log = nullptr;

void Log(const std::string& entry)
{
    if (g_log)
        g_log->push_back(entry);
}

class TestFrame : public CFrameWnd {
public:
    TestFrame()
    {
        AddCommand(kCmdSave, [this] { ++saves; Log("save"); });
        AddCommand(kCmdSub, [] { Log("sub"); });
        AddCommand(kCmdAbout, [] {});
        AddUpdateCommandUI(kCmdAbout, [](CCmdUI& ui) { ui.SetCheck(0); });
    }
    void OnInitMenuPopup(CMenu* popup, UINT index, bool sysMenu) override
    {
        Log("own-init");
        CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
    }
    int saves = 0;
};

std::string Name(const HookEvent& e)
{
    switch (e.message) {
    case HookMessage::InitMenuPopup: return "init" + std::to_string(e.index);
    case HookMessage::MenuSelect: return e.menuClosed ? "closed" : "select" + std::to_string(e.id);
    case HookMessage::CaptureChanged: return "capture";
    case HookMessage::Command: return "command" + std::to_string(e.id);
    default: return "other";
    }
}

// Records every hook event as "call:..." / "ret:..." into the test's log.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Install();
        g_log = &log;
        call = CMessageHooks::SetWindowsHookEx(HookType::CallWndProc,
                                               [](const HookEvent& e) { Log("call:" + Name(e)); });
        ret = CMessageHooks::SetWindowsHookEx(HookType::CallWndProcRet,
                                              [](const HookEvent& e) { Log("ret:" + Name(e)); });
        ASSERT_TRUE(frame.LoadFrame(kMenuId));
        bar = frame.GetMenu();
        ASSERT_NE(bar, nullptr);
        file = bar->GetSubMenu(0);
        ASSERT_NE(file, nullptr);
        log.clear();
    }
    void TearDown() override
    {
        CMessageHooks::UnhookWindowsHookEx(call);
        CMessageHooks::UnhookWindowsHookEx(ret);
        g_log = nullptr;
        for (QWidget* popup = QApplication::activePopupWidget(); popup;
             popup = QApplication::activePopupWidget())
            popup->close();
        QCoreApplication::processEvents();
    }
    QMenu* FileMenu() const { return qobject_cast<QMenu*>(file->GetWidget()); }

    std::vector<std::string> log;
    HHOOK call = 0;
    HHOOK ret = 0;
    TestFrame frame;
    CMenu* bar = nullptr;
    CMenu* file = nullptr;
};

} // namespace

TEST_F(MenuTest, ItemsByPosition)
{
    EXPECT_TRUE(bar->IsMenuBar());
    EXPECT_EQ(bar->GetMenuItemCount(), 2);
    EXPECT_EQ(bar->GetMenuString(0, MF_BYPOSITION), u"&Datei");
    EXPECT_EQ(bar->GetMenuItemID(0), MENU_POPUP_ID);
    ASSERT_EQ(file->GetMenuItemCount(), 5);
    EXPECT_EQ(file->GetMenuItemID(0), kCmdOpen);
    EXPECT_EQ(file->GetMenuItemID(2), 0u) << "separator";
    EXPECT_EQ(file->GetMenuItemID(3), MENU_POPUP_ID);
    EXPECT_EQ(file->GetMenuItemID(9), MENU_POPUP_ID) << "bad position";
    EXPECT_EQ(file->GetMenuString(4, MF_BYPOSITION), u"&Kopieren\tStrg+C") << "shortcut text kept";
    EXPECT_EQ(file->GetMenuString(2, MF_BYPOSITION), u"");
    EXPECT_EQ(bar->GetMenuString(kCmdSub, MF_BYCOMMAND), u"&Tief") << "by command, nested";
    EXPECT_EQ(file->GetMenuState(4, MF_BYPOSITION), MF_GRAYED);
    EXPECT_EQ(file->GetMenuState(2, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(file->GetMenuState(3, MF_BYPOSITION), MF_POPUP);
    EXPECT_EQ(bar->GetMenuState(kCmdAbout, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(file->GetMenuState(77, MF_BYCOMMAND), MENU_ITEM_NOT_FOUND);
    CMenu* sub = file->GetSubMenu(3);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->GetMenuItemID(0), kCmdSub);
    EXPECT_EQ(file->GetSubMenu(0), nullptr);
    EXPECT_EQ(sub->GetOwner(), &frame) << "submenus serve the frame of their bar";
}

TEST_F(MenuTest, ModifyKeepsIdAndSubmenuAndResetsState)
{
    ASSERT_TRUE(file->ModifyMenu(4, MF_BYPOSITION | MF_STRING, kCmdCopy, u"&Copy\tCtrl+C"));
    EXPECT_EQ(file->GetMenuString(4, MF_BYPOSITION), u"&Copy\tCtrl+C");
    EXPECT_EQ(file->GetMenuItemID(4), kCmdCopy);
    EXPECT_EQ(file->GetMenuState(4, MF_BYPOSITION), 0u) << "greying is not carried over";
    // Popups keep their submenu: the menu translation tests (golden menus) see to that.
    EXPECT_FALSE(file->ModifyMenu(17, MF_BYPOSITION, 1, u"x"));
    EXPECT_FALSE(file->ModifyMenu(0, MF_BYPOSITION | MF_POPUP, 0xDEAD, u"x")) << "no such popup";
    // A command item turned into a popup and back.
    CMenu* extra = CMenu::CreatePopupMenu(&frame);
    ASSERT_TRUE(file->ModifyMenu(0, MF_BYPOSITION | MF_POPUP, extra->GetSafeHmenu(), u"P"));
    EXPECT_EQ(file->GetSubMenu(0), extra);
    ASSERT_TRUE(file->ModifyMenu(0, MF_BYPOSITION | MF_STRING, 4711, u"C"));
    EXPECT_EQ(file->GetMenuItemID(0), 4711u);
    EXPECT_EQ(file->GetMenuItemCount(), 5);
}

TEST_F(MenuTest, EnableAppendRemoveAndHandles)
{
    EXPECT_EQ(bar->EnableMenuItem(kCmdSub, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(bar->EnableMenuItem(kCmdSub, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(bar->EnableMenuItem(12345, MF_BYCOMMAND | MF_ENABLED), MENU_ITEM_NOT_FOUND);
    EXPECT_EQ(file->CheckMenuItem(0, MF_BYPOSITION | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(file->GetMenuState(0, MF_BYPOSITION), MF_CHECKED);

    ASSERT_TRUE(file->AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(file->AppendMenu(MF_STRING | MF_GRAYED, 19987, u"Sprache..."));
    EXPECT_EQ(file->GetMenuItemCount(), 7);
    EXPECT_EQ(file->GetMenuItemID(6), 19987u);
    EXPECT_EQ(file->GetMenuState(6, MF_BYPOSITION), MF_GRAYED);
    EXPECT_FALSE(file->AppendMenu(MF_POPUP, file->GetSafeHmenu(), u"self"));
    ASSERT_TRUE(file->RemoveMenu(19987, MF_BYCOMMAND));
    EXPECT_EQ(file->GetMenuItemCount(), 6);

    const HMENU handle = file->GetSafeHmenu();
    EXPECT_TRUE(CMenu::IsMenu(handle));
    EXPECT_EQ(CMenu::FromHandle(handle), file);
    EXPECT_EQ(CMenu::FromWidget(file->GetWidget()), file) << "one wrapper per menu";
    CMenu* loose = CMenu::LoadMenu(kMenuId);
    ASSERT_NE(loose, nullptr);
    const HMENU looseHandle = loose->GetSafeHmenu();
    delete loose->GetWidget();
    EXPECT_FALSE(CMenu::IsMenu(looseHandle)) << "a dead menu's handle stays invalid";
    EXPECT_EQ(CMenu::LoadMenu(999), nullptr);
}

TEST_F(MenuTest, PopupHooksRunAroundTheProgramsUpdate)
{
    FileMenu()->popup(QPoint(10, 10));
    EXPECT_EQ(log, (std::vector<std::string>{"call:init0", "own-init", "ret:init0"}));
    // The update ran: no handler -> grey, handler -> enabled.
    EXPECT_EQ(file->GetMenuState(0, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED) << "open has no handler";
    EXPECT_EQ(file->GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u) << "save has one";
    EXPECT_EQ(file->GetMenuState(3, MF_BYPOSITION) & MF_GRAYED, 0u) << "popups are left alone";
}

TEST_F(MenuTest, ChoosingAnItemRaisesTheCommandOnceAfterTheMenuHasGone)
{
    CStatusBar* status = new CStatusBar(&frame);
    frame.setStatusBar(status);
    const UINT panes[] = {0, 61460};
    status->SetIndicators(panes);

    QMenu* menu = FileMenu();
    menu->popup(QPoint(10, 10));
    menu->setActiveAction(file->GetAction(1));
    EXPECT_EQ(status->GetPaneText(0), u"Speichert eine Sprache") << "the prompt while highlighted";
    log.clear();
    QTest::keyClick(menu, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.saves, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"call:capture", "ret:capture", "call:closed",
                                             "ret:closed", "call:command32811", "save",
                                             "ret:command32811"}));
    EXPECT_EQ(status->GetPaneText(0), u"Drücken Sie F1, um Hilfe zu erhalten.");
}

TEST_F(MenuTest, ChoosingInASubmenuStillRaisesOnce)
{
    QMenu* menu = FileMenu();
    menu->popup(QPoint(10, 10));
    menu->setActiveAction(file->GetAction(3));
    QTest::keyClick(menu, Qt::Key_Right); // opens the submenu from its item
    auto* sub = qobject_cast<QMenu*>(file->GetSubMenu(3)->GetWidget());
    ASSERT_TRUE(sub->isVisible());
    EXPECT_NE(std::find(log.begin(), log.end(), "call:init3"), log.end());
    sub->setActiveAction(sub->actions().constFirst());
    log.clear();
    QTest::keyClick(sub, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count(log.begin(), log.end(), "sub"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "call:command33001"), 1);
}

TEST_F(MenuTest, DismissingClosesBeforeTheCaptureAndRunsNothing)
{
    QMenu* menu = FileMenu();
    menu->popup(QPoint(10, 10));
    menu->setActiveAction(file->GetAction(1));
    EXPECT_NE(std::find(log.begin(), log.end(), "call:select32811"), log.end());
    log.clear();
    QTest::keyClick(menu, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"call:closed", "ret:closed", "call:capture",
                                             "ret:capture"}));
    EXPECT_EQ(frame.saves, 0);
}

TEST_F(MenuTest, AcceleratorsSendTheirCommand)
{
    std::vector<QAction*> withKeys;
    for (QAction* action : frame.actions()) {
        if (!action->shortcuts().isEmpty())
            withKeys.push_back(action);
    }
    ASSERT_EQ(withKeys.size(), 3u) << "one action per command";
    QAction* copy = nullptr;
    QAction* save = nullptr;
    for (QAction* action : withKeys) {
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)))
            copy = action;
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_S)))
            save = action;
    }
    ASSERT_TRUE(copy && save);
    EXPECT_TRUE(copy->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_C)));
    std::vector<CommandSource> sources;
    const HHOOK h = CMessageHooks::SetWindowsHookEx(HookType::CallWndProc, [&](const HookEvent& e) {
        if (e.message == HookMessage::Command)
            sources.push_back(e.source);
    });
    save->trigger();
    CMessageHooks::UnhookWindowsHookEx(h);
    EXPECT_EQ(frame.saves, 1);
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(sources[0], CommandSource::Accelerator);
}

TEST_F(MenuTest, PromptsAndTooltipsSplitTheCommandString)
{
    std::u16string text;
    frame.GetMessageString(kCmdOpen, text);
    EXPECT_EQ(text, u"Öffnet eine Sprache zum Editieren");
    frame.GetMessageString(kCmdAbout, text);
    EXPECT_EQ(text, u"Zeigt Informationen") << "no newline: the whole string";
    frame.GetMessageString(4242, text);
    EXPECT_EQ(text, u"");
    EXPECT_TRUE(frame.GetToolTipText(kCmdOpen, text));
    EXPECT_EQ(text, u"Sprache öffnen");
    frame.GetToolTipText(kCmdSave, text);
    EXPECT_EQ(text, u"Sprache speichern") << "up to the next newline";
    frame.GetToolTipText(kCmdAbout, text);
    EXPECT_EQ(text, u"");
    frame.GetToolTipText(0, text);
    EXPECT_EQ(text, u"");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Glossmark Editor"));
}
