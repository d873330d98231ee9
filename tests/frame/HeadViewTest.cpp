// The head view over a document that opened a language from disk: the
// fields and their filling, the language name typed in place, the flags and
// the click on the own flag, the width rule of the two long fields.
#include "CHeadView.h"
#include "CImageBitmap.h"
#include "CResources.h"
#include "DialogScript.h"
#include "DocumentAndView.h"
#include "QtStrings.h"
#include "SampleLanguage.h"
#include "UiLanguage.h"
#include "resource.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr COLORREF OwnFlagColour = RGB(200, 30, 40);
constexpr COLORREF ForeignFlagColour = RGB(20, 90, 210);

// A language whose flag is one colour with a white top-left pixel, so a
// picture shows where the flag's corner landed.
std::unique_ptr<CLanguageFile> Language(const std::u16string& name, COLORREF colour,
                                        bool original = false)
{
    SampleOptions options;
    options.languageName = name;
    options.original = original;
    auto language = MakeSampleLanguage(40, 7, options);
    language->flagPixels.fill(colour);
    language->flagPixels[0] = RGB(255, 255, 255);
    return language;
}

class HeadViewTest : public ::testing::Test, protected DocumentAndView<CHeadView> {
protected:
    void Open(const CLanguageFile& language)
    {
        DocumentAndView::Open(language, {640, 125}, QStringLiteral("own.tra"));
    }

    void ShowForeign(const CLanguageFile& foreign)
    {
        const QString path = dir.filePath(QStringLiteral("foreign.tra"));
        ASSERT_FALSE(WriteLanguageFile(foreign, path.toStdString()));
        script.paths.push_back(path.toStdU16String());
        doc.ShowForeign();
    }

    QImage Picture() const { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    static COLORREF At(const QImage& image, QPoint p)
    {
        return CImageBitmap::ToColorRef(image.pixel(p));
    }

    // Every pixel of the 32 x 32 square at corner is the flag of colour
    // (its first pixel white).
    static bool FlagAt(const QImage& image, QPoint corner, COLORREF colour)
    {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const COLORREF expected = (x == 0 && y == 0) ? RGB(255, 255, 255) : colour;
                if (At(image, corner + QPoint(x, y)) != expected)
                    return false;
            }
        return true;
    }

    static int CountColour(const QImage& image, COLORREF colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += At(image, {x, y}) == colour;
        return n;
    }

    QPoint OwnCorner() const { return view->GetOwnFlagPlace()->geometry().topLeft(); }
    QPoint ForeignCorner() const { return view->GetForeignFlagPlace()->geometry().topLeft(); }

    DialogScript script;
};

