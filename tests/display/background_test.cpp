// The background capture over the fake display: where the picture comes from,
// how its surface is painted and keyed, and how its rows reach the block.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "display/background.h"
#include "display/display.h"
#include "pixels/pixel_format.h"
#include "tests/fake/fake_platform.h"

namespace {

class Background : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }

    static void Clear() {
        fake::Reset();
        std::free(g_pBackground);
        g_pBackground = nullptr;
        g_pDD = nullptr;
        g_pDDSPrimary = nullptr;
        g_pDDSBack = nullptr;
    }

    static fake::State& St() { return fake::state(); }

    static fake::DirectDraw* UseDisplay() {
        St().displays.push_back(std::make_unique<fake::DirectDraw>());
        g_pDD = St().displays.back().get();
        return St().displays.back().get();
    }

    // The log entries that start with the given text.
    static std::vector<std::string> Calls(const std::string& prefix) {
        std::vector<std::string> out;
        for (const auto& e : St().log)
            if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
        return out;
    }

    static fake::Surface* Plain() {
        for (auto& s : St().surfaces)
            if (s->name == "plain") return s.get();
        return nullptr;
    }

    // Every pixel of the 640x480 block holds the painted pattern (or 0).
    static bool BlockIs(bool painted) {
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x)
                if (g_pBackground[y * SCREEN_WIDTH + x] != (painted ? fake::BitmapPattern(x, y) : 0)) return false;
        return true;
    }
};

const char* const kFromResource = "LoadImageA module BACK 0 640 480 0x2000";
const char* const kFromFile = "LoadImageA null BACK 0 640 480 0x2010";
const char* const kMissing = "DDLoadBitmap BACKBitmap FAILED";

TEST_F(Background, TakesThePictureFromTheResourceFirstThenTheFile) {
    struct Case {
        const char* name;
        bool resource, file;
        fake::Bitmaps::Size size;
        std::vector<std::string> loads;
        const char* origin; // null: no picture
    } cases[] = {
        {"both", true, true, {640, 480}, {kFromResource}, "resource"},
        {"file only", false, true, {640, 480}, {kFromResource, kFromFile}, "file"},
        {"neither", false, false, {640, 480}, {kFromResource, kFromFile}, nullptr},
        {"smaller resource, scaled", true, false, {320, 240}, {kFromResource}, "resource"},
        {"odd-sized file, scaled", false, true, {641, 7}, {kFromResource, kFromFile}, "file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        UseDisplay();
        if (c.resource) St().bitmaps.resources["BACK"] = c.size;
        if (c.file) St().bitmaps.files["BACK"] = c.size;

        LoadBackground();

        EXPECT_EQ(Calls("LoadImageA"), c.loads);
        ASSERT_NE(g_pBackground, nullptr);
        if (c.origin) {
            ASSERT_EQ(St().bitmaps.made.size(), 1u);
            EXPECT_EQ(St().bitmaps.made[0]->origin, c.origin);
            EXPECT_TRUE(St().bitmaps.made[0]->deleted);
            EXPECT_TRUE(St().messageBoxes.empty());
            ASSERT_NE(Plain(), nullptr);
            EXPECT_EQ(Plain()->width, SCREEN_WIDTH);
            EXPECT_EQ(Plain()->height, SCREEN_HEIGHT);
            EXPECT_TRUE(Plain()->released);
            EXPECT_TRUE(Plain()->hasColorKey);
            EXPECT_EQ(Plain()->colorKey.dwColorSpaceLowValue, 0u);
            EXPECT_EQ(Plain()->colorKey.dwColorSpaceHighValue, 0u);
            EXPECT_TRUE(BlockIs(true));
        } else {
            EXPECT_EQ(St().messageBoxes, std::vector<std::string>{kMissing});
            EXPECT_EQ(Plain(), nullptr);
            EXPECT_TRUE(BlockIs(false));
        }
        EXPECT_EQ(St().bitmaps.liveDCs, 0);
    }
}

TEST_F(Background, StaysBlackWhenThePictureCannotBeCaptured) {
    struct Case {
        const char* name;
        std::deque<HRESULT> createResults, lockResults;
        std::vector<std::string> messages;
    } cases[] = {
        {"surface refused", {DDERR_OUTOFMEMORY}, {}, {kMissing}},
        {"surface cannot be locked", {}, {DDERR_SURFACELOST, DDERR_SURFACELOST}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        UseDisplay()->createSurfaceResults = c.createResults;
        St().arrangeSurface = [&](fake::Surface& s) { s.lockResults = c.lockResults; };
        St().bitmaps.resources["BACK"] = {640, 480};

        LoadBackground();

        EXPECT_EQ(St().messageBoxes, c.messages);
        ASSERT_EQ(St().bitmaps.made.size(), 1u);
        EXPECT_TRUE(St().bitmaps.made[0]->deleted);
        if (Plain()) {
            EXPECT_TRUE(Plain()->released);
        }
        ASSERT_NE(g_pBackground, nullptr);
        EXPECT_TRUE(BlockIs(false));
    }
}

TEST_F(Background, LoadBitmapMakesASystemMemorySurfaceOfTheBitmapsSize) {
    struct Case {
        const char* name;
        fake::Bitmaps::Size picture;
        int wantWidth, wantHeight;
        bool createFails;
        WORD width, height; // outputs
        int surfaceWidth;   // 0: no surface
    } cases[] = {
        {"own size", {8, 4}, 0, 0, false, 8, 4, 8},
        {"wanted size", {8, 4}, 6, 3, false, 6, 3, 6},
        {"width beyond 16 bits", {70000, 1}, 0, 0, false, 70000 & 0xFFFF, 1, 70000},
        {"surface refused, outputs still set", {8, 4}, 0, 0, true, 8, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        fake::DirectDraw* dd = UseDisplay();
        if (c.createFails) dd->createSurfaceResults = {DDERR_OUTOFMEMORY};
        St().bitmaps.resources["PIC"] = c.picture;
        WORD width = 0xAAAA, height = 0xAAAA;

        IDirectDrawSurface4* s = DDLoadBitmap(dd, "PIC", &width, &height, c.wantWidth, c.wantHeight);

        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(s != nullptr, c.surfaceWidth != 0);
        EXPECT_TRUE(St().bitmaps.made.at(0)->deleted);
        const DDSURFACEDESC2& desc = St().lastCreateDesc;
        EXPECT_EQ(desc.dwSize, sizeof(DDSURFACEDESC2));
        EXPECT_EQ(desc.dwFlags, DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH);
        EXPECT_EQ(desc.ddsCaps.dwCaps, DDSCAPS_SYSTEMMEMORY);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 0u); // the display's own format
        if (s) {
            EXPECT_EQ(s, Plain());
            EXPECT_EQ(Plain()->width, c.surfaceWidth);
            EXPECT_EQ(Calls("StretchBlt").size(), 1u);
        }
    }
}

TEST_F(Background, LoadBitmapWithoutAPictureLeavesTheOutputsAlone) {
    fake::DirectDraw* dd = UseDisplay();
    WORD width = 0xAAAA, height = 0xBBBB;
    EXPECT_EQ(DDLoadBitmap(dd, "NONE", &width, &height, 0, 0), nullptr);
    EXPECT_EQ(width, 0xAAAA);
    EXPECT_EQ(height, 0xBBBB);
    EXPECT_EQ(St().Count("dd.CreateSurface plain"), 0);
}

TEST_F(Background, PaintBitmapStretchesTheSourcePartOverTheWholeSurface) {
    struct Case {
        const char* name;
        int x, y, width, height;
        const char* blit;
    } cases[] = {
        {"whole bitmap", 0, 0, 0, 0, "StretchBlt 0,0,8,4 <- 0,0,16,8 0xCC0020"},
        {"part", 2, 1, 4, 2, "StretchBlt 0,0,8,4 <- 2,1,4,2 0xCC0020"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        St().bitmaps.resources["PIC"] = {16, 8};
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "PIC", IMAGE_BITMAP, 0, 0, 0));
        fake::Surface* s = fake::MakeSurface("s", 8, 4, 16, fake::Layout::RGB565);
        St().log.clear();

        EXPECT_EQ(DDPaintBitmap(s, bitmap, c.x, c.y, c.width, c.height), DD_OK);

        const std::vector<std::string> expected = {
            "s.Restore", "CreateCompatibleDC", "SelectObject", "GetObjectA " + std::to_string(sizeof(BITMAP)),
            "s.GetSurfaceDesc", "s.GetDC", c.blit, "s.ReleaseDC", "DeleteDC"};
        EXPECT_EQ(St().log, expected);
        const int w = c.width ? c.width : 16, h = c.height ? c.height : 8;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(s->Pixel(x, y), fake::BitmapPattern(c.x + x * w / 8, c.y + y * h / 4));
    }
}

TEST_F(Background, PaintBitmapWithoutABitmapOrSurfaceTouchesNothing) {
    fake::Surface* s = fake::MakeSurface("s", 8, 4, 16, fake::Layout::RGB565);
    St().bitmaps.resources["PIC"] = {8, 4};
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "PIC", IMAGE_BITMAP, 0, 0, 0));
    St().log.clear();
    EXPECT_EQ(DDPaintBitmap(s, nullptr, 0, 0, 0, 0), E_FAIL);
    EXPECT_EQ(DDPaintBitmap(nullptr, bitmap, 0, 0, 0, 0), E_FAIL);
    EXPECT_TRUE(St().log.empty());
}

