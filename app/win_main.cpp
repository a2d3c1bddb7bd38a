// Entry: the single-instance guard, the main window, start-up and the message
// loop that composes a frame whenever the queue is empty.
#include <cstdio>

#include "app/app.h"
#include "display/display.h"
#include "frame/frame.h"

namespace {

const char kClassName[] = "QV";
const char kCaption[] = "Quorvel";
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

// Exit code when the program cannot run at all (no window or no display).
constexpr int kExitCannotRun = 1;

// A second start raises the first instance's window instead of running.
void ActivateFirstInstance() {
    HWND other = FindWindowA(kClassName, nullptr);
    if (!other) return;
    if (IsIconic(other)) ShowWindow(other, SW_SHOWNORMAL);
    BringWindowToTop(other);
    BringWindowToTop(GetLastActivePopup(other));
}

bool RegisterMainClass(HINSTANCE hInstance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = nullptr;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE hInstance) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // Centred; the division truncates toward zero, also for a desktop
    // narrower than the window.
    return CreateWindowExA(WS_EX_APPWINDOW, kClassName, kCaption, WS_POPUP, (screenWidth - kWindowWidth) / 2,
                           (screenHeight - kWindowHeight) / 2, kWindowWidth, kWindowHeight, nullptr, nullptr,
                           hInstance, nullptr);
}

// Takes every pending message; composes one frame each time the queue is
// found empty. A close or quit request ends the loop before it is dispatched.
int RunMessageLoop() {
    MSG msg{};
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_CLOSE || msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            UpdateFrame();
        }
    }
}

} // namespace

int WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kClassName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ActivateFirstInstance();
        return 0;
    }
    // Released at once; the handle stays open so that the name exists for as
    // long as this instance runs.
    ReleaseMutex(mutex);

    if (!RegisterMainClass(hInstance)) {
        ErrorBox("RegisterClass FAILED");
        return kExitCannotRun;
    }
    g_hWnd = CreateMainWindow(hInstance);
    g_hInstance = hInstance;
    if (!g_hWnd) {
        ErrorBox("CreateWindow FAILED");
        return kExitCannotRun;
    }
    ShowWindow(g_hWnd, SW_SHOWNORMAL);
    UpdateWindow(g_hWnd);

    // Without a display every frame would be composed for nobody; the reason
    // has been shown already.
    if (AppInit() != 0) return kExitCannotRun;

    return RunMessageLoop();
}
