// The window on a screen with two device pixels per pixel (the test
// "high_dpi_window" runs this with QT_SCALE_FACTOR=2; elsewhere it is
// skipped): the head view shows its language field whole, and the toolbar's
// pictures and the tree's texts and icons use every device pixel instead of
// doubling their pixels.

#include "AppTestSupport.h"

#include "CHeadView.h"
#include "CTextRow.h"
#include "CZweiToolBar.h"

namespace {

// Columns of rect (device pixels) that differ from the column to their left.
int ChangingColumns(const QImage& picture, const QRect& rect)
{
    int changes = 0;
    for (int x = rect.left() + 1; x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (picture.pixel(x, y) != picture.pixel(x - 1, y)) {
                ++changes;
                break;
            }
        }
    }
    return changes;
}

using HighDpiTest = AppTest;

TEST_F(HighDpiTest, HeadViewIsWholeAndToolbarPicturesAreDrawnWithEveryDevicePixel)
{
    if (qApp->devicePixelRatio() < 2)
        GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
    UseEnglish();
    ASSERT_TRUE(Start({CopySample()}));
    Frame().resize(640, 480);
    QApplication::processEvents();

    CHeadView& head = *Frame().GetHeadView();
    const QLineEdit& field = *head.GetLanguageField();
    const QRect inHead(field.mapTo(&head, QPoint(0, 0)), field.size());
    EXPECT_TRUE(head.rect().contains(inHead)) << inHead.right() << "," << inHead.bottom();
    // On the screen (device pixels): the field's frame in the middle of its
    // right and of its bottom edge differs from the form right of it.
    const QImage headPicture = head.grab().toImage();
    const QRect field2x(inHead.topLeft() * 2, inHead.size() * 2);
    const QRgb form = headPicture.pixel(field2x.right() + 3, field2x.center().y());
    EXPECT_NE(headPicture.pixel(field2x.right(), field2x.center().y()), form);
    EXPECT_NE(headPicture.pixel(field2x.center().x(), field2x.bottom()), form);

    // A 20-pixel picture doubled changes colour at every second column at
    // most; drawn at the device's density it has more detail than that.
    CZweiToolBar& bar = *Frame().GetToolBar();
    const QImage buttons = bar.GetClientWidget()->grab().toImage();
    ASSERT_EQ(buttons.devicePixelRatio(), 2.0);
    // The first 20-pixel picture, 5 pixels into its 30-pixel button.
    const QRect firstPicture(2 * (bar.GetItemRect(0).left + 5), 2 * 5, 2 * 20, 2 * 20);
    EXPECT_GT(ChangingColumns(buttons, firstPicture), 20);
    // The tree's texts and its 16 x 15 pictures are drawn with every device pixel too.
    CMyEditView& view = View();
    view.repaint();
    const QImage tree = view.GetOffscreenImage();
    EXPECT_EQ(tree.width(), 2 * view.viewport()->width());
    const QPoint kindIcon(view.RowDocumentX(0) - view.GetHorizontalScroll() + view.GetRow(0)->iconRect.left,
                          view.RowDocumentY(0) - view.GetVerticalScroll() + view.GetRow(0)->iconRect.top);
    EXPECT_GT(ChangingColumns(tree, QRect(2 * kindIcon, 2 * QSize(16, 15))), 16);
}

} // namespace
