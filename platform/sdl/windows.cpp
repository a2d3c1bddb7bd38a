// Window classes and windows: each window is an SDL window, hidden until
// shown, whose procedure gets the messages sent to it.
#include <SDL.h>

#include <string>

#include "platform/posix/last_error.h"
#include "platform/sdl/message_queue.h"
#include "platform/sdl/video.h"
#include "platform/sdl/window_table.h"
#include "platform/x11/foreign_window.h"

namespace {

constexpr DWORD kErrorClassAlreadyExists = 1410;
constexpr DWORD kErrorCannotFindClass = 1407;
constexpr DWORD kErrorInvalidWindowHandle = 1400;
constexpr DWORD kErrorInvalidParameter = 87;

// Stock objects and system cursors are fixed, never-freed handles: only
// their identity matters to the program.
constexpr int kStockObjectCount = 20;
char g_stockObjects[kStockObjectCount];
char g_arrowCursor;

constexpr uintptr_t kFirstSystemCursor = 32512;
constexpr uintptr_t kLastSystemCursor = 32651;

} // namespace

WORD RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpszClassName || !lpWndClass->lpfnWndProc) {
        platform::SetLastErrorCode(kErrorInvalidParameter);
        return 0;
    }
    if (platform::FindClass(lpWndClass->lpszClassName)) {
        platform::SetLastErrorCode(kErrorClassAlreadyExists);
        return 0;
    }
    // The class name becomes the windows' X class, so that another process
    // can find them by it.
    platform::SetWindowClassName(lpWndClass->lpszClassName);
    return platform::AddClass(*lpWndClass);
}

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    const auto id = reinterpret_cast<uintptr_t>(lpCursorName);
    // Only the system's cursors exist; SDL's default cursor is the arrow.
    if (hInstance || id < kFirstSystemCursor || id > kLastSystemCursor) return nullptr;
    return reinterpret_cast<HCURSOR>(&g_arrowCursor);
}

HGDIOBJ GetStockObject(int i) {
    if (i < 0 || i >= kStockObjectCount) return nullptr;
    return &g_stockObjects[i];
}

int GetSystemMetrics(int nIndex) {
    if (nIndex != SM_CXSCREEN && nIndex != SM_CYSCREEN) return 0;
    if (!platform::EnsureVideo()) return 0;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
    return nIndex == SM_CXSCREEN ? mode.w : mode.h;
}

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND, HMENU, HINSTANCE, void*) {
    const platform::WindowClass* windowClass = platform::FindClass(lpClassName);
    if (!windowClass) {
        platform::SetLastErrorCode(kErrorCannotFindClass);
        return nullptr;
    }
    auto* window = new platform::Window;
    window->className = windowClass->name;
    window->title = lpWindowName ? lpWindowName : "";
    window->proc = windowClass->fields.lpfnWndProc;
    window->style = dwStyle;
    window->exStyle = dwExStyle;
    // Without any video the window still exists for the program's messages;
    // the display object then reports that there is no screen to show on.
    if (platform::EnsureVideo()) {
        Uint32 flags = SDL_WINDOW_HIDDEN;
        if (dwStyle & WS_POPUP) flags |= SDL_WINDOW_BORDERLESS;
        window->sdl = SDL_CreateWindow(window->title.c_str(), X, Y, nWidth, nHeight, flags);
        if (!window->sdl) {
            delete window;
            platform::SetLastErrorCode(kErrorInvalidParameter);
            return nullptr;
        }
        window->sdlId = SDL_GetWindowID(window->sdl);
        // No text input: the program reads key presses only.
        SDL_StopTextInput();
    }
    platform::AddWindow(window);
    HWND hwnd = platform::HandleOf(window);
    // WM_CREATE is sent before CreateWindowExA returns; -1 refuses the window.
    if (platform::SendToWindow(hwnd, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    platform::Window* window = platform::OwnWindow(hWnd);
    if (!window) return platform::ShowForeignWindow(hWnd, nCmdShow);
    if (!window->sdl) return FALSE;
    const Uint32 flags = SDL_GetWindowFlags(window->sdl);
    const BOOL wasVisible = (flags & SDL_WINDOW_HIDDEN) ? FALSE : TRUE;
    switch (nCmdShow) {
    case SW_HIDE:
        if (wasVisible) platform::SendToWindow(hWnd, WM_SHOWWINDOW, FALSE, 0);
        SDL_HideWindow(window->sdl);
        break;
    case SW_SHOWMINIMIZED:
        if (!wasVisible) platform::SendToWindow(hWnd, WM_SHOWWINDOW, TRUE, 0);
        SDL_ShowWindow(window->sdl);
        SDL_MinimizeWindow(window->sdl);
        break;
    default: // shown normally, restored from minimised, and raised
        if (!wasVisible) platform::SendToWindow(hWnd, WM_SHOWWINDOW, TRUE, 0);
        SDL_ShowWindow(window->sdl);
        if (flags & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(window->sdl);
        SDL_RaiseWindow(window->sdl);
        break;
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND hWnd) {
    // Nothing is painted through the window itself: the display draws it.
    return platform::OwnWindow(hWnd) ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND hWnd) {
    platform::Window* window = platform::OwnWindow(hWnd);
    if (!window || window->destroying) {
        platform::SetLastErrorCode(kErrorInvalidWindowHandle);
        return FALSE;
    }
    window->destroying = true;
    if (window->sdl) SDL_HideWindow(window->sdl);
    // The window still exists while its procedure handles WM_DESTROY.
    platform::SendToWindow(hWnd, WM_DESTROY, 0, 0);
    platform::RemoveWindow(window);
    platform::DropMessagesFor(hWnd);
    if (window->onDestroy) window->onDestroy(window->onDestroyContext);
    if (window->sdl) SDL_DestroyWindow(window->sdl);
    delete window;
    return TRUE;
}
