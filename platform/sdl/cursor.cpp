// The cursor's display count: shown while it is zero or more.
#include <SDL.h>

#include "platform/sdl/video.h"
#include "platform/win32_api.h"

namespace {

int g_cursorCount = 0;

} // namespace

int ShowCursor(BOOL bShow) {
    g_cursorCount += bShow ? 1 : -1;
    // SDL keeps the state across windows; before video starts there is no
    // cursor to change, and the count is applied on the next call.
    if (platform::VideoStarted()) SDL_ShowCursor(g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return g_cursorCount;
}
