// The main frame of the running program: its parts, its bars and panes, the
// routing of commands and the help window.

#include "AppTestSupport.h"

#include "CHeadView.h"
#include "CHelpWindow.h"
#include "CInPlaceEdit.h"
#include "CMenu.h"
#include "CWnd.h"
#include "LockKeys.h"
#include "UiLanguage.h"
#include "CZweiToolBar.h"

#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>

namespace {

using MainFrameTest = SampleAppTest;

TEST_F(MainFrameTest, SplitterHoldsTheHeadViewAboveTheTreeView)
{
    const QRect available = QApplication::primaryScreen()->availableGeometry();
    // Exactly, although the toolbar's fifteen buttons need a little more.
    EXPECT_EQ(Frame().width(), 512);
    EXPECT_EQ(Frame().height(), available.height() - 40);

    QSplitter* splitter = Frame().GetSplitter();
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(CWnd(splitter).GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(splitter->orientation(), Qt::Vertical);
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), static_cast<QWidget*>(Frame().GetHeadView()));
    EXPECT_EQ(splitter->widget(1), Frame().GetEditView());
    EXPECT_EQ(splitter->sizes().at(0), 125);
    EXPECT_GT(splitter->sizes().at(1), 125);
    EXPECT_EQ(Frame().GetActiveView(), static_cast<CCmdTarget*>(Frame().GetEditView()));
    // Growing the window grows the tree view only.
    Frame().resize(Frame().width(), Frame().height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(splitter->sizes().at(0), 125);
}

TEST_F(MainFrameTest, StatusBarHasTheFivePanesAndTheIdleTextComesBack)
{
    CStatusBar* bar = Frame().GetStatusBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(CWnd(bar).GetDlgCtrlID(), ID_VIEW_STATUS_BAR);
    const UINT expected[] = {0, ID_INDICATOR_POSITION, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                             ID_INDICATOR_SCRL};
    ASSERT_EQ(bar->GetCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(bar->GetItemID(i), expected[i]) << i;
    // Offscreen nothing tells the lock keys' state: the panes are hidden.
    for (int i = 2; i < 5; ++i)
        EXPECT_FALSE(bar->GetPane(i)->isVisible()) << i;
    // Where it is known, a key that is on shows its text in the language in use.
    const auto previous = SetLockKeysSource([] { return LockKeys{true, false, true}; });
    QTest::keyRelease(&Frame(), Qt::Key_CapsLock);
    SetLockKeysSource(previous);
    EXPECT_TRUE(bar->GetPane(2)->isVisible());
    EXPECT_EQ(Pane(2), u"CAP");
    EXPECT_EQ(Pane(3), u"");
    EXPECT_EQ(Pane(4), u"SCRL");
    // The position pane is wide enough for its widest text.
    const QFontMetrics metrics(bar->GetPane(1)->font());
    EXPECT_GE(bar->GetPane(1)->width(), metrics.horizontalAdvance(QStringLiteral("Zeile 2000 von 2000")));
    // The idle text comes back when a menu closes without a choice.
    auto* file = qobject_cast<QMenu*>(Frame().GetMenu()->GetSubMenu(0)->GetWidget());
    ASSERT_NE(file, nullptr);
    file->popup(Frame().mapToGlobal(QPoint(10, 10)));
    file->setActiveAction(file->actions().at(1));
    EXPECT_EQ(Pane(0), u"Opens a language for editing");
    file->hide();
    QApplication::processEvents();
    EXPECT_EQ(Pane(0), u"For Help, press F1");
}

TEST_F(MainFrameTest, CutCopyPasteStayDisabledEvenWhileEditing)
{
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, PiecePoint(FirstLeafRow()));
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO})
        EXPECT_FALSE(Frame().QueryCommandState(id).IsEnabled()) << id;
    for (UINT id : {ID_APP_ABOUT, ID_FILE_OPEN, ID_FILE_NEW, ID_VIEW_STATUS_BAR, ID_HELP_FINDER,
                    ID_NEXT_PANE, ID_APP_EXIT, ID_FONTS, ID_OPEN_LANGUAGE})
        EXPECT_TRUE(Frame().QueryCommandState(id).IsEnabled()) << id;
}

TEST_F(MainFrameTest, TreeCommandsGoToTheTreeViewWhereverTheFocusIs)
{
    for (UINT id : {ID_EXPAND_ALL, ID_SHOW_TODO, ID_MARK_ALL_TODO, ID_MARK_ALL_DONE, ID_COLLAPSE_ALL,
                    ID_FIND, ID_REPLACE})
        EXPECT_TRUE(CMainFrame::IsRoutedToTreeView(id)) << id;
    EXPECT_FALSE(CMainFrame::IsRoutedToTreeView(ID_OPEN_LANGUAGE));
    // With another view active (the head view), a tree command still goes to
    // the tree view and never to the active view; other commands do.
    struct ActiveView : CCmdTarget {
        ActiveView()
        {
            AddCommand(ID_EXPAND_ALL, [this] { ++tree; });
            AddCommand(ID_FIND, [this] { ++tree; });
            AddCommand(ID_FONTS, [this] { ++other; });
        }
        int tree = 0;
        int other = 0;
    } active;
    Frame().SetActiveView(&active);
    Frame().OnCommand(ID_EXPAND_ALL);
    Frame().OnCommand(ID_FIND);
    Frame().OnCommand(ID_FONTS);
    Frame().SetActiveView(&View());
    EXPECT_EQ(active.tree, 0);
    EXPECT_EQ(active.other, 1);
}

