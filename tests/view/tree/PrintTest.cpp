// Printing the text tree view to a PDF file through the print command (the
// print dialog answered by the test), read back with pdftotext: the whole
// tree as if expanded, as searchable text over numbered pages; the print
// preview opens and closes.
#include "TreeViewTestSupport.h"
#include "resource.h"

#include <QApplication>
#include <QGlyphRun>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextLayout>
#include <QTimer>

namespace {

// Prints the view's tree to a PDF file by Ctrl+P's command; pdftotext's text
// of it (pages end with a form feed).
QString PrintedText(CMyEditView& view, QPrinter::PrintRange range = QPrinter::AllPages)
{
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("tree.pdf"));
    const auto old = CMyEditView::SetPrintDialogResponder([&](QPrinter& printer) {
        printer.setPrintRange(range);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return IDOK;
    });
    EXPECT_TRUE(view.OnCmdMsg(ID_FILE_PRINT, CN_COMMAND, nullptr));
    CMyEditView::SetPrintDialogResponder(old);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    EXPECT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess run;
    run.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(run.waitForFinished(60000));
    return QString::fromUtf8(run.readAllStandardOutput());
}

// Ligatures (ﬁ) as their letters, white space left out: the printout places
// the pieces of a text on its own, so spaces and line ends differ.
QString Comparable(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).remove(QRegularExpression(QStringLiteral("\\s")));
}

// Whether some installed font has a glyph for every character: a text
// without one shows nothing to find, neither on screen nor on paper.
bool Drawable(const QString& text)
{
    QTextLayout layout(text, QApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        if (run.glyphIndexes().contains(0))
            return false;
    }
    return true;
}

TEST(PrintTest, TheSamplePrintsEveryTextOfTheWholeTreeAsTextOnNumberedPages)
{
    ReadOutcome sample = ReadLanguageFile(GLOSSMARK_SAMPLE);
    ASSERT_NE(sample.language, nullptr);
    ViewHarness h(*sample.language, {500, 300});
    // Collapsed in the window, expanded on paper.
    h.view.OnCollapseAll();
    const QString text = PrintedText(h.view);
    const QString flat = Comparable(text);
    int missing = 0;
    for (int i = 0; i < h.view.GetRowCount(); ++i) {
        h.Row(i).EnsurePieces();
        for (const auto& piece : h.Row(i).translatedPieces) {
            const QString words = QString::fromStdU16String(piece->text);
            if (!piece->IsFixed() && Drawable(words) && !flat.contains(Comparable(words)) && ++missing < 5)
                ADD_FAILURE() << "row " << i << " not printed: " << words.toStdString();
        }
    }
    EXPECT_EQ(missing, 0);
    const int pages = int(text.count(QLatin1Char('\f')));
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("Seite %1 von %1").arg(pages)));
}

TEST(PrintTest, AThousandTextsTakeMorePagesAndTheSelectionOnlyItsSubtree)
{
    ViewHarness h(*MakeSampleLanguage(1000, 7), {500, 300});
    h.view.OnExpandAll();
    const int all = int(PrintedText(h.view).count(QLatin1Char('\f')));
    EXPECT_GT(all, 1);
    // The "Menus" row with its subtree, chosen as the selection.
    int menus = 0;
    while (h.Row(menus).node->originalText != u"Menus")
        ++menus;
    h.view.SetCurrentRow(menus);
    const int selected = int(PrintedText(h.view, QPrinter::Selection).count(QLatin1Char('\f')));
    EXPECT_GE(selected, 1);
    EXPECT_LT(selected, all);
}

TEST(PrintTest, PrintPreviewOpensWithItsPagesAndCloses)
{
    ViewHarness h(*SmallLanguage(), {500, 300});
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
