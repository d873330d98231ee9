// The toolbar in a main window, as the frame has it: the five looks and
// their strips, hot tracking that repaints only the buttons concerned,
// separators and grippers of horizontal and vertical bars, the back buffer,
// clicks.
#include "CImageBitmap.h"
#include "CZweiToolBar.h"
#include "resource.h"

#include <QDir>
#include <QMainWindow>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The toolbar's colours as the rules give them (0x00BBGGRR).
constexpr COLORREF Face = 0xC0C0C0;
constexpr COLORREF Light = 0xFFFFFF;
constexpr COLORREF Dark = 0x646464;
constexpr COLORREF Checked = 0xE0E0E0;

// Button indices of toolbar 146 (separators at 4, 7, 9, 11, 14 and 18).
constexpr int Separator = 4;
constexpr int FindButton = 5; // image 4

COLORREF At(const QImage& image, int x, int y)
{
    return CImageBitmap::ToColorRef(image.pixel(x, y));
}

QImage StripImage(UINT strip, int image)
{
    CImageBitmap bitmap;
    EXPECT_TRUE(bitmap.LoadBitmap(strip));
    return bitmap.GetImage().copy(20 * image, 0, 20, 20);
}

// Records the regions of the paint events a widget gets.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    std::vector<QRegion> regions;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

class ToolbarTest : public ::testing::Test {
protected:
    void Make(DWORD align = CBRS_ALIGN_TOP)
    {
        bar = new CZweiToolBar(20, 20, true);
        ASSERT_TRUE(bar->Create(&window, WS_CHILD | WS_VISIBLE | align));
        bar->SetSizes(30, 30, 5, 0, false, nullptr, 0);
        ASSERT_TRUE(bar->LoadToolBar(IDR_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                     IDB_TOOLBAR_CHECKED));
        window.resize(720, 400);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        Settle();
    }

    QWidget* Client() const { return bar->GetClientWidget(); }
    QRect Rect(int index) const { return bar->GetItemRect(index).ToQRect(); }
    QImage ClientPicture() const
    {
        return Client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static void Settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QTest::qWait(5);
        }
    }
    void MoveTo(int index)
    {
        QTest::mouseMove(Client(), Rect(index).center());
        Settle();
    }
    // The image drawn in button index, where the frame's geometry puts it.
    QImage ImageIn(const QImage& picture, int index) const
    {
        return picture.copy(Rect(index).x() + 5, Rect(index).y() + 5, 20, 20);
    }

    QMainWindow window;
    CZweiToolBar* bar = nullptr; // owned by the window
};

