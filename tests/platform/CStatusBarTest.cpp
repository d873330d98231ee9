// The status bar's message pane under long texts: the window keeps its size.

#include "CStatusBar.h"

#include <QApplication>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

// A long message (a problem naming a long text, a long prompt) is cut off at
// the pane's end as in any status bar; it must not widen the main window.
TEST(CStatusBarTest, ALongMessageDoesNotWidenTheWindow)
{
    QMainWindow window;
    auto* bar = new CStatusBar(&window);
    const std::array<UINT, 1> ids{0};
    ASSERT_TRUE(bar->SetIndicators(ids));
    window.setStatusBar(bar);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const std::u16string text(400, u'W');
    ASSERT_TRUE(bar->SetPaneText(0, text));
    QApplication::processEvents();
    EXPECT_EQ(bar->GetPaneText(0), text);
    EXPECT_LT(window.minimumSizeHint().width(), 300);
    EXPECT_EQ(window.width(), 300);
}
