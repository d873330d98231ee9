// The window tracker: which windows and menu bars the layer has translated.
#include "CMenu.h"
#include "CWindowTracker.h"
#include "CWnd.h"

#include <QMenuBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

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
    CWindowTracker tracker;
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

TEST(WindowTracker, DropsWindowsThatAreGoneAndMakesRoomFromTheOldest)
{
    CWindowTracker tracker;
    auto gone = std::make_unique<QWidget>();
    const HWND goneHandle = CWnd(gone.get()).GetSafeHwnd();
    tracker.Add(CWnd(gone.get()), 0);
    gone.reset();
    Window kept;
    tracker.Add(CWnd(&kept.widget), 0);
    ASSERT_EQ(tracker.Entries().size(), 1u) << "a window without window and menu goes";
    EXPECT_NE(tracker.Entries()[0].window, goneHandle);

    // Full: the oldest entry makes room.
    std::vector<std::unique_ptr<QWidget>> windows;
    for (size_t i = 0; i < CWindowTracker::kMaxEntries; ++i) {
        windows.push_back(std::make_unique<QWidget>());
        tracker.Add(CWnd(windows.back().get()), 0);
    }
    ASSERT_EQ(tracker.Entries().size(), CWindowTracker::kMaxEntries);
    EXPECT_EQ(tracker.Entries().front().window, CWnd(windows.front().get()).GetSafeHwnd());
    EXPECT_EQ(tracker.Entries().back().window, CWnd(windows.back().get()).GetSafeHwnd());
    EXPECT_FALSE(tracker.HoldsPopup(kept.file->GetSafeHmenu()));
}

} // namespace