TEST_F(ToolbarTest, FiveLooksTakeTheirStripsAndBorders)
{
    Make();
    ASSERT_EQ(bar->GetCount(), 21);
    EXPECT_EQ(bar->GetItemID(FindButton), UINT(ID_FIND));
    bar->SetButtonState(2, TBSTATE_ENABLED | TBSTATE_PRESSED);
    bar->SetButtonState(3, TBSTATE_ENABLED | TBSTATE_CHECKED);
    bar->SetButtonState(FindButton, 0);
    MoveTo(1);
    const QImage picture = ClientPicture();
    QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES));
    picture.save(QStringLiteral(GLOSSMARK_PICTURES "/toolbar_looks.png"));
    picture.copy(0, 0, 8 * 30, 30)
        .scaled(8 * 30 * 4, 30 * 4)
        .save(QStringLiteral(GLOSSMARK_PICTURES "/toolbar_looks_x4.png"));

    EXPECT_EQ(bar->GetLastLook(0), CZweiTool::Normal);
    EXPECT_EQ(bar->GetLastLook(1), CZweiTool::Hot);
    EXPECT_EQ(bar->GetLastLook(2), CZweiTool::Pressed);
    EXPECT_EQ(bar->GetLastLook(3), CZweiTool::Checked);
    EXPECT_EQ(bar->GetLastLook(FindButton), CZweiTool::Disabled);

    EXPECT_EQ(ImageIn(picture, 0), StripImage(IDB_TOOLBAR_NORMAL, 0));
    EXPECT_EQ(ImageIn(picture, 1), StripImage(IDB_TOOLBAR_HOT, 1));
    EXPECT_EQ(ImageIn(picture, 2), StripImage(IDB_TOOLBAR_HOT, 2));
    EXPECT_EQ(ImageIn(picture, 3), StripImage(IDB_TOOLBAR_CHECKED, 3));
    EXPECT_EQ(ImageIn(picture, FindButton), StripImage(IDB_TOOLBAR_DISABLED, 4));
    // The strips differ where it matters, so the images above tell the looks apart.
    EXPECT_NE(StripImage(IDB_TOOLBAR_NORMAL, 1), StripImage(IDB_TOOLBAR_HOT, 1));
    EXPECT_NE(StripImage(IDB_TOOLBAR_NORMAL, 4), StripImage(IDB_TOOLBAR_DISABLED, 4));

    struct Border {
        int index;
        COLORREF topLeft, bottomRight;
    };
    const Border borders[] = {
        {0, Face, Face},
        {1, Light, Dark},
        {2, Dark, Light},
        {3, Dark, Light},
        {FindButton, Face, Face},
    };
    for (const Border& b : borders) {
        const QRect r = Rect(b.index);
        SCOPED_TRACE(b.index);
        EXPECT_EQ(At(picture, r.left(), r.top()), b.topLeft);
        EXPECT_EQ(At(picture, r.left() + 10, r.top()), b.topLeft);
        EXPECT_EQ(At(picture, r.left(), r.top() + 20), b.topLeft);
        EXPECT_EQ(At(picture, r.right(), r.bottom()), b.bottomRight);
        EXPECT_EQ(At(picture, r.right(), r.top() + 10), b.bottomRight);
        EXPECT_EQ(At(picture, r.left() + 10, r.bottom()), b.bottomRight);
        // Between border and image: the checked button's light background.
        EXPECT_EQ(At(picture, r.left() + 2, r.top() + 2),
                  b.index == 3 ? Checked : Face);
    }
}

TEST_F(ToolbarTest, MovingToTheNextButtonRepaintsExactlyTheTwoButtons)
{
    Make();
    MoveTo(0);
    ASSERT_EQ(bar->GetHotButton(), 0);
    PaintRecorder recorder(Client());
    MoveTo(1);
    ASSERT_EQ(recorder.regions.size(), 1u);
    EXPECT_EQ(recorder.regions[0], QRegion(Rect(0)) + QRegion(Rect(1)));
    EXPECT_EQ(bar->GetLastLook(0), CZweiTool::Normal);
    EXPECT_EQ(bar->GetLastLook(1), CZweiTool::Hot);
    QImage picture = ClientPicture();
    EXPECT_EQ(At(picture, Rect(0).left(), Rect(0).top()), Face);
    EXPECT_EQ(At(picture, Rect(1).left(), Rect(1).top()), Light);

    // Buttons apart: only the two rectangles, not what lies between them.
    MoveTo(3);
    recorder.regions.clear();
    MoveTo(FindButton);
    ASSERT_EQ(recorder.regions.size(), 1u);
    EXPECT_EQ(recorder.regions[0], QRegion(Rect(3)) + QRegion(Rect(FindButton)));

    // Onto a separator and out of the bar: the hot button goes back to normal.
    recorder.regions.clear();
    MoveTo(7);
    EXPECT_EQ(bar->GetHotButton(), -1);
    ASSERT_EQ(recorder.regions.size(), 1u);
    EXPECT_EQ(recorder.regions[0], QRegion(Rect(FindButton)));
    recorder.regions.clear();
    MoveTo(7);
    EXPECT_TRUE(recorder.regions.empty());
    // The back buffer outlived all these paints.
    EXPECT_EQ(bar->GetBackBufferBuilds(), 1);
}

