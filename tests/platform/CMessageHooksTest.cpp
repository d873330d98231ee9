#include "CMessageHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Removes whatever a test installed, so hooks never leak into other tests.
struct HookGuard {
    std::vector<HHOOK> handles;
    HHOOK Add(HookType type, HookProc proc)
    {
        handles.push_back(CMessageHooks::SetWindowsHookEx(type, std::move(proc)));
        return handles.back();
    }
    ~HookGuard()
    {
        for (HHOOK h : handles)
            CMessageHooks::UnhookWindowsHookEx(h);
    }
};

} // namespace

TEST(CMessageHooksTest, HandlesAreUniqueAndRemovingIsHarmless)
{
    HookGuard guard;
    const HHOOK a = guard.Add(HookType::CallWndProc, [](const HookEvent&) {});
    const HHOOK b = guard.Add(HookType::CallWndProc, [](const HookEvent&) {});
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_TRUE(CMessageHooks::IsInstalled(a));
    EXPECT_TRUE(CMessageHooks::UnhookWindowsHookEx(a));
    EXPECT_FALSE(CMessageHooks::IsInstalled(a));
    EXPECT_FALSE(CMessageHooks::UnhookWindowsHookEx(a)) << "a second removal does nothing";
    EXPECT_FALSE(CMessageHooks::UnhookWindowsHookEx(0));
    EXPECT_FALSE(CMessageHooks::UnhookWindowsHookEx(987654321));
    EXPECT_TRUE(CMessageHooks::IsInstalled(b));
}

TEST(CMessageHooksTest, LastInstalledIsCalledFirst)
{
    HookGuard guard;
    std::vector<int> order;
    guard.Add(HookType::CallWndProc, [&](const HookEvent&) { order.push_back(1); });
    guard.Add(HookType::CallWndProc, [&](const HookEvent&) { order.push_back(2); });
    guard.Add(HookType::CallWndProcRet, [&](const HookEvent&) { order.push_back(99); });
    CMessageHooks::Raise(HookType::CallWndProc, HookEvent{HookMessage::InitDialog});
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

TEST(CMessageHooksTest, HooksMayRemoveHooksWhileARoundRuns)
{
    HookGuard guard;
    std::vector<int> calls;
    HHOOK first = 0;
    HHOOK self = 0;
    first = guard.Add(HookType::CallWndProc, [&](const HookEvent&) { calls.push_back(1); });
    self = guard.Add(HookType::CallWndProc, [&](const HookEvent&) {
        calls.push_back(2);
        CMessageHooks::UnhookWindowsHookEx(self);  // itself
        CMessageHooks::UnhookWindowsHookEx(first); // one not yet called this round
    });
    CMessageHooks::Raise(HookType::CallWndProc, HookEvent{HookMessage::Command});
    EXPECT_EQ(calls, (std::vector<int>{2}));
    EXPECT_EQ(CMessageHooks::Count(HookType::CallWndProc), 0);
    // A hook installed during a round joins from the next round on.
    int added = 0;
    guard.Add(HookType::CallWndProc, [&](const HookEvent&) {
        if (added == 0)
            guard.Add(HookType::CallWndProc, [&](const HookEvent&) { ++added; });
        ++added;
    });
    CMessageHooks::Raise(HookType::CallWndProc, HookEvent{HookMessage::Command});
    EXPECT_EQ(added, 1);
}
