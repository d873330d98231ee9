// The toolbar inside a frame window: button states from the command route,
// clicks sent through the frame, tooltips and status prompts from the
// command strings (also what a screen reader hears); text labels from the
// string table.
#include "CFrameWnd.h"
#include "CImageBitmap.h"
#include "CResources.h"
#include "CStatusBar.h"
#include "CZweiToolBar.h"
#include "QtStrings.h"
#include "resource.h"

#include <QAccessible>
#include <QEventLoop>
#include <QHelpEvent>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <array>

namespace {

// A checked button's face, as the rules give it (0x00BBGGRR).
constexpr COLORREF CheckedFace = 0xE0E0E0;

constexpr int NewButton = 0;    // no handler in the frame below
constexpr int SaveButton = 2;   // handled
constexpr int ShowButton = 12;  // handled and checked
constexpr int Separator = 4;

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
void Settle()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ToolTipGone()
{
    return QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000);
}

COLORREF At(const QImage& image, int x, int y)
{
    return CImageBitmap::ToColorRef(image.pixel(x, y));
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
        Settle();
    }
    QPoint Centre(int index) const { return bar->GetItemRect(index).ToQRect().center(); }
    std::u16string Message() const { return frame.GetStatusBar()->GetPaneText(0); }

    Frame frame;
    CZweiToolBar* bar = nullptr;
};

TEST_F(ToolbarFrameTest, ButtonsFollowTheCommandRouteAndClicksReachTheFrame)
{
    EXPECT_FALSE(bar->GetButtonState(NewButton) & TBSTATE_ENABLED);
    EXPECT_TRUE(bar->GetButtonState(SaveButton) & TBSTATE_ENABLED);
    EXPECT_EQ(bar->GetButtonState(ShowButton), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(bar->GetLastLook(NewButton), CZweiTool::Disabled);
    EXPECT_EQ(bar->GetLastLook(ShowButton), CZweiTool::Checked);

    QWidget* client = bar->GetClientWidget();
    QTest::mouseClick(client, Qt::LeftButton, {}, Centre(SaveButton));
    QTest::mouseClick(client, Qt::LeftButton, {}, Centre(NewButton));
    Settle();
    EXPECT_EQ(frame.saves, 1);
}

TEST_F(ToolbarFrameTest, PromptsAndTooltipsComeFromTheCommandStrings)
{
    QWidget* client = bar->GetClientWidget();
    QTest::mouseMove(client, Centre(SaveButton));
    Settle();
    EXPECT_EQ(Message(), u"Speichert eine Sprache");
    QHelpEvent help(QEvent::ToolTip, Centre(SaveButton), client->mapToGlobal(Centre(SaveButton)));
    QCoreApplication::sendEvent(client, &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Sprache speichern"));

    // Off the buttons the idle prompt returns and no tooltip is shown.
    QTest::mouseMove(client, Centre(Separator));
    Settle();
    EXPECT_EQ(Message(), CResources::LoadString(AFX_IDS_IDLEMESSAGE));
    QHelpEvent none(QEvent::ToolTip, Centre(Separator), client->mapToGlobal(Centre(Separator)));
    QCoreApplication::sendEvent(client, &none);
    EXPECT_TRUE(ToolTipGone());

    // Without the styles the bar keeps quiet.
    bar->SetBarStyle(bar->GetBarStyle() & ~(CBRS_TOOLTIPS | CBRS_FLYBY));
    QTest::mouseMove(client, Centre(SaveButton));
    Settle();
    EXPECT_EQ(Message(), CResources::LoadString(AFX_IDS_IDLEMESSAGE));
    QCoreApplication::sendEvent(client, &help);
    EXPECT_TRUE(ToolTipGone());
}

TEST_F(ToolbarFrameTest, AScreenReaderReadsAndPressesTheButtons)
{
    QAccessibleInterface* buttons = QAccessible::queryAccessibleInterface(bar->GetClientWidget());
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

    QTest::mousePress(bar->GetClientWidget(), Qt::LeftButton, {}, Centre(SaveButton));
    EXPECT_TRUE(save->state().pressed);
    QTest::mouseRelease(bar->GetClientWidget(), Qt::LeftButton, {}, Centre(SaveButton));
    EXPECT_FALSE(save->state().pressed);
    save->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    buttons->child(NewButton)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(frame.saves, 2);
}

TEST_F(ToolbarFrameTest, LabelsAreTheStringsAfterTheFirstLabelString)
{
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
    Settle();
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
    EXPECT_EQ(At(picture, checked.left() + 2, checked.top() + labelTop + 1), CheckedFace);
}

} // namespace
