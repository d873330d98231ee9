// Menus matched by their texts against the "Menus" branch.

#include "TranslationTest.h"

#include "CMenu.h"
#include "Golden.h"
#include "TreeText.h"
#include "Utf8.h"
#include "CMessageHooks.h"
#include "MenuTranslation.h"
#include "UiLanguage.h"
#include "__X_CFrameWnd.h"

#include <QMenu>

#include <filesystem>

namespace {

class MenuTranslationTest : public TranslationTest {
protected:
    // A popup "Datei" with three commands and a separator, as a context menu.
    static CMenu* MakeFileMenu(QWidget* parent)
    {
        CMenu* root = CMenu::CreatePopupMenu(parent);
        CMenu* file = CMenu::CreatePopupMenu(parent);
        file->AppendMenu(MF_STRING, 1, u"Ö&ffnen...");
        file->AppendMenu(MF_SEPARATOR);
        file->AppendMenu(MF_STRING, 2, u"&Kopieren\tStrg+C");
        file->AppendMenu(MF_STRING, 3, u"&Beenden");
        root->AppendMenu(MF_POPUP, UINT_PTR(file->GetSafeHmenu()), u"&Datei");
        return root;
    }

    // A "Menus" entry matching MakeFileMenu, with English translations.
    static CTextNode* AddFileEntry(CTextNode* menus)
    {
        CTextNode* entry = Add(menus, u"Menü 128", u"Menu 128", 3);
        CTextNode* file = Add(entry, u"&Datei", u"&File", 4);
        Add(file, u"Ö&ffnen...", u"&Open...", 5);
        Add(file, u"&Kopieren\tStrg+C", u"&Copy\tCtrl+C", 5);
        Add(file, u"&Beenden", u"E&xit", 5);
        return entry;
    }

    static std::u16string Item(CMenu* menu, int pos)
    {
        return menu->GetMenuString(UINT(pos), MF_BYPOSITION);
    }

    QWidget owner;
};

// The live menu written down as a tree: a node with children is a popup, "-" a
// separator, every other node a command numbered in order.
void AppendItems(CMenu& menu, const CTextNode& node, QWidget* owner, UINT& nextId)
{
    for (std::int32_t i = 0; i < node.ChildCount(); ++i) {
        const CTextNode& item = *node.GetChild(i);
        if (item.ChildCount() > 0) {
            CMenu* popup = CMenu::CreatePopupMenu(owner);
            AppendItems(*popup, item, owner, nextId);
            menu.AppendMenu(MF_POPUP, UINT_PTR(popup->GetSafeHmenu()), item.originalText);
        } else if (item.originalText == u"-") {
            menu.AppendMenu(MF_SEPARATOR);
        } else {
            menu.AppendMenu(MF_STRING, nextId++, item.originalText);
        }
    }
}

std::string Listing(CMenu& menu, const std::string& indent = "")
{
    std::string out;
    for (int pos = 0; pos < menu.GetMenuItemCount(); ++pos) {
        if (menu.GetMenuState(UINT(pos), MF_BYPOSITION) & MF_SEPARATOR) {
            out += indent + "-\n";
            continue;
        }
        out += indent + utf8::FromUtf16(menu.GetMenuString(UINT(pos), MF_BYPOSITION));
        if (CMenu* popup = menu.GetSubMenu(pos))
            out += "\n" + Listing(*popup, indent + "  ");
        else
            out += "  #" + std::to_string(menu.GetMenuItemID(pos)) + "\n";
    }
    return out;
}

// Each file of tests/golden/menus holds a language's tree, a "----" line and the
// live menu (both as TreeText.h reads them); beside it the menu after it was
// translated, and again after a second pass, which then starts from the
// translated texts.
TEST_F(MenuTranslationTest, GoldenMenus)
{
    const auto inputs = golden::Inputs(GLOSSMARK_GOLDEN_DIR "/menus", ".menu");
    ASSERT_GE(inputs.size(), 5u);
    for (const std::filesystem::path& input : inputs) {
        const std::string live = InstallGolden(input);
        CMenu* root = CMenu::CreatePopupMenu(&owner);
        UINT nextId = 1;
        AppendItems(*root, *test_tree::ReadTree(live), &owner, nextId);
        TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
        const std::string once = Listing(*root);
        TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
        const std::string twice = Listing(*root);
        golden::Expect(input, once + (twice == once ? "again: the same\n" : "again:\n" + twice));
        UnloadTranslation();
    }
}

TEST_F(MenuTranslationTest, UntrackedPopupsAreTranslatedEachTimeTheyOpenTrackedOnesNot)
{
    auto language = MakeLanguage();
    AddFileEntry(Top(*language, u"Menus"));
    Install(*language);

    // A context menu belongs to no translated menu bar.
    CMenu* context = MakeFileMenu(&owner)->GetSubMenu(0);
    HookEvent open{HookMessage::InitMenuPopup};
    open.menu = context;
    CMessageHooks::Dispatch(open, {});
    EXPECT_EQ(Item(context, 0), u"&Open...");
    EXPECT_EQ(Item(context, 3), u"E&xit");
    // Back to the program's texts: the next opening translates them again.
    context->ModifyMenu(0, MF_BYPOSITION | MF_STRING, 1, u"Ö&ffnen...");
    context->ModifyMenu(2, MF_BYPOSITION | MF_STRING, 2, u"&Kopieren\tStrg+C");
    context->ModifyMenu(3, MF_BYPOSITION | MF_STRING, 3, u"&Beenden");
    CMessageHooks::Dispatch(open, {});
    EXPECT_EQ(Item(context, 0), u"&Open...");

    // The popups of a frame's translated menu bar are left alone.
    __X_CFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(128));
    CMenu* bar = frame.GetMenu();
    ASSERT_NE(bar, nullptr);
    CMenu* popup = bar->GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    popup->ModifyMenu(0, MF_BYPOSITION | MF_STRING, popup->GetMenuItemID(0), u"Ö&ffnen...");
    open.menu = popup;
    CMessageHooks::Dispatch(open, {});
    EXPECT_EQ(Item(popup, 0), u"Ö&ffnen...");
}

