// The run-time switch: open dialogs, menu bars and string lookups follow the
// language switched to; the trackers that make it possible stay small.

#include "TranslationTest.h"

#include "CLanguageSwitchNotifier.h"
#include "CMenu.h"
#include "CTranslationState.h"
#include "DialogTranslation.h"
#include "LanguageFileIO.h"
#include "LanguageSwitch.h"
#include "MenuTranslation.h"
#include "TranslatedStrings.h"
#include "UiLanguage.h"

#include <QDialog>
#include <QMenuBar>
#include <QPushButton>

namespace {

class LanguageSwitchTest : public TranslationTest {
protected:
    // One language of a small program: a dialog "Titel" with two buttons, a
    // menu bar "&Datei" > "&Beenden" and one string, all German originals.
    std::unique_ptr<CLanguageFile> MakeSmall(const std::u16string& tag,
                                             const std::u16string& program = u"Glossmark Editor")
    {
        auto language = MakeLanguage();
        language->programName = program;
        language->programVersion = u"2.002";
        language->languageName = tag;
        CTextNode* dialog = Add(Top(*language, u"Dialoge"), u"Titel", u"Title " + tag, 1);
        Add(dialog, u"&Ja", u"&Yes " + tag, 23);
        Add(dialog, u"&Nein", u"&No " + tag, 23);
        CTextNode* menu = Add(Top(*language, u"Menus"), u"Menü 1", u"Menu " + tag, 3);
        CTextNode* file = Add(menu, u"&Datei", u"&File " + tag, 4);
        Add(file, u"&Beenden", u"E&xit " + tag, 5);
        Add(Top(*language, u"Stringtables"), u"Bereit", u"Ready " + tag);
        return language;
    }

    // A window with the small program's dialog texts and its menu bar,
    // translated as the hooks would translate it.
    struct Window {
        QDialog dialog;
        QPushButton* yes = new QPushButton(u"&Ja"_qs, &dialog);
        QPushButton* no = new QPushButton(u"&Nein"_qs, &dialog);
        CMenu* file = nullptr;

        Window()
        {
            dialog.setWindowTitle(u"Titel"_qs);
            auto* bar = new QMenuBar(&dialog);
            CMenu* menu = CMenu::FromWidget(bar);
            file = CMenu::CreatePopupMenu(&dialog);
            file->AppendMenu(MF_STRING, 1, u"&Beenden");
            menu->AppendMenu(MF_POPUP, UINT_PTR(file->GetSafeHmenu()), u"&Datei");
            TranslateDialog(CWnd(&dialog), kPlainDialog);
        }
        std::u16string Texts() const
        {
            const CMenu* bar = CWnd(const_cast<QDialog*>(&dialog)).GetMenu();
            return CWnd(const_cast<QDialog*>(&dialog)).GetWindowText() + u"|" + CWnd(yes).GetWindowText() +
                   u"|" + CWnd(no).GetWindowText() + u"|" + bar->GetMenuString(0, MF_BYPOSITION) +
                   u"|" + file->GetMenuString(0, MF_BYPOSITION);
        }
    };

    static std::u16string Lookup(const std::u16string& text)
    {
        std::u16string copy = text;
        TranslateString(copy);
        return copy;
    }

    // What a window that loads its own texts gets when told of a switch.
    struct Listener {
        QObject context;
        std::vector<std::u16string> loaded;
        Listener()
        {
            QObject::connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched,
                             &context, [this] { loaded.push_back(Lookup(u"Bereit")); });
        }
    };
};

