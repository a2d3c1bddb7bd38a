#include "tests/e2e/x_inspect.h"

#include <X11/Xutil.h>

namespace e2e {

XServer::XServer(int depth) {
    testing_support::ScreenShape shape;
    shape.depth = depth;
    if (server_.Start(shape)) display_ = XOpenDisplay(server_.display().c_str());
}

XServer::~XServer() {
    if (display_) XCloseDisplay(display_);
}

std::vector<uint16_t> XServer::Screenshot() const {
    std::vector<uint16_t> words;
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), 0, 0, 640, 480, AllPlanes, ZPixmap);
    if (!image) return words;
    if (image->bits_per_pixel == 16) {
        words.resize(640 * 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) words[y * 640 + x] = static_cast<uint16_t>(XGetPixel(image, x, y));
    }
    XDestroyImage(image);
    return words;
}

namespace {

Window FindIn(Display* d, Window w, const std::string& className) {
    XClassHint hint{};
    if (XGetClassHint(d, w, &hint)) {
        bool match = hint.res_class && className == hint.res_class;
        XFree(hint.res_name);
        XFree(hint.res_class);
        if (match) return w;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) found = FindIn(d, children[i], className);
        if (children) XFree(children);
    }
    return found;
}

} // namespace

Window XServer::FindWindowByClass(const std::string& className) const {
    return FindIn(display_, DefaultRootWindow(display_), className);
}

void XServer::RequestClose(Window window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

} // namespace e2e
