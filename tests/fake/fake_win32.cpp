// Fake kernel and window services: a scripted clock, the cursor count, and
// message boxes recorded instead of shown.
#include <string>

#include "tests/fake/fake_platform.h"

DWORD GetTickCount() {
    fake::State& st = fake::state();
    if (!st.ticks.empty()) {
        st.lastTick = st.ticks.front();
        st.ticks.pop_front();
    }
    return st.lastTick;
}

int ShowCursor(BOOL show) {
    fake::State& st = fake::state();
    st.cursorCount += show ? 1 : -1;
    fake::Log(std::string("ShowCursor ") + (show ? "TRUE" : "FALSE"));
    return st.cursorCount;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR, UINT) {
    fake::State& st = fake::state();
    std::string t = text ? text : "";
    st.messageBoxes.push_back(t);
    fake::Log("MessageBoxA " + t);
    if (st.onMessageBox) st.onMessageBox(t);
    return IDOK;
}

void OutputDebugStringA(LPCSTR text) {
    fake::state().debugOutput.push_back(text ? text : "");
    fake::Log(std::string("OutputDebugStringA ") + (text ? text : ""));
}

// ---- Single instance --------------------------------------------------------

namespace {
DWORD g_lastError = 0;
HANDLE const kMutex = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x4D));
} // namespace

HANDLE CreateMutexA(SECURITY_ATTRIBUTES*, BOOL owned, LPCSTR name) {
    fake::Log(std::string("CreateMutexA ") + (name ? name : "") + (owned ? " owned" : ""));
    g_lastError = fake::state().mutexExists ? ERROR_ALREADY_EXISTS : 0;
    return kMutex;
}

BOOL ReleaseMutex(HANDLE) {
    fake::Log("ReleaseMutex");
    return TRUE;
}

DWORD GetLastError() { return g_lastError; }

HMODULE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000)); }

// ---- Windows ----------------------------------------------------------------

namespace fake {

Window* WindowOf(HWND hwnd) { return reinterpret_cast<Window*>(hwnd); }

Window* MakeForeignWindow(const std::string& className) {
    State& st = state();
    st.windows.push_back(std::make_unique<Window>());
    Window* w = st.windows.back().get();
    w->className = className;
    w->foreign = true;
    st.foreignWindow = w;
    return w;
}

} // namespace fake

namespace {
HWND Handle(fake::Window* w) { return reinterpret_cast<HWND>(w); }
std::string Name(HWND hwnd) {
    fake::Window* w = fake::WindowOf(hwnd);
    if (!w) return "null";
    return w->foreign ? "foreign" : "main";
}
} // namespace

WORD RegisterClassA(const WNDCLASSA* wc) {
    fake::State& st = fake::state();
    fake::Log(std::string("RegisterClassA ") + wc->lpszClassName);
    if (st.registerClassFails) return 0;
    st.classes.push_back(*wc);
    return static_cast<WORD>(st.classes.size());
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR) {
    fake::Log("LoadCursorA");
    return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0xC0));
}

HGDIOBJ GetStockObject(int i) {
    fake::Log("GetStockObject " + std::to_string(i));
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0xB0 + i));
}

int GetSystemMetrics(int index) {
    fake::State& st = fake::state();
    fake::Log("GetSystemMetrics " + std::to_string(index));
    return index == SM_CXSCREEN ? st.screenWidth : index == SM_CYSCREEN ? st.screenHeight : 0;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR caption, DWORD style, int x, int y, int w, int h, HWND,
                     HMENU, HINSTANCE, void*) {
    fake::State& st = fake::state();
    fake::Log("CreateWindowExA " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" +
              std::to_string(h));
    if (st.createWindowFails) return nullptr;
    WNDPROC proc = nullptr;
    for (const WNDCLASSA& wc : st.classes)
        if (std::string(wc.lpszClassName) == className) proc = wc.lpfnWndProc;
    if (!proc) return nullptr;
    st.windows.push_back(std::make_unique<fake::Window>());
    fake::Window* win = st.windows.back().get();
    *win = fake::Window{className, caption ? caption : "", exStyle, style, x, y, w, h, proc};
    return Handle(win);
}

BOOL ShowWindow(HWND hwnd, int cmd) {
    fake::Log("ShowWindow " + Name(hwnd) + " " + std::to_string(cmd));
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    fake::Log("UpdateWindow " + Name(hwnd));
    return TRUE;
}

BOOL DestroyWindow(HWND hwnd) {
    fake::Log("DestroyWindow " + Name(hwnd));
    fake::Window* w = fake::WindowOf(hwnd);
    if (!w || w->destroyed) return FALSE;
    w->destroyed = true;
    w->proc(hwnd, WM_DESTROY, 0, 0);
    return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR) {
    fake::Log(std::string("FindWindowA ") + className);
    fake::Window* w = fake::state().foreignWindow;
    return w && w->className == className ? Handle(w) : nullptr;
}

BOOL IsIconic(HWND hwnd) {
    fake::Log("IsIconic " + Name(hwnd));
    fake::Window* w = fake::WindowOf(hwnd);
    return w && w->iconic;
}

BOOL BringWindowToTop(HWND hwnd) {
    fake::Window* w = fake::WindowOf(hwnd);
    fake::Log("BringWindowToTop " + (w && w != fake::state().foreignWindow && w->foreign ? "popup" : Name(hwnd)));
    return w != nullptr;
}

HWND GetLastActivePopup(HWND hwnd) {
    fake::Log("GetLastActivePopup " + Name(hwnd));
    fake::Window* w = fake::WindowOf(hwnd);
    return w && w->popup ? Handle(w->popup) : hwnd;
}

// ---- Message queue ----------------------------------------------------------

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT remove) {
    fake::State& st = fake::state();
    ++st.peekCalls;
    if (st.onPeek) st.onPeek(st.peekCalls);
    if (!st.queue.empty()) {
        *msg = st.queue.front();
        if (remove & PM_REMOVE) st.queue.pop_front();
        return TRUE;
    }
    if (st.quitPosted) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(st.quitCode), 0, 0, {0, 0}};
        if (remove & PM_REMOVE) st.quitPosted = false;
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    fake::Log("TranslateMessage " + std::to_string(msg->message));
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    fake::Log("DispatchMessageA " + std::to_string(msg->message));
    fake::Window* w = fake::WindowOf(msg->hwnd);
    if (!w || !w->proc || w->destroyed) return 0;
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM, LPARAM) {
    fake::Log("DefWindowProcA " + std::to_string(message));
    if (message == WM_CLOSE) DestroyWindow(hwnd);
    return 0;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    fake::Log("PostMessageA " + std::to_string(message));
    fake::state().queue.push_back(MSG{hwnd, message, wParam, lParam, 0, {0, 0}});
    return TRUE;
}

void PostQuitMessage(int code) {
    fake::Log("PostQuitMessage " + std::to_string(code));
    fake::state().quitPosted = true;
    fake::state().quitCode = code;
}
