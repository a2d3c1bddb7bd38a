// Measures what one Flip of a 640x480 frame costs on the current X display
// (median of a few hundred), and which way it reached the screen.
//   DISPLAY=:N platform_flip_cost [flips]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/ddraw_api.h"
#include "platform/sdl/display_objects.h"

namespace {

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    const int flips = argc > 1 ? std::atoi(argv[1]) : 300;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "QV";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "QV", "flip cost", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    IDirectDraw* first = nullptr;
    IDirectDraw4* dd = nullptr;
    if (DirectDrawCreate(nullptr, &first, nullptr) != DD_OK) return 1;
    first->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&dd));
    first->Release();
    dd->SetCooperativeLevel(hwnd, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    dd->SetDisplayMode(640, 480, 16, 0, 0);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    IDirectDrawSurface4* primary = nullptr;
    if (dd->CreateSurface(&desc, &primary, nullptr) != DD_OK) return 1;
    MSG msg;
    std::vector<double> ms;
    for (int i = 0; i < flips + 20; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        const auto start = std::chrono::steady_clock::now();
        const HRESULT r = primary->Flip(nullptr, DDFLIP_WAIT);
        const auto end = std::chrono::steady_clock::now();
        if (r != DD_OK) continue;
        if (i >= 20) ms.push_back(std::chrono::duration<double, std::milli>(end - start).count()); // after warm-up
    }
    std::sort(ms.begin(), ms.end());
    const auto path = static_cast<platform::DisplayObject*>(dd)->PresentPath();
    std::printf("%s: median %.3f ms over %zu flips\n",
                path == platform::Presenter::Path::WindowSurface ? "window surface" : "renderer",
                ms.empty() ? 0.0 : ms[ms.size() / 2], ms.size());
    primary->Release();
    dd->Release();
    DestroyWindow(hwnd);
    return 0;
}
