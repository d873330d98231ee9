#include "CCmdTarget.h"
#include "CFrameWnd.h"
#include "CWinApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class Target : public CCmdTarget {
public:
    explicit Target(std::string name, CCmdTarget* next = nullptr) : m_name(std::move(name)), m_next(next) {}
    void Handle(UINT id) { AddCommand(id, [this, id] { g_log.push_back(m_name + std::to_string(id)); }); }
    void Update(UINT id, bool enable, int check = -1)
    {
        AddUpdateCommandUI(id, [enable, check](CCmdUI& ui) {
            ui.Enable(enable);
            if (check >= 0)
                ui.SetCheck(check);
        });
    }
    void Range(UINT first, UINT last)
    {
        AddCommandRange(first, last, [this](UINT id) { g_log.push_back(m_name + "r" + std::to_string(id)); });
    }
    // A view routes to its document after itself.
    bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override
    {
        return HandleOwnCommand(id, code, ui) || (m_next && m_next->OnCmdMsg(id, code, ui));
    }

private:
    std::string m_name;
    CCmdTarget* m_next;
};

class App : public CWinApp {
public:
    App() : CWinApp(u"Test") {}
    void Handle(UINT id) { AddCommand(id, [id] { g_log.push_back("app" + std::to_string(id)); }); }
};

class Frame : public CFrameWnd {
public:
    void Handle(UINT id) { AddCommand(id, [id] { g_log.push_back("frame" + std::to_string(id)); }); }
};

} // namespace

TEST(CCmdTargetTest, RouteAsksViewDocumentFrameApplicationInOrder)
{
    g_log.clear();
    App app;
    Frame frame;
    Target doc("doc");
    Target view("view", &doc);
    frame.SetActiveView(&view);
    view.Handle(1);
    doc.Handle(1);
    doc.Handle(2);
    frame.Handle(2);
    frame.Handle(3);
    app.Handle(3);
    app.Handle(4);
    for (UINT id : {1u, 2u, 3u, 4u, 5u})
        frame.OnCommand(id);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view1", "doc2", "frame3", "app4"}));
    EXPECT_TRUE(frame.HasCommandHandler(4));
    EXPECT_FALSE(frame.HasCommandHandler(5));
    EXPECT_EQ(AfxGetApp(), &app);
}

TEST(CCmdTargetTest, UpdateRuleAndDisabledCommandsAreDropped)
{
    g_log.clear();
    Frame frame;
    Target view("view");
    frame.SetActiveView(&view);
    view.Handle(10);
    view.Handle(11);
    view.Update(11, false);
    view.Update(12, true, 1);
    EXPECT_TRUE(frame.QueryCommandState(10).IsEnabled()) << "a handler enables";
    EXPECT_FALSE(frame.QueryCommandState(11).IsEnabled()) << "the update handler decides";
    EXPECT_TRUE(frame.QueryCommandState(12).IsEnabled());
    EXPECT_EQ(frame.QueryCommandState(12).GetCheck(), 1);
    EXPECT_FALSE(frame.QueryCommandState(13).IsEnabled()) << "no handler anywhere: greyed";
    frame.OnCommand(11);
    frame.OnCommand(10);
    EXPECT_EQ(g_log, (std::vector<std::string>{"view10"}));
}

TEST(CCmdTargetTest, RangesAndReplacedHandlers)
{
    g_log.clear();
    Target t("t");
    t.Range(100, 105);
    t.Handle(103); // a single entry wins over the range
    EXPECT_TRUE(t.OnCmdMsg(101, CN_COMMAND, nullptr));
    EXPECT_TRUE(t.OnCmdMsg(103, CN_COMMAND, nullptr));
    EXPECT_FALSE(t.OnCmdMsg(106, CN_COMMAND, nullptr));
    EXPECT_FALSE(t.OnCmdMsg(99, CN_COMMAND, nullptr));
    EXPECT_TRUE(t.OnCmdMsg(105, CN_HAS_HANDLER, nullptr));
    EXPECT_EQ(g_log, (std::vector<std::string>{"tr101", "t103"}));
}
