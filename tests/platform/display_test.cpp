// The display on a real X server: the flipping pair in the screen's layout,
// what reaches the screen, and surfaces lost while the window is minimised.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ddraw_api.h"
#include "platform/sdl/display_objects.h"
#include "screen_test.h"

namespace {

using platform::Presenter;
using testing_support::ScreenShape;

constexpr int kWaitMs = 10000;
constexpr int kW = 640;
constexpr int kH = 480;

// The display taken over as the program does it.
struct Display {
    IDirectDraw4* dd = nullptr;
    IDirectDrawSurface4* primary = nullptr;
    IDirectDrawSurface4* back = nullptr;
};

void TakeDisplay(HWND hwnd, Display* d) {
    IDirectDraw* first = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
    ASSERT_EQ(first->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&d->dd)), DD_OK);
    EXPECT_EQ(first->Release(), 1u); // the IDirectDraw4 reference keeps it
    ASSERT_EQ(d->dd->SetCooperativeLevel(hwnd, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(d->dd->SetDisplayMode(kW, kH, 16, 0, 0), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    ASSERT_EQ(d->dd->CreateSurface(&desc, &d->primary, nullptr), DD_OK);
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    ASSERT_EQ(d->primary->GetAttachedSurface(&caps, &d->back), DD_OK);
}

HRESULT LockWhole(IDirectDrawSurface4* surface, DDSURFACEDESC2* desc) {
    *desc = DDSURFACEDESC2{};
    desc->dwSize = sizeof *desc;
    return surface->Lock(nullptr, desc, 0, nullptr);
}

WORD PatternWord(int x, int y, int frame, bool rgb565) {
    const unsigned v = static_cast<unsigned>(x * 7 + y * 131 + frame * 4099);
    return static_cast<WORD>(v & (rgb565 ? 0xFFFFu : 0x7FFFu));
}

void DrawPattern(IDirectDrawSurface4* back, int frame, bool rgb565) {
    DDSURFACEDESC2 desc;
    ASSERT_EQ(LockWhole(back, &desc), DD_OK);
    auto* rows = static_cast<BYTE*>(desc.lpSurface);
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<WORD*>(rows + y * desc.lPitch);
        for (int x = 0; x < kW; ++x) row[x] = PatternWord(x, y, frame, rgb565);
    }
    back->Unlock(nullptr);
}

// A screenshot of the whole screen: xwd's header (big-endian fields) tells
// the pixel size, row length and byte order of the raw pixels after it.
class Screenshot {
public:
    bool Take(const std::string& display) {
        if (testing_support::RunCommand({"xwd", "-root", "-silent"}, {"DISPLAY=" + display}, kWaitMs, &data_) != 0)
            return false;
        if (data_.size() < 100) return false;
        auto field = [&](int i) {
            const auto* p = reinterpret_cast<const unsigned char*>(data_.data()) + 4 * i;
            return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
        };
        width = field(4);
        height = field(5);
        lsbFirst = field(7) == 0;
        bitsPerPixel = field(11);
        bytesPerLine = field(12);
        redMask = field(14);
        greenMask = field(15);
        blueMask = field(16);
        offset_ = field(0) + field(19) * 12;
        return data_.size() >= offset_ + size_t(bytesPerLine) * height;
    }
    uint32_t Raw(int x, int y) const {
        const auto* p = reinterpret_cast<const unsigned char*>(data_.data()) + offset_ + size_t(y) * bytesPerLine +
                        size_t(x) * (bitsPerPixel / 8);
        uint32_t v = 0;
        const int bytes = static_cast<int>(bitsPerPixel / 8);
        for (int i = 0; i < bytes; ++i) v |= uint32_t(p[lsbFirst ? i : bytes - 1 - i]) << (8 * i);
        return v;
    }
    uint32_t width = 0, height = 0, bitsPerPixel = 0, bytesPerLine = 0, redMask = 0, greenMask = 0, blueMask = 0;
    bool lsbFirst = true;

private:
    std::string data_;
    size_t offset_ = 0;
};

// A channel of a raw pixel scaled to 0..255, for screens whose format is not
// the frame's (the renderer converts there).
int Channel(uint32_t raw, uint32_t mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        raw >>= 1;
        ++shift;
    }
    return mask ? static_cast<int>((raw & mask) * 255 / mask) : 0;
}

struct DisplayCase {
    const char* name;
    ScreenShape screen;
    bool rgb565;
    Presenter::Path path;
    enum class Compare { Exact, Close, None } compare;
};

void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name; }

class DisplayTest : public testing_support::ScreenTest, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(DisplayTest, FlippingPairShowsTheBackBufferInTheScreensLayout) {
    const DisplayCase& c = GetParam();
    if (c.compare != DisplayCase::Compare::None && !testing_support::ProgramExists("xwd"))
        GTEST_SKIP() << "xwd is missing";
    if (!StartScreen(c.screen)) GTEST_SKIP() << "no Xvfb or openbox";
    HWND hwnd = testing_support::MakeWindow(kW, kH, true);
    ASSERT_NE(hwnd, nullptr);
    Display d;
    ASSERT_NO_FATAL_FAILURE(TakeDisplay(hwnd, &d));
    SDL_Window* window = testing_support::SdlWindowOf(hwnd);
    // The window covers the whole screen once the full-screen request is done.
    ASSERT_TRUE(testing_support::PumpUntil(
        [&] {
            int w = 0, h = 0;
            SDL_GetWindowSize(window, &w, &h);
            return w == c.screen.width && h == c.screen.height;
        },
        kWaitMs));

