#include "RegisteredMessages.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <utility>

namespace {

constexpr UINT FirstRegisteredMessage = 0xC000;

std::map<std::u16string, UINT>& Names()
{
    static std::map<std::u16string, UINT> names;
    return names;
}

struct Entry {
    QPointer<QWidget> window;
    MessageHandler handler;
};

// By window and message; entries of windows that have gone are skipped and
// dropped when the window's destroyed signal comes.
std::map<std::pair<const QWidget*, UINT>, Entry>& Handlers()
{
    static std::map<std::pair<const QWidget*, UINT>, Entry> handlers;
    return handlers;
}

} // namespace

UINT RegisterWindowMessageW(const std::u16string& name)
{
    auto& names = Names();
    const auto found = names.find(name);
    if (found != names.end())
        return found->second;
    const UINT number = FirstRegisteredMessage + UINT(names.size());
    names.emplace(name, number);
    return number;
}

void SetMessageHandler(QWidget* window, UINT message, MessageHandler handler)
{
    if (!window)
        return;
    auto& handlers = Handlers();
    const auto key = std::make_pair(static_cast<const QWidget*>(window), message);
    if (!handler) {
        handlers.erase(key);
        return;
    }
    const bool first = handlers.find(key) == handlers.end();
    handlers[key] = Entry{window, std::move(handler)};
    if (first) {
        QObject::connect(window, &QObject::destroyed, [key] { Handlers().erase(key); });
    }
}

LRESULT SendMessageTo(QWidget* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window)
        return 0;
    auto& handlers = Handlers();
    const auto found = handlers.find({window, message});
    if (found == handlers.end() || !found->second.window)
        return 0;
    // A copy: the handler may replace itself or close the window.
    const MessageHandler handler = found->second.handler;
    return handler(wParam, lParam);
}
