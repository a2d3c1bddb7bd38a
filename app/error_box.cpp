// Stand-in error box until the application shell lands: shows the message
// through the layer's message box with the cursor visible.
#include <cstdarg>
#include <cstdio>

#include "app/app.h"

HWND g_hWnd = nullptr;

void ErrorBox(const char* format, ...) {
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    ShowCursor(TRUE);
    MessageBoxA(g_hWnd, text, nullptr, MB_OK);
    ShowCursor(FALSE);
}
