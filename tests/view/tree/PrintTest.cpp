// Printing the text tree view: the bundled sample printed to a PDF file
// through the print command (the print dialog answered by the test), the
// page rendered back with pdftoppm and compared with the window's image;
// the print preview opens with its one page and closes.
#include "TreeViewTestSupport.h"
#include "resource.h"

#include <QApplication>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cstdlib>

namespace {

std::unique_ptr<CLanguageFile> Sample()
{
    ReadOutcome outcome = ReadLanguageFile(GLOSSMARK_SAMPLE);
    EXPECT_NE(outcome.language, nullptr);
    return std::move(outcome.language);
}

bool Near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The smallest rectangle holding every pixel that is not paper white.
QRect Printed(const QImage& page)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (!Near(page.pixel(x, y), qRgb(255, 255, 255), 8))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(PrintTest, PrintingTheSampleGivesAPdfWhoseFirstPageShowsTheTree)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    ASSERT_FALSE(pdftoppm.isEmpty()) << "pdftoppm (poppler-utils) is needed";
    auto language = Sample();
    ASSERT_NE(language, nullptr);
    ViewHarness h(*language, {640, 480});
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("tree.pdf"));

    int asked = 0;
    const auto old = CMyEditView::SetPrintDialogResponder([&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return IDOK;
    });
    // Ctrl+P's command, through the view's command table.
    EXPECT_TRUE(h.view.OnCmdMsg(ID_FILE_PRINT, CN_COMMAND, nullptr));
    CMyEditView::SetPrintDialogResponder(old);
    EXPECT_EQ(asked, 1);

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    EXPECT_GT(file.size(), 1000);
    file.close();

    // Rendered at the printer's resolution, a page pixel is a window pixel.
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-r"), QString::number(QPrinter(QPrinter::ScreenResolution).resolution()),
                            QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                            QStringLiteral("1"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                            out.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage page = QImage(out.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());
    QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES_DIR));
    page.save(QStringLiteral(GLOSSMARK_PICTURES_DIR "/print_first_page.png"));

    // The page holds the window's image at its size, and the image is the tree.
    const QImage window = h.view.GetOffscreenImage().convertToFormat(QImage::Format_RGB32);
    const QRect printed = Printed(page);
    EXPECT_LE(std::abs(printed.width() - window.width()), 1);
    EXPECT_LE(std::abs(printed.height() - window.height()), 1);
    int same = 0;
    int dark = 0;
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x) {
            const QPoint at = printed.topLeft() + QPoint(x, y);
            if (!page.rect().contains(at))
                continue;
            same += Near(page.pixel(at), window.pixel(x, y), 48);
            dark += qGray(page.pixel(at)) < 80;
        }
    const int all = window.width() * window.height();
    EXPECT_GT(same, all * 95 / 100);
    // Text and tree lines, not just the grey background.
    EXPECT_GT(dark, all / 200);
}

TEST(PrintTest, PrintPreviewOpensWithItsPageAndCloses)
{
    auto language = Sample();
    ASSERT_NE(language, nullptr);
    ViewHarness h(*language, {500, 300});
    bool seen = false;
    int pages = -1;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
            if (!preview || !preview->isVisible())
                continue;
            seen = true;
            if (auto* widget = preview->findChild<QPrintPreviewWidget*>())
                pages = widget->pageCount();
            preview->reject();
        }
    });
    EXPECT_TRUE(h.view.OnCmdMsg(ID_FILE_PRINT_PREVIEW, CN_COMMAND, nullptr));
    EXPECT_TRUE(seen);
    EXPECT_EQ(pages, 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QPrintPreviewDialog*>(w) && w->isVisible());
}

} // namespace
