#pragma once

// Registered window messages: a name becomes a message number that is the
// same for every window of the program (RegisterWindowMessageW), and a window
// answers such a message with the handler it registered for it. This is how
// the modeless find/replace dialog tells its owner what the user did.

#include "WinTypes.h"

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// The number of a message name: 0xC000 and above, one per distinct name.
UINT RegisterWindowMessageW(const std::u16string& name);

using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;

// Sets (or, with an empty handler, removes) window's handler for message.
// The handler goes when the window goes.
void SetMessageHandler(QWidget* window, UINT message, MessageHandler handler);

// Calls window's handler for message; 0 when it has none.
LRESULT SendMessageTo(QWidget* window, UINT message, WPARAM wParam, LPARAM lParam);
