// The lock-key indicators through Xkb on X11. Qt offers no portable way to read them; under
// another windowing system (or a build without libX11) the state stays unknown.
#include <QGuiApplication>

#include "app/KeyboardPanes.h"

#ifdef VEMO_HAVE_XKB
// Included last: the X11 headers define names (None, Bool, KeyPress…) that Qt's headers use.
#include <X11/XKBlib.h>

namespace {

// The state of an indicator by its name; false when the keyboard has no such indicator.
bool NamedIndicator(Display* display, const char* name, bool& on) {
    Atom atom = XInternAtom(display, name, True);
    if (atom == 0) return false;
    int index = 0;
    Bool state = 0;
    if (!XkbGetNamedIndicator(display, atom, &index, &state, nullptr, nullptr)) return false;
    on = state != 0;
    return true;
}

}  // namespace

KeyLockState ReadKeyLockState() {
    KeyLockState state;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return state;
    state.known = true;
    NamedIndicator(display, "Caps Lock", state.caps);
    NamedIndicator(display, "Num Lock", state.num);
    NamedIndicator(display, "Scroll Lock", state.scroll);
    state.kanaKnown = NamedIndicator(display, "Kana", state.kana);
    return state;
}

#else

KeyLockState ReadKeyLockState() { return {}; }

#endif