TEST_F(LanguageSwitchTest, OpenWindowsFollowEverySwitchAndBack)
{
    const std::u16string a = Write(*MakeSmall(u"A"), "A.tra");
    const std::u16string b = Write(*MakeSmall(u"B"), "B.tra");
    ASSERT_TRUE(LoadTranslationFile(a, false));
    Window window;
    Listener listener;
    EXPECT_EQ(window.Texts(), u"Title A|&Yes A|&No A|&File A|E&xit A");

    ASSERT_TRUE(SwitchTranslationFile(b));
    EXPECT_EQ(window.Texts(), u"Title B|&Yes B|&No B|&File B|E&xit B");
    EXPECT_EQ(Lookup(u"Bereit"), u"Ready B");
    EXPECT_EQ(GetCurrentTranslationFileName(), b);

    ASSERT_TRUE(SwitchTranslationFile(a));
    EXPECT_EQ(window.Texts(), u"Title A|&Yes A|&No A|&File A|E&xit A");
    EXPECT_EQ(Lookup(u"Bereit"), u"Ready A");

    // A window opened after the switch is translated by the new file as usual.
    ASSERT_TRUE(SwitchTranslationFile(b));
    Window later;
    EXPECT_EQ(later.Texts(), u"Title B|&Yes B|&No B|&File B|E&xit B");
    // Told once per switch, when the string table already answers in the new language.
    EXPECT_EQ(listener.loaded, (std::vector<std::u16string>{u"Ready B", u"Ready A", u"Ready B"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LanguageSwitchTest, RefusedSwitchesChangeNothing)
{
    const std::u16string a = Write(*MakeSmall(u"A"), "A.tra");
    const std::u16string other = Write(*MakeSmall(u"O", u"Anderes Programm"), "Other.tra");
    Write(*MakeSmall(u"T"), "Whole.tra");
    const QByteArray whole = ReadBytes("Whole.tra");
    const std::u16string truncated = WriteBytes("Truncated.tra", whole.left(whole.size() - 40)); // header whole
    // A readable first string that is not the magic one.
    const std::u16string corrupt = WriteBytes("Corrupt.tra", QByteArray("\x0bNot a file!") + QByteArray(200, 0));

    ASSERT_TRUE(LoadTranslationFile(a, false));
    Window window;
    Listener listener;
    const CLanguageFile* before = GetCurrentTranslation();
    for (const std::u16string& file :
         {other, truncated, corrupt, QString::fromStdString(PathOf("Missing.tra")).toStdU16String()}) {
        EXPECT_FALSE(SwitchTranslationFile(file));
        EXPECT_EQ(GetCurrentTranslation(), before);
        EXPECT_EQ(GetCurrentTranslationFileName(), a);
        EXPECT_EQ(window.Texts(), u"Title A|&Yes A|&No A|&File A|E&xit A");
        EXPECT_EQ(Lookup(u"Bereit"), u"Ready A");
    }
    EXPECT_EQ(CTranslationState::Get().previous, nullptr);
    EXPECT_TRUE(listener.loaded.empty());
    // The corrupt file's header read says so, once.
    EXPECT_EQ(boxes, std::vector<std::u16string>{u"corrupt .tra - file!"});
}

TEST_F(LanguageSwitchTest, NothingLoadedNothingSwitched)
{
    const std::u16string a = Write(*MakeSmall(u"A"), "A.tra");
    EXPECT_FALSE(SwitchTranslationFile(a));
    EXPECT_EQ(GetCurrentTranslation(), nullptr);
}

TEST_F(LanguageSwitchTest, PreviousLanguageStaysUntilTheNextSwitch)
{
    const std::u16string a = Write(*MakeSmall(u"A"), "A.tra");
    const std::u16string b = Write(*MakeSmall(u"B"), "B.tra");
    const std::u16string c = Write(*MakeSmall(u"C"), "C.tra");
    ASSERT_TRUE(LoadTranslationFile(a, false));
    const CTranslationState& state = CTranslationState::Get();
    ASSERT_TRUE(SwitchTranslationFile(b));
    ASSERT_NE(state.previous, nullptr);
    EXPECT_EQ(state.previous->languageName, u"A");
    EXPECT_EQ(state.SwitchMapping(), nullptr);
    ASSERT_TRUE(SwitchTranslationFile(c));
    EXPECT_EQ(state.previous->languageName, u"B");
    // Takes the old structure and version, keeps its own name.
    EXPECT_EQ(GetCurrentTranslation()->languageName, u"C");
    UnloadTranslation();
    EXPECT_EQ(state.previous, nullptr);
    EXPECT_EQ(ProfileEntry(), c);
}

TEST_F(LanguageSwitchTest, AFileOfAnotherVersionIsFittedToTheOldStructure)
{
    const std::u16string a = Write(*MakeSmall(u"A"), "A.tra");
    // Version 1.0 has its menu item under another German text and lacks the string.
    auto older = MakeSmall(u"Old");
    older->programVersion = u"1.0";
    Top(*older, u"Menus")->GetChild(0)->GetChild(0)->GetChild(0)->originalText = u"&Ende";
    const std::u16string old = Write(*older, "Old.tra");
    ASSERT_TRUE(LoadTranslationFile(a, false));
    Window window;
    ASSERT_TRUE(SwitchTranslationFile(old));
    EXPECT_EQ(GetCurrentTranslation()->programVersion, u"2.002");
    // What the older file lacks keeps the previous language's text.
    EXPECT_EQ(window.Texts(), u"Title Old|&Yes Old|&No Old|&File Old|E&xit A");
}

TEST_F(LanguageSwitchTest, TrackerKeepsOneEntryPerWindowAndForgetsClosedOnes)
{
    const std::u16string a = Write(*MakeSmall(u"A"), "A.tra");
    const std::u16string b = Write(*MakeSmall(u"B"), "B.tra");
    ASSERT_TRUE(LoadTranslationFile(a, false));
    const CTranslationState& state = CTranslationState::Get();
    Window window;
    TranslateDialog(CWnd(&window.dialog), kPlainDialog); // translated twice
    EXPECT_EQ(state.dialogTracker->Entries().size(), 1u);
    EXPECT_EQ(state.frameTracker->Entries().size(), 1u);
    EXPECT_NE(state.frameTracker->Entries()[0].menu, 0u);

    for (int i = 0; i < 600; ++i) {
        QDialog passing;
        new QPushButton(u"&Ja"_qs, &passing);
        TranslateDialog(CWnd(&passing), kPlainDialog);
        ASSERT_LE(state.dialogTracker->Entries().size(), 2u); // the closed one went
    }
    {
        // 600 open at once: the tracker stops at its limit and keeps the oldest.
        std::vector<std::unique_ptr<QDialog>> open;
        for (int i = 0; i < 600; ++i) {
            open.push_back(std::make_unique<QDialog>());
            TranslateDialog(CWnd(open.back().get()), kPlainDialog);
        }
        EXPECT_EQ(state.dialogTracker->Entries().size(), CWindowTracker::kMaxEntries);
        EXPECT_EQ(state.dialogTracker->Entries()[0].window, CWnd(&window.dialog).GetSafeHwnd());
    }
    ASSERT_TRUE(SwitchTranslationFile(b));
    EXPECT_EQ(window.Texts(), u"Title B|&Yes B|&No B|&File B|E&xit B");
    EXPECT_EQ(state.dialogTracker->Entries().size(), 1u);
}

TEST_F(LanguageSwitchTest, MenuOfAGoneWindowIsStillTranslatedAndHoldsItsPopups)
{
    const std::u16string a = Write(*MakeSmall(u"A"), "A.tra");
    const std::u16string b = Write(*MakeSmall(u"B"), "B.tra");
    ASSERT_TRUE(LoadTranslationFile(a, false));
    auto* keeper = new QWidget; // outlives the window and owns its menu bar
    QMenuBar* bar = nullptr;
    CMenu* file = nullptr;
    {
        auto window = std::make_unique<Window>();
        bar = qobject_cast<QMenuBar*>(CWnd(&window->dialog).GetMenu()->GetWidget());
        ASSERT_NE(bar, nullptr);
        bar->setParent(keeper);
        window->file->GetWidget()->setParent(keeper, Qt::Popup);
        file = window->file;
    }
    CMenu* menu = CMenu::FromWidget(bar);
    EXPECT_TRUE(CTranslationState::Get().frameTracker->HoldsPopup(file->GetSafeHmenu()));
    ASSERT_TRUE(SwitchTranslationFile(b));
    EXPECT_EQ(menu->GetMenuString(0, MF_BYPOSITION), u"&File B");
    EXPECT_EQ(file->GetMenuString(0, MF_BYPOSITION), u"E&xit B");
    delete keeper;
}

} // namespace