TEST_F(Background, PaintBitmapGoesOnWithoutAMemoryDC) {
    St().bitmaps.resources["PIC"] = {8, 4};
    St().bitmaps.createDCFails = true;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "PIC", IMAGE_BITMAP, 0, 0, 0));
    fake::Surface* s = fake::MakeSurface("s", 8, 4, 16, fake::Layout::RGB565);
    s->getDCResults = {DD_OK};

    EXPECT_EQ(DDPaintBitmap(s, bitmap, 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(St().debugOutput, std::vector<std::string>{"createcompatible dc failed\n"});
    EXPECT_EQ(St().Count("s.ReleaseDC"), 1);

    s->getDCResults = {DDERR_SURFACELOST};
    EXPECT_EQ(DDPaintBitmap(s, bitmap, 0, 0, 0, 0), DDERR_SURFACELOST);
    EXPECT_EQ(St().Count("s.ReleaseDC"), 1);
}

TEST_F(Background, MatchColorReadsTheColoursValueAndPutsTheTopLeftPixelBack) {
    struct Case {
        const char* name;
        fake::Layout layout;
        COLORREF color;
        DWORD expected;
    } cases[] = {
        {"black, RGB565", fake::Layout::RGB565, RGB(0, 0, 0), 0},
        {"black, RGB555", fake::Layout::RGB555, RGB(0, 0, 0), 0},
        {"white, RGB565", fake::Layout::RGB565, RGB(255, 255, 255), 0xFFFF},
        {"white, RGB555", fake::Layout::RGB555, RGB(255, 255, 255), 0x7FFF},
        {"bottom-right colour, RGB565", fake::Layout::RGB565, CLR_INVALID, 0x5A5A},
        {"bottom-right colour, RGB555", fake::Layout::RGB555, CLR_INVALID, 0x5A5A},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        fake::Surface* s = fake::MakeSurface("s", 640, 480, 1280, c.layout);
        s->SetPixelWord(0, 0, 0x1234);
        s->SetPixelWord(639, 479, 0x5A5A);

        EXPECT_EQ(DDMatchColor(s, c.color), c.expected);
        EXPECT_EQ(s->Pixel(0, 0), 0x1234);
        EXPECT_EQ(St().Count("s.Unlock"), 1);
    }
}

TEST_F(Background, AnUnlockableSurfaceGivesAnAllOnesKey) {
    fake::Surface* s = fake::MakeSurface("s", 4, 2, 8, fake::Layout::RGB565);
    s->SetPixelWord(0, 0, 0x1234);
    s->lockResults = {DDERR_WASSTILLDRAWING, DDERR_SURFACELOST};

    EXPECT_EQ(DDApplyColorKey(s, RGB(0, 0, 0)), DD_OK);

    EXPECT_EQ(St().Count("s.Lock"), 2);
    EXPECT_EQ(St().Count("s.Unlock"), 0);
    EXPECT_EQ(St().Count("s.SetColorKey 8"), 1);
    EXPECT_EQ(s->colorKey.dwColorSpaceLowValue, 0xFFFFFFFFu);
    EXPECT_EQ(s->colorKey.dwColorSpaceHighValue, 0xFFFFFFFFu);
    EXPECT_EQ(s->Pixel(0, 0), 0x1234);
}

TEST_F(Background, SurfaceToMemoryCopiesWholePairsRowByRow) {
    struct Case {
        const char* name;
        int surfaceWidth, surfaceHeight, pitch;
        int width, height;
        std::deque<HRESULT> locks;
        bool copied;
    } cases[] = {
        {"full picture", 640, 480, 1280, 640, 480, {}, true},
        {"odd width drops the last pixel", 641, 5, 1284, 641, 5, {}, true},
        {"pitch larger than the row", 10, 3, 32, 10, 3, {}, true},
        {"busy surface is locked again", 6, 2, 12, 6, 2, {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING}, true},
        {"width 0", 6, 2, 12, 0, 2, {}, true},
        {"width 1", 6, 2, 12, 1, 2, {}, true},
        {"height 0", 6, 2, 12, 6, 0, {}, true},
        {"lock fails", 6, 2, 12, 6, 2, {DDERR_SURFACELOST}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        fake::Surface* s = fake::MakeSurface("s", c.surfaceWidth, c.surfaceHeight, c.pitch, fake::Layout::RGB565);
        for (int y = 0; y < c.surfaceHeight; ++y)
            for (int x = 0; x < c.surfaceWidth; ++x) s->SetPixelWord(x, y, fake::BitmapPattern(x, y));
        s->lockResults = c.locks;
        const WORD kUntouched = 0xEEEE;
        std::vector<WORD> block(static_cast<size_t>(c.width) * c.height + 2, kUntouched);

        SurfaceToMemory(reinterpret_cast<DWORD*>(block.data()), s, c.width, c.height);

        const int rowPixels = c.width / 2 * 2;
        std::vector<WORD> expected(block.size(), kUntouched);
        if (c.copied)
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < rowPixels; ++x) expected[y * rowPixels + x] = fake::BitmapPattern(x, y);
        EXPECT_EQ(block, expected);
        EXPECT_EQ(St().Count("s.Lock"), static_cast<int>(c.locks.size()) + (c.copied ? 1 : 0));
        EXPECT_EQ(St().Count("s.Unlock"), c.copied ? 1 : 0);
    }
}

} // namespace
