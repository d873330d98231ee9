// The editor's start with and without its user-interface file "Edit.tra" in
// the working folder, and where else the start finds its file.

#include "TranslationTest.h"

#include "CDc.h"

#include "CMenu.h"
#include "CProfile.h"
#include "LanguageFileIO.h"
#include "LanguageSwitch.h"
#include "QtStrings.h"
#include "QtTranslations.h"
#include "SwitchFileCollection.h"
#include "TranslatedStrings.h"
#include "UiLanguage.h"
#include "UiLanguageLocation.h"
#include "__X_CFrameWnd.h"
#include "__X_CWinApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace {

class StartupTest : public TranslationTest {
protected:
    void SetUp() override
    {
        TranslationTest::SetUp();
        WorkInTestFolder();
    }

    void CopyLanguageFiles()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_EDIT_TRA), dir.filePath("Edit.tra")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_DEUTSCH_TRA), dir.filePath("Deutsch.tra")));
    }

    // Title and the texts of the buttons of dialog 161, as it shows them.
    std::vector<std::u16string> FontsDialogTexts()
    {
        std::vector<std::u16string> texts;
        onDialog = [&](CDialog& dialog) {
            texts.push_back(CWnd(&dialog).GetWindowText());
            for (int id : {IDOK, IDCANCEL, 1012})
                texts.push_back(dialog.GetDlgItemText(id));
            return int(IDCANCEL);
        };
        CDialog dialog(161);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        return texts;
    }

    static std::u16string MenuText(CMenu* menu, int pos)
    {
        return menu ? menu->GetMenuString(UINT(pos), MF_BYPOSITION) : u"<no menu>";
    }
};

TEST_F(StartupTest, MissingFileShowsOneMessageAndKeepsTheGermanTexts)
{
    __X_CWinApp app(u"Edit");
    EXPECT_FALSE(LoadTranslationFile(u"Edit.tra", true));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              u"The translation file Edit.tra doesn't exist.\nThe program will run in the original "
              u"language.\nPlease place the file Edit.tra in the proper location\nto enable the "
              u"Glossmark System.");
    EXPECT_EQ(GetCurrentTranslation(), nullptr);

    __X_CFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(128));
    EXPECT_EQ(MenuText(frame.GetMenu(), 0), u"&Datei");
    std::u16string prompt;
    frame.GetMessageString(32809, prompt);
    EXPECT_EQ(prompt, u"Öffnet eine Sprache zum Editieren");
    const auto texts = FontsDialogTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], u"Schriftarten...");
    EXPECT_EQ(texts[2], u"&Abbrechen");
    EXPECT_EQ(boxes.size(), 1u);

    app.ExitInstance();
    EXPECT_EQ(ProfileEntry(), u"");
}

TEST_F(StartupTest, EnglishFileTranslatesMenuDialogPromptsAndTooltips)
{
    CopyLanguageFiles();
    __X_CWinApp app(u"Edit");
    ASSERT_TRUE(LoadTranslationFile(u"Edit.tra", true));
    EXPECT_TRUE(boxes.empty());
    LanguageInfo info;
    ASSERT_TRUE(GetCurrentLanguageInfo(info));
    EXPECT_EQ(info.fileName, u"Edit.tra");
    EXPECT_EQ(info.languageName, u"English");

    __X_CFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(128));
    CMenu* bar = frame.GetMenu();
    EXPECT_EQ(MenuText(bar, 0), u"&File");
    EXPECT_EQ(MenuText(bar, 1), u"&Edit");
    CMenu* file = bar ? bar->GetSubMenu(0) : nullptr;
    EXPECT_EQ(MenuText(file, 1), u"&Open...");

    std::u16string text;
    frame.GetMessageString(32809, text);
    EXPECT_EQ(text, u"Opens a language for editing");
    frame.GetToolTipText(32809, text);
    EXPECT_EQ(text, u"Open language");
    frame.GetToolTipText(0, text);
    EXPECT_EQ(text, u"");

    const auto texts = FontsDialogTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], u"Fonts...");
    EXPECT_EQ(texts[1], u"OK");
    EXPECT_EQ(texts[2], u"&Cancel");

    app.ExitInstance();
    EXPECT_EQ(ProfileEntry(), u"Edit.tra");
    EXPECT_EQ(GetCurrentTranslation(), nullptr);
}

