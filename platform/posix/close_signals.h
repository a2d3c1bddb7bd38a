// SIGINT and SIGTERM as a close request: the message pump turns a caught
// signal into a WM_CLOSE sent to the windows, so the program's clean-up runs.
#pragma once

namespace platform {

// Installs the handlers once. Until then, or while no window exists, the
// signals keep their default action (the process ends).
void InstallCloseSignals();
// Tells the handlers whether a window exists to be closed.
void SetCloseTargetsExist(bool exist);
// True once per caught signal.
bool TakeCloseSignal();

} // namespace platform
