// SDL's video start-up, done late: the X class of the windows comes from the
// registered window class and SDL reads it only when video starts.
#pragma once

namespace platform {

// Starts SDL video on first use. False when SDL cannot start it at all.
bool EnsureVideo();
// True when video runs on a real screen; SDL's "offscreen" and "dummy"
// drivers, which it falls back to without one, do not count.
bool HasRealDisplay();
// True once video has been started (and not shut down since).
bool VideoStarted();
// Names the X class of the windows made from now on (before video starts).
void SetWindowClassName(const char* className);
// Gives every SDL resource back: windows first, then the video subsystem.
void ShutdownVideo();

} // namespace platform
