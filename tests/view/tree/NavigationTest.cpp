// Mouse hits, expanding and collapsing, key moves between rows, scrolling.
#include "TreeViewTestSupport.h"

#include <QScrollBar>

namespace {

std::unique_ptr<CLanguageFile> FlatLanguage(int texts)
{
    auto root = std::make_unique<CTextNode>(nullptr);
    CTextNode* strings = AddNode(root.get(), u"Stringtables", 11);
    for (int i = 0; i < texts; ++i)
        AddNode(strings, u"Text " + std::u16string(1, char16_t(u'A' + i % 26)), 99);
    auto language = std::make_unique<CLanguageFile>(std::move(root));
    language->SetProgramName(u"P");
    language->SetOriginal(false);
    return language;
}

int Caret(CInPlaceEdit& editor)
{
    int start = 0;
    int end = 0;
    editor.GetSel(start, end);
    return start;
}

} // namespace

TEST(TreeNavigation, BoxClickCollapsesAndExpandsAndLeavesNoCurrentRow)
{
    ViewHarness h(*SmallLanguage());
    h.Click(h.PiecePoint(2, 0));
    ASSERT_EQ(h.view.GetCurrentRow(), 2);
    ASSERT_NE(h.view.GetEditor()->GetPiece(), nullptr);
    const double full = h.view.GetDocumentHeight();
    const int rowHeight = h.Row(5).rowRect.Height();

    h.Click(h.BoxPoint(4)); // minus of "Menus"
    EXPECT_FALSE(h.Row(4).expanded);
    EXPECT_EQ(h.view.GetCurrentRow(), -1);
    EXPECT_EQ(h.view.GetEditor()->GetPiece(), nullptr); // edit ended
    EXPECT_EQ(h.Row(2).currentPiece, -1);
    EXPECT_FALSE(h.view.IsRowShown(5));
    EXPECT_EQ(h.view.GetDocumentHeight(), full - 3 * rowHeight);
    // The row below the collapsed one moved up under it.
    EXPECT_EQ(h.view.RowDocumentY(8), h.view.RowDocumentY(4) + h.Row(4).rowRect.Height());

    h.Click(h.BoxPoint(4)); // now a plus
    EXPECT_TRUE(h.Row(4).expanded);
    EXPECT_TRUE(h.view.IsRowShown(6));
    EXPECT_EQ(h.view.GetDocumentHeight(), full);
    // A connector click on a leaf hides nothing.
    h.Click(h.BoxPoint(9));
    EXPECT_FALSE(h.Row(9).expanded);
    EXPECT_EQ(h.view.GetCurrentRow(), -1);
    EXPECT_TRUE(h.view.IsRowShown(10));
}

TEST(TreeNavigation, ClickInATextOpensTheEditorAtTheClickedCharacterOnAPlaceholderNot)
{
    ViewHarness h(*SmallLanguage());
    CTextRow& row = h.Row(1); // "Datei öffnen"
    CDc dc(h.view.viewport());
    dc.SelectObject(&CTextPiece::FontFor(false));
    const int x = dc.GetTextExtent(u"Datei ").cx + 1;
    h.Click(h.PiecePoint(1, 0, x, 4));
    EXPECT_EQ(h.view.GetCurrentRow(), 1);
    EXPECT_EQ(row.currentPiece, 0);
    CInPlaceEdit& editor = *h.view.GetEditor();
    ASSERT_EQ(editor.GetPiece(), row.translatedPieces[0].get());
    EXPECT_EQ(Caret(editor), 6);
    EXPECT_EQ(h.Pane(), u"Text 1 von 12");
    // The editor lies over the piece.
    const QPoint at = h.PiecePoint(1, 0, 0, 0);
    EXPECT_EQ(editor.GetRect().left, at.x());
    EXPECT_EQ(editor.GetRect().top, at.y());
    // A click on a placeholder only gives the editor the focus.
    h.Click(h.PiecePoint(6, 0));
    ASSERT_EQ(h.view.GetCurrentRow(), 6);
    CTextRow& hello = h.Row(10); // "Hallo %s!"
    ASSERT_TRUE(hello.translatedPieces[1]->IsFixed());
    h.Click(h.PiecePoint(10, 1, 5, 5));
    EXPECT_EQ(h.view.GetCurrentRow(), 6);
    EXPECT_EQ(h.Row(6).currentPiece, 0);
    EXPECT_TRUE(h.view.GetEditor()->hasFocus());
    // Empty space right of a row hits nothing either.
    h.Click({h.view.viewport()->width() - 5, h.PiecePoint(6, 0).y()});
    EXPECT_EQ(h.view.GetCurrentRow(), 6);
}

