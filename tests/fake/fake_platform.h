// A scriptable stand-in for the platform layer, linked into the tests in place
// of the SDL2/X11 backend. Surfaces live in memory with a chosen layout and
// pitch; every call is written to one ordered log ("back.Lock",
// "MessageBoxA Error!! Cm not find!"), and the results of the calls that can
// fail are taken from per-object scripts (empty script: success).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ddraw_api.h"

namespace fake {

enum class Layout { RGB565, RGB555 };

// Colour conversion as the real device contexts do it: truncation to 5/6/5 or
// 5/5/5 bits, and back by bit replication.
WORD ColorRefToPixel(COLORREF color, Layout layout);
COLORREF PixelToColorRef(WORD pixel, Layout layout);

class Surface : public IDirectDrawSurface4 {
public:
    Surface(std::string name, int width, int height, int pitchBytes, Layout layout);

    // Test access to the memory.
    WORD Pixel(int x, int y) const;
    void SetPixelWord(int x, int y, WORD value);
    BYTE* Bytes() { return memory.data(); }

    std::string name;
    int width, height, pitch;
    Layout layout;
    std::vector<BYTE> memory;   // pitch * height bytes
    int refs = 1;
    bool released = false;      // last reference given up
    bool locked = false;
    Surface* attached = nullptr; // the back buffer of a flipping primary
    DDCOLORKEY colorKey{};
    bool hasColorKey = false;

    // Scripts: the front result is taken by each call; when a script is
    // empty the call succeeds.
    std::deque<HRESULT> lockResults, flipResults, restoreResults, getDCResults, attachResults;

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;
    // IDirectDrawSurface4
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface4** out) override;
    HRESULT Flip(IDirectDrawSurface4* target, DWORD flags) override;
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event) override;
    HRESULT Unlock(RECT* rect) override;
    HRESULT GetDC(HDC* out) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) override;
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) override;
    HRESULT Restore() override;

    virtual ~Surface() = default;
};

// The device context of a surface (what Surface::GetDC hands out).
struct SurfaceDC {
    Surface* surface;
};
Surface* SurfaceOfDC(HDC dc); // null for any other device context

// The display object: both the first interface and IDirectDraw4.
class DirectDraw : public IDirectDraw, public IDirectDraw4 {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT SetCooperativeLevel(HWND hWnd, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD w, DWORD h, DWORD bpp, DWORD refresh, DWORD flags) override;
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface4** out, IUnknown* outer) override;

    int refs = 1;
    bool released = false;
    std::deque<HRESULT> queryResults, cooperativeResults, modeResults, createSurfaceResults;
    virtual ~DirectDraw() = default;
};

// A window: one of the program's own, or the first instance's window in
// another process (foreign), as FindWindowA finds it.
struct Window {
    std::string className, caption;
    DWORD exStyle = 0, style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    WNDPROC proc = nullptr;
    bool foreign = false;
    bool iconic = false;
    bool destroyed = false;
    Window* popup = nullptr; // what GetLastActivePopup answers (itself when null)
};

// A bitmap that the fake LoadImageA hands out (its HBITMAP points here).
struct Bitmap {
    std::string name;
    std::string origin; // "resource" or "file"
    int width = 0, height = 0;
    bool deleted = false;
};

// What the fake bitmap services know: which pictures exist where, and every
// bitmap and memory device context handed out.
struct Bitmaps {
    struct Size {
        int width, height;
    };
    std::map<std::string, Size> resources; // the program's own, by name
    std::map<std::string, Size> files;     // in the working directory
    bool createDCFails = false;
    std::vector<std::unique_ptr<Bitmap>> made;
    int liveDCs = 0;                       // memory DCs not yet deleted
};

// The pattern that StretchBlt paints for the bitmap pixel (x, y).
WORD BitmapPattern(int x, int y);

// Everything the fake layer holds, reset between tests.
struct State {
    std::vector<std::string> log;

    // Display
    std::deque<HRESULT> directDrawCreateResults;
    Layout displayLayout = Layout::RGB565;
    int primaryPitch = 1280;                    // pitch of primary and back buffer
    std::vector<std::unique_ptr<DirectDraw>> displays;
    std::vector<std::unique_ptr<Surface>> surfaces;
    Surface* primary = nullptr;                 // the last primary surface made
    Surface* back = nullptr;                    // its back buffer
    DDSURFACEDESC2 lastCreateDesc{};            // the description of the last CreateSurface
    // Run on each display object and surface as it is made, so that a test
    // can script objects that the program creates itself.
    std::function<void(DirectDraw&)> arrangeDisplay;
    std::function<void(Surface&)> arrangeSurface;

    // Kernel and window services
    bool mutexExists = false;                   // another process holds the name
    bool registerClassFails = false;
    bool createWindowFails = false;
    int screenWidth = 1024, screenHeight = 768;
    std::vector<WNDCLASSA> classes;
    std::vector<std::unique_ptr<Window>> windows;
    Window* foreignWindow = nullptr;            // made by MakeForeignWindow
    std::deque<MSG> queue;                      // posted messages
    bool quitPosted = false;
    int quitCode = 0;
    int peekCalls = 0;
    // Runs at the start of every PeekMessageA call with its number (1, 2,
    // ...): tests post messages or stop the loop from here.
    std::function<void(int)> onPeek;
    std::deque<DWORD> ticks;                    // GetTickCount results; the last one repeats
    DWORD lastTick = 0;
    int cursorCount = 0;                        // ShowCursor display count
    std::vector<std::string> messageBoxes;      // texts shown by MessageBoxA
    std::function<void(const std::string&)> onMessageBox; // runs inside MessageBoxA
    std::vector<std::string> debugOutput;

    Bitmaps bitmaps;

    // Counts a call name in the log ("back.Lock").
    int Count(const std::string& entry) const;
};

State& state();
// Clears the state and frees every fake object.
void Reset();
// Appends one entry to the call log.
void Log(const std::string& entry);

// The first instance's window, for FindWindowA in a second start.
Window* MakeForeignWindow(const std::string& className);
Window* WindowOf(HWND hwnd);

// A free-standing surface (not a display's primary), owned by the state.
Surface* MakeSurface(const std::string& name, int width, int height, int pitchBytes, Layout layout);

} // namespace fake
