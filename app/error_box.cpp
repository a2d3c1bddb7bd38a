// The start-up error box. The display is released before the box is shown so
// that the box can be seen over a screen that was taken over.
#include <cstdarg>
#include <cstdio>

#include "app/app.h"
#include "display/display.h"

void ErrorBox(const char* format, ...) {
    ShowCursor(TRUE);

    // Longer texts are cut at 127 characters; every message the program
    // passes is far shorter.
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    ReleaseDirectDraw();
    MessageBoxA(g_hWnd, text, nullptr, MB_OK);
    ShowCursor(FALSE);
}