TEST_F(StartupTest, FileThatIsNoLanguageFileIsReportedAndGivesNoTexts)
{
    // A whole language file whose magic has one letter changed.
    Write(*MakeLanguage(), "Edit.tra");
    QByteArray bytes = ReadBytes("Edit.tra");
    const qsizetype at = bytes.indexOf(QByteArray("G\0L\0O\0S\0S", 9));
    ASSERT_GE(at, 0);
    bytes[at] = 'X';
    WriteBytes("Edit.tra", bytes);
    EXPECT_TRUE(LoadTranslationFile(u"Edit.tra", true));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], u"corrupt .tra - file!");
    std::u16string text = u"Stringtables";
    EXPECT_FALSE(TranslateString(text));
    __X_CFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(128));
    EXPECT_EQ(MenuText(frame.GetMenu(), 0), u"&Datei");

    // The header and the flag readers say it once per read too.
    LanguageInfo info;
    EXPECT_TRUE(ReadLanguageInfo(u"Edit.tra", info));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], u"corrupt .tra - file!");
    CDc dc;
    ReadLanguageFlag(u"Edit.tra", dc);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2], u"corrupt .tra - file!");
}

// Started anywhere: the working folder's file, else the last choice in the
// switch dialog while it is a file of this program, else the installed file
// for the locale; the message only when there is none at all.
TEST_F(StartupTest, TheUiFileComesFromTheWorkingFolderTheLastChoiceOrTheLocale)
{
    QDir share(dir.filePath("share"));
    ASSERT_TRUE(share.mkpath("."));
    for (const char* file : {GLOSSMARK_EDIT_TRA, GLOSSMARK_DEUTSCH_TRA, GLOSSMARK_FRANCAIS_TRA})
        ASSERT_TRUE(QFile::copy(file, share.filePath(QFileInfo(file).fileName())));
    SetInstalledLanguageFolders({ToU16(share.path())});
    // One run of the program: the start-up load, then what it does, then the exit.
    const auto start = [this](const char* language, const char* lang,
                              const std::function<void()>& whileRunning = {}) {
        qputenv("LANGUAGE", language);
        qputenv("LANG", lang);
        boxes.clear();
        LoadUiLanguage(u"Edit.tra", u"Glossmark Editor");
        const CLanguageFile* ui = GetCurrentTranslation();
        const std::u16string shown = (ui ? ui->GetLanguageName() : u"-") + u"|" +
                                     ToU16(UiLanguageCode(ui)) + (boxes.empty() ? u"" : u"|message");
        if (whileRunning)
            whileRunning();
        UnloadTranslation();
        return shown;
    };
    EXPECT_EQ(start("", "fr_FR.UTF-8"), u"Français|fr");
    EXPECT_EQ(start("", "de_DE.UTF-8"), u"Deutsch|de");
    EXPECT_EQ(start("", "es_ES.UTF-8"), u"English|en");
    EXPECT_EQ(start("es:fr", "de_DE.UTF-8"), u"Français|fr");

    // A choice in the switch dialog is remembered; the locale alone is not.
    const std::u16string german = ToU16(share.filePath("Deutsch.tra"));
    start("", "en_US.UTF-8", [&] { EXPECT_TRUE(SwitchTranslationFile(german)); });
    EXPECT_EQ(start("", "fr_FR.UTF-8"), u"Deutsch|de");
    EXPECT_EQ(start("", "en_US.UTF-8"), u"Deutsch|de");
    const auto other = MakeLanguage();
    other->SetProgramName(u"Another Program");
    ASSERT_FALSE(WriteLanguageFile(*other, PathOf("Other.tra")));
    CProfile::WriteProfileString(u"Language", u"LastTraFile", ToU16(dir.filePath("Other.tra")));
    EXPECT_EQ(start("", "fr_FR.UTF-8"), u"Français|fr");

    // The working folder's file wins; the switch dialog offers it and the
    // installed files, each once.
    ASSERT_TRUE(QFile::copy(GLOSSMARK_EDIT_TRA, dir.filePath("Edit.tra")));
    SetInstalledLanguageFolders({ToU16(share.path()), ToU16(dir.path())});
    EXPECT_EQ(start("", "fr_FR.UTF-8", [] {
                  EXPECT_EQ(GetCurrentTranslationFileName(), u"Edit.tra");
                  EXPECT_EQ(CollectSwitchFiles(u"").thisVersion.size(), 4u);
              }),
              u"English|en");
    ASSERT_TRUE(QFile::remove(dir.filePath("Edit.tra")));
    SetInstalledLanguageFolders({});
    EXPECT_EQ(start("", "de_DE.UTF-8"), u"-|de");
    EXPECT_EQ(start("", "fr_FR.UTF-8"), u"-|de|message");
    // Back to the neutral locale the test program starts in.
    qunsetenv("LANGUAGE");
    qputenv("LANG", "C.UTF-8");
}

} // namespace
