#include "CDialogTemplate.h"
#include "CFont.h"
#include "LOGFONT.h"
#include "TestResources.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

using testres::TextFont;

TEST(FontTest, RecordFieldsBecomeTheQtFont)
{
    LOGFONT lf = TextFont();
    EXPECT_EQ(MakeQFont(lf).pixelSize(), 14) << "a negative height is the pixel size";
    EXPECT_EQ(MakeQFont(lf).weight(), QFont::Normal);
    lf.height = 20;
    EXPECT_NEAR(QFontMetrics(MakeQFont(lf)).height(), 20, 1) << "a positive one the cell height";
    lf.height = 0;
    EXPECT_GT(MakeQFont(lf).pixelSize(), 0);
    lf.weight = 700;
    lf.italic = 1;
    lf.underline = 1;
    lf.strikeOut = 1;
    const QFont font = MakeQFont(lf);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic() && font.underline() && font.strikeOut());
}

TEST(FontTest, MissingFaceMapsToAnInstalledOneOfItsKind)
{
    ASSERT_FALSE(QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")));
    const QFont font = MakeQFont(TextFont());
    EXPECT_TRUE(QFontDatabase::hasFamily(font.family())) << font.family().toStdString();
    EXPECT_FALSE(QFontInfo(font).fixedPitch());
    LOGFONT fixed = TextFont();
    fixed.faceName = u"Courier New";
    fixed.pitchAndFamily = FIXED_PITCH | FF_MODERN;
    EXPECT_TRUE(QFontInfo(MakeQFont(fixed)).fixedPitch());
}

TEST(FontTest, ChooserResultBecomesARecord)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    font.setItalic(true);
    font.setWeight(QFont::Bold);
    const LOGFONT lf = MakeLogFont(font);
    EXPECT_EQ(lf.height, -17);
    EXPECT_EQ(lf.weight, 700);
    EXPECT_EQ(lf.italic, 1);
    EXPECT_EQ(lf.faceName, u"DejaVu Sans");
    EXPECT_EQ(lf.pitchAndFamily & 0xF0, FF_SWISS);
    // And back: the same Qt font again.
    const QFont again = MakeQFont(lf);
    EXPECT_EQ(again.family(), font.family());
    EXPECT_EQ(again.pixelSize(), 17);
    EXPECT_TRUE(again.italic());
}

TEST(FontTest, CreatedFontKeepsItsRecord)
{
    CFont font;
    EXPECT_FALSE(font.IsCreated());
    ASSERT_TRUE(font.CreateFontIndirect(TextFont()));
    EXPECT_EQ(font.GetLogFont(), TextFont());
    EXPECT_EQ(font.GetLogFont().faceName, u"MS Sans Serif") << "the record keeps the missing face";
    ASSERT_TRUE(font.CreatePointFont(80, u"MS Sans Serif"));
    EXPECT_EQ(font.GetLogFont().height, -11) << "8 points at 96 pixels per inch, rounded";
    font.DeleteObject();
    EXPECT_FALSE(font.IsCreated());
}