TEST_F(ToolbarTest, ADisabledButtonNeverTurnsHot)
{
    Make();
    bar->SetButtonState(1, 0);
    Settle();
    MoveTo(0);
    PaintRecorder recorder(Client());
    MoveTo(1);
    // Only the button left behind is repainted; the disabled one is not touched.
    ASSERT_EQ(recorder.regions.size(), 1u);
    EXPECT_EQ(recorder.regions[0], QRegion(Rect(0)));
    Client()->update();
    Settle();
    EXPECT_EQ(bar->GetLastLook(1), CZweiTool::Disabled);
    const QImage picture = ClientPicture();
    EXPECT_EQ(ImageIn(picture, 1), StripImage(IDB_TOOLBAR_DISABLED, 1));
    EXPECT_EQ(At(picture, Rect(1).left(), Rect(1).top()), Face);
    EXPECT_EQ(At(picture, Rect(1).right(), Rect(1).bottom()), Face);
}

TEST_F(ToolbarTest, AButtonLeavingCheckedLosesItsLightBackground)
{
    Make();
    bar->SetButtonState(3, TBSTATE_ENABLED | TBSTATE_CHECKED);
    Settle();
    const QPoint inside = Rect(3).topLeft() + QPoint(2, 2);
    EXPECT_EQ(At(ClientPicture(), inside.x(), inside.y()), Checked);
    PaintRecorder recorder(Client());
    bar->SetButtonState(3, TBSTATE_ENABLED);
    Settle();
    ASSERT_EQ(recorder.regions.size(), 1u);
    EXPECT_EQ(recorder.regions[0], QRegion(Rect(3)));
    EXPECT_EQ(bar->GetLastLook(3), CZweiTool::Normal);
    const QImage picture = ClientPicture();
    EXPECT_EQ(At(picture, inside.x(), inside.y()), Face);
    EXPECT_EQ(ImageIn(picture, 3), StripImage(IDB_TOOLBAR_NORMAL, 3));
    // A checked button under the mouse looks pressed.
    bar->SetButtonState(3, TBSTATE_ENABLED | TBSTATE_CHECKED);
    MoveTo(3);
    EXPECT_EQ(bar->GetLastLook(3), CZweiTool::Pressed);
}

TEST_F(ToolbarTest, AHorizontalBarDrawsVerticalSeparatorsAndGripper)
{
    Make(CBRS_ALIGN_TOP);
    EXPECT_EQ(bar->GetDockState(), CZweiTool::DockedHorizontally);
    const QImage picture = ClientPicture();
    const QRect s = Rect(Separator);
    EXPECT_EQ(s.size(), QSize(CZweiTool::SeparatorSize, 30));
    const int x = s.left() / 2 + (s.right() + 1) / 2 - 1;
    for (int y = s.top() + 2; y < s.bottom() + 1 - 2; ++y) {
        EXPECT_EQ(At(picture, x, y), Dark) << y;
        EXPECT_EQ(At(picture, x + 1, y), Light) << y;
    }
    EXPECT_EQ(At(picture, x, s.top() + 1), Face);
    EXPECT_EQ(At(picture, x, s.bottom() - 1), Face);
    EXPECT_EQ(At(picture, x - 1, s.top() + 10), Face);

    const QImage whole = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    whole.save(QStringLiteral(GLOSSMARK_PICTURES "/toolbar_horizontal.png"));
    const int mid = whole.height() / 2;
    EXPECT_EQ(At(whole, 4, mid), Checked);
    EXPECT_EQ(At(whole, 5, mid), Checked);
    EXPECT_EQ(At(whole, 6, mid), Dark);
    EXPECT_EQ(At(whole, 3, mid), Face);
    // The dark line turns toward the light ones at its lower end.
    EXPECT_EQ(At(whole, 6, whole.height() - 4), Dark);
    EXPECT_EQ(At(whole, 6, whole.height() - 3), Face);
    EXPECT_EQ(At(whole, 4, whole.height() - 5), Face);
}

