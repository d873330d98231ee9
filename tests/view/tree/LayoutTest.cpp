// Rows, their layout, which rows are shown and writing texts back.
#include "TreeViewTestSupport.h"

#include "CPlaceholderPiece.h"
#include "EditorFonts.h"

#include <algorithm>

namespace {

int LineHeight(CMyEditView& view, bool foreign)
{
    CDc dc(view.viewport());
    dc.SelectObject(&CTextPiece::FontFor(foreign));
    return dc.GetTextExtent(u"AayY123").cy;
}

} // namespace

TEST(TreeLayout, RowsAreTheNodesDepthFirstWithoutTheRootAndHaveTheirGeometry)
{
    ViewHarness h(*SmallLanguage());
    ASSERT_EQ(h.view.GetRowCount(), 12);
    EXPECT_EQ(h.Row(0).node->originalText, u"Dialoge");
    EXPECT_EQ(h.Row(3).node->originalText, u"Zwei\nZeilen");
    EXPECT_EQ(h.Row(8).node->originalText, u"Stringtables");
    EXPECT_EQ(h.Row(2).level, 3);
    EXPECT_TRUE(h.Row(8).lastChild);
    EXPECT_FALSE(h.Row(2).lastChild);
    EXPECT_TRUE(h.Row(3).lastChild);
    EXPECT_EQ(h.view.GetCurrentRow(), -1);
    EXPECT_EQ(h.Pane(), u"12 Texte");
    EXPECT_FALSE(h.Row(2).freeSize); // push button: size-limited
    EXPECT_TRUE(h.Row(3).freeSize);
    // The geometry of a one-line row.
    ASSERT_EQ(LineHeight(h.view, false), 16) << "the bundled font";
    CTextRow& row = h.Row(0);
    ASSERT_TRUE(row.IsLaidOut());
    EXPECT_EQ(h.view.RowDocumentX(0), 16);
    EXPECT_EQ(h.view.RowDocumentY(0), 20);
    EXPECT_EQ(row.rowRect.Height(), 25);
    EXPECT_EQ(row.boxRect, CRect(0, 7, 10, 17));
    EXPECT_EQ(row.iconRect, CRect(12, 5, 28, 20));
    EXPECT_EQ(row.translatedPieces[0]->rect.left, 50);
    EXPECT_EQ(row.translatedPieces[0]->rect.top, 5);
    EXPECT_EQ(row.rowRect.right, 20 + row.translatedPieces[0]->rect.right);
    // The next rows follow directly, one level further in.
    EXPECT_EQ(h.view.RowDocumentY(1), 45);
    EXPECT_EQ(h.view.RowDocumentX(1), 32);
    // A two-line text has its second line one line height below.
    CTextRow& two = h.Row(3);
    EXPECT_EQ(two.translatedPieces.back()->line, 1);
    EXPECT_EQ(two.translatedPieces.back()->rect.top, 21);
    EXPECT_EQ(two.rowRect.Height(), 41);
    EXPECT_EQ(h.view.GetDocumentHeight(), 20 + 11 * 25 + 41);
}

TEST(TreeLayout, HeightsBeforeLayoutEqualTheLaidOutOnes)
{
    // Fonts whose lines are lower than a placeholder picture, and a foreign
    // language: lines with placeholders are taller than the others.
    struct SmallFonts {
        SmallFonts()
        {
            TextFont().height = -9;
            ForeignFont().height = -8;
        }
        ~SmallFonts() { SetDefaultFonts(); }
    } fonts;
    ViewHarness h(*MakeSampleLanguage(400, 7));
    h.ShowForeign(*MakeSampleLanguage(400, 7));
    CDc dc(h.view.viewport());
    const int text = LineHeight(h.view, false);
    const int foreign = LineHeight(h.view, true);
    ASSERT_LT(text, CPlaceholderPiece::Height);
    ASSERT_LT(foreign, CPlaceholderPiece::Height);
    int withPictures = 0;
    for (int i = 0; i < h.view.GetRowCount(); ++i) {
        CTextRow& row = h.Row(i);
        ASSERT_TRUE(row.hasForeign);
        const int estimate = row.Height(text, foreign);
        row.Layout(dc);
        ASSERT_EQ(row.rowRect.Height(), estimate) << i;
        withPictures += std::any_of(row.foreignPieces.begin(), row.foreignPieces.end(),
                                    [](const auto& piece) { return piece->IsFixed(); });
    }
    EXPECT_GT(withPictures, 10);

    // So painting every row leaves the document as high as it was estimated.
    h.view.OnUpdate(nullptr, CTransDoc::kHintRebuild);
    const double estimated = h.view.GetDocumentHeight();
    for (int y = 0; y < int(estimated); y += 300) {
        h.view.ScrollBy(300);
        h.view.grab();
    }
    h.view.ComputeDocumentHeight();
    EXPECT_EQ(h.view.GetDocumentHeight(), estimated);
}

