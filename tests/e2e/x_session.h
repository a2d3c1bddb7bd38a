// Running the real program end to end: a private Xvfb server, the program as
// a child process, screenshots as raw pixel words, and input sent through X.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// An Xvfb server of 640x480 at the given depth (16 or 15) on the first free
// display number of a private range. Killed on destruction.
class XServer {
public:
    explicit XServer(int depth);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool Ready() const { return display_ != nullptr; }
    const std::string& Name() const { return name_; }
    Display* Connection() const { return display_; }

    // The root window's pixels as 16-bit words, row by row (640x480).
    std::vector<uint16_t> Screenshot() const;
    // The top-level window whose WM_CLASS class is `className`, or 0.
    Window FindWindowByClass(const std::string& className) const;
    // Asks the window to close, as a window manager does.
    void RequestClose(Window window) const;
    // Starts openbox on this server; false when it is not installed.
    bool StartWindowManager();

private:
    pid_t pid_ = -1;
    pid_t windowManager_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

// The program, started in the folder that holds it and its font files.
class Program {
public:
    Program(const std::string& binDir, const std::string& display, const std::vector<std::string>& extraEnv = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The exit code once the process has ended within the time, else empty.
    std::optional<int> WaitExit(int milliseconds);
    bool Running();
    // Ends it at once, as kill -9 does.
    void Kill();
    // Everything the program wrote to stderr so far (after it ended: all).
    std::string ErrorOutput() const;

private:
    pid_t pid_ = -1;
    std::string errPath_;
    std::optional<int> exitCode_;
};

// Runs a command line through the shell with DISPLAY set; its exit status.
int RunWithDisplay(const std::string& display, const std::string& command);

} // namespace e2e