    // Whole-surface lock: memory, pitch and 16-bit layout of the screen.
    DDSURFACEDESC2 desc;
    ASSERT_EQ(LockWhole(d.back, &desc), DD_OK);
    EXPECT_NE(desc.lpSurface, nullptr);
    EXPECT_EQ(desc.dwWidth, DWORD(kW));
    EXPECT_EQ(desc.dwHeight, DWORD(kH));
    EXPECT_GE(desc.lPitch, 2 * kW);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, c.rgb565 ? 0xF800u : 0x7C00u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, c.rgb565 ? 0x07E0u : 0x03E0u);
    EXPECT_EQ(d.back->Unlock(nullptr), DD_OK);

    // White through the surface's device context is the layout's white.
    HDC dc = nullptr;
    ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
    SetPixel(dc, 0, 0, RGB(255, 255, 255));
    ASSERT_EQ(d.back->ReleaseDC(dc), DD_OK);
    ASSERT_EQ(LockWhole(d.back, &desc), DD_OK);
    EXPECT_EQ(*static_cast<WORD*>(desc.lpSurface), c.rgb565 ? 0xFFFF : 0x7FFF);
    d.back->Unlock(nullptr);

    // Two different frames; the second must be what the screen shows, which
    // also proves that the flip exchanged the buffers.
    DrawPattern(d.back, 1, c.rgb565);
    ASSERT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    DrawPattern(d.back, 2, c.rgb565);
    ASSERT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    auto* display = static_cast<platform::DisplayObject*>(d.dd);
    EXPECT_EQ(display->PresentPath(), c.path);

    if (c.compare != DisplayCase::Compare::None) {
        Screenshot shot;
        ASSERT_TRUE(shot.Take(server().display()));
        ASSERT_EQ(shot.width, uint32_t(kW));
        ASSERT_EQ(shot.height, uint32_t(kH));
        int mismatches = 0;
        for (int y = 0; y < kH; y += 7) {
            for (int x = 0; x < kW; x += 3) {
                const WORD want = PatternWord(x, y, 2, c.rgb565);
                const uint32_t got = shot.Raw(x, y);
                bool same;
                if (c.compare == DisplayCase::Compare::Exact) {
                    same = got == want;
                } else {
                    const int r = (want >> 11) * 255 / 31, g = ((want >> 5) & 63) * 255 / 63, b = (want & 31) * 255 / 31;
                    same = std::abs(Channel(got, shot.redMask) - r) <= 8 &&
                           std::abs(Channel(got, shot.greenMask) - g) <= 8 &&
                           std::abs(Channel(got, shot.blueMask) - b) <= 8;
                }
                if (!same && ++mismatches <= 3)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): screen " << std::hex << got << ", frame " << want;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }

    // Releasing the primary takes its back buffer along; releasing the
    // display object gives back what it made in SDL.
    EXPECT_EQ(d.primary->Release(), 0u);
    EXPECT_EQ(d.dd->Release(), 0u);
    EXPECT_EQ(SDL_GetRenderer(window), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, DisplayTest,
    ::testing::Values(
        DisplayCase{"Rgb565Screen", {640, 480, 16, false}, true, Presenter::Path::WindowSurface,
                    DisplayCase::Compare::Exact},
        DisplayCase{"Rgb555Screen", {640, 480, 15, false}, false, Presenter::Path::WindowSurface,
                    DisplayCase::Compare::Exact},
        DisplayCase{"TrueColourScreen", {640, 480, 24, false}, true, Presenter::Path::Renderer,
                    DisplayCase::Compare::Close},
        DisplayCase{"LargerScreenUnderWindowManager", {800, 600, 16, true}, true, Presenter::Path::Renderer,
                    DisplayCase::Compare::None}),
    [](const ::testing::TestParamInfo<DisplayCase>& param) { return std::string(param.param.name); });

class LostSurfaceTest : public testing_support::ScreenTest {};

TEST_F(LostSurfaceTest, LostWhileMinimisedAndRestoredWhenShownAgain) {
    if (!testing_support::ProgramExists("xdotool")) GTEST_SKIP() << "xdotool is missing";
    if (!StartScreen({640, 480, 16, true})) GTEST_SKIP() << "no Xvfb or openbox";
    HWND hwnd = testing_support::MakeWindow(kW, kH, true);
    ASSERT_NE(hwnd, nullptr);
    Display d;
    ASSERT_NO_FATAL_FAILURE(TakeDisplay(hwnd, &d));
    ASSERT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);

    const std::string xid = std::to_string(testing_support::XWindowOf(hwnd));
    ASSERT_EQ(testing_support::RunCommand({"xdotool", "windowminimize", xid}, {"DISPLAY=" + server().display()},
                                          kWaitMs),
              0);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return IsIconic(hwnd) != FALSE; }, kWaitMs));

    DDSURFACEDESC2 desc;
    EXPECT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(LockWhole(d.back, &desc), DDERR_SURFACELOST);
    EXPECT_NE(d.primary->Restore(), DD_OK);

    ShowWindow(hwnd, SW_RESTORE);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return d.primary->Restore() == DD_OK; }, kWaitMs));
    EXPECT_EQ(LockWhole(d.back, &desc), DD_OK);
    d.back->Unlock(nullptr);
    EXPECT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);

    d.primary->Release();
    d.dd->Release();
}

} // namespace
