// The main window and the instance it belongs to; set once by WinMain. Kept
// apart from WinMain so that code which only shows a message (the error box)
// links without the whole shell.
#include "app/app.h"

HWND g_hWnd = nullptr;
HINSTANCE g_hInstance = nullptr;
