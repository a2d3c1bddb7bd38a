// The background picture "BACK", captured once at start-up in the display's
// 16-bit layout.
#pragma once

#include "platform/ddraw_api.h"

// SCREEN_WIDTH x SCREEN_HEIGHT pixels, rows of WORK_PITCH bytes; null until
// captured.
extern WORD* g_pBackground;

// The start-up step that fills g_pBackground.
void LoadBackground();

IDirectDrawSurface4* DDLoadBitmap(IDirectDraw4* dd, const char* name, WORD* width, WORD* height, int wantWidth,
                                  int wantHeight);
HRESULT DDPaintBitmap(IDirectDrawSurface4* surface, HBITMAP bitmap, int x, int y, int width, int height);
DWORD DDMatchColor(IDirectDrawSurface4* surface, COLORREF color);
HRESULT DDApplyColorKey(IDirectDrawSurface4* surface, COLORREF color);
void SurfaceToMemory(DWORD* dst, IDirectDrawSurface4* surface, int width, int height);
