#include "tests/e2e/program_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

Program::Program(const std::string& binDir, const std::string& display, const std::vector<std::string>& extraEnv) {
    char tmpl[] = "/tmp/quorvel-e2e-XXXXXX";
    const int fd = mkstemp(tmpl);
    if (fd >= 0) close(fd);
    errPath_ = tmpl;
    testing_support::ChildOptions options;
    options.env = {"MESA_SHADER_CACHE_DISABLE=true"};
    if (display.empty()) options.unset = {"DISPLAY"};
    else options.env.push_back("DISPLAY=" + display);
    options.env.insert(options.env.end(), extraEnv.begin(), extraEnv.end());
    options.directory = binDir;
    options.errorFile = errPath_;
    options.ownGroup = true;
    child_.Start({binDir + "/quorvel"}, options);
    // It reads nothing: an end of input at once, as from /dev/null.
    child_.CloseInput();
}

Program::~Program() {
    // The child ends with its whole group when it still runs.
    unlink(errPath_.c_str());
}

std::optional<int> Program::WaitExit(int milliseconds) {
    if (!exitCode_) {
        const int status = child_.Wait(milliseconds);
        if (status >= 0) exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return exitCode_;
}

bool Program::Running() { return !WaitExit(0); }

void Program::Kill() {
    child_.Kill(SIGKILL);
    WaitExit(5000);
}

std::string Program::ErrorOutput() const {
    std::ifstream in(errPath_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace e2e