TEST(TreeNavigation, PageKeysMoveByTheShownRows)
{
    ViewHarness h(*FlatLanguage(60), QSize(500, 300));
    h.Click(h.PiecePoint(1, 0));
    ASSERT_EQ(h.view.GetCurrentRow(), 1);
    const int shown = h.view.GetShownRows();
    ASSERT_GT(shown, 5);
    QTest::keyClick(h.view.GetEditor(), Qt::Key_PageDown);
    EXPECT_EQ(h.view.GetCurrentRow(), 1 + shown - 3);
    const int after = h.view.GetCurrentRow();
    const int shownNow = h.view.GetShownRows();
    QTest::keyClick(h.view.GetEditor(), Qt::Key_PageUp);
    EXPECT_EQ(h.view.GetCurrentRow(), std::max(0, after + 2 - shownNow));
}

TEST(TreeNavigation, MovesStopAtTheFirstAndLastShownRow)
{
    ViewHarness h(*SmallLanguage());
    h.view.SetExpanded(8, false); // the last group collapsed
    h.Click(h.PiecePoint(0, 0));
    h.view.MoveCurrentRow(-1, false, false);
    EXPECT_EQ(h.view.GetCurrentRow(), 0);
    EXPECT_NE(h.view.GetEditor()->GetPiece(), nullptr); // opened again
    h.view.MoveCurrentRow(100, true, true);
    EXPECT_EQ(h.view.GetCurrentRow(), 8);
    EXPECT_EQ(h.Pane(), u"Text 8 von 12");
    // Down skips the hidden rows of a collapsed node.
    h.view.SetExpanded(1, false);
    h.view.SetCurrentRow(0);
    h.view.MoveCurrentRow(0, true, true);
    h.view.MoveCurrentRow(2, true, true);
    EXPECT_EQ(h.view.GetCurrentRow(), 4);
    h.view.MoveCurrentRow(-2, true, true);
    EXPECT_EQ(h.view.GetCurrentRow(), 0);
}

TEST(TreeNavigation, JumpsScrollTheRowThirtyPixelsBelowTheTop)
{
    ViewHarness h(*FlatLanguage(200), QSize(500, 300));
    h.Click(h.PiecePoint(1, 0));
    h.view.MoveCurrentRow(150, true, true);
    ASSERT_EQ(h.view.GetCurrentRow(), 151);
    const int y = h.view.RowDocumentY(151);
    EXPECT_EQ(y - h.view.GetVerticalScroll(), 30);
    EXPECT_EQ(h.view.GetCurrentRowOrigin().y, 30);
    // Back to the first row: 30 pixels below the top, 10 lower than unscrolled.
    h.view.MoveCurrentRow(-1000, true, true);
    EXPECT_EQ(h.view.GetCurrentRow(), 0);
    EXPECT_EQ(h.view.GetVerticalScroll(), -10);
    EXPECT_EQ(h.view.GetCurrentRowOrigin().y, 30);
}

TEST(TreeNavigation, MovingDownKeepsTheCurrentRowInTheWindow)
{
    ViewHarness h(*FlatLanguage(120), QSize(500, 300));
    h.Click(h.PiecePoint(1, 0));
    const int client = h.view.viewport()->height();
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(h.view.GetEditor(), Qt::Key_Down);
        const int row = h.view.GetCurrentRow();
        const int sy = h.view.RowDocumentY(row) - h.view.GetVerticalScroll();
        ASSERT_GE(sy, 0) << i;
        ASSERT_LE(sy + h.Row(row).rowRect.Height(), client) << i;
        const CRect& r = h.view.GetEditor()->GetRect();
        ASSERT_EQ(r.top, sy + 5) << i; // the editor lies on the row's piece
    }
    EXPECT_EQ(h.view.GetCurrentRow(), 81);
}

