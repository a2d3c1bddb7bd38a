// The main window's procedure: any key ends the program, and destroying the
// window gives every buffer and the display back.
#include <cstdlib>

#include "app/app.h"
#include "display/background.h"
#include "display/display.h"
#include "pixels/pixel_format.h"
#include "text/font.h"

namespace {

void FreeBuffers() {
    std::free(g_pWork);
    g_pWork = nullptr;
    std::free(g_pBackground);
    g_pBackground = nullptr;
    FreeFontBlock(g_pCmFont);
    g_pCmFont = nullptr;
    FreeFontBlock(g_pEmFont);
    g_pEmFont = nullptr;
}

} // namespace

LRESULT WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_DESTROY:
        FreeBuffers();
        ReleaseDirectDraw();
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_KEYDOWN:
        // Posted, not handled here: the loop sees the close request in the
        // queue and ends before dispatching it.
        PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        // System keys (Alt combinations, F10) are not key presses here.
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    }
}
