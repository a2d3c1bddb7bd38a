#include "tests/e2e/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& dir,
            const std::string& errPath) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    // Child: its own process group, so that everything it starts can be
    // ended together.
    setpgid(0, 0);
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
    int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, 0);
    dup2(devnull, 1);
    int err = errPath.empty() ? devnull : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(err, 2);
    for (const std::string& e : env) putenv(strdup(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

} // namespace

XServer::XServer(int depth) {
    // Display numbers of this range are used by no other test program.
    for (int n = 120; n < 140 && !display_; ++n) {
        std::string name = ":" + std::to_string(n);
        if (Display* taken = XOpenDisplay(name.c_str())) {
            XCloseDisplay(taken);
            continue;
        }
        pid_ = Spawn({"Xvfb", name, "-nolock", "-nolisten", "tcp", "-nolisten", "unix", "-screen", "0",
                      "640x480x" + std::to_string(depth)},
                     {}, "", "");
        for (auto until = Clock::now() + std::chrono::seconds(10); Clock::now() < until; Sleep(50)) {
            if ((display_ = XOpenDisplay(name.c_str()))) break;
            int status;
            if (waitpid(pid_, &status, WNOHANG) == pid_) break; // that number was taken after all
        }
        if (display_) name_ = name;
        else {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
}

XServer::~XServer() {
    if (windowManager_ > 0) {
        kill(windowManager_, SIGTERM);
        waitpid(windowManager_, nullptr, 0);
    }
    if (display_) XCloseDisplay(display_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
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

bool XServer::StartWindowManager() {
    if (std::system("command -v openbox >/dev/null 2>&1") != 0) return false;
    windowManager_ = Spawn({"openbox", "--sm-disable"}, {"DISPLAY=" + name_}, "", "");
    // Ready once it has claimed the screen's window-manager selection.
    const Atom selection = XInternAtom(display_, "WM_S0", False);
    for (auto until = Clock::now() + std::chrono::seconds(10); Clock::now() < until; Sleep(50))
        if (XGetSelectionOwner(display_, selection) != None) return true;
    return false;
}

Program::Program(const std::string& binDir, const std::string& display, const std::vector<std::string>& extraEnv) {
    char tmpl[] = "/tmp/quorvel-e2e-XXXXXX";
    int fd = mkstemp(tmpl);
    if (fd >= 0) close(fd);
    errPath_ = tmpl;
    std::vector<std::string> env = {"MESA_SHADER_CACHE_DISABLE=true"};
    if (display.empty()) unsetenv("DISPLAY");
    else env.push_back("DISPLAY=" + display);
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    pid_ = Spawn({binDir + "/quorvel"}, env, binDir, errPath_);
}

Program::~Program() {
    if (!exitCode_ && pid_ > 0) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(errPath_.c_str());
}

std::optional<int> Program::WaitExit(int milliseconds) {
    for (auto until = Clock::now() + std::chrono::milliseconds(milliseconds); !exitCode_; Sleep(10)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_)
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        else if (Clock::now() >= until)
            break;
    }
    return exitCode_;
}

bool Program::Running() { return !WaitExit(0); }

void Program::Kill() {
    kill(pid_, SIGKILL);
    WaitExit(5000);
}

std::string Program::ErrorOutput() const {
    std::ifstream in(errPath_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int RunWithDisplay(const std::string& display, const std::string& command) {
    std::string line = "DISPLAY=" + display + " " + command + " >/dev/null 2>&1";
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace e2e
