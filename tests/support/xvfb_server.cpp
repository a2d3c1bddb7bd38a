#include "tests/support/xvfb_server.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace testing_support {

namespace {

constexpr int kReadyWaitMs = 15000;

// "110-139" by default; a machine with other servers sets its own range.
void DisplayRange(int* first, int* last) {
    *first = 110;
    *last = 139;
    if (const char* range = std::getenv("QUORVEL_TEST_DISPLAYS")) std::sscanf(range, "%d-%d", first, last);
}

bool WindowManagerReady(::Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success)
        return false;
    if (data) XFree(data);
    return count > 0;
}

// Openbox announces itself before it manages windows, and a window mapped in
// between is never managed (it stays unmapped). A window of our own that gets
// its WM_STATE proves that openbox runs; one that does not is tried again.
bool WindowManagerManages(::Display* display) {
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    constexpr int kAttemptMs = 500;
    for (int attempt = 0; attempt < kReadyWaitMs / kAttemptMs; ++attempt) {
        const Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
        XMapWindow(display, probe);
        XSync(display, False);
        bool managed = false;
        for (int waited = 0; waited < kAttemptMs && !managed; waited += 20) {
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display, probe, wmState, 0, 2, False, wmState, &type, &format, &count, &after,
                                   &data) == Success &&
                data) {
                managed = count > 0;
                XFree(data);
            }
            if (!managed) usleep(20000);
        }
        XDestroyWindow(display, probe);
        XSync(display, False);
        if (managed) return true;
    }
    return false;
}

} // namespace

XvfbServer::~XvfbServer() {
    windowManager_.reset();
    server_.reset();
}

bool XvfbServer::Start(const ScreenShape& shape) {
    if (!ProgramExists("Xvfb")) return false;
    if (shape.windowManager && !ProgramExists("openbox")) return false;
    int first = 0, last = 0;
    DisplayRange(&first, &last);
    const std::string screen =
        std::to_string(shape.width) + "x" + std::to_string(shape.height) + "x" + std::to_string(shape.depth);
    for (int number = first; number <= last; ++number) {
        const std::string name = ":" + std::to_string(number);
        // A server that answers there already belongs to someone else.
        if (::Display* taken = XOpenDisplay(name.c_str())) {
            XCloseDisplay(taken);
            continue;
        }
        auto server = std::make_unique<ChildProcess>();
        // -displayfd 1: the server writes its number on our pipe once it
        // accepts clients; a number in use ends it without a word.
        if (!server->Start({"Xvfb", name, "-nolock", "-nolisten", "tcp", "-nolisten", "unix", "-screen", "0", screen,
                            "-displayfd", "1"}))
            return false;
        std::string line;
        if (!server->ReadLine(&line, kReadyWaitMs)) continue;
        server_ = std::move(server);
        display_ = name;
        return !shape.windowManager || StartWindowManager();
    }
    return false;
}

bool XvfbServer::StartWindowManager() {
    if (!server_ || !ProgramExists("openbox")) return false;
    windowManager_ = std::make_unique<ChildProcess>();
    if (!windowManager_->Start({"openbox", "--sm-disable"}, {"DISPLAY=" + display_})) return false;
    ::Display* display = XOpenDisplay(display_.c_str());
    if (!display) return false;
    bool ready = false;
    for (int waited = 0; waited < kReadyWaitMs && !ready; waited += 20) {
        ready = WindowManagerReady(display);
        if (!ready) usleep(20000);
    }
    ready = ready && WindowManagerManages(display);
    XCloseDisplay(display);
    return ready;
}

} // namespace testing_support
