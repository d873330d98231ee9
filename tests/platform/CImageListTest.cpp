#include "CDc.h"
#include "CImageList.h"
#include "TestResources.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kMask = RGB(192, 192, 192);

// 10 x 2 strip: two 4-wide images and a 2-pixel rest.
QImage Strip()
{
    QImage strip(10, 2, QImage::Format_RGB32);
    strip.fill(qRgb(192, 192, 192));
    strip.setPixel(0, 0, qRgb(255, 0, 0));
    strip.setPixel(5, 1, qRgb(0, 0, 255));
    strip.setPixel(9, 0, qRgb(0, 255, 0));
    return strip;
}

} // namespace

TEST(CImageListTest, StripIsCutIntoImagesAndTheRestDropped)
{
    CImageList list;
    ASSERT_TRUE(list.Create(4, 2, 0, 2, 2));
    EXPECT_EQ(list.Add(Strip(), kMask), 0);
    EXPECT_EQ(list.GetImageCount(), 2);
    EXPECT_EQ(list.Add(Strip(), kMask), 2) << "the index of the first image added";
    EXPECT_EQ(list.GetImageCount(), 4);
    EXPECT_EQ(list.Add(QImage(3, 2, QImage::Format_RGB32), kMask), -1) << "narrower than one image";
    EXPECT_FALSE(CImageList().Create(0, 2));
}

TEST(CImageListTest, DrawLeavesMaskedPixelsOfTheDestination)
{
    CImageList list;
    list.Create(4, 2);
    list.Add(Strip(), kMask);
    CDc dc;
    CImageBitmap bitmap(6, 3);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 6, 3, RGB(1, 2, 3));
    ASSERT_TRUE(list.Draw(1, dc, 2, 1));
    EXPECT_EQ(dc.GetPixel(3, 2), RGB(0, 0, 255)) << "image 1's pixel (1, 1)";
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(1, 2, 3)) << "mask grey is not drawn";
    EXPECT_EQ(dc.GetPixel(5, 2), RGB(1, 2, 3));
    EXPECT_FALSE(list.Draw(2, dc, 0, 0));
    EXPECT_FALSE(list.Draw(-1, dc, 0, 0));
}

TEST(CImageListTest, FromBitmapResource)
{
    testres::Install();
    CImageList list;
    ASSERT_TRUE(list.Create(testres::kStripBitmapId, 4, 4, kMask));
    EXPECT_EQ(list.GetImageCount(), 3);
    EXPECT_EQ(list.GetImageSize(), CSize(4, 2));
    EXPECT_EQ(qAlpha(list.GetImage(1).pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(list.GetImage(2).pixel(1, 1)), 0);
    EXPECT_EQ(list.GetImage(2).pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_TRUE(list.GetImage(3).isNull());
    EXPECT_FALSE(CImageList().Create(4242u, 4, 4, kMask));
}
