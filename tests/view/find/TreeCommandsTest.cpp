// The whole-tree commands on generated files: the states they leave, which
// rows they show, and what becomes of the scroll position and the current row.
#include "FindTestSupport.h"
#include "ModelTestSupport.h"

namespace {

// Nodes of the tree below the root by edit state (0 to 5).
std::array<int, 6> StateCounts(const CTextNode& root)
{
    std::array<int, 6> counts{};
    for (const CTextNode* node : PreOrder(root)) {
        if (node != &root && node->editState < 6)
            ++counts[node->editState];
    }
    return counts;
}

int Leaves(const CTextNode& top)
{
    int leaves = 0;
    for (const CTextNode* node : PreOrder(top))
        leaves += node->ChildCount() == 0 ? 1 : 0;
    return leaves;
}

class TreeCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_language = MakeSampleLanguage(400, 11);
        f = std::make_unique<FindHarness>(*m_language, QSize(600, 300));
    }
    CMyEditView& View() { return f->h.view; }
    CTextNode& Root() { return *f->h.doc.GetRoot(); }
    // A row painted in the window, some way below its top edge.
    int RowInWindow()
    {
        for (int i = 0; i < View().GetRowCount(); ++i) {
            const int y = View().RowDocumentY(i) - View().GetVerticalScroll();
            if (View().IsRowShown(i) && f->h.Row(i).IsLaidOut() && y > 40)
                return i;
        }
        return -1;
    }
    int Shown()
    {
        int n = 0;
        for (int i = 0; i < View().GetRowCount(); ++i)
            n += View().IsRowShown(i) ? 1 : 0;
        return n;
    }

    std::unique_ptr<CLanguageFile> m_language;
    std::unique_ptr<FindHarness> f;
};

TEST_F(TreeCommands, MarkingWithoutACurrentRowMarksTheWholeTree)
{
    const int rows = View().GetRowCount();
    const int leaves = Leaves(Root());
    View().OnCmdMsg(ID_MARK_ALL_TODO, CN_COMMAND, nullptr);
    EXPECT_EQ(StateCounts(Root()), (std::array<int, 6>{0, 0, 0, leaves, 0, rows - leaves}));
    View().OnCmdMsg(ID_MARK_ALL_DONE, CN_COMMAND, nullptr);
    EXPECT_EQ(StateCounts(Root()), (std::array<int, 6>{leaves, rows - leaves, 0, 0, 0, 0}));
    EXPECT_TRUE(f->h.doc.IsLanguageModified()) << "a changed state is a change of the file";
}

TEST_F(TreeCommands, MarkingWithACurrentRowMarksItsSubtreeAndTheAncestorsFollow)
{
    View().OnMarkAllDone();
    // A dialog's first control, a text without children.
    int leaf = 0;
    while (f->h.Row(leaf).HasChildren())
        ++leaf;
    f->h.Click(f->h.PiecePoint(leaf, 0));
    ASSERT_EQ(View().GetCurrentRow(), leaf);
    View().OnMarkAllToDo();
    EXPECT_EQ(f->h.Row(leaf).node->editState, 3u);
    for (int p = f->h.Row(leaf).parentRow; p >= 0; p = f->h.Row(p).parentRow)
        EXPECT_EQ(f->h.Row(p).node->editState, 2u) << "ancestor row " << p;
    const int rows = View().GetRowCount();
    const int leaves = Leaves(Root());
    const int ancestors = f->h.Row(leaf).level - 1;
    EXPECT_EQ(StateCounts(Root()),
              (std::array<int, 6>{leaves - 1, rows - leaves - ancestors, ancestors, 1, 0, 0}));
    EXPECT_EQ(View().GetCurrentRow(), leaf) << "the current row stays";
    EXPECT_NE(View().GetEditor()->GetPiece(), nullptr) << "and so does its edit";

    // A dialog row: its whole subtree.
    const int dialog = f->h.Row(leaf).parentRow;
    f->h.Click(f->h.PiecePoint(dialog, 0));
    View().OnMarkAllToDo();
    const int below = f->h.Row(dialog).subtreeEnd - dialog;
    const int leavesBelow = Leaves(*f->h.Row(dialog).node);
    const auto counts = StateCounts(Root());
    EXPECT_EQ(counts[3], leavesBelow);
    EXPECT_EQ(counts[5], below - leavesBelow);
    View().OnMarkAllDone();
    EXPECT_EQ(StateCounts(Root()), (std::array<int, 6>{leaves, rows - leaves, 0, 0, 0, 0}));
}

