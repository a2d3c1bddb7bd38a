#include "platform/x11/foreign_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <strings.h>

#include <cstring>
#include <vector>

namespace {

::Display* g_display = nullptr;

::Display* Connection() {
    if (!g_display) g_display = XOpenDisplay(nullptr);
    return g_display;
}

// Windows can vanish while we walk the tree; such errors only mean "not
// there". The handler is process-wide, so it is put back after each call.
int IgnoreXError(::Display*, XErrorEvent*) { return 0; }

class IgnoredErrors {
public:
    explicit IgnoredErrors(::Display* display) : display_(display), previous_(XSetErrorHandler(IgnoreXError)) {}
    ~IgnoredErrors() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }

private:
    ::Display* display_;
    int (*previous_)(::Display*, XErrorEvent*);
};

bool ClassMatches(::Display* display, Window window, const char* className, const char* windowName) {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) return false;
    const bool classMatch = hint.res_class && strcasecmp(hint.res_class, className) == 0;
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    if (!classMatch) return false;
    if (!windowName) return true;
    char* name = nullptr;
    bool nameMatch = false;
    if (XFetchName(display, window, &name) && name) {
        nameMatch = std::strcmp(name, windowName) == 0;
        XFree(name);
    }
    return nameMatch;
}

// Depth first, children topmost first (XQueryTree lists them bottom to top),
// so the window in front wins when several match. Under a window manager the
// program's window sits inside a frame, hence the recursion.
Window Search(::Display* display, Window parent, const char* className, const char* windowName) {
    Window root = 0, parentOut = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = count; i-- > 0 && !found;) {
        if (ClassMatches(display, children[i], className, windowName)) found = children[i];
        else found = Search(display, children[i], className, windowName);
    }
    if (children) XFree(children);
    return found;
}

bool HasAtomInList(::Display* display, Window window, Atom property, Atom wanted) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) !=
            Success ||
        !data)
        return false;
    bool found = false;
    if (format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
    }
    XFree(data);
    return found;
}

bool InIconicState(::Display* display, Window window) {
    constexpr long kIconicState = 3;
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool iconic = false;
    if (XGetWindowProperty(display, window, wmState, 0, 2, False, wmState, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        if (format == 32 && count >= 1) iconic = reinterpret_cast<const long*>(data)[0] == kIconicState;
        XFree(data);
    }
    if (iconic) return true;
    return HasAtomInList(display, window, XInternAtom(display, "_NET_WM_STATE", False),
                         XInternAtom(display, "_NET_WM_STATE_HIDDEN", False));
}

bool WindowManagerRuns(::Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) != Success)
        return false;
    if (data) XFree(data);
    return count > 0;
}

// Restores an iconic window and brings it to the front: window managers act
// on the _NET_ACTIVE_WINDOW request (source 2, as pagers send it, so focus
// stealing prevention lets it through); without one, XMapRaised maps and
// raises the window itself and the focus is handed over directly.
void Activate(::Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XMapRaised(display, window);
    if (!WindowManagerRuns(display)) {
        XSync(display, False);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
    }
    XFlush(display);
}

bool IsViewableWindow(::Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

} // namespace

namespace platform {

bool IsForeignHandle(HWND hwnd) { return (reinterpret_cast<uintptr_t>(hwnd) & 1) != 0; }
unsigned long ForeignWindowId(HWND hwnd) { return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd) >> 1); }
HWND ForeignHandle(unsigned long xid) { return reinterpret_cast<HWND>((static_cast<uintptr_t>(xid) << 1) | 1); }

HWND FindForeignWindow(const char* className, const char* windowName) {
    ::Display* display = Connection();
    if (!display || !className) return nullptr;
    IgnoredErrors guard(display);
    const Window found = Search(display, DefaultRootWindow(display), className, windowName);
    return found ? ForeignHandle(found) : nullptr;
}

BOOL IsForeignWindowIconic(HWND hwnd) {
    ::Display* display = Connection();
    if (!display || !IsForeignHandle(hwnd)) return FALSE;
    IgnoredErrors guard(display);
    return InIconicState(display, ForeignWindowId(hwnd)) ? TRUE : FALSE;
}

BOOL RaiseForeignWindow(HWND hwnd) {
    ::Display* display = Connection();
    if (!display || !IsForeignHandle(hwnd)) return FALSE;
    IgnoredErrors guard(display);
    Activate(display, ForeignWindowId(hwnd));
    return TRUE;
}

BOOL ShowForeignWindow(HWND hwnd, int command) {
    ::Display* display = Connection();
    if (!display || !IsForeignHandle(hwnd)) return FALSE;
    IgnoredErrors guard(display);
    const Window window = ForeignWindowId(hwnd);
    const BOOL wasVisible = IsViewableWindow(display, window) ? TRUE : FALSE;
    switch (command) {
    case SW_HIDE:
        XWithdrawWindow(display, window, DefaultScreen(display));
        break;
    case SW_SHOWMINIMIZED:
        XIconifyWindow(display, window, DefaultScreen(display));
        break;
    default:
        Activate(display, window);
        break;
    }
    XFlush(display);
    return wasVisible;
}

void CloseForeignConnection() {
    if (g_display) XCloseDisplay(g_display);
    g_display = nullptr;
}

} // namespace platform
