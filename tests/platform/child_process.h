// A child process with its standard input and output on pipes, for tests
// that need a second process or an outside tool (xdotool, xwd).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess(); // kills the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (looked up on PATH) with extra "NAME=value" variables
    // and the names in `unset` removed from the environment.
    bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
               const std::vector<std::string>& unset = {});
    // One line of output without its newline; false on end of output or when
    // nothing came within the wait.
    bool ReadLine(std::string* line, int waitMs);
    // All output until the child closes it (bounded by the wait).
    std::string ReadAll(int waitMs);
    void CloseInput();
    void Kill(int sig);
    // The exit status (as from waitpid), or -1 when it did not end in time.
    int Wait(int waitMs);
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string buffered_;
};

// Runs a command to its end; its exit code, or -1 when it failed to run or
// did not end within the wait. Output is returned in *output when given.
int RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& env, int waitMs,
               std::string* output = nullptr);

bool ProgramExists(const char* name);

} // namespace testing_support
