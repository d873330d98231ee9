#include "CFileDialog.h"
#include "CImageBitmap.h"
#include "CProfile.h"
#include "CResources.h"
#include "CWinApp.h"
#include "TestResources.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ProfileTest, StringsAndIntsRoundTripInTheTestFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("profile.ini"));
    CProfile::SetFile(file);
    EXPECT_EQ(CProfile::GetProfileString(u"Language", u"LastTraFile", u"none"), u"none");
    EXPECT_TRUE(CProfile::WriteProfileString(u"Language", u"LastTraFile", u"Edit.tra"));
    EXPECT_EQ(CProfile::GetProfileString(u"Language", u"LastTraFile"), u"Edit.tra");
    EXPECT_TRUE(CProfile::WriteProfileString(u"Language", u"LastTraFile", u""));
    EXPECT_EQ(CProfile::GetProfileString(u"Language", u"LastTraFile", u"x"), u"") << "empty is a value";
    EXPECT_TRUE(CProfile::WriteProfileString(u"Language", u"Name", u"Français ✓"));
    EXPECT_EQ(CProfile::GetProfileString(u"Language", u"Name"), u"Français ✓");
    EXPECT_EQ(CProfile::GetProfileInt(u"Settings", u"Count", 4), 4);
    EXPECT_TRUE(CProfile::WriteProfileInt(u"Settings", u"Count", -17));
    EXPECT_EQ(CProfile::GetProfileInt(u"Settings", u"Count", 4), -17);
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).value(QStringLiteral("Language/LastTraFile")).toString(),
              QString());
    // Through the application object, same store.
    CWinApp app(u"Edit");
    EXPECT_EQ(app.GetProfileInt(u"Settings", u"Count", 0), -17);
    CProfile::SetFile({});
}

TEST(ResourcesTest, StringsById)
{
    testres::Install();
    EXPECT_EQ(CResources::LoadString(57345), u"Drücken Sie F1, um Hilfe zu erhalten.");
    EXPECT_EQ(CResources::LoadString(1), u"") << "missing";
    EXPECT_EQ(CResources::LoadString(0), u"");
    EXPECT_EQ(CResources::LoadString(57345 + 65536), u"") << "ids are below 65536";
    std::u16string text = u"old";
    EXPECT_FALSE(CResources::LoadString(4242, text));
    EXPECT_EQ(text, u"");
    EXPECT_NE(CResources::FindMenu(testres::kMenuId), nullptr);
    EXPECT_EQ(CResources::FindDialog(1), nullptr);
    EXPECT_EQ(AfxGetAppName(), u"Edit") << "string 57344 without an application object";

    const res::ResourceSet* installed = CResources::Get();
    CResources::Set(nullptr);
    EXPECT_EQ(CResources::LoadString(57345), u"");
    EXPECT_EQ(CImageBitmap::FromResource(testres::kStripBitmapId), nullptr);
    CResources::Set(installed);
}

TEST(ResourcesTest, BitmapsLoadAsRgb32)
{
    testres::Install();
    auto strip = CImageBitmap::FromResource(testres::kStripBitmapId);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->Width(), 12);
    EXPECT_EQ(strip->Height(), 2);
    EXPECT_EQ(strip->GetImage().format(), QImage::Format_RGB32);
    EXPECT_EQ(CImageBitmap::ToColorRef(strip->GetImage().pixel(0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(CImageBitmap::FromResource(4242), nullptr);
    // A picture with transparency becomes opaque, transparent parts black.
    QImage alpha(1, 1, QImage::Format_ARGB32);
    alpha.fill(Qt::transparent);
    EXPECT_EQ(CImageBitmap(alpha).GetImage().pixel(0, 0), 0xFF000000u);
}

TEST(FileDialogTest, FiltersAndResponder)
{
    EXPECT_EQ(CFileDialog::ToQtFilter(u"Glossmark file (*.tra)|*.tra|All|*.txt;*.tra||"),
              QStringLiteral("Glossmark file (*.tra);;All (*.txt *.tra)"));
    EXPECT_EQ(CFileDialog::ToQtFilter(u""), QString());
    CFileDialog::SetResponder([](CFileDialog& dialog) {
        EXPECT_TRUE(dialog.IsOpenDialog());
        EXPECT_EQ(dialog.GetTitle(), u"Öffnen einer Sprache");
        dialog.SetPathName(u"/tmp/lang/English.tra");
        return IDOK;
    });
    CFileDialog open(true, u"tra", {}, 0, u"Glossmark file (*.tra)|*.tra||");
    open.SetTitle(u"Öffnen einer Sprache");
    EXPECT_EQ(open.DoModal(), IDOK);
    CFileDialog::SetResponder({});
    EXPECT_EQ(open.GetPathName(), u"/tmp/lang/English.tra");
    EXPECT_EQ(open.GetFileName(), u"English.tra");
    EXPECT_EQ(open.GetFileExt(), u"tra");
}
