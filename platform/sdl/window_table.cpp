#include "platform/sdl/window_table.h"

#include <SDL.h>
#include <strings.h>

#include <algorithm>
#include <memory>

#include "platform/posix/close_signals.h"
#include "platform/sdl/message_queue.h"

namespace {

std::vector<platform::WindowClass> g_classes;
std::vector<platform::Window*> g_windows;

} // namespace

namespace platform {

const WindowClass* FindClass(const char* name) {
    if (!name) return nullptr;
    for (const WindowClass& c : g_classes)
        if (strcasecmp(c.name.c_str(), name) == 0) return &c; // class names ignore case
    return nullptr;
}

WORD AddClass(const WNDCLASSA& fields) {
    WindowClass c{fields.lpszClassName, fields};
    // The record keeps its own copy of the name; menu names are not used.
    c.fields.lpszClassName = nullptr;
    c.fields.lpszMenuName = nullptr;
    g_classes.push_back(std::move(c));
    return static_cast<WORD>(0xC000 + g_classes.size()); // atoms of registered classes start here
}

Window* OwnWindow(HWND hwnd) {
    auto* candidate = reinterpret_cast<Window*>(hwnd);
    if (!candidate) return nullptr;
    return std::find(g_windows.begin(), g_windows.end(), candidate) != g_windows.end() ? candidate : nullptr;
}

HWND HandleOf(Window* window) { return reinterpret_cast<HWND>(window); }

Window* WindowOfSdlId(unsigned int id) {
    for (Window* w : g_windows)
        if (w->sdlId == id && w->sdl) return w;
    return nullptr;
}

std::vector<HWND> OwnWindowHandles() {
    std::vector<HWND> handles;
    for (Window* w : g_windows) handles.push_back(HandleOf(w));
    return handles;
}

void AddWindow(Window* window) {
    g_windows.push_back(window);
    SetCloseTargetsExist(true);
}

void RemoveWindow(Window* window) {
    g_windows.erase(std::remove(g_windows.begin(), g_windows.end(), window), g_windows.end());
    SetCloseTargetsExist(!g_windows.empty());
}

void DestroyAllWindowsSilently() {
    while (!g_windows.empty()) {
        std::unique_ptr<Window> window(g_windows.back());
        RemoveWindow(window.get());
        DropMessagesFor(HandleOf(window.get()));
        if (window->onDestroy) window->onDestroy(window->onDestroyContext);
        if (window->sdl) SDL_DestroyWindow(window->sdl);
    }
}

LRESULT SendToWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = OwnWindow(hwnd);
    if (!window || !window->proc) return 0;
    return window->proc(hwnd, message, wParam, lParam);
}

} // namespace platform