TEST_F(MenuTranslationTest, SwitchCommandIsEnabledWhenItsPopupOpens)
{
    auto language = MakeLanguage();
    Install(*language);
    CMenu* popup = CMenu::CreatePopupMenu(&owner);
    popup->AppendMenu(MF_STRING | MF_GRAYED, 19987, u"Sprache");
    HookEvent open{HookMessage::InitMenuPopup};
    open.menu = popup;
    // The program's own handling greys it; the return hook enables it again.
    CMessageHooks::Dispatch(open, [popup] { popup->EnableMenuItem(19987, MF_BYCOMMAND | MF_GRAYED); });
    EXPECT_EQ(popup->GetMenuState(19987, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

} // namespace

namespace {

class SwitchCommandTest : public TranslationTest {
protected:
    void SetUp() override
    {
        TranslationTest::SetUp();
        m_previous = SetSwitchDialogHandler([this] { ++opened; });
        auto language = MakeLanguage();
        Install(*language);
    }
    void TearDown() override
    {
        SetSwitchDialogHandler(m_previous);
        TranslationTest::TearDown();
    }
    static void Raise(HookMessage message, UINT id = 0, bool closed = false,
                      CommandSource source = CommandSource::Program)
    {
        HookEvent event{message};
        event.id = id;
        event.menuClosed = closed;
        event.source = source;
        CMessageHooks::Dispatch(event, {});
    }
    int opened = 0;

private:
    std::function<void()> m_previous;
};

TEST_F(SwitchCommandTest, ChosenFromTheMenuItOpensOnce)
{
    // The platform's order for a chosen item: capture change, menu closed, command.
    Raise(HookMessage::MenuSelect, 19987);
    Raise(HookMessage::CaptureChanged);
    Raise(HookMessage::MenuSelect, 0, true);
    Raise(HookMessage::Command, 19987, false, CommandSource::Menu);
    EXPECT_EQ(opened, 1);
    // A second capture change without a new highlight does nothing.
    Raise(HookMessage::CaptureChanged);
    EXPECT_EQ(opened, 1);
    // Sent by a button or the program, the command opens it directly.
    Raise(HookMessage::Command, 19987, false, CommandSource::Control);
    EXPECT_EQ(opened, 2);
}

TEST_F(SwitchCommandTest, HighlightingAnotherItemOrClosingClearsTheFlag)
{
    Raise(HookMessage::MenuSelect, 19987);
    Raise(HookMessage::MenuSelect, 32809);
    Raise(HookMessage::CaptureChanged);
    Raise(HookMessage::MenuSelect, 19987);
    Raise(HookMessage::MenuSelect, 0, true);
    Raise(HookMessage::CaptureChanged);
    Raise(HookMessage::Command, 32809, false, CommandSource::Control);
    EXPECT_EQ(opened, 0);
}

TEST_F(SwitchCommandTest, NothingHappensAfterUnload)
{
    UnloadTranslation();
    Raise(HookMessage::MenuSelect, 19987);
    Raise(HookMessage::CaptureChanged);
    Raise(HookMessage::Command, 19987, false, CommandSource::Control);
    EXPECT_EQ(opened, 0);
}

} // namespace
