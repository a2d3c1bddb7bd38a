// Finding and raising windows: our own first, then other processes' through
// Xlib.
#include <SDL.h>
#include <strings.h>

#include "platform/sdl/window_table.h"
#include "platform/x11/foreign_window.h"

HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    if (!lpClassName) return nullptr;
    for (HWND hwnd : platform::OwnWindowHandles()) {
        platform::Window* window = platform::OwnWindow(hwnd);
        if (strcasecmp(window->className.c_str(), lpClassName) != 0) continue;
        if (lpWindowName && window->title != lpWindowName) continue;
        return hwnd;
    }
    return platform::FindForeignWindow(lpClassName, lpWindowName);
}

BOOL IsIconic(HWND hWnd) {
    if (platform::Window* window = platform::OwnWindow(hWnd))
        return window->sdl && (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_MINIMIZED) ? TRUE : FALSE;
    return platform::IsForeignWindowIconic(hWnd);
}

BOOL BringWindowToTop(HWND hWnd) {
    if (platform::Window* window = platform::OwnWindow(hWnd)) {
        if (window->sdl) SDL_RaiseWindow(window->sdl);
        return TRUE;
    }
    return platform::RaiseForeignWindow(hWnd);
}

HWND GetLastActivePopup(HWND hWnd) {
    // The program makes no popups of its own (its message boxes belong to
    // SDL), so a window is its own last active popup.
    return hWnd;
}
