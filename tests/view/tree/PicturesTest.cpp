// Pictures of the view, checked by measuring pixels against the geometry of
// the rows, and written to the build tree's pictures folder to be looked at.
#include "TreeViewTestSupport.h"

#include "CImageBitmap.h"
#include "resource.h"

#include <QDir>
#include <QImage>

namespace {

void Save(const QImage& image, const char* name)
{
    QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES_DIR));
    EXPECT_TRUE(image.save(QStringLiteral(GLOSSMARK_PICTURES_DIR "/") + QLatin1String(name)));
}

// The w x h block of image at (x, y) equals the strip's block at (sx, 0).
bool SameBlock(const QImage& image, int x, int y, const QImage& strip, int sx, int w, int h)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if ((image.pixel(x + i, y + j) & 0xFFFFFF) != (strip.pixel(sx + i, j) & 0xFFFFFF))
                return false;
    return true;
}

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

constexpr QRgb Black = 0x000000;
constexpr QRgb Grey = 0xC0C0C0;
constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Shadow = 0x808080;

// The kind table of the tree view: kind code -> kind icon and free size.
struct KindRow {
    int code;
    int icon;
    bool freeSize;
};
constexpr KindRow kKinds[] = {
    {1, 0, true},  {8, 0, true},  {30, 0, true}, {3, 1, true},   {9, 1, true},   {11, 2, true},
    {5, 3, true},  {6, 4, true},  {10, 4, true}, {4, 5, true},   {21, 8, true},  {7, 9, true},
    {99, 9, true}, {23, 6, false}, {22, 7, false}, {2, 9, false}, {24, 9, false}, {25, 9, false},
};

int TableIcon(int code)
{
    for (const KindRow& row : kKinds)
        if (row.code == code)
            return row.icon;
    ADD_FAILURE() << "kind " << code << " is not in the table";
    return -1;
}

struct Strips {
    QImage boxes = CImageBitmap::FromResource(IDB_TREE_BOXES)->GetImage();
    QImage icons = CImageBitmap::FromResource(IDB_KIND_ICONS)->GetImage();
};

// Screen origin of a shown row.
QPoint Origin(ViewHarness& h, int row)
{
    return {h.view.RowDocumentX(row) - h.view.GetHorizontalScroll(),
            h.view.RowDocumentY(row) - h.view.GetVerticalScroll()};
}

// Box, kind icon and state icon of a row stand where the row's rectangles say.
void ExpectRowImages(ViewHarness& h, const QImage& image, int row, int boxImage)
{
    Strips strips;
    const QPoint o = Origin(h, row);
    CTextRow& r = h.Row(row);
    EXPECT_TRUE(SameBlock(image, o.x(), o.y() + r.boxRect.top, strips.boxes, boxImage * 10, 10, 10))
        << "box of row " << row;
    EXPECT_TRUE(SameBlock(image, o.x() + 12, o.y() + r.iconRect.top, strips.icons,
                          TableIcon(r.node->kindCode) * 16, 16, 15))
        << "kind icon of row " << row;
    EXPECT_TRUE(SameBlock(image, o.x() + 32, o.y() + r.iconRect.top, strips.icons,
                          (12 + int(r.node->editState)) * 16, 16, 15))
        << "state icon of row " << row;
}

} // namespace

