// What the end-to-end tests see and do on their X server: screenshots as raw
// pixel words, the program's window found by its class, and a close request
// as a window manager sends it.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/xvfb_server.h"

namespace e2e {

// A private Xvfb server of 640x480 at the given depth (16 or 15) and a
// connection to it. Both end on destruction.
class XServer {
public:
    explicit XServer(int depth);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool Ready() const { return display_ != nullptr; }
    const std::string& Name() const { return server_.display(); }
    Display* Connection() const { return display_; }

    // The root window's pixels as 16-bit words, row by row (640x480).
    std::vector<uint16_t> Screenshot() const;
    // The top-level window whose WM_CLASS class is `className`, or 0.
    Window FindWindowByClass(const std::string& className) const;
    // Asks the window to close, as a window manager does.
    void RequestClose(Window window) const;
    // Starts openbox on this server; false when it is not installed.
    bool StartWindowManager() { return server_.StartWindowManager(); }

private:
    testing_support::XvfbServer server_;
    Display* display_ = nullptr;
};

} // namespace e2e