TEST_F(ToolbarTest, AVerticalBarDrawsHorizontalSeparatorsEndingBeforeTheButtonWidth)
{
    Make(CBRS_ALIGN_LEFT);
    EXPECT_EQ(bar->GetDockState(), CZweiTool::DockedVertically);
    EXPECT_EQ(Rect(1).topLeft(), QPoint(0, 30));
    const QImage picture = ClientPicture();
    const QRect s = Rect(Separator);
    EXPECT_EQ(s.size(), QSize(30, CZweiTool::SeparatorSize));
    const int y = s.top() / 2 + (s.bottom() + 1) / 2 - 1;
    for (int x = 2; x < 30 - 4; ++x) {
        EXPECT_EQ(At(picture, x, y), Dark) << x;
        EXPECT_EQ(At(picture, x, y + 1), Light) << x;
    }
    EXPECT_EQ(At(picture, 26, y), Face);
    EXPECT_EQ(At(picture, 1, y), Face);
    EXPECT_EQ(At(picture, 15, y - 1), Face);
    // The client area reaches below the last button.
    EXPECT_EQ(Client()->height(), Rect(bar->GetCount() - 1).bottom() + 1 + 20);

    const QImage whole = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    whole.save(QStringLiteral(GLOSSMARK_PICTURES "/toolbar_vertical.png"));
    const int mid = whole.width() / 2;
    EXPECT_EQ(At(whole, mid, 4), Checked);
    EXPECT_EQ(At(whole, mid, 5), Checked);
    EXPECT_EQ(At(whole, mid, 6), Dark);
}

TEST_F(ToolbarTest, BackBufferIsMadeAgainOnlyWhenTheSizeChanges)
{
    Make();
    EXPECT_EQ(bar->GetBackBufferBuilds(), 1);
    for (int i : {0, 1, 2, 3})
        MoveTo(i);
    Client()->update();
    Settle();
    EXPECT_EQ(bar->GetBackBufferBuilds(), 1);
    const QSize before = bar->GetBackBuffer()->GetImage().size();
    window.addToolBar(Qt::RightToolBarArea, bar);
    Settle();
    EXPECT_EQ(bar->GetBackBufferBuilds(), 2);
    EXPECT_NE(bar->GetBackBuffer()->GetImage().size(), before);
    EXPECT_EQ(bar->GetBackBuffer()->GetImage().size(), Client()->size());
}

TEST_F(ToolbarTest, AClickOnAnEnabledButtonSendsItsCommand)
{
    Make();
    QSignalSpy spy(bar, &CZweiTool::commandTriggered);
    MoveTo(2);
    QTest::mousePress(Client(), Qt::LeftButton, {}, Rect(2).center());
    Settle();
    EXPECT_EQ(bar->GetLastLook(2), CZweiTool::Pressed);
    QTest::mouseRelease(Client(), Qt::LeftButton, {}, Rect(2).center());
    Settle();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<UINT>(), UINT(ID_SAVE_LANGUAGE));
    EXPECT_EQ(bar->GetLastLook(2), CZweiTool::Hot);

    // Released elsewhere, on a disabled button, or on a separator: nothing.
    QTest::mousePress(Client(), Qt::LeftButton, {}, Rect(0).center());
    QTest::mouseRelease(Client(), Qt::LeftButton, {}, Rect(1).center());
    bar->SetButtonState(1, 0);
    QTest::mouseClick(Client(), Qt::LeftButton, {}, Rect(1).center());
    QTest::mouseClick(Client(), Qt::LeftButton, {}, Rect(Separator).center());
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(ToolbarTest, AMissingToolbarResourceFailsToLoad)
{
    CZweiToolBar lone(20, 20, false);
    EXPECT_FALSE(lone.LoadToolBar(4711, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                  IDB_TOOLBAR_CHECKED));
    EXPECT_EQ(lone.GetCount(), 0);
}

} // namespace
