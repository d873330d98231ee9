// The window tracker: which windows and menu bars the layer has translated
// (the language switch tests cover compaction and the limit).
#include "CMenu.h"
#include "CWindowTracker.h"
#include "CWnd.h"

#include <QMenuBar>
#include <QWidget>

#include <gtest/gtest.h>


namespace {

// A top-level window with a menu bar holding a popup with a submenu.
struct Window {
    Window()
    {
        bar = new QMenuBar(&widget);
        CMenu* barMenu = CMenu::FromWidget(bar);
        file = CMenu::CreatePopupMenu(&widget);
        recent = CMenu::CreatePopupMenu(&widget);
        recent->AppendMenu(MF_STRING, 2, u"eins");
        file->AppendMenu(MF_POPUP, UINT_PTR(recent->GetSafeHmenu()), u"&Zuletzt");
        barMenu->AppendMenu(MF_POPUP, UINT_PTR(file->GetSafeHmenu()), u"&Datei");
    }
    HMENU BarHandle() const { return CMenu::FromWidget(bar)->GetSafeHmenu(); }

    QWidget widget;
    QMenuBar* bar = nullptr;
    CMenu* file = nullptr;
    CMenu* recent = nullptr;
};

TEST(WindowTracker, TracksWindowsWithTheirMenuOnceAndFindsPopupsAtAnyDepth)
{
    CFrameTracker tracker;
    Window a;
    QWidget child(&a.widget);
    tracker.Add(CWnd(&a.widget), 0);
    tracker.Add(CWnd(&a.widget), 3); // the same window and menu again: kept once
    tracker.Add(CWnd(&child), 1);    // a child window has no menu of its own
    ASSERT_EQ(tracker.Entries().size(), 2u);
    EXPECT_EQ(tracker.Entries()[0].window, CWnd(&a.widget).GetSafeHwnd());
    EXPECT_EQ(tracker.Entries()[0].mode, 0u) << "the first entry stays";
    EXPECT_EQ(tracker.Entries()[0].menu, a.BarHandle());
    EXPECT_EQ(tracker.Entries()[1].menu, HMENU(0));

    EXPECT_TRUE(tracker.HoldsPopup(a.BarHandle()));
    EXPECT_TRUE(tracker.HoldsPopup(a.file->GetSafeHmenu()));
    EXPECT_TRUE(tracker.HoldsPopup(a.recent->GetSafeHmenu()));
    Window other;
    EXPECT_FALSE(tracker.HoldsPopup(other.file->GetSafeHmenu()));
    CMenu* context = CMenu::CreatePopupMenu(&a.widget);
    EXPECT_FALSE(tracker.HoldsPopup(context->GetSafeHmenu()));
}

} // namespace