TEST(TreeNavigation, OpeningNearTheBottomLiftsThePiece)
{
    ViewHarness h(*FlatLanguage(100), QSize(500, 300));
    const int client = h.view.viewport()->height();
    // The last row whose piece top lies less than 64 pixels above the bottom.
    int row = 1;
    while (h.view.RowDocumentY(row + 1) + 5 < client)
        ++row;
    ASSERT_LT(client - (h.view.RowDocumentY(row) + 5), 64);
    h.Click(h.PiecePoint(1, 0));
    h.view.SetCurrentRow(row);
    h.view.OpenEditorInCurrentRow(true, true);
    EXPECT_GT(h.view.GetVerticalScroll(), 0);
    EXPECT_EQ(h.view.GetEditor()->GetRect().top, h.view.RowDocumentY(row) + 5 - h.view.GetVerticalScroll());
}

TEST(TreeNavigation, ScrollModelOfShortAndLongDocuments)
{
    ViewHarness h(*SmallLanguage(), QSize(600, 600));
    ASSERT_LT(h.view.GetDocumentHeight(), h.view.viewport()->height());
    EXPECT_EQ(h.view.GetVerticalThumb(), 0.0);
    EXPECT_EQ(h.view.GetVerticalRange(), int(h.view.GetDocumentHeight()));
    EXPECT_EQ(h.view.GetHorizontalRange(), 2000);
    h.view.OnScroll(true, 3, 0);
    EXPECT_EQ(h.view.GetVerticalScroll(), 0);

    // The horizontal range stays 2000 however wide a row is.
    auto wide = SmallLanguage();
    wide->GetRoot()->GetChild(0)->translatedText = std::u16string(600, u'W');
    ViewHarness w(*wide, QSize(600, 400));
    EXPECT_EQ(w.view.GetHorizontalRange(), 2000);
    w.view.OnScroll(false, 7, 0);
    EXPECT_EQ(w.view.GetHorizontalScroll(), 2000 - w.view.viewport()->width());
    EXPECT_GT(w.Row(0).rowRect.right + 16, 2000);

    // A long document: the range is capped, the thumb runs 0 to 1.
    ViewHarness b(*FlatLanguage(2000), QSize(500, 300));
    EXPECT_EQ(b.view.GetVerticalRange(), 16384);
    b.view.OnScroll(true, 7, 0);
    EXPECT_DOUBLE_EQ(b.view.GetVerticalThumb(), 1.0);
    const int bottom = b.view.GetVerticalScroll();
    EXPECT_NEAR(bottom, b.view.GetDocumentHeight() - b.view.viewport()->height(), 1.0);
    b.view.OnScroll(true, 6, 0);
    EXPECT_EQ(b.view.GetVerticalScroll(), 0);
    // The scroll bar's own buttons go through the model.
    b.view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_GT(b.view.GetVerticalScroll(), 0);
    EXPECT_EQ(b.view.verticalScrollBar()->value(), int(b.view.GetVerticalThumb() *
                                                       (16384 - b.view.viewport()->height())));
}

TEST(TreeNavigation, ScrollingMovesTheOpenEditorResizingDoesNot)
{
    ViewHarness h(*FlatLanguage(100), QSize(500, 300));
    h.Click(h.PiecePoint(3, 0));
    CInPlaceEdit& editor = *h.view.GetEditor();
    const CRect before = editor.GetRect();
    const int scroll = h.view.GetVerticalScroll();
    h.view.OnScroll(true, 3, 0);
    const int moved = h.view.GetVerticalScroll() - scroll;
    ASSERT_GT(moved, 0);
    EXPECT_EQ(editor.GetRect().top, before.top - moved);
    EXPECT_EQ(editor.geometry().top(), before.top - moved);
    const QRect placed = editor.geometry();
    h.view.resize(450, 250);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.geometry(), placed);
    // The wheel scrolls the same model.
    const int at = h.view.GetVerticalScroll();
    QWheelEvent wheel(QPointF(50, 50), h.view.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(h.view.viewport(), &wheel);
    EXPECT_GT(h.view.GetVerticalScroll(), at);
}
