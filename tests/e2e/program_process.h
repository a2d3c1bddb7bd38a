// The real program as a child process, started in the folder that holds it
// and its font files, with what it writes to stderr kept for the test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace e2e {

class Program {
public:
    // An empty `display` starts it with no DISPLAY at all.
    Program(const std::string& binDir, const std::string& display, const std::vector<std::string>& extraEnv = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The exit code once the process has ended within the time (128 + the
    // signal when a signal ended it), else empty.
    std::optional<int> WaitExit(int milliseconds);
    bool Running();
    // Ends it at once, as kill -9 does.
    void Kill();
    // Everything the program wrote to stderr so far (after it ended: all).
    std::string ErrorOutput() const;

private:
    testing_support::ChildProcess child_;
    std::string errPath_;
    std::optional<int> exitCode_;
};

} // namespace e2e