TEST_F(HeadViewTest, FillingNeverMarksTheDocumentChangedButATypedNameDoesAsOneUndoStep)
{
    Open(*Language(u"Français", OwnFlagColour));
    EXPECT_EQ(view->GetProgramField()->text(), QStringLiteral("Kestrow Kassenbuch"));
    EXPECT_EQ(view->GetVersionField()->text(), QStringLiteral("3.10"));
    EXPECT_EQ(view->GetLanguageField()->text(), QStringLiteral("Français"));
    // No foreign language: the foreign field is empty and greyed with its label.
    EXPECT_TRUE(view->GetForeignNameField()->text().isEmpty());
    EXPECT_FALSE(view->GetForeignNameField()->isEnabled());
    EXPECT_FALSE(view->GetForeignLabel()->isEnabled());

    const std::u16string title = doc.GetTitle();
    doc.UpdateAllViews(nullptr, CTransDoc::kHintRebuild);
    ShowForeign(*Language(u"Italiano", ForeignFlagColour));
    EXPECT_EQ(view->GetForeignNameField()->text(), QStringLiteral("Italiano"));
    EXPECT_FALSE(doc.IsLanguageModified());
    EXPECT_EQ(doc.GetTitle(), title);

    // A typed name reaches the document as one step that undo takes back.
    view->GetLanguageField()->setFocus();
    view->GetLanguageField()->end(false);
    QTest::keyClicks(view->GetLanguageField(), QStringLiteral(" (UK)"));
    EXPECT_TRUE(doc.IsLanguageModified());
    EXPECT_EQ(doc.GetLanguageName(), u"Français (UK)") << "the model holds the typing";
    EXPECT_EQ(doc.UndoStepName(), unsigned(IDS_STEP_LANGUAGE_NAME));

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetLanguageName(), u"Français");
    EXPECT_EQ(view->GetLanguageField()->text(), QStringLiteral("Français"));
    EXPECT_FALSE(doc.IsLanguageModified());
    EXPECT_FALSE(doc.Undo()) << "the typing was one step";
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(HeadViewTest, TypingOrAFlagClickInAnOriginalFileAsksForANewTranslation)
{
    Open(*Language(u"Deutsch", OwnFlagColour, true));
    ASSERT_TRUE(doc.IsOriginal());
    const std::u16string question = CResources::LoadString(IDS_ASK_NEW_FROM_ORIGINAL);

    // A click on the own flag asks instead of opening the flag dialog.
    script.boxAnswers.push_back(IDNO);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, OwnCorner() + QPoint(3, 3));
    EXPECT_EQ(script.flagDialogs, 0);
    // Typing puts the name back.
    script.boxAnswers.push_back(IDNO);
    QTest::keyClick(view->GetLanguageField(), Qt::Key_X);
    EXPECT_EQ(view->GetLanguageField()->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(script.messages, std::vector<std::u16string>(2, question));
    EXPECT_TRUE(doc.IsOriginal());
    EXPECT_FALSE(doc.IsLanguageModified());

    // Yes starts a new translation: the view shows the new name, and the
    // original beside it as the foreign language.
    script.boxAnswers.push_back(IDYES);
    script.flagChoices.push_back(-1);
    QTest::keyClick(view->GetLanguageField(), Qt::Key_X);
    ASSERT_EQ(script.messages.size(), 3u);
    EXPECT_FALSE(doc.IsOriginal());
    EXPECT_EQ(view->GetLanguageField()->text(),
              ToQString(CResources::LoadString(IDS_NEW_LANGUAGE_NAME)).replace(QStringLiteral("%i"),
                                                                              QStringLiteral("0")));
    EXPECT_EQ(view->GetForeignNameField()->text(), QStringLiteral("Deutsch"));
    EXPECT_TRUE(view->GetForeignNameField()->isEnabled());
}

TEST_F(HeadViewTest, FlagsAreDrawnAtTheirPlacesAndTheUpperGoesWithTheForeignLanguage)
{
    Open(*Language(u"English", OwnFlagColour));
    QImage picture = Picture();
    EXPECT_TRUE(FlagAt(picture, OwnCorner(), OwnFlagColour));
    EXPECT_EQ(CountColour(picture, ForeignFlagColour), 0);

    ShowForeign(*Language(u"Italiano", ForeignFlagColour));
    picture = Picture();
    QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES));
    picture.save(QStringLiteral(GLOSSMARK_PICTURES "/head_view_foreign.png"));
    EXPECT_TRUE(FlagAt(picture, OwnCorner(), OwnFlagColour));
    EXPECT_TRUE(FlagAt(picture, ForeignCorner(), ForeignFlagColour));
    EXPECT_TRUE(view->GetForeignLabel()->isEnabled());

    // Hiding it (hint 1 after it) empties and greys the field and its label,
    // and the upper flag is no longer drawn.
    doc.HideForeign();
    picture = Picture();
    EXPECT_TRUE(view->GetForeignNameField()->text().isEmpty());
    EXPECT_FALSE(view->GetForeignNameField()->isEnabled());
    EXPECT_FALSE(view->GetForeignLabel()->isEnabled());
    EXPECT_EQ(CountColour(picture, ForeignFlagColour), 0);
    EXPECT_TRUE(FlagAt(picture, OwnCorner(), OwnFlagColour));
}

