// SDL events and caught signals as window messages.
#include <SDL.h>

#include "platform/posix/close_signals.h"
#include "platform/sdl/keys.h"
#include "platform/sdl/message_queue.h"
#include "platform/sdl/video.h"
#include "platform/sdl/window_table.h"

namespace {

// A close from outside (window manager, signal) is sent straight to the
// window procedure, as the platform sends WM_CLOSE; the window may be gone by
// the time its turn comes, since an earlier close can destroy several.
void SendCloseTo(const std::vector<HWND>& windows) {
    for (HWND hwnd : windows)
        if (platform::OwnWindow(hwnd)) platform::SendToWindow(hwnd, WM_CLOSE, 0, 0);
}

void Translate(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        platform::Window* window = platform::WindowOfSdlId(event.key.windowID);
        if (!window) return;
        MSG msg = platform::KeyMessage(event.key);
        msg.hwnd = platform::HandleOf(window);
        platform::PostToQueue(msg);
        return;
    }
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            if (platform::Window* window = platform::WindowOfSdlId(event.window.windowID))
                SendCloseTo({platform::HandleOf(window)});
        }
        return;
    case SDL_QUIT:
        SendCloseTo(platform::OwnWindowHandles());
        return;
    default:
        return;
    }
}

} // namespace

namespace platform {

void PumpEvents() {
    if (VideoStarted()) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) Translate(event);
    }
    if (TakeCloseSignal()) SendCloseTo(OwnWindowHandles());
}

} // namespace platform