TEST_F(TreeCommands, ShowTextsToBeEditedOpensExactlyThePathsToThem)
{
    f->h.Click(f->h.PiecePoint(2, 0));
    ASSERT_EQ(View().GetCurrentRow(), 2);
    View().ScrollBy(200);
    View().OnCmdMsg(ID_SHOW_TODO, CN_COMMAND, nullptr);
    EXPECT_EQ(View().GetCurrentRow(), -1);
    EXPECT_EQ(View().GetEditor()->GetPiece(), nullptr) << "the edit ended";
    EXPECT_EQ(View().GetVerticalScroll(), 0);
    EXPECT_EQ(f->h.Pane(), QString::number(View().GetRowCount()).toStdU16String() + u" Texte");

    // A row is shown when every ancestor has something to be edited below it.
    int toDoTexts = 0;
    for (int i = 0; i < View().GetRowCount(); ++i) {
        const CTextRow& row = f->h.Row(i);
        bool open = true;
        for (int p = row.parentRow; p >= 0; p = f->h.Row(p).parentRow) {
            const auto state = f->h.Row(p).node->editState;
            open = open && (state == 2 || state == 5);
        }
        EXPECT_EQ(View().IsRowShown(i), open) << "row " << i;
        if (row.node->editState >= 3 && !row.HasChildren()) {
            ++toDoTexts;
            EXPECT_TRUE(View().IsRowShown(i)) << "text to be edited in row " << i;
        }
    }
    EXPECT_GT(toDoTexts, 0);
    EXPECT_LT(Shown(), View().GetRowCount());

    // Nothing to be edited: every row closes, only the top rows are left.
    View().OnMarkAllDone();
    View().OnShowToDo();
    EXPECT_EQ(Shown(), 3);
    for (int i = 0; i < View().GetRowCount(); ++i)
        EXPECT_FALSE(f->h.Row(i).expanded);
}

TEST_F(TreeCommands, ExpandAllKeepsTheScrollPositionAndCollapseAllScrollsToTheTop)
{
    View().ScrollBy(400);
    const int scroll = View().GetVerticalScroll();
    ASSERT_GT(scroll, 0);
    // A row near the top of the window, and a collapsed group below it.
    const int row = RowInWindow();
    ASSERT_GE(row, 0);
    View().SetExpanded(View().GetRowCount() - 2, false);
    f->h.Click(f->h.PiecePoint(row, 0));
    const int current = View().GetCurrentRow();
    ASSERT_GE(current, 0);
    const int scrollBefore = View().GetVerticalScroll();
    View().OnCmdMsg(ID_EXPAND_ALL, CN_COMMAND, nullptr);
    EXPECT_EQ(Shown(), View().GetRowCount());
    EXPECT_EQ(View().GetVerticalScroll(), scrollBefore);
    EXPECT_EQ(View().GetCurrentRow(), current);

    // Collapse all leaves the top rows scrolled to the top.
    View().ScrollBy(300);
    const int top = RowInWindow();
    ASSERT_GE(top, 0);
    const int before = View().GetVerticalScroll();
    ASSERT_GT(before, 0);
    f->h.Click(f->h.PiecePoint(top, 0));
    const int hidden = View().GetCurrentRow();
    ASSERT_GE(hidden, 0);
    View().OnCmdMsg(ID_COLLAPSE_ALL, CN_COMMAND, nullptr);
    EXPECT_EQ(Shown(), 3);
    EXPECT_EQ(View().GetVerticalScroll(), 0);
    EXPECT_EQ(View().GetCurrentRow(), hidden) << "even though it is hidden now";
    EXPECT_EQ(View().GetEditor()->GetPiece(), nullptr) << "so its edit ended";
    EXPECT_LT(View().GetVerticalRange(), View().viewport()->height()) << "nothing left to scroll";

    // Rows opening above a row in editing move its editor along.
    const int menus = f->h.Row(0).subtreeEnd;
    f->h.Click(f->h.PiecePoint(menus, 0));
    View().OnCmdMsg(ID_EXPAND_ALL, CN_COMMAND, nullptr);
    const CRect& piece = f->h.Row(menus).translatedPieces[0]->rect;
    EXPECT_EQ(View().GetEditor()->GetRect().top,
              View().RowDocumentY(menus) - View().GetVerticalScroll() + piece.top);
}

} // namespace
