#include "LockKeys.h"

#include <QGuiApplication>

#include <utility>

#if defined(GLOSSMARK_HAVE_XKB) && QT_CONFIG(xcb)
#define GLOSSMARK_READ_XKB 1
#include <X11/XKBlib.h>
#endif

namespace {

LockKeysSource& Source()
{
    static LockKeysSource source;
    return source;
}

#ifdef GLOSSMARK_READ_XKB
// Looked up by name: the indicators' numbers differ between keymaps.
bool IndicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    int index = 0;
    Bool on = False;
    XkbIndicatorMapRec map{};
    Bool real = False;
    return atom != None && XkbGetNamedIndicator(display, atom, &index, &on, &map, &real) && on;
}
#endif

} // namespace

LockKeysSource SetLockKeysSource(LockKeysSource source) { return std::exchange(Source(), std::move(source)); }

std::optional<LockKeys> QueryLockKeys()
{
    if (Source())
        return Source()();
#ifdef GLOSSMARK_READ_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (Display* display = x11 ? x11->display() : nullptr)
        return LockKeys{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                        IndicatorOn(display, "Scroll Lock")};
#endif
    return std::nullopt;
}
