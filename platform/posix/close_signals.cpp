#include "platform/posix/close_signals.h"

#include <signal.h>

namespace {

volatile sig_atomic_t g_closeRequested = 0;
volatile sig_atomic_t g_haveTargets = 0;
bool g_installed = false;

void OnCloseSignal(int sig) {
    if (!g_haveTargets) {
        // Nothing to close: end as if the signal had not been caught.
        signal(sig, SIG_DFL);
        raise(sig);
        return;
    }
    g_closeRequested = 1;
}

} // namespace

namespace platform {

void InstallCloseSignals() {
    if (g_installed) return;
    g_installed = true;
    struct sigaction action {};
    action.sa_handler = OnCloseSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void SetCloseTargetsExist(bool exist) { g_haveTargets = exist ? 1 : 0; }

bool TakeCloseSignal() {
    if (!g_closeRequested) return false;
    g_closeRequested = 0;
    return true;
}

} // namespace platform