TEST_F(HeadViewTest, OnlyAClickInsideTheFlagSquareOpensTheFlagDialog)
{
    Open(*Language(u"English", OwnFlagColour));
    const QPoint corner = OwnCorner();
    // One pixel right of, and one below, the square: nothing but the default.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, corner + QPoint(32, 10));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, corner + QPoint(10, 32));
    EXPECT_EQ(script.flagDialogs, 0);
    EXPECT_TRUE(script.messages.empty());

    // The square's last pixel: the flag dialog; cancelling it changes nothing.
    script.flagChoices.push_back(-1);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, corner + QPoint(31, 31));
    EXPECT_EQ(script.flagDialogs, 1);
    EXPECT_FALSE(doc.IsLanguageModified());

    // A chosen flag comes through hint 3 into the language and onto the view.
    script.flagChoices.push_back(5);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, corner);
    EXPECT_EQ(script.flagDialogs, 2);
    EXPECT_TRUE(doc.IsLanguageModified());
    CImageBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_FLAG_STRIP));
    const QImage expected = strip.GetImage().copy(5 * 32, 0, 32, 32);
    const QImage shown = Picture().copy(QRect(corner, QSize(32, 32)));
    EXPECT_EQ(shown, expected);
    for (int i : {0, 33, 1023})
        EXPECT_EQ(doc.GetLanguage()->flagPixels[std::size_t(i)],
                  CImageBitmap::ToColorRef(expected.pixel(i % 32, i / 32)));
}

TEST_F(HeadViewTest, OnlyTheLanguageNameIsTypedAndLongFieldsEndTenPixelsBeforeTheRightEdge)
{
    Open(*Language(u"English", OwnFlagColour));
    // The flag places only say where to draw.
    EXPECT_FALSE(view->GetOwnFlagPlace()->isVisible());
    EXPECT_FALSE(view->GetForeignFlagPlace()->isVisible());
    EXPECT_TRUE(view->GetProgramField()->isReadOnly());
    EXPECT_TRUE(view->GetVersionField()->isReadOnly());
    EXPECT_TRUE(view->GetForeignNameField()->isReadOnly());
    EXPECT_FALSE(view->GetLanguageField()->isReadOnly());
    QLineEdit* const fields[] = {view->GetLanguageField(), view->GetForeignNameField()};
    const QRect before[] = {fields[0]->geometry(), fields[1]->geometry()};
    const QRect programBefore = view->GetProgramField()->geometry();
    for (int width : {900, 400, 640}) {
        view->resize(width, 125);
        for (int i = 0; i < 2; ++i) {
            const QRect r = fields[i]->geometry();
            EXPECT_EQ(r.x() + r.width(), width - 10) << width;
            EXPECT_EQ(r.topLeft(), before[i].topLeft());
            EXPECT_EQ(r.height(), before[i].height());
        }
        // The short fields keep their template size.
        EXPECT_EQ(view->GetProgramField()->geometry(), programBefore);
    }
}

TEST_F(HeadViewTest, TheFormIsTranslatedWithTheUserInterfaceLanguage)
{
    ASSERT_TRUE(LoadTranslationFile(ToU16(QStringLiteral(GLOSSMARK_EDIT_TRA)), false));
    Open(*Language(u"English", OwnFlagColour));
    std::vector<QString> labels;
    for (const CWnd& child : CWnd(view.get()).GetChildren())
        if (auto* label = qobject_cast<QLabel*>(child.GetWidget()); label && label->isVisible())
            labels.push_back(label->text());
    Picture().save(QStringLiteral(GLOSSMARK_PICTURES "/head_view_en.png"));
    UnloadTranslation();
    const std::vector<QString> expected = {QStringLiteral("Program:"), QStringLiteral("Version:"),
                                           QStringLiteral("Foreign language:"),
                                           QStringLiteral("Language:")};
    EXPECT_EQ(labels, expected);
}

} // namespace
