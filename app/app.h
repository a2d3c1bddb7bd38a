// The program's entry, main window, message loop and error box.
#pragma once

#include "platform/win32_api.h"

extern HWND g_hWnd;
extern HINSTANCE g_hInstance;

int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
LRESULT WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// printf-style message box for start-up failures. Releases the display
// objects before the box is shown, and returns.
void ErrorBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
