// The committed bitmaps, checked as the editor uses them: strip sizes and image counts, the
// mask grey only where the picture is meant to be transparent, and the flag strip's index.

#include <QFile>
#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <ostream>
#include <set>
#include <vector>

namespace {

constexpr QRgb kMaskGrey = 0xFFC0C0C0;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kGrey = 0xFF808080;
constexpr std::array<QRgb, 16> kSixteenColours = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
    0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
    0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

QString bitmapPath(const char* name)
{
    return QStringLiteral(GLOSSMARK_BITMAP_DIR "/") + QString::fromLatin1(name);
}

QImage loadBitmap(int id)
{
    const QImage image(bitmapPath(QByteArray::number(id).append(".png").constData()));
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage imageOf(const QImage& strip, int index, int width)
{
    return strip.copy(index * width, 0, width, strip.height());
}

bool allPixels(const QImage& image, const auto& predicate)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!predicate(image.pixel(x, y)))
                return false;
    return true;
}

bool isSixteenColour(QRgb pixel)
{
    return std::find(kSixteenColours.begin(), kSixteenColours.end(), pixel) !=
           kSixteenColours.end();
}

struct StripShape {
    int id;
    int width;
    int height;
    int imageWidth;
};

// Names the case by its bitmap id instead of dumping the struct's bytes.
void PrintTo(const StripShape& shape, std::ostream* out)
{
    *out << "bitmap " << shape.id;
}

class BitmapSizes : public testing::TestWithParam<StripShape> {};

TEST_P(BitmapSizes, LoadsWithTheStatedSizeAndNoAlpha)
{
    const StripShape shape = GetParam();
    const QImage image(bitmapPath(QByteArray::number(shape.id).append(".png").constData()));
    ASSERT_FALSE(image.isNull()) << shape.id;
    EXPECT_EQ(image.width(), shape.width);
    EXPECT_EQ(image.height(), shape.height);
    EXPECT_EQ(image.width() % shape.imageWidth, 0);
    // A transparent pixel would lose the mask colour the editor keys on.
    EXPECT_FALSE(image.hasAlphaChannel()) << shape.id;
}

INSTANTIATE_TEST_SUITE_P(AllBitmaps, BitmapSizes,
                         testing::Values(StripShape{137, 40, 10, 10},
                                         StripShape{141, 288, 15, 16},
                                         StripShape{145, 125, 15, 25},
                                         StripShape{146, 300, 20, 20},
                                         StripShape{147, 300, 20, 20},
                                         StripShape{148, 300, 20, 20},
                                         StripShape{149, 300, 20, 20},
                                         StripShape{159, 6048, 32, 32},
                                         StripShape{165, 250, 115, 250}),
                         [](const testing::TestParamInfo<StripShape>& info) {
                             return "Bitmap" + std::to_string(info.param.id);
                         });

TEST(TreeStrips, UseSixteenColoursOnTheRowGrey)
{
    for (int id : {137, 141, 145}) {
        const QImage strip = loadBitmap(id);
        EXPECT_TRUE(allPixels(strip, isSixteenColour)) << id;
        // The row is filled with light grey before the images are copied on it; a corner
        // of another colour would show as a speck beside every row.
        EXPECT_EQ(strip.pixel(strip.width() - 1, 0), kMaskGrey) << id;
    }
}

TEST(TreeStrips, EveryImageShowsSomethingExceptTheTwoBlankIcons)
{
    const QImage boxes = loadBitmap(137);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(allPixels(imageOf(boxes, k, 10), [](QRgb p) { return p == kMaskGrey; }))
            << "box " << k;
    const QImage icons = loadBitmap(141);
    for (int k = 0; k < 18; ++k) {
        const bool blank =
            allPixels(imageOf(icons, k, 16), [](QRgb p) { return p == kMaskGrey; });
        EXPECT_EQ(blank, k == 10 || k == 11) << "icon " << k;
    }
}

TEST(TreeStrips, StatesThatMeanTheSameShowTheSameIcon)
{
    const QImage icons = loadBitmap(141);
    EXPECT_EQ(imageOf(icons, 12, 16), imageOf(icons, 13, 16));  // tick
    EXPECT_EQ(imageOf(icons, 15, 16), imageOf(icons, 16, 16));  // arrow right
    EXPECT_NE(imageOf(icons, 12, 16), imageOf(icons, 14, 16));
    EXPECT_NE(imageOf(icons, 15, 16), imageOf(icons, 17, 16));
}

