// Working without the mouse across the window: Tab, Shift+Tab and F6 go from
// the text tree view to the docks and back, the in-place editor opens and
// closes rows and hands the keyboard back to the tree, and the problems list
// is read out by a screen reader, message first.

#include "AppTestSupport.h"

#include "CInPlaceEdit.h"
#include "CProblemsController.h"
#include "CProblemsPane.h"

#include <QAccessible>
#include <QTreeView>

namespace {

using KeyboardPanesTest = SampleAppTest;

QWidget* Focus() { return QApplication::focusWidget(); }

TEST_F(KeyboardPanesTest, TabLeavesTheTreeForTheDocksAndTheEditorGivesTheKeyboardBack)
{
    CMyEditView& view = View();
    QTreeView* problems = Frame().GetProblems()->GetPane()->GetListView();

    // Nothing current: a moving key starts at the first text.
    view.SetCurrentRow(-1);
    view.setFocus(Qt::MouseFocusReason);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.GetCurrentRow(), view.NthShownRow(0));

    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(Focus(), problems);
    QTest::keyClick(problems, Qt::Key_Backtab);
    EXPECT_EQ(Focus(), &view);
    Frame().OnCommand(ID_NEXT_PANE);
    EXPECT_EQ(Focus(), problems);

    // From the editor: Alt+Left/Right close and open the row, Escape goes
    // back to the tree, Ctrl+Tab on to the docks.
    view.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&view, Qt::Key_Return);
    CInPlaceEdit* editor = view.GetEditor();
    ASSERT_EQ(Focus(), editor);
    const CTextRow& row = *view.GetRow(view.GetCurrentRow());
    ASSERT_TRUE(row.HasChildren());
    QTest::keyClick(editor, Qt::Key_Left, Qt::AltModifier);
    EXPECT_FALSE(row.expanded);
    QTest::keyClick(editor, Qt::Key_Right, Qt::AltModifier);
    EXPECT_TRUE(row.expanded);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(Focus(), &view);
    EXPECT_EQ(editor->GetPiece(), nullptr);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Focus(), problems);

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(problems);
    EXPECT_EQ(list->text(QAccessible::Name), u"Problems");
    ASSERT_GT(problems->model()->rowCount(), 0);
    const QString message = problems->model()->index(0, 1).data().toString();
    EXPECT_TRUE(list->tableInterface()->cellAt(0, 0)->text(QAccessible::Name).startsWith(
        QStringLiteral("Warning, ") + message + QStringLiteral(", ")));
}

} // namespace
