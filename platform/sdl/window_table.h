// The process's own windows and window classes. An HWND of our own is the
// address of its Window record; handles of other processes' windows are told
// apart by their low bit (see x11/foreign_window.h).
#pragma once

#include <string>
#include <vector>

#include "platform/win32_api.h"

struct SDL_Window;

namespace platform {

struct WindowClass {
    std::string name;
    WNDCLASSA fields;
};

struct Window {
    std::string className;
    std::string title;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    SDL_Window* sdl = nullptr; // null when video could not start
    unsigned int sdlId = 0;
    bool destroying = false;
    // Whoever draws into the window (the display object) is told before the
    // SDL window goes, so it can give back what it made for it.
    void (*onDestroy)(void* context) = nullptr;
    void* onDestroyContext = nullptr;
};

const WindowClass* FindClass(const char* name);
WORD AddClass(const WNDCLASSA& fields);

// The record of one of our windows, or null for any other handle.
Window* OwnWindow(HWND hwnd);
HWND HandleOf(Window* window);
Window* WindowOfSdlId(unsigned int id);
std::vector<HWND> OwnWindowHandles();
void AddWindow(Window* window);
void RemoveWindow(Window* window);
// Destroys every window without messages (the end of the process, or a video
// shutdown), the way the system takes them away.
void DestroyAllWindowsSilently();

// A sent message: the window procedure called at once, on this thread.
LRESULT SendToWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform
