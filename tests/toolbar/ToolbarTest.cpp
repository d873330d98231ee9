// The toolbar in a main window, as the frame has it: the five looks and
// their strips, hot tracking that repaints only the buttons concerned,
// separators and grippers of horizontal and vertical bars, the back buffer,
// clicks. Inside a frame window: button states from the command route,
// clicks sent through the frame, tooltips and status prompts from the
// command strings; text labels from the string table.
#include "CFrameWnd.h"
#include "CImageBitmap.h"
#include "CResources.h"
#include "CStatusBar.h"
#include "CZweiToolBar.h"
#include "resource.h"

#include <QAccessible>
#include <QDir>
#include <QEventLoop>
#include <QHelpEvent>
#include <QMainWindow>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <array>
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

TEST_F(ToolbarTest, AMissingResourceFailsToLoadAndFiveLooksTakeTheirStripsAndBorders)
{
    CZweiToolBar lone(20, 20, false);
    EXPECT_FALSE(lone.LoadToolBar(4711, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                  IDB_TOOLBAR_CHECKED));
    EXPECT_EQ(lone.GetCount(), 0);
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

    // The strips differ where it matters, so the images below tell the looks apart.
    EXPECT_NE(StripImage(IDB_TOOLBAR_NORMAL, 1), StripImage(IDB_TOOLBAR_HOT, 1));
    EXPECT_NE(StripImage(IDB_TOOLBAR_NORMAL, 4), StripImage(IDB_TOOLBAR_DISABLED, 4));

    struct Look {
        int index;
        CZweiTool::Look look;
        UINT strip;
        int image;
        COLORREF topLeft, bottomRight;
    };
    const Look looks[] = {
        {0, CZweiTool::Normal, IDB_TOOLBAR_NORMAL, 0, Face, Face},
        {1, CZweiTool::Hot, IDB_TOOLBAR_HOT, 1, Light, Dark},
        {2, CZweiTool::Pressed, IDB_TOOLBAR_HOT, 2, Dark, Light},
        {3, CZweiTool::Checked, IDB_TOOLBAR_CHECKED, 3, Dark, Light},
        {FindButton, CZweiTool::Disabled, IDB_TOOLBAR_DISABLED, 4, Face, Face},
    };
    for (const Look& b : looks) {
        const QRect r = Rect(b.index);
        SCOPED_TRACE(b.index);
        EXPECT_EQ(bar->GetLastLook(b.index), b.look);
        EXPECT_EQ(ImageIn(picture, b.index), StripImage(b.strip, b.image));
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
    // The back buffer outlived all these paints and a whole repaint; a new
    // size makes it again.
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

TEST_F(ToolbarTest, ADisabledButtonNeverTurnsHotAndAnUncheckedOneLosesItsBackground)
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

    // A button leaving checked loses its light background.
    bar->SetButtonState(3, TBSTATE_ENABLED | TBSTATE_CHECKED);
    Settle();
    const QPoint inside = Rect(3).topLeft() + QPoint(2, 2);
    EXPECT_EQ(At(ClientPicture(), inside.x(), inside.y()), Checked);
    recorder.regions.clear();
    bar->SetButtonState(3, TBSTATE_ENABLED);
    Settle();
    ASSERT_EQ(recorder.regions.size(), 1u);
    EXPECT_EQ(recorder.regions[0], QRegion(Rect(3)));
    EXPECT_EQ(bar->GetLastLook(3), CZweiTool::Normal);
    const QImage unchecked = ClientPicture();
    EXPECT_EQ(At(unchecked, inside.x(), inside.y()), Face);
    EXPECT_EQ(ImageIn(unchecked, 3), StripImage(IDB_TOOLBAR_NORMAL, 3));
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

constexpr int NewButton = 0;    // no handler in the frame below
constexpr int SaveButton = 2;   // handled
constexpr int ShowButton = 12;  // handled and checked

class Frame : public CFrameWnd {
public:
    Frame()
    {
        AddCommand(ID_SAVE_LANGUAGE, [this] { ++saves; });
        AddCommand(ID_SHOW_FOREIGN, [] {});
        AddUpdateCommandUI(ID_SHOW_FOREIGN, [](CCmdUI& ui) {
            ui.Enable();
            ui.SetCheck(1);
        });
        auto* status = new CStatusBar(this);
        const std::array<UINT, 1> panes{0};
        status->SetIndicators(panes);
        setStatusBar(status);
    }
    int saves = 0;
};

// Runs the event loop until it has waited once, so the frame's idle update
// (when the loop is about to block) has run.
void SettleIdle()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ToolTipGone()
{
    return QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000);
}

class ToolbarFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar = new CZweiToolBar(20, 20, true);
        ASSERT_TRUE(bar->Create(&frame));
        bar->SetSizes(30, 30, 5, 0, false, nullptr, 0);
        ASSERT_TRUE(bar->LoadToolBar(IDR_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                     IDB_TOOLBAR_CHECKED));
        bar->SetBarStyle(bar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        frame.resize(720, 300);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        SettleIdle();
    }
    QPoint Centre(int index) const { return bar->GetItemRect(index).ToQRect().center(); }
    std::u16string Message() const { return frame.GetStatusBar()->GetPaneText(0); }

    Frame frame;
    CZweiToolBar* bar = nullptr;
};

TEST_F(ToolbarFrameTest, ButtonsFollowTheCommandRouteAndClicksAndScreenReadersReachTheFrame)
{
    EXPECT_FALSE(bar->GetButtonState(NewButton) & TBSTATE_ENABLED);
    EXPECT_TRUE(bar->GetButtonState(SaveButton) & TBSTATE_ENABLED);
    EXPECT_EQ(bar->GetButtonState(ShowButton), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(bar->GetLastLook(NewButton), CZweiTool::Disabled);
    EXPECT_EQ(bar->GetLastLook(ShowButton), CZweiTool::Checked);

    QWidget* client = bar->GetClientWidget();
    QTest::mouseClick(client, Qt::LeftButton, {}, Centre(SaveButton));
    QTest::mouseClick(client, Qt::LeftButton, {}, Centre(NewButton));
    SettleIdle();
    EXPECT_EQ(frame.saves, 1);

    // A screen reader reads and presses the same buttons.
    QAccessibleInterface* buttons = QAccessible::queryAccessibleInterface(client);
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->childCount(), 15); // the separators left out
    QAccessibleInterface* save = buttons->child(SaveButton);
    EXPECT_EQ(save->role(), QAccessible::Button);
    EXPECT_EQ(save->text(QAccessible::Name), u"Sprache speichern");
    EXPECT_EQ(save->text(QAccessible::Description), u"Speichert eine Sprache");
    EXPECT_FALSE(save->state().checkable);
    EXPECT_EQ(buttons->childAt(save->rect().center().x(), save->rect().center().y()), save);
    EXPECT_TRUE(buttons->child(NewButton)->state().disabled);
    QAccessibleInterface* show = buttons->child(8); // after four separators
    EXPECT_EQ(show->text(QAccessible::Name), u"Fremdsprache einblenden");
    EXPECT_TRUE(show->state().checkable && show->state().checked);

    QTest::mousePress(client, Qt::LeftButton, {}, Centre(SaveButton));
    EXPECT_TRUE(save->state().pressed);
    QTest::mouseRelease(client, Qt::LeftButton, {}, Centre(SaveButton));
    EXPECT_FALSE(save->state().pressed);
    save->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    buttons->child(NewButton)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(frame.saves, 3);
}

TEST_F(ToolbarFrameTest, PromptsTooltipsAndLabelsComeFromTheCommandStrings)
{
    QWidget* client = bar->GetClientWidget();
    QTest::mouseMove(client, Centre(SaveButton));
    SettleIdle();
    EXPECT_EQ(Message(), u"Speichert eine Sprache");
    QHelpEvent help(QEvent::ToolTip, Centre(SaveButton), client->mapToGlobal(Centre(SaveButton)));
    QCoreApplication::sendEvent(client, &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Sprache speichern"));

    // Off the buttons the idle prompt returns and no tooltip is shown.
    QTest::mouseMove(client, Centre(Separator));
    SettleIdle();
    EXPECT_EQ(Message(), CResources::LoadString(AFX_IDS_IDLEMESSAGE));
    QHelpEvent none(QEvent::ToolTip, Centre(Separator), client->mapToGlobal(Centre(Separator)));
    QCoreApplication::sendEvent(client, &none);
    EXPECT_TRUE(ToolTipGone());

    // Without the styles the bar keeps quiet.
    bar->SetBarStyle(bar->GetBarStyle() & ~(CBRS_TOOLTIPS | CBRS_FLYBY));
    QTest::mouseMove(client, Centre(SaveButton));
    SettleIdle();
    EXPECT_EQ(Message(), CResources::LoadString(AFX_IDS_IDLEMESSAGE));
    QCoreApplication::sendEvent(client, &help);
    EXPECT_TRUE(ToolTipGone());

    // Label of image k: string ID_INDICATOR_CAPS + k, so "UF", "NUM", "RF",
    // and nothing from the fourth image on.
    LOGFONT font;
    font.height = -11;
    font.faceName = u"DejaVu Sans";
    const int labelTop = 27;
    // The dark pixels of the label band of button index.
    const auto labelInk = [&](const QImage& picture, int index) {
        const QRect r = bar->GetItemRect(index).ToQRect();
        QRect ink;
        for (int y = r.top() + labelTop; y < r.bottom(); ++y)
            for (int x = r.left() + 1; x < r.right(); ++x)
                if (qGray(picture.pixel(x, y)) < 100)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    };
    QImage picture = bar->GetClientWidget()->grab().toImage();
    EXPECT_TRUE(labelInk(picture, SaveButton).isEmpty());

    bar->SetSizes(60, 44, 3, labelTop, true, &font, ID_INDICATOR_CAPS);
    SettleIdle();
    picture = bar->GetClientWidget()->grab().toImage();
    picture.save(QStringLiteral(GLOSSMARK_PICTURES "/toolbar_labels.png"));
    EXPECT_EQ(bar->GetItemRect(1).ToQRect().size(), QSize(60, 44));
    const QRect uf = labelInk(picture, 0);
    const QRect num = labelInk(picture, 1);
    ASSERT_FALSE(uf.isEmpty());
    ASSERT_FALSE(num.isEmpty());
    EXPECT_GT(num.width(), uf.width());
    // Centred in the button.
    for (int index : {0, 1}) {
        const QRect ink = labelInk(picture, index);
        EXPECT_LE(std::abs(ink.center().x() - bar->GetItemRect(index).ToQRect().center().x()), 2);
    }
    EXPECT_FALSE(labelInk(picture, SaveButton).isEmpty());
    EXPECT_TRUE(labelInk(picture, 3).isEmpty());
    // A checked button's label band keeps the light background.
    const QRect checked = bar->GetItemRect(ShowButton).ToQRect();
    EXPECT_EQ(At(picture, checked.left() + 2, checked.top() + labelTop + 1), Checked);
}

} // namespace