TEST(TreeStrips, BoxesLineUpWithTheDottedTreeLines)
{
    // The view's lines run through column 4 of the box and its branch along row 4.
    const QImage boxes = loadBitmap(137);
    for (int k : {2, 3}) {
        const QImage line = imageOf(boxes, k, 10);
        EXPECT_EQ(line.pixel(4, 1), kBlack) << k;
        EXPECT_EQ(line.pixel(8, 4), kBlack) << k;
        EXPECT_EQ(line.pixel(4, 2), kMaskGrey) << k;  // dotted, not solid
    }
    EXPECT_EQ(imageOf(boxes, 2, 10).pixel(4, 9), kBlack);      // the tee goes on down
    EXPECT_EQ(imageOf(boxes, 3, 10).pixel(4, 9), kMaskGrey);   // the corner stops
    EXPECT_EQ(imageOf(boxes, 0, 10).pixel(4, 2), kBlack);      // plus has a vertical bar
    EXPECT_NE(imageOf(boxes, 1, 10).pixel(4, 2), kBlack);      // minus has none
}

TEST(PlaceholderStrip, FiveBlackSamplesOnGrey)
{
    const QImage strip = loadBitmap(145);
    EXPECT_TRUE(allPixels(strip, [](QRgb p) { return p == kBlack || p == kMaskGrey; }));
    std::set<QByteArray> distinct;
    for (int k = 0; k < 5; ++k) {
        const QImage sample = imageOf(strip, k, 25);
        EXPECT_FALSE(allPixels(sample, [](QRgb p) { return p == kMaskGrey; })) << k;
        distinct.insert(QByteArray(reinterpret_cast<const char*>(sample.constBits()),
                                   static_cast<int>(sample.sizeInBytes())));
    }
    EXPECT_EQ(distinct.size(), 5u);
}

TEST(ToolbarStrips, FifteenImagesInEveryLook)
{
    const QImage hot = loadBitmap(146);
    const QImage normal = loadBitmap(147);
    const QImage checked = loadBitmap(148);
    const QImage disabled = loadBitmap(149);
    for (int k = 0; k < 15; ++k) {
        const auto background = [](QRgb colour) {
            return [colour](QRgb p) { return p == colour; };
        };
        EXPECT_FALSE(allPixels(imageOf(hot, k, 20), background(kMaskGrey))) << k;
        EXPECT_FALSE(allPixels(imageOf(normal, k, 20), background(kMaskGrey))) << k;
        EXPECT_FALSE(allPixels(imageOf(checked, k, 20), background(0xFFE0E0E0))) << k;
        EXPECT_FALSE(allPixels(imageOf(disabled, k, 20), background(kMaskGrey))) << k;
    }
    // Images are copied unchanged onto the button, so each strip's background must be the
    // colour the button is filled with: face grey, and the lighter grey when checked.
    EXPECT_EQ(hot.pixel(0, 0), kMaskGrey);
    EXPECT_EQ(normal.pixel(0, 0), kMaskGrey);
    EXPECT_EQ(disabled.pixel(0, 0), kMaskGrey);
    EXPECT_EQ(checked.pixel(0, 0), 0xFFE0E0E0);
    EXPECT_TRUE(allPixels(disabled, [](QRgb p) {
        return p == kMaskGrey || p == kGrey || p == kWhite;
    }));
    EXPECT_TRUE(allPixels(normal, [](QRgb p) {
        return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
    }));
}

TEST(ToolbarStrips, ButtonsCanBeToldApart)
{
    const QImage hot = loadBitmap(146);
    for (int a = 0; a < 15; ++a)
        for (int b = a + 1; b < 15; ++b)
            EXPECT_NE(imageOf(hot, a, 20), imageOf(hot, b, 20)) << a << " and " << b;
}

