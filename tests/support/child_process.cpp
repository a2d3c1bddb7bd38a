#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "tests/support/monotonic_clock.h"

namespace testing_support {

ChildProcess::~ChildProcess() {
    CloseInput();
    if (pid_ > 0) {
        Kill(SIGKILL);
        Wait(5000);
    }
    if (out_ >= 0) close(out_);
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                         const std::vector<std::string>& unset) {
    ChildOptions options;
    options.env = env;
    options.unset = unset;
    return Start(argv, options);
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const ChildOptions& options) {
    int inPipe[2], outPipe[2];
    if (pipe2(inPipe, O_CLOEXEC) != 0) return false;
    if (pipe2(outPipe, O_CLOEXEC) != 0) return false;
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
        // A test that dies must not leave its X server running.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (options.ownGroup) setpgid(0, 0);
        if (!options.directory.empty() && chdir(options.directory.c_str()) != 0) _exit(127);
        dup2(inPipe[0], 0);
        dup2(outPipe[1], 1);
        if (!options.errorFile.empty()) {
            const int errors = open(options.errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (errors >= 0) dup2(errors, 2);
        } else if (!std::getenv("QUORVEL_TEST_VERBOSE")) {
            // The tools' warnings would bury the test output.
            const int devNull = open("/dev/null", O_WRONLY);
            if (devNull >= 0) dup2(devNull, 2);
        }
        for (const std::string& name : options.unset) unsetenv(name.c_str());
        for (const std::string& assignment : options.env) putenv(strdup(assignment.c_str()));
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    // Also here, so that a kill right after the start finds the group.
    ownGroup_ = options.ownGroup;
    if (ownGroup_) setpgid(pid_, pid_);
    close(inPipe[0]);
    close(outPipe[1]);
    in_ = inPipe[1];
    out_ = outPipe[0];
    return true;
}

bool ChildProcess::ReadLine(std::string* line, int waitMs) {
    const long long deadline = NowMs() + waitMs;
    for (;;) {
        const size_t end = buffered_.find('\n');
        if (end != std::string::npos) {
            *line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return true;
        }
        const long long left = deadline - NowMs();
        if (left <= 0 || out_ < 0) return false;
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        char chunk[512];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0) return false;
        buffered_.append(chunk, static_cast<size_t>(n));
    }
}

std::string ChildProcess::ReadAll(int waitMs) {
    const long long deadline = NowMs() + waitMs;
    while (out_ >= 0) {
        const long long left = deadline - NowMs();
        if (left <= 0) break;
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) break;
        char chunk[65536];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0) break;
        buffered_.append(chunk, static_cast<size_t>(n));
    }
    std::string all;
    all.swap(buffered_);
    return all;
}

void ChildProcess::CloseInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
}

void ChildProcess::Kill(int sig) {
    if (pid_ > 0) kill(ownGroup_ ? -pid_ : pid_, sig);
}

int ChildProcess::Wait(int waitMs) {
    if (pid_ <= 0) return -1;
    const long long deadline = NowMs() + waitMs;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            return status;
        }
        if (done < 0 || NowMs() >= deadline) return -1;
        usleep(5000);
    }
}

int RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& env, int waitMs,
               std::string* output) {
    ChildProcess child;
    if (!child.Start(argv, env)) return -1;
    child.CloseInput();
    std::string out = child.ReadAll(waitMs);
    if (output) *output = std::move(out);
    const int status = child.Wait(waitMs);
    if (status < 0 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

bool ProgramExists(const char* name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

} // namespace testing_support
