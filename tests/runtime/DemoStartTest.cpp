// The demo program started in a folder with and without "Edit.tra", run up to
// its window and closed again, as a user would.

#include "TranslationTest.h"

#include "CDemoApp.h"
#include "CDemoFrame.h"
#include "CMenu.h"
#include "CMyEditView.h"
#include "EditorFonts.h"
#include "UiLanguage.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

class DemoStartTest : public TranslationTest {
protected:
    void SetUp() override
    {
        TranslationTest::SetUp();
        WorkInTestFolder();
    }

    // Starts the demo, lets check look at its window, then ends it.
    void Run(const std::function<void(CDemoFrame&)>& check, const std::u16string& languageFile = {})
    {
        CDemoApp app;
        app.SetLanguageFile(languageFile);
        ASSERT_TRUE(app.InitInstance());
        auto* frame = qobject_cast<CDemoFrame*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        check(*frame);
        delete frame;
        app.ExitInstance();
    }

    // The button's text, and the title the fonts dialog shows when it is clicked.
    std::pair<QString, std::u16string> ClickFonts(CDemoFrame& frame)
    {
        std::u16string title;
        onDialog = [&title](CDialog& dialog) {
            title = CWnd(&dialog).GetWindowText();
            return int(IDCANCEL);
        };
        auto* button = frame.findChild<QPushButton*>();
        if (!button)
            return {};
        button->click();
        return {button->text(), title};
    }
};

TEST_F(DemoStartTest, WithoutEditTraTheGermanTextsStay)
{
    Run([this](CDemoFrame& frame) {
        ASSERT_EQ(boxes.size(), 1u);
        const std::u16string& box = boxes[0];
        size_t count = 0;
        for (size_t at = box.find(u"Edit.tra"); at != std::u16string::npos;
             at = box.find(u"Edit.tra", at + 1))
            ++count;
        EXPECT_EQ(count, 2u);
        EXPECT_EQ(frame.GetMenu()->GetMenuString(0, MF_BYPOSITION), u"&Datei");
        const auto [button, title] = ClickFonts(frame);
        EXPECT_EQ(button, QStringLiteral("&Schriftarten..."));
        EXPECT_EQ(title, u"Schriftarten...");
    });
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ProfileEntry(), u"");
}

TEST_F(DemoStartTest, WithEditTraTheWindowIsEnglish)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_EDIT_TRA), dir.filePath("Edit.tra")));
    Run([this](CDemoFrame& frame) {
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(frame.GetMenu()->GetMenuString(0, MF_BYPOSITION), u"&File");
        const auto [button, title] = ClickFonts(frame);
        EXPECT_EQ(button, QStringLiteral("&Fonts..."));
        EXPECT_EQ(title, u"Fonts...");
    });
    EXPECT_EQ(ProfileEntry(), u"Edit.tra");
}

TEST_F(DemoStartTest, NamedLanguageFileOpensInTheTreeView)
{
    SetDefaultFonts();
    ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_EDIT_TRA), dir.filePath("Edit.tra")));
    Run(
        [this](CDemoFrame& frame) {
            EXPECT_TRUE(boxes.empty());
            auto* view = frame.findChild<CMyEditView*>();
            ASSERT_NE(view, nullptr);
            EXPECT_GT(view->GetRowCount(), 100);
            EXPECT_TRUE(frame.windowTitle().startsWith(QStringLiteral("Sample")));
            frame.show();
            QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES));
            frame.grab().save(QStringLiteral(GLOSSMARK_PICTURES "/demo-sample.png"));
        },
        u"" GLOSSMARK_SAMPLE_TRA);
}

} // namespace
