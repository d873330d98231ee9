// Menus matched by their texts against the "Menus" branch.

#include "TranslationTest.h"

#include "CMenu.h"
#include "CMessageHooks.h"
#include "MenuTranslation.h"
#include "UiLanguage.h"
#include "__X_CFrameWnd.h"

#include <QMenu>

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
    static CTextNode* AddFileEntry(CTextNode* menus, const std::u16string& exitText = u"E&xit")
    {
        CTextNode* entry = Add(menus, u"Menü 128", u"Menu 128", 3);
        CTextNode* file = Add(entry, u"&Datei", u"&File", 4);
        Add(file, u"Ö&ffnen...", u"&Open...", 5);
        Add(file, u"&Kopieren\tStrg+C", u"&Copy\tCtrl+C", 5);
        Add(file, u"&Beenden", exitText, 5);
        return entry;
    }

    static std::u16string Item(CMenu* menu, int pos)
    {
        return menu->GetMenuString(UINT(pos), MF_BYPOSITION);
    }

    QWidget owner;
};

TEST_F(MenuTranslationTest, MatchedThroughOriginalAndAgainThroughTranslatedTexts)
{
    auto language = MakeLanguage();
    AddFileEntry(Top(*language, u"Menus"));
    Install(*language);
    CMenu* root = MakeFileMenu(&owner);
    const CTextNode* menus = FindTopNode(GetCurrentTranslation(), u"Menus");
    for (int round = 0; round < 2; ++round) {
        TranslateSingleMenu(*root, menus, false);
        EXPECT_EQ(Item(root, 0), u"&File");
        CMenu* file = root->GetSubMenu(0);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(Item(file, 0), u"&Open...");
        EXPECT_EQ(file->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
        EXPECT_EQ(Item(file, 2), u"&Copy\tCtrl+C");
        EXPECT_EQ(file->GetMenuItemID(2), 2u);
        EXPECT_EQ(Item(file, 3), u"E&xit");
    }
}

TEST_F(MenuTranslationTest, EqualMissSumsGoToTheLaterEntry)
{
    auto language = MakeLanguage();
    AddFileEntry(Top(*language, u"Menus"), u"first");
    AddFileEntry(Top(*language, u"Menus"), u"second");
    Install(*language);
    CMenu* root = MakeFileMenu(&owner);
    TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
    EXPECT_EQ(Item(root->GetSubMenu(0), 3), u"second");
}

TEST_F(MenuTranslationTest, FewestMissesWinWhereverTheEntryStands)
{
    for (bool exactFirst : {true, false}) {
        SCOPED_TRACE(exactFirst);
        auto language = MakeLanguage();
        CTextNode* menus = Top(*language, u"Menus");
        // One file miss: an item the live menu lacks.
        auto addExtra = [&] {
            CTextNode* extra = AddFileEntry(menus, u"extra");
            Add(extra->GetChild(0), u"&Drucken", u"&Print", 5);
        };
        // One live miss: an item the entry lacks.
        auto addShort = [&] {
            CTextNode* shorter = Add(menus, u"Menü 2", u"Menu 2", 3);
            CTextNode* file = Add(shorter, u"&Datei", u"&File", 4);
            Add(file, u"Ö&ffnen...", u"&Open...", 5);
            Add(file, u"&Beenden", u"short", 5);
        };
        if (exactFirst)
            AddFileEntry(menus, u"exact");
        addExtra();
        addShort();
        if (!exactFirst)
            AddFileEntry(menus, u"exact");
        Install(*language);
        CMenu* root = MakeFileMenu(&owner);
        TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
        EXPECT_EQ(Item(root->GetSubMenu(0), 3), u"exact");
        UnloadTranslation();
    }
}

TEST_F(MenuTranslationTest, EqualSumsPreferTheTranslatedComparison)
{
    // Fits through both kinds of text; through the original texts the two
    // items would swap their texts, through the translated ones they stay.
    auto language = MakeLanguage();
    CTextNode* entry = Add(Top(*language, u"Menus"), u"M", u"M", 3);
    CTextNode* popup = Add(entry, u"&Datei", u"&Datei", 4);
    Add(popup, u"Links", u"Rechts", 5);
    Add(popup, u"Rechts", u"Links", 5);
    Install(*language);
    CMenu* root = CMenu::CreatePopupMenu(&owner);
    CMenu* file = CMenu::CreatePopupMenu(&owner);
    file->AppendMenu(MF_STRING, 1, u"Links");
    file->AppendMenu(MF_STRING, 2, u"Rechts");
    root->AppendMenu(MF_POPUP, UINT_PTR(file->GetSafeHmenu()), u"&Datei");
    TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
    EXPECT_EQ(Item(file, 0), u"Links");
    EXPECT_EQ(Item(file, 1), u"Rechts");
    // The original comparison alone would swap them.
    language->GetRoot()->GetChild(1)->GetChild(0)->GetChild(0)->translatedText = u"&File";
    UnloadTranslation();
    Install(*language, "Other.tra");
    TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
    EXPECT_EQ(Item(root, 0), u"&File");
    EXPECT_EQ(Item(file, 0), u"Rechts");
    EXPECT_EQ(Item(file, 1), u"Links");
}

TEST_F(MenuTranslationTest, ItemTextsCompareWholeWithAcceleratorAndRepeatedItemsShareTheFirst)
{
    auto language = MakeLanguage();
    CTextNode* file = Add(Add(Top(*language, u"Menus"), u"M", u"M"), u"&Datei", u"&File");
    Add(file, u"&Kopieren", u"Copy without key", 5);
    Add(file, u"&Beenden", u"Exit 1", 5);
    Add(file, u"&Beenden", u"Exit 2", 5);
    Install(*language);
    CMenu* root = MakeFileMenu(&owner);
    root->GetSubMenu(0)->AppendMenu(MF_STRING, 4, u"&Beenden");
    TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
    CMenu* popup = root->GetSubMenu(0);
    EXPECT_EQ(Item(popup, 2), u"&Kopieren\tStrg+C");
    EXPECT_EQ(Item(popup, 3), u"Exit 1");
    EXPECT_EQ(Item(popup, 4), u"Exit 1");
}

TEST_F(MenuTranslationTest, EmptyOrMissingMenusBranchLeavesTheMenu)
{
    auto language = MakeLanguage();
    Install(*language);
    CMenu* root = MakeFileMenu(&owner);
    TranslateSingleMenu(*root, FindTopNode(GetCurrentTranslation(), u"Menus"), false);
    TranslateSingleMenu(*root, nullptr, false);
    EXPECT_EQ(Item(root, 0), u"&Datei");
}

TEST_F(MenuTranslationTest, PopupIsComparedWithTheEntrysFirstChild)
{
    auto language = MakeLanguage();
    AddFileEntry(Top(*language, u"Menus"));
    Install(*language);
    CMenu* file = MakeFileMenu(&owner)->GetSubMenu(0);
    TranslatePopupMenu(file);
    EXPECT_EQ(Item(file, 0), u"&Open...");
    EXPECT_EQ(Item(file, 3), u"E&xit");
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
