// The translation checks in the running editor: the problems pane lists a
// file's problems, F8 and Shift+F8 walk them, the status line names the
// current row's problem, and a typed fix leaves the list without checking
// the whole file again.

#include "AppTestSupport.h"

#include "CInPlaceEdit.h"
#include "CProblemList.h"
#include "CProblemsController.h"
#include "CProblemsPane.h"
#include "CTextPiece.h"

#include <QDockWidget>
#include <QTreeView>

namespace {

using test_tree::Add;

// Rows, depth first: 0 Dialoge, 1 Optionen, 2 &Speichern (accelerator),
// 3 OK (width), 4 Name: (whitespace), 5 Menus, 6 Menü 128, 7 &Datei,
// 8 Ö&ffnen, 9 &Schließen (clash), 10 Stringtables, 11 1, 12 the format
// error, then many texts without problems.
constexpr int kProblemRows[] = {2, 3, 4, 9, 12};
constexpr int kFillers = 3000;

std::unique_ptr<CTextNode> ProblemTree()
{
    auto root = std::make_unique<CTextNode>(nullptr);
    CTextNode* dialogs = Add(root.get(), u"Dialoge", u"Dialoge", 8);
    CTextNode* dialog = Add(dialogs, u"Optionen", u"Options", 1);
    Add(dialog, u"&Speichern", u"Save", 23, 200);
    Add(dialog, u"OK", u"Okay, take all of these settings now", 23, 20);
    Add(dialog, u"Name: ", u"Nom:", 21);
    CTextNode* menus = Add(root.get(), u"Menus", u"Menus", 9);
    CTextNode* popup = Add(Add(menus, u"Menü 128", u"Menu 128", 3), u"&Datei", u"&File", 4);
    Add(popup, u"Ö&ffnen", u"&Open", 5);
    Add(popup, u"&Schließen", u"Cl&ose", 5);
    CTextNode* table = Add(Add(root.get(), u"Stringtables", u"Stringtables", 10), u"1", u"1", 6);
    Add(table, u"Datei %s, Zeile %d", u"Line %d of %s", 6);
    for (int i = 0; i < kFillers; ++i) {
        const std::u16string text = u"Text " + ToU16(QString::number(i));
        Add(table, text, text, 6);
    }
    return root;
}

class ProblemsPaneTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        UseEnglish();
        ASSERT_TRUE(Start({WriteLanguage(ProblemTree(), u"English", QStringLiteral("Problems.tra"))}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
        ASSERT_NE(Frame().GetProblems(), nullptr);
    }

    CProblemsController& Problems() { return *Frame().GetProblems(); }
    CProblemList& List() { return *Problems().GetList(); }
    std::vector<int> ListedRows()
    {
        std::vector<int> rows;
        for (int i = 0; i < List().rowCount(); ++i)
            rows.push_back(List().ViewRowOf(i));
        return rows;
    }
    QString Cell(int row, int column) { return List().index(row, column).data().toString(); }
    void F8(Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &Frame(),
                        Qt::Key_F8, modifiers);
    }
};

