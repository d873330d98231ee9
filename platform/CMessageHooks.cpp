#include "CMessageHooks.h"

#include <algorithm>
#include <vector>

namespace {

struct Hook {
    HHOOK handle;
    HookType type;
    HookProc proc;
};

// Installed hooks, oldest first. Only the UI thread raises or installs.
std::vector<Hook>& Hooks()
{
    static std::vector<Hook> hooks;
    return hooks;
}

HHOOK g_nextHandle = 1;

const Hook* FindHook(HHOOK handle)
{
    for (const Hook& hook : Hooks()) {
        if (hook.handle == handle)
            return &hook;
    }
    return nullptr;
}

} // namespace

HHOOK CMessageHooks::SetWindowsHookEx(HookType type, HookProc proc)
{
    const HHOOK handle = g_nextHandle++;
    Hooks().push_back({handle, type, std::move(proc)});
    return handle;
}

bool CMessageHooks::UnhookWindowsHookEx(HHOOK hook)
{
    auto& hooks = Hooks();
    auto it = std::find_if(hooks.begin(), hooks.end(), [hook](const Hook& h) { return h.handle == hook; });
    if (it == hooks.end())
        return false;
    hooks.erase(it);
    return true;
}

bool CMessageHooks::IsInstalled(HHOOK hook) { return FindHook(hook) != nullptr; }

int CMessageHooks::Count(HookType type)
{
    return int(std::count_if(Hooks().begin(), Hooks().end(),
                             [type](const Hook& h) { return h.type == type; }));
}

void CMessageHooks::Raise(HookType type, const HookEvent& event)
{
    // The handles of this round, newest first; each is looked up again before
    // its call, so hooks can come and go while the round runs.
    std::vector<HHOOK> round;
    for (auto it = Hooks().rbegin(); it != Hooks().rend(); ++it) {
        if (it->type == type)
            round.push_back(it->handle);
    }
    for (HHOOK handle : round) {
        const Hook* hook = FindHook(handle);
        if (!hook || !hook->proc)
            continue;
        HookProc proc = hook->proc; // a copy: the hook may remove itself
        proc(event);
    }
}

void CMessageHooks::Dispatch(const HookEvent& event, const std::function<void()>& own)
{
    Raise(HookType::CallWndProc, event);
    if (own)
        own();
    Raise(HookType::CallWndProcRet, event);
}

void CMessageHooks::Dispatch(HookMessage message, QWidget* window, const std::function<void()>& own)
{
    HookEvent event{message};
    event.window = window;
    Dispatch(event, own);
}
