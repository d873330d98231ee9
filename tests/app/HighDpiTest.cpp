// The window on a screen with two device pixels per pixel (the test
// "high_dpi_window" runs this with QT_SCALE_FACTOR=2; elsewhere it is
// skipped): the head view shows its language field whole, and the toolbar's
// pictures and the tree's texts use every device pixel instead of doubling
// their pixels.

#include "AppTestSupport.h"

#include "CHeadView.h"
#include "CZweiToolBar.h"

#include <QLineEdit>

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
    // On the screen: the field's frame at its right and bottom edge differs
    // from the form around it.
    const QImage headPicture = head.grab().toImage();
    const QPoint corner = inHead.bottomRight() * 2;
    const QRgb form = headPicture.pixel(corner + QPoint(3, -inHead.height()));
    EXPECT_NE(headPicture.pixel(corner.x() - 1, corner.y() - inHead.height()), form);
    EXPECT_NE(headPicture.pixel(corner.x() - inHead.width(), corner.y() - 1), form);

    // A 20-pixel picture doubled changes colour at every second column at
    // most; drawn at the device's density it has more detail than that.
    CZweiToolBar& bar = *Frame().GetToolBar();
    const QImage buttons = bar.GetClientWidget()->grab().toImage();
    ASSERT_EQ(buttons.devicePixelRatio(), 2.0);
    const int pictureX = bar.GetItemRect(0).left + (CMainFrame::kToolButtonSide - CMainFrame::kToolImageSide) / 2;
    const QRect firstPicture(2 * pictureX, 2 * CMainFrame::kToolImageYOffset,
                             2 * CMainFrame::kToolImageSide, 2 * CMainFrame::kToolImageSide);
    EXPECT_GT(ChangingColumns(buttons, firstPicture), CMainFrame::kToolImageSide);
    // The tree's texts are drawn with every device pixel too.
    View().repaint();
    EXPECT_EQ(View().GetOffscreenImage().width(), 2 * View().viewport()->width());
}

} // namespace
