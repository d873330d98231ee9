// The picture of the main window shown in the README: the real program under
// Xvfb (the platform's own windows, not offscreen), English user interface,
// the sample open with the newer version's German texts shown as the foreign
// language and one row being edited. Run by the test "main_window_picture"
// through xvfb-run; elsewhere it is skipped.

#include "AppTestSupport.h"

#include "CHeadView.h"
#include "CInPlaceEdit.h"
#include "CZweiToolBar.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>

#include <set>

namespace {

// Distinct colours inside rect of picture.
int Colours(const QImage& picture, const QRect& rect)
{
    std::set<QRgb> colours;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            colours.insert(picture.pixel(x, y));
    }
    return int(colours.size());
}

QRect In(QWidget* widget, QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

using ScreenshotTest = AppTest;

TEST_F(ScreenshotTest, MainWindowWithForeignLanguageAndARowInEditing)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "the picture is taken on an X server (xvfb-run)";
    UseEnglish();
    const QString sample = CopySample();
    ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_SAMPLE_NEW_TRA), dir.filePath("SampleNewVersion.tra")));
    ASSERT_TRUE(Start({sample}));
    Frame().resize(860, 640);
    nextFile = ToU16(dir.filePath("SampleNewVersion.tra"));
    Frame().OnCommand(ID_SHOW_FOREIGN);
    ASSERT_NE(Doc().GetForeignLanguage(), nullptr);

    const int leaf = FirstLeafRow();
    ASSERT_GE(leaf, 0);
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, PiecePoint(leaf));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    ASSERT_TRUE(QTest::qWaitFor([this] { return View().GetEditor() && View().GetEditor()->isVisible(); }));
    CInPlaceEdit* editor = View().GetEditor();

    const QImage picture = Frame().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES));
    picture.save(QStringLiteral(GLOSSMARK_PICTURES "/main-window.png"));
    const QString copy = qEnvironmentVariable("GLOSSMARK_SCREENSHOT");
    if (!copy.isEmpty())
        picture.save(copy);

    // Both flags are drawn (three colours at least, where the form alone has one).
    CHeadView* head = Frame().GetHeadView();
    for (QLabel* place : {head->GetOwnFlagPlace(), head->GetForeignFlagPlace()}) {
        const QRect square(In(place, &Frame()).topLeft(), QSize(32, 32));
        EXPECT_GE(Colours(picture, square), 3) << place->objectName().toStdString();
    }
    // The toolbar's images are drawn, the editor sits inside the tree view,
    // and the view shows rows below the head view.
    EXPECT_GE(Colours(picture, In(Frame().GetToolBar(), &Frame())), 4);
    const QRect view = In(View().viewport(), &Frame());
    EXPECT_TRUE(view.contains(In(editor, &Frame())));
    EXPECT_GE(Colours(picture, view), 8);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Sample.tra - Glossmark Editor"));
}

} // namespace
