#include "platform/sdl/video.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "platform/posix/close_signals.h"
#include "platform/sdl/window_table.h"
#include "platform/x11/foreign_window.h"

namespace {

bool g_started = false;

} // namespace

namespace platform {

bool EnsureVideo() {
    if (g_started) return true;
    // SIGINT and SIGTERM are ours: they must reach the window as WM_CLOSE,
    // not as SDL_QUIT that the pump cannot tell from a window-manager close
    // of every window.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A window-manager close of the last window must not also come as
    // SDL_QUIT, or the window would be asked to close twice.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The window surface in the screen's own format (an XShm image on X11)
    // presents a frame in a fraction of what a GL upload costs.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Mesa's shader cache would otherwise land in the user's home folder.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    g_started = true;
    InstallCloseSignals();
    return true;
}

bool HasRealDisplay() {
    if (!g_started) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

bool VideoStarted() { return g_started; }

void SetWindowClassName(const char* className) {
    // SDL 2.26 takes the X class only from this variable, read when video
    // starts; a class registered later cannot change it any more.
    if (!g_started && className && *className) setenv("SDL_VIDEO_X11_WMCLASS", className, 1);
}

void ShutdownVideo() {
    DestroyAllWindowsSilently();
    CloseForeignConnection();
    if (g_started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    g_started = false;
}

} // namespace platform
