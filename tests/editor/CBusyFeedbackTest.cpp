// The feedback of long operations: the busy cursor for the whole time, the
// progress dialog only once the work has run past the delay.
#include "CBusyFeedback.h"

#include "resource.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTest>

#include <gtest/gtest.h>


TEST(BusyFeedback, CursorForTheWholeTimeProgressOnlyWhenSlow)
{
    qint64 elapsed = 0;
    CBusyFeedback::SetElapsedForTesting([&elapsed] { return elapsed; });
    {
        CBusyFeedback busy(ID_VERSION_UPDATE);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        const ProgressCallback progress = busy.Progress();
        elapsed = 499;
        progress(10, 100);
        EXPECT_FALSE(busy.ShowedProgress()) << "quick work shows no dialog";
        elapsed = 500;
        progress(50, 100);
        EXPECT_TRUE(busy.ShowedProgress());
        // Neither Escape nor the close box ends it: the work is not done.
        QProgressDialog* dialog = busy.GetDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->isModal());
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->close());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        progress(100, 100);
    }
    CBusyFeedback::SetElapsedForTesting({});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
