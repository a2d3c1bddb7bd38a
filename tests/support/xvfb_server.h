// A private X server for one test: Xvfb on the first free display number of
// the test range (QUORVEL_TEST_DISPLAYS, "110-139" by default), optionally
// with openbox as window manager.
#pragma once

#include <memory>
#include <string>

#include "tests/support/child_process.h"

namespace testing_support {

struct ScreenShape {
    int width = 640;
    int height = 480;
    int depth = 16;
    bool windowManager = false;
};

class XvfbServer {
public:
    ~XvfbServer();
    // False when Xvfb (or openbox, when asked for) is missing or no display
    // number of the range could be had.
    bool Start(const ScreenShape& shape);
    // Starts openbox on the running server and returns once it manages
    // windows; false when it is missing or never got that far.
    bool StartWindowManager();
    const std::string& display() const { return display_; }

private:

    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
    std::string display_;
};

} // namespace testing_support