TEST_F(ProblemsPaneTest, ThePaneListsTheProblemsInTreeOrder)
{
    QDockWidget* dock = Problems().GetDock();
    EXPECT_EQ(Frame().dockWidgetArea(dock), Qt::BottomDockWidgetArea);
    EXPECT_FALSE(dock->isHidden());
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Problems"));
    EXPECT_EQ(ListedRows(), std::vector<int>(std::begin(kProblemRows), std::end(kProblemRows)));
    EXPECT_EQ(List().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Path"));
    EXPECT_EQ(Cell(1, 0), QStringLiteral("Dialoge > Optionen > OK"));
    EXPECT_EQ(Cell(1, 1), QStringLiteral("The text is too wide for its control (20 dialog units)"));
    EXPECT_EQ(Cell(3, 1), QStringLiteral("The accelerator key o is also used by “&Open”"));
    EXPECT_EQ(Cell(4, 1), QStringLiteral("The conversions (%d %s) differ from the original's (%s %d)"));
    // Errors and warnings carry different icons.
    const QIcon warning = qvariant_cast<QIcon>(List().index(0, 0).data(Qt::DecorationRole));
    const QIcon error = qvariant_cast<QIcon>(List().index(1, 0).data(Qt::DecorationRole));
    EXPECT_FALSE(warning.isNull());
    EXPECT_NE(warning.pixmap(16).toImage(), error.pixmap(16).toImage());
    // A screen reader hears which, first (a warning: KeyboardPanesTest).
    EXPECT_EQ(List().index(1, 0).data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("Error, ") + Cell(1, 1) + QStringLiteral(", ") + Cell(1, 0));

    // Shown and hidden from the view menu's command.
    EXPECT_EQ(Frame().QueryCommandState(ID_VIEW_PROBLEMS).GetCheck(), 1);
    Frame().OnCommand(ID_VIEW_PROBLEMS);
    EXPECT_TRUE(dock->isHidden());
    EXPECT_EQ(Frame().QueryCommandState(ID_VIEW_PROBLEMS).GetCheck(), 0);
    Frame().OnCommand(ID_VIEW_PROBLEMS);
    EXPECT_FALSE(dock->isHidden());
}

TEST_F(ProblemsPaneTest, F8AndShiftF8AndADoubleClickWalkTheProblemsAndTheStatusLineNamesThem)
{
    EXPECT_TRUE(Frame().QueryCommandState(ID_NEXT_PROBLEM).IsEnabled());
    std::vector<int> visited;
    for (std::size_t i = 0; i < std::size(kProblemRows) + 1; ++i) {
        F8();
        visited.push_back(View().GetCurrentRow());
    }
    // Round the end back to the first.
    EXPECT_EQ(visited, (std::vector<int>{2, 3, 4, 9, 12, 2}));
    ASSERT_NE(View().GetEditor()->GetPiece(), nullptr);
    EXPECT_EQ(Pane(0), u"Problem: The translation has 0 accelerator keys, the original 1");
    F8(Qt::ShiftModifier);
    EXPECT_EQ(View().GetCurrentRow(), 12);
    F8(Qt::ShiftModifier);
    EXPECT_EQ(View().GetCurrentRow(), 9);
    EXPECT_EQ(Problems().GetPane()->CurrentProblem(), 3);
    // A row without problems: the idle text again.
    View().MoveCurrentRow(-1, false, false);
    EXPECT_EQ(View().GetCurrentRow(), 8);
    EXPECT_EQ(Pane(0), u"For Help, press F1");

    // A double click in the list opens the editor on the problem's row.
    QTreeView* list = Problems().GetPane()->GetListView();
    list->scrollTo(List().index(4, 1));
    const QRect cell = list->visualRect(List().index(4, 1));
    ASSERT_TRUE(cell.isValid());
    // A real double click: a click, then the second press as a double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(View().GetCurrentRow(), 12);
    ASSERT_NE(View().GetEditor()->GetPiece(), nullptr);
    EXPECT_EQ(View().GetEditor()->GetPiece()->row, View().GetRow(12));
}

TEST_F(ProblemsPaneTest, TypingAFixOrANewLineUpdatesTheEntriesWithoutAWholeCheck)
{
    const std::int64_t before = Problems().GetChecker().NodesChecked();
    EXPECT_GE(before, kFillers);
    // To the whitespace problem: "Name: " translated as "Nom:".
    F8();
    F8();
    F8();
    ASSERT_EQ(View().GetCurrentRow(), 4);
    QWidget* editor = View().GetEditor();
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral(" "));
    EXPECT_EQ(View().GetRow(4)->ComposeTranslated(), u"Nom: ");
    EXPECT_EQ(ListedRows(), (std::vector<int>{2, 3, 9, 12}));
    // The text and its two siblings, not the file.
    EXPECT_EQ(Problems().GetChecker().NodesChecked() - before, 3);
    EXPECT_EQ(Pane(0), u"For Help, press F1");

    // Breaking it again brings the entry back at its place.
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(ListedRows(), std::vector<int>(std::begin(kProblemRows), std::end(kProblemRows)));
    EXPECT_EQ(Problems().GetChecker().NodesChecked() - before, 6);
    EXPECT_EQ(Pane(0), u"Problem: Spaces or tabs at the start or end differ from the original");

    // A new or joined line is checked at once: "Text 0", a string-table text
    // without problems, one line like its original.
    constexpr int kRow = 13;
    ASSERT_EQ(View().GetRow(kRow)->ComposeTranslated(), u"Text 0");
    View().SetCurrentRow(kRow);
    View().OpenEditorInCurrentRow(true, true);
    editor = View().GetEditor();
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(View().GetRow(kRow)->ComposeTranslated(), u"Text 0\n");
    EXPECT_EQ(ListedRows(), (std::vector<int>{2, 3, 4, 9, 12, kRow}));
    EXPECT_EQ(Pane(0), u"Problem: The translation has 1 line breaks, the original 0");

    // Delete at the end of the first line joins the two again.
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_Delete);
    ASSERT_EQ(View().GetRow(kRow)->ComposeTranslated(), u"Text 0");
    EXPECT_EQ(ListedRows(), std::vector<int>(std::begin(kProblemRows), std::end(kProblemRows)));
    EXPECT_EQ(Pane(0), u"For Help, press F1");
}

TEST_F(ProblemsPaneTest, ReplaceAllChecksTheWholeFileOnceAtItsEnd)
{
    const std::int64_t wholeFile = Problems().GetChecker().NodesChecked();
    ReplaceAll(QStringLiteral("Save"), QStringLiteral("&Save"), true);
    EXPECT_EQ(View().GetRow(2)->ComposeTranslated(), u"&Save");
    // The accelerator problem is gone; at most one whole check, however many
    // texts were replaced (here one: only it and its siblings).
    EXPECT_EQ(ListedRows(), (std::vector<int>{3, 4, 9, 12}));
    EXPECT_LE(Problems().GetChecker().NodesChecked() - wholeFile, wholeFile);
}

} // namespace