TEST_F(MainFrameTest, F6MovesTheFocusWhereItsCaretShows)
{
    const int leaf = FirstLeafRow();
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, PiecePoint(leaf));
    // To the head view's first field that can be typed in, not a read-only one.
    QTest::keyClick(&Frame(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Frame().GetHeadView()->GetLanguageField());
    // Back to the tree view's current text, with its editor open.
    QTest::keyClick(&Frame(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), View().GetEditor());
    EXPECT_TRUE(View().GetEditor()->isVisible());
    EXPECT_EQ(View().GetCurrentRow(), leaf);

    // The fonts dialog's OK keeps the current row and the scroll place.
    View().ScrollBy(200);
    const int scrolled = View().GetVerticalScroll();
    const auto previous = CDialog::SetModalResponder([](CDialog&) { return int(IDOK); });
    Frame().OnCommand(ID_FONTS, CommandSource::Menu);
    EXPECT_EQ(View().GetCurrentRow(), leaf);
    EXPECT_EQ(View().GetVerticalScroll(), scrolled);
    // A new translation leaves the focus in the tree view.
    Frame().OnCommand(ID_NEW_TRANSLATION, CommandSource::Menu);
    CDialog::SetModalResponder(previous);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == &View() || View().isAncestorOf(focus)) << (focus ? focus->metaObject()->className() : "none");
}

TEST_F(MainFrameTest, HelpShowsTheGuideOfTheLanguageInUse)
{
    QTest::keyClick(&Frame(), Qt::Key_F1);
    CHelpWindow* help = Frame().GetHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->GetBrowser()->source().toString(), QStringLiteral("qrc:/help/guide.en.html"));
    EXPECT_TRUE(help->GetBrowser()->toPlainText().contains(QStringLiteral("Opening a language")));
    // Without a translation the German page.
    UnloadTranslation();
    Frame().OnCommand(ID_HELP_FINDER);
    EXPECT_EQ(Frame().GetHelpWindow(), help);
    EXPECT_EQ(help->GetBrowser()->source().toString(), QStringLiteral("qrc:/help/guide.de.html"));
    EXPECT_TRUE(help->GetBrowser()->toPlainText().contains(QStringLiteral("Eine Sprache öffnen")));
}

TEST_F(MainFrameTest, ClosingWithChangesAsksAndCancelKeepsTheWindow)
{
    Doc().SetModified();
    int asked = 0;
    auto previous = CDialog::SetModalResponder([&](CDialog&) {
        ++asked;
        return int(IDCANCEL);
    });
    EXPECT_FALSE(Frame().close());
    CDialog::SetModalResponder(previous);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(Frame().isVisible());
}

TEST_F(MainFrameTest, FifteenButtonsDockedAtTheTopAndBothBarsFollowTheirCommands)
{
    CZweiToolBar* bar = Frame().GetToolBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(CWnd(bar).GetDlgCtrlID(), ID_VIEW_TOOLBAR);
    EXPECT_EQ(Frame().toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
    const UINT buttons[] = {ID_NEW_TRANSLATION, ID_OPEN_LANGUAGE, ID_SAVE_LANGUAGE, ID_SAVE_LANGUAGE_AS,
                            ID_FIND, ID_REPLACE, ID_CHOOSE_FLAG, ID_VERSION_UPDATE, ID_SHOW_FOREIGN,
                            ID_HIDE_FOREIGN, ID_COLLAPSE_ALL, ID_EXPAND_ALL, ID_SHOW_TODO,
                            ID_APP_ABOUT, ID_CONTEXT_HELP};
    std::vector<UINT> found;
    for (int i = 0; i < bar->GetCount(); ++i) {
        if (!bar->IsSeparator(i))
            found.push_back(bar->GetItemID(i));
    }
    EXPECT_EQ(found, std::vector<UINT>(std::begin(buttons), std::end(buttons)));
    EXPECT_EQ(bar->GetItemRect(0).ToQRect().size(), QSize(30, 30));
    // Both bars are shown and hidden by their commands.
    const std::pair<UINT, QWidget*> bars[] = {{ID_VIEW_STATUS_BAR, Frame().GetStatusBar()},
                                              {ID_VIEW_TOOLBAR, Frame().GetToolBar()}};
    for (const auto& [id, shown] : bars) {
        EXPECT_EQ(Frame().QueryCommandState(id).GetCheck(), 1) << id;
        Frame().OnCommand(id);
        EXPECT_FALSE(shown->isVisible()) << id;
        EXPECT_EQ(Frame().QueryCommandState(id).GetCheck(), 0) << id;
        Frame().OnCommand(id);
        EXPECT_TRUE(shown->isVisible()) << id;
    }
}

} // namespace