TEST(TreePictures, KindTableAndTheTreeExpandedAndCollapsed)
{
    for (const KindRow& row : kKinds) {
        EXPECT_EQ(CTextRow::KindIcon(row.code), row.icon) << row.code;
        EXPECT_EQ(CTextRow::FreeSizeOf(row.code), row.freeSize) << row.code;
    }
    ViewHarness h(*SmallLanguage(), QSize(520, 420));
    const QImage image = h.view.GetOffscreenImage().copy();
    Save(image, "tree-expanded.png");
    ASSERT_EQ(Origin(h, 0), QPoint(16, 20));

    ExpectRowImages(h, image, 0, 1); // minus
    ExpectRowImages(h, image, 2, 2); // tee: "&OK" has a sibling below
    ExpectRowImages(h, image, 3, 3); // corner: last child
    ExpectRowImages(h, image, 10, 2);
    ExpectRowImages(h, image, 11, 3);

    // Dotted line from the row's top down its connector, every second pixel.
    const QPoint o = Origin(h, 4);
    EXPECT_EQ(Pixel(image, o.x() + 4, o.y()), Black);
    EXPECT_EQ(Pixel(image, o.x() + 4, o.y() + 1), Grey);
    EXPECT_EQ(Pixel(image, o.x() + 4, o.y() + 2), Black);
    // "&OK" (level 3): no line for its parent, the last child of "Dialoge";
    // a line for "Dialoge", which has siblings below.
    const QPoint ok = Origin(h, 2);
    EXPECT_EQ(Pixel(image, ok.x() + 4 - 16, ok.y()), Grey);
    EXPECT_EQ(Pixel(image, ok.x() + 4 - 16, ok.y() + 2), Grey);
    EXPECT_EQ(Pixel(image, ok.x() + 4 - 32, ok.y()), Black);
    // The last group's rows have no line below their top-level ancestor.
    const QPoint last = Origin(h, 11);
    EXPECT_EQ(Pixel(image, last.x() + 4 - 16, last.y()), Grey);
    EXPECT_EQ(Pixel(image, last.x() + 4 - 16, last.y() + 2), Grey);

    // The text field: white at its left edge, a grey shadow under and right of it.
    CTextRow& row = h.Row(0);
    const CRect piece = row.translatedPieces[0]->rect;
    EXPECT_EQ(Pixel(image, o.x() + piece.left, Origin(h, 0).y() + piece.top), White);
    const QPoint r0 = Origin(h, 0);
    EXPECT_EQ(Pixel(image, r0.x() + piece.left + 1, r0.y() + piece.bottom + 1), Shadow);
    EXPECT_EQ(Pixel(image, r0.x() + piece.right + 1, r0.y() + piece.top + 2), Shadow);
    EXPECT_EQ(Pixel(image, r0.x() + piece.left, r0.y() + piece.bottom + 1), Grey);
    EXPECT_EQ(Pixel(image, r0.x() + piece.left + 1, r0.y() + piece.bottom), Grey);
    // Some of the field is text.
    int dark = 0;
    for (int x = piece.left; x < piece.right; ++x)
        for (int y = piece.top; y < piece.bottom; ++y)
            dark += qGray(image.pixel(r0.x() + x, r0.y() + y)) < 100;
    EXPECT_GT(dark, 10);
    // A placeholder shows its picture from the placeholder strip.
    const QImage placeholders = CImageBitmap::FromResource(IDB_PLACEHOLDERS)->GetImage();
    const QPoint s = Origin(h, 10);
    const CRect spec = h.Row(10).translatedPieces[1]->rect;
    EXPECT_TRUE(SameBlock(image, s.x() + spec.left, s.y() + spec.top, placeholders, 4 * 25, 25, 15));
    // Below the last row there is only background.
    const int bottom = Origin(h, 11).y() + h.Row(11).rowRect.Height();
    for (int x = 0; x < image.width(); x += 7)
        ASSERT_EQ(Pixel(image, x, bottom + 3), Grey) << x;

    // Collapsed: plus boxes, the rows below move up.
    h.Click(h.BoxPoint(0));
    h.Click(h.BoxPoint(4));
    QCoreApplication::processEvents();
    const QImage collapsed = h.view.GetOffscreenImage().copy();
    Save(collapsed, "tree-collapsed.png");
    ExpectRowImages(h, collapsed, 0, 0); // plus
    ExpectRowImages(h, collapsed, 4, 0);
    ExpectRowImages(h, collapsed, 8, 1);
    const int height = h.Row(0).rowRect.Height();
    EXPECT_EQ(Origin(h, 4).y(), 20 + height);
    EXPECT_EQ(Origin(h, 8).y(), 20 + 2 * height);
    // No line to a first child below a collapsed node.
    const QPoint top = Origin(h, 0);
    EXPECT_EQ(Pixel(collapsed, top.x() + 20, top.y() + height - 2), Grey);
    EXPECT_EQ(Pixel(collapsed, top.x() + 20, top.y() + height - 1), Grey);
    // The window shows the same picture (without the focus frame).
    if (QWidget* focus = QApplication::focusWidget())
        focus->clearFocus();
    const QImage window = h.view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(SameBlock(window, 0, 0, collapsed, 0, 200, 100));

    // The current row is framed across the window, the others are not.
    h.Click(h.PiecePoint(4, 0));
    const QImage current = h.view.GetOffscreenImage().copy();
    const int right = current.width() - 1;
    constexpr QRgb Frame = 0x0054A6;
    EXPECT_EQ(Pixel(current, right, Origin(h, 4).y() + height / 2), Frame);
    EXPECT_EQ(Pixel(current, right - 40, Origin(h, 4).y()), Frame);
    EXPECT_EQ(Pixel(current, right, Origin(h, 8).y() + height / 2), Grey);
}