TEST(TreeLayout, ForeignTextStandsAboveTheTranslatedText)
{
    ViewHarness h(*SmallLanguage());
    auto foreign = SmallLanguage(u" (fr)");
    h.ShowForeign(*foreign);
    ASSERT_EQ(h.view.GetRowCount(), 12);
    const int text = LineHeight(h.view, false);
    const int fline = LineHeight(h.view, true);
    CTextRow& row = h.Row(1);
    ASSERT_TRUE(row.hasForeign);
    CDc dc(h.view.viewport());
    row.Layout(dc);
    ASSERT_EQ(row.foreignPieces.size(), 1u);
    EXPECT_EQ(row.foreignPieces[0]->text, u"Datei öffnen (fr)");
    EXPECT_EQ(row.foreignPieces[0]->rect.top, 5);
    EXPECT_EQ(row.translatedPieces[0]->rect.top, 5 + fline + 3);
    EXPECT_EQ(row.rowRect.Height(), 5 + ((5 + fline + 3 + text) / 2) * 2);
    // A click on the foreign text hits nothing.
    bool box = true;
    const int y = h.view.RowDocumentY(1) + row.foreignPieces[0]->rect.top + 2;
    EXPECT_EQ(h.view.HitTest(h.view.RowDocumentX(1) + 52, y, box), -1);
}

TEST(TreeLayout, CollapsedRowHidesItsSubtreeOnly)
{
    ViewHarness h(*SmallLanguage());
    const double full = h.view.GetDocumentHeight();
    h.view.SetExpanded(4, false); // Menus
    EXPECT_TRUE(h.view.IsRowShown(4));
    for (int i = 5; i <= 7; ++i)
        EXPECT_FALSE(h.view.IsRowShown(i)) << i;
    EXPECT_TRUE(h.view.IsRowShown(8));
    // Collapsing a node below a collapsed one and expanding the outer one
    // again keeps the inner one's rows hidden.
    h.view.SetExpanded(5, false);
    h.view.SetExpanded(4, true);
    EXPECT_TRUE(h.view.IsRowShown(5));
    EXPECT_FALSE(h.view.IsRowShown(6));
    EXPECT_FALSE(h.view.IsRowShown(7));
    // A leaf hides nothing.
    h.view.SetExpanded(9, false);
    EXPECT_TRUE(h.view.IsRowShown(10));
    h.view.SetExpanded(5, true);
    h.view.ComputeDocumentHeight();
    EXPECT_EQ(h.view.GetDocumentHeight(), full);
}

TEST(TreeLayout, EmptyTreeHasNoRows)
{
    auto language = std::make_unique<CLanguageFile>(std::make_unique<CTextNode>(nullptr));
    language->SetOriginal(false);
    ViewHarness h(*language);
    EXPECT_EQ(h.view.GetRowCount(), 0);
    EXPECT_EQ(h.Pane(), u"0 Texte");
    EXPECT_EQ(h.view.GetDocumentHeight(), 20.0);
    bool box = false;
    EXPECT_EQ(h.view.HitTest(30, 30, box), -1);
    h.Click({30, 30});
}

TEST(TreeLayout, ARowFollowsItsTextInTheDocumentAndNeverWritesItAndARebuildStartsAfresh)
{
    ViewHarness h(*SmallLanguage());
    CTextRow& row = h.Row(6);
    row.EnsurePieces();
    row.translatedPieces[0]->text = u"Open...";
    h.view.OnUpdate(nullptr, CTransDoc::kHintRedraw);
    EXPECT_EQ(row.node->translatedText, u"Ö&ffnen...") << "the view writes nothing";
    // A text changed in the document is split again; the row's height follows.
    const int height = h.view.RowDocumentY(7) - h.view.RowDocumentY(6);
    ASSERT_TRUE(h.doc.EditText(row.node, u"Zwei\nZeilen %d", CTransDoc::TextEditKind::Paste, -1, -1));
    EXPECT_EQ(row.ComposeTranslated(), u"Zwei\nZeilen %d");
    ASSERT_EQ(row.translatedPieces.size(), 4u);
    EXPECT_TRUE(row.translatedPieces[2]->IsFixed());
    EXPECT_GT(h.view.RowDocumentY(7) - h.view.RowDocumentY(6), height);
    ASSERT_TRUE(h.doc.Undo());
    EXPECT_EQ(row.ComposeTranslated(), u"Ö&ffnen...");
    EXPECT_EQ(h.view.RowDocumentY(7) - h.view.RowDocumentY(6), height);
    // A rebuild starts expanded without a current row.
    h.view.SetExpanded(0, false);
    h.Click(h.PiecePoint(6, 0));
    EXPECT_EQ(h.view.GetCurrentRow(), 6);
    h.view.OnUpdate(nullptr, CTransDoc::kHintRebuild);
    EXPECT_EQ(h.view.GetCurrentRow(), -1);
    EXPECT_TRUE(h.view.IsRowShown(1));
    EXPECT_EQ(h.Pane(), u"12 Texte");
}

TEST(TreeLayout, OnlyTheWindowsRowsAreLaidOut)
{
    ViewHarness h(*MakeSampleLanguage(20000, 3));
    const int rows = h.view.GetRowCount();
    ASSERT_EQ(rows, 20003);
    EXPECT_LT(h.view.CountLaidOutRows(), 60);
    for (int i = 0; i < 5; ++i)
        h.view.OnScroll(true, 3, 0);
    EXPECT_LT(h.view.CountLaidOutRows(), 200);
    h.view.OnScroll(true, 7, 0);
    EXPECT_LT(h.view.CountLaidOutRows(), 250);
    EXPECT_TRUE(h.Row(rows - 1).IsLaidOut());
}
