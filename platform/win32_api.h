// The Windows-style services that the program calls: types, constants and
// functions, declared by us with the names, arguments and results the
// program's code expects. The real program links the SDL2/X11/POSIX backend
// (platform/sdl); the tests link a scriptable fake (tests/fake).
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Basic types -----------------------------------------------------------

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int32_t HRESULT;
typedef DWORD COLORREF;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* HANDLE;
typedef void* HGDIOBJ;

// Handles are opaque pointers to layer-owned objects; the distinct tag types
// keep a window from being passed where a device context is wanted.
struct HWND__;
struct HINSTANCE__;
struct HDC__;
struct HBITMAP__;
struct HBRUSH__;
struct HCURSOR__;
struct HICON__;
struct HMENU__;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HDC__* HDC;
typedef HBITMAP__* HBITMAP;
typedef HBRUSH__* HBRUSH;
typedef HCURSOR__* HCURSOR;
typedef HICON__* HICON;
typedef HMENU__* HMENU;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct RECT {
    LONG left;
    LONG top;
    LONG right;  // exclusive
    LONG bottom; // exclusive
};

struct POINT {
    LONG x;
    LONG y;
};

struct SECURITY_ATTRIBUTES;

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

// ---- Result codes and constants -------------------------------------------

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// Window messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;

// Window class styles, window styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000u;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

// PeekMessage flags.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// MessageBox types and results.
constexpr UINT MB_OK = 0x00000000u;
constexpr int IDOK = 1;

// System metrics.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// Stock objects and cursors. A cursor "name" is a small integer passed as a
// pointer, as the original interface does.
constexpr int BLACK_BRUSH = 4;
#define IDC_ARROW (reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32512)))

// Images.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;

// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020u;

// ---- Kernel services --------------------------------------------------------

// The named mutex is a marker that other processes test for: the backend
// holds a lock for the life of the process.
HANDLE CreateMutexA(SECURITY_ATTRIBUTES* lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName);
BOOL ReleaseMutex(HANDLE hMutex);
DWORD GetLastError();
// Milliseconds since an arbitrary fixed start, unsigned 32 bits, wrapping.
DWORD GetTickCount();
HMODULE GetModuleHandleA(LPCSTR lpModuleName);
void OutputDebugStringA(LPCSTR lpOutputString);

// ---- Window services --------------------------------------------------------

WORD RegisterClassA(const WNDCLASSA* lpWndClass);
HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
HGDIOBJ GetStockObject(int i);
int GetSystemMetrics(int nIndex);
HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, void* lpParam);
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL UpdateWindow(HWND hWnd);
BOOL DestroyWindow(HWND hWnd);

// Finding and raising a window, also one that belongs to another process.
HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName);
BOOL IsIconic(HWND hWnd);
BOOL BringWindowToTop(HWND hWnd);
HWND GetLastActivePopup(HWND hWnd);

// Message queue. PeekMessageA never blocks.
BOOL PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessageA(const MSG* lpMsg);
LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);

// Message box (modal; returns when dismissed) and cursor display count.
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
int ShowCursor(BOOL bShow);

// ---- Bitmaps and device contexts -------------------------------------------

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad);
int GetObjectA(HANDLE h, int c, void* pv);
BOOL DeleteObject(HGDIOBJ ho);
HDC CreateCompatibleDC(HDC hdc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
BOOL DeleteDC(HDC hdc);
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop);
COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);

// COLORREF is 0x00BBGGRR.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
