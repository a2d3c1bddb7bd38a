// PeekMessageA and its companions over one FIFO of messages.
#include "platform/sdl/message_queue.h"

#include <deque>

#include "platform/posix/last_error.h"
#include "platform/sdl/window_table.h"

namespace {

std::deque<MSG> g_queue;
bool g_quitPending = false;
int g_quitCode = 0;

// The filter handle that selects messages posted to the thread itself.
const HWND kThreadOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

bool MatchesWindow(HWND filter, HWND target) {
    if (!filter) return true;
    if (filter == kThreadOnly) return target == nullptr;
    return filter == target;
}

bool MatchesRange(UINT first, UINT last, UINT message) {
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}

} // namespace

namespace platform {

void PostToQueue(const MSG& msg) { g_queue.push_back(msg); }

void DropMessagesFor(HWND hwnd) {
    for (auto it = g_queue.begin(); it != g_queue.end();) {
        if (it->hwnd == hwnd) it = g_queue.erase(it);
        else ++it;
    }
}

} // namespace platform

BOOL PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (!lpMsg) return FALSE;
    platform::PumpEvents();
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (!MatchesWindow(hWnd, it->hwnd) || !MatchesRange(wMsgFilterMin, wMsgFilterMax, it->message)) continue;
        *lpMsg = *it;
        if (wRemoveMsg & PM_REMOVE) g_queue.erase(it);
        return TRUE;
    }
    // The quit request waits behind everything else and ignores the range
    // filter, as on the original platform.
    if (g_quitPending && (hWnd == nullptr || hWnd == kThreadOnly)) {
        *lpMsg = MSG{};
        lpMsg->message = WM_QUIT;
        lpMsg->wParam = static_cast<WPARAM>(g_quitCode);
        lpMsg->time = GetTickCount();
        if (wRemoveMsg & PM_REMOVE) g_quitPending = false;
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg) {
    // Character messages are not made: nothing in the program reads them.
    // The answer still tells key messages from the rest.
    if (!lpMsg) return FALSE;
    return lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_SYSKEYDOWN;
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg || !lpMsg->hwnd) return 0; // thread messages have no procedure
    return platform::SendToWindow(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM, LPARAM) {
    if (Msg == WM_CLOSE) DestroyWindow(hWnd);
    return 0;
}

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    // A null window posts to the thread; other processes' windows take no
    // posted messages from here.
    if (hWnd && !platform::OwnWindow(hWnd)) {
        platform::SetLastErrorCode(1400); // invalid window handle
        return FALSE;
    }
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = Msg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    platform::PostToQueue(msg);
    return TRUE;
}

void PostQuitMessage(int nExitCode) {
    g_quitPending = true;
    g_quitCode = nExitCode;
}
