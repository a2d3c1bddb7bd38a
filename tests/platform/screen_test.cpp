#include "screen_test.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>

#include "platform/sdl/video.h"
#include "platform/sdl/window_table.h"
#include "tests/support/monotonic_clock.h"

namespace testing_support {

std::vector<MSG>& ReceivedMessages() {
    static std::vector<MSG> received;
    return received;
}

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    ReceivedMessages().push_back(msg);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeWindow(int width, int height, bool show) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "QV";
    RegisterClassA(&wc); // the second test in a process finds it registered
    HWND hwnd = CreateWindowExA(WS_EX_APPWINDOW, "QV", "Quorvel", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (hwnd && show) ShowWindow(hwnd, SW_SHOWNORMAL);
    return hwnd;
}

SDL_Window* SdlWindowOf(HWND hwnd) {
    platform::Window* window = platform::OwnWindow(hwnd);
    return window ? window->sdl : nullptr;
}

unsigned long XWindowOf(HWND hwnd) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    SDL_Window* window = SdlWindowOf(hwnd);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

bool PumpUntil(const std::function<bool()>& done, int waitMs) {
    const long long deadline = NowMs() + waitMs;
    MSG msg{};
    while (!done()) {
        if (NowMs() >= deadline) return false;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        else SDL_Delay(2);
    }
    return true;
}

bool ScreenTest::StartScreen(const ScreenShape& shape) {
    server_ = std::make_unique<XvfbServer>();
    if (!server_->Start(shape)) return false;
    setenv("DISPLAY", server_->display().c_str(), 1);
    ReceivedMessages().clear();
    return true;
}

void ScreenTest::TearDown() {
    platform::ShutdownVideo();
    unsetenv("DISPLAY");
    server_.reset();
}

} // namespace testing_support
