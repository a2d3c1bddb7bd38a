// A child process with its standard input and output on pipes, for tests
// that need a second process, an outside tool (xdotool, xwd) or the program
// itself.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

// How a child starts, besides its arguments.
struct ChildOptions {
    std::vector<std::string> env;   // extra "NAME=value" variables
    std::vector<std::string> unset; // names removed from the environment
    std::string directory;          // its working folder; empty: ours
    // Where its standard error goes; empty: nowhere, unless
    // QUORVEL_TEST_VERBOSE is set (then to ours).
    std::string errorFile;
    // In a process group of its own, so that a kill reaches whatever it
    // started too.
    bool ownGroup = false;
};

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
    bool Start(const std::vector<std::string>& argv, const ChildOptions& options);
    // One line of output without its newline; false on end of output or when
    // nothing came within the wait.
    bool ReadLine(std::string* line, int waitMs);
    // All output until the child closes it (bounded by the wait).
    std::string ReadAll(int waitMs);
    void CloseInput();
    // Signals the child (its whole group when it has its own).
    void Kill(int sig);
    // The exit status (as from waitpid), or -1 when it did not end in time.
    int Wait(int waitMs);
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    bool ownGroup_ = false;
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
