#pragma once

// The state of the three lock keys, read from the windowing system (X11's
// keyboard extension). Where the platform cannot tell (the offscreen
// platform, Wayland without X11) there is no state, and the status bar hides
// its lock panes instead of showing a guess.

#include <functional>
#include <optional>

struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The state now; std::nullopt where the platform cannot tell.
std::optional<LockKeys> QueryLockKeys();

// Test seam: answers QueryLockKeys instead of the platform (empty: the
// platform again). Returns the previous source.
using LockKeysSource = std::function<std::optional<LockKeys>()>;
LockKeysSource SetLockKeysSource(LockKeysSource source);
