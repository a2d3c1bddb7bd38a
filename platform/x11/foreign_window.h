// Other processes' windows, reached through Xlib: found by their X class
// (SDL gives our windows the registered class name), tested for being
// iconic, restored and raised, with or without a window manager.
#pragma once

#include "platform/win32_api.h"

namespace platform {

// Handles of X windows carry the window id shifted up with the low bit set;
// our own handles are record addresses, whose low bit is always clear.
bool IsForeignHandle(HWND hwnd);
unsigned long ForeignWindowId(HWND hwnd);
HWND ForeignHandle(unsigned long xid);

// The topmost X window whose class (and name, when given) matches, or null.
HWND FindForeignWindow(const char* className, const char* windowName);
BOOL IsForeignWindowIconic(HWND hwnd);
BOOL RaiseForeignWindow(HWND hwnd);
BOOL ShowForeignWindow(HWND hwnd, int command);
// Closes the connection that the calls above open on first use.
void CloseForeignConnection();

} // namespace platform