QStringList indexLines()
{
    QFile file(bitmapPath("159.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The ISO codes of the index, by flag index.
QStringList flagCodes()
{
    QStringList codes;
    for (const QString& line : indexLines())
        codes << line.section(QLatin1Char(' '), 1, 1);
    return codes;
}

// Every mask pixel of a flag must reach the edge of its square through mask pixels: light grey
// enclosed by the flag would show the list's background through a hole.
bool maskOnlyOutside(const QImage& flag)
{
    const int size = flag.width();
    std::vector<bool> reached(static_cast<std::size_t>(size * size), false);
    std::vector<QPoint> open;
    for (int i = 0; i < size; ++i)
        for (QPoint p : {QPoint(i, 0), QPoint(i, size - 1), QPoint(0, i), QPoint(size - 1, i)})
            if (flag.pixel(p) == kMaskGrey) {
                reached[static_cast<std::size_t>(p.y() * size + p.x())] = true;
                open.push_back(p);
            }
    while (!open.empty()) {
        const QPoint p = open.back();
        open.pop_back();
        for (QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + step;
            if (q.x() < 0 || q.y() < 0 || q.x() >= size || q.y() >= size)
                continue;
            const auto slot = static_cast<std::size_t>(q.y() * size + q.x());
            if (!reached[slot] && flag.pixel(q) == kMaskGrey) {
                reached[slot] = true;
                open.push_back(q);
            }
        }
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (flag.pixel(x, y) == kMaskGrey && !reached[static_cast<std::size_t>(y * size + x)])
                return false;
    return true;
}

TEST(FlagStrip, HoldsOneHundredEightyNineDistinctFlags)
{
    const QImage strip = loadBitmap(159);
    ASSERT_EQ(strip.width(), 189 * 32);
    EXPECT_TRUE(allPixels(strip, isSixteenColour));
    const QStringList codes = flagCodes();
    ASSERT_EQ(codes.size(), 189);
    std::map<QByteArray, QString> seen;
    std::set<QString> sameAsAnother;
    for (int k = 0; k < 189; ++k) {
        const QImage flag = imageOf(strip, k, 32);
        EXPECT_FALSE(allPixels(flag, [](QRgb p) { return p == kMaskGrey; })) << "flag " << k;
        EXPECT_TRUE(maskOnlyOutside(flag)) << "flag " << k;
        const QByteArray pixels(reinterpret_cast<const char*>(flag.constBits()),
                                static_cast<int>(flag.sizeInBytes()));
        if (const auto [it, added] = seen.emplace(pixels, codes[k]); !added)
            sameAsAnother.insert(it->second + QLatin1Char('=') + codes[k]);
    }
    // A flag drawing that failed to render would repeat an empty or shared picture. Only
    // Indonesia and Monaco may look alike: their flags differ in proportions alone.
    EXPECT_EQ(sameAsAnother, std::set<QString>{QStringLiteral("ID=MC")});
}

TEST(FlagStrip, FlagsLieCentredWithMaskAboveAndBelow)
{
    const QImage strip = loadBitmap(159);
    for (int k = 0; k < 189; ++k) {
        const QImage flag = imageOf(strip, k, 32);
        for (int y : {0, 3, 28, 31})
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(flag.pixel(x, y), kMaskGrey) << "flag " << k << " row " << y;
        // At least the middle row carries the flag from edge to edge or, for a flag of
        // another shape, somewhere.
        bool drawn = false;
        for (int x = 0; x < 32; ++x)
            drawn = drawn || flag.pixel(x, 16) != kMaskGrey;
        EXPECT_TRUE(drawn) << "flag " << k;
    }
}

TEST(FlagStrip, IndexNamesEveryFlagInOrder)
{
    const QStringList lines = indexLines();
    ASSERT_EQ(lines.size(), 189);
    for (int k = 0; k < lines.size(); ++k) {
        const QStringList fields = lines[k].split(QLatin1Char(' '));
        ASSERT_GE(fields.size(), 3) << lines[k].toStdString();
        EXPECT_EQ(fields[0], QString::number(k));
        EXPECT_EQ(fields[1].size(), 2);
        EXPECT_EQ(fields[1], fields[1].toUpper());
    }
    const QStringList codes = flagCodes();
    EXPECT_EQ(std::set<QString>(codes.begin(), codes.end()).size(), 189u);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("Germany")));
}

TEST(FlagStrip, CarriesTheLicenceOfItsSource)
{
    QFile licence(bitmapPath("LICENSE.flag-icons"));
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    const QByteArray text = licence.readAll();
    EXPECT_TRUE(text.contains("MIT License"));
    EXPECT_TRUE(text.contains("Permission is hereby granted"));
}

}  // namespace
