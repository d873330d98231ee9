// The editor's start with and without its user-interface file "Edit.tra" in
// the working folder, and pictures of the translated menu and dialog 161.

#include "TranslationTest.h"

#include "CDc.h"

#include "CMenu.h"
#include "LanguageFileIO.h"
#include "TranslatedStrings.h"
#include "UiLanguage.h"
#include "__X_CFrameWnd.h"
#include "__X_CWinApp.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

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
    std::vector<std::u16string> FontsDialogTexts(const QString& picture = {})
    {
        std::vector<std::u16string> texts;
        onDialog = [&](CDialog& dialog) {
            texts.push_back(CWnd(&dialog).GetWindowText());
            for (int id : {IDOK, IDCANCEL, 1012})
                texts.push_back(dialog.GetDlgItemText(id));
            if (!picture.isEmpty())
                Save(&dialog, picture);
            return int(IDCANCEL);
        };
        CDialog dialog(161);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        return texts;
    }

    static void Save(QWidget* widget, const QString& name, bool fit = true)
    {
        QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES));
        if (fit)
            widget->adjustSize();
        EXPECT_TRUE(widget->grab().save(QStringLiteral(GLOSSMARK_PICTURES "/") + name));
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
    const auto texts = FontsDialogTexts(QStringLiteral("runtime-fonts-dialog-german.png"));
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

    const auto texts = FontsDialogTexts(QStringLiteral("runtime-fonts-dialog.png"));
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], u"Fonts...");
    EXPECT_EQ(texts[1], u"OK");
    EXPECT_EQ(texts[2], u"&Cancel");

    app.ExitInstance();
    EXPECT_EQ(ProfileEntry(), u"Edit.tra");
    EXPECT_EQ(GetCurrentTranslation(), nullptr);
}

TEST_F(StartupTest, LanguageInfoAndFlagOfAFile)
{
    CopyLanguageFiles();
    LanguageInfo info;
    ASSERT_TRUE(ReadLanguageInfo(u"Deutsch.tra", info));
    EXPECT_EQ(info.languageName, u"Deutsch");
    EXPECT_EQ(info.fileName, u"Deutsch.tra");
    EXPECT_EQ(info.flags & 1u, 1u);
    EXPECT_FALSE(ReadLanguageInfo(u"Nirgends.tra", info));
    EXPECT_FALSE(GetCurrentLanguageInfo(info));
}

TEST_F(StartupTest, FileThatIsNoLanguageFileIsReportedAndGivesNoTexts)
{
    // A whole language file whose magic has one letter changed.
    ASSERT_FALSE(WriteLanguageFile(*MakeLanguage(), PathOf("Edit.tra")));
    QFile file(dir.filePath("Edit.tra"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype at = bytes.indexOf(QByteArray("G\0L\0O\0S\0S", 9));
    ASSERT_GE(at, 0);
    bytes[at] = 'X';
    file.seek(0);
    file.write(bytes);
    file.close();
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

TEST_F(StartupTest, UnloadWorksInEveryState)
{
    UnloadTranslation();
    UnloadTranslation();
    EXPECT_EQ(ProfileEntry(), u"");
}

} // namespace
