// Modal message boxes: SDL's own box on a screen, a line on stderr without.
#include <SDL.h>

#include <cstdio>

#include "platform/sdl/video.h"
#include "platform/sdl/window_table.h"

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT) {
    // A null caption shows the platform's default.
    const char* caption = lpCaption ? lpCaption : "Error";
    const char* text = lpText ? lpText : "";
    // Without a screen there is nobody to click the box away; the text goes
    // where a person starting the program from a terminal sees it.
    bool shown = false;
    if (!platform::VideoStarted() || platform::HasRealDisplay()) {
        platform::Window* owner = platform::OwnWindow(hWnd);
        SDL_Window* parent = owner ? owner->sdl : nullptr;
        // SDL shows the box from a child process and returns when it is
        // dismissed; with no display at all it fails at once.
        shown = SDL_ShowSimpleMessageBox(0, caption, text, parent) == 0;
    }
    if (!shown) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
    }
    return IDOK;
}
