#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "tests/fake/program_globals.h"

namespace {

class AppInitTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithPictureAndFonts();
    }
    void TearDown() override { ResetProgramGlobals(); }

    // The log entries from the first one that starts with `from`.
    static std::vector<std::string> LogFrom(const std::string& from) {
        const auto& log = fake::state().log;
        auto it = std::find_if(log.begin(), log.end(), [&](const std::string& e) { return e.rfind(from, 0) == 0; });
        return std::vector<std::string>(it, log.end());
    }
};

TEST_F(AppInitTest, TakesTheDisplayOverInItsFixedOrder) {
    EXPECT_EQ(AppInit(), 0);
    const std::vector<std::string> expected = {
        "ShowCursor FALSE",
        "DirectDrawCreate",
        "dd.QueryInterface",
        "dd.Release", // the first interface is given up; g_pDD holds its own reference
        "dd.SetCooperativeLevel 17",
        "dd.SetDisplayMode 640x480x16 0 0",
        "dd.CreateSurface primary",
        "primary.GetAttachedSurface",
        "back.GetDC", "SetPixel 0,0", "back.ReleaseDC",
        "back.Lock", "back.Unlock",
        "back.GetDC", "SetPixel 0,0", "back.ReleaseDC",
    };
    EXPECT_EQ(fake::state().log, expected);
    EXPECT_EQ(g_pDDSPrimary, fake::state().primary);
    EXPECT_EQ(g_pDDSBack, fake::state().back);
    EXPECT_NE(g_pWork, nullptr);
    EXPECT_EQ(fake::state().cursorCount, -1);
}

TEST_F(AppInitTest, DetectsTheLayoutOfTheBackBufferAndLeavesItsProbePixelBlack) {
    struct Case {
        fake::Layout layout;
        std::deque<HRESULT> locks;
        WORD b565;
        int lockCalls, unlockCalls;
    };
    const Case cases[] = {
        {fake::Layout::RGB565, {}, 1, 1, 1},
        {fake::Layout::RGB555, {}, 0, 1, 1},
        {fake::Layout::RGB565, {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING}, 1, 3, 1},
        {fake::Layout::RGB565, {DDERR_SURFACELOST}, 0, 1, 0}, // cannot be locked: taken as RGB555
    };
    for (const Case& c : cases) {
        fake::Reset();
        fake::Surface* back = fake::MakeSurface("back", 640, 480, 1280, c.layout);
        back->SetPixelWord(0, 0, 0x1234);
        back->lockResults = c.locks;
        EXPECT_EQ(DetectPixelFormat(back), c.b565);
        EXPECT_EQ(fake::state().Count("back.Lock"), c.lockCalls);
        EXPECT_EQ(fake::state().Count("back.Unlock"), c.unlockCalls);
        EXPECT_EQ(back->Pixel(0, 0), 0);
    }
}

TEST_F(AppInitTest, InstallsTheMasksOfTheDetectedLayout) {
    fake::state().displayLayout = fake::Layout::RGB555;
    ASSERT_EQ(AppInit(), 0);
    EXPECT_EQ(g_b565, 0);
    EXPECT_EQ(g_dwPairMaskA, 0x03E07C1Fu);
}

TEST_F(AppInitTest, AFailedDisplayStepIsShownAndNothingIsCalledOnReleasedObjects) {
    struct Case {
        std::function<void(fake::DirectDraw&)> arrangeDisplay;
        std::function<void(fake::Surface&)> arrangeSurface;
        std::string message;
        std::string failedCall;
    };
    const Case cases[] = {
        {[](fake::DirectDraw& dd) { dd.queryResults.push_back(E_NOINTERFACE); }, nullptr, "QueryInterface FAILED",
         "dd.QueryInterface"},
        {[](fake::DirectDraw& dd) { dd.cooperativeResults.push_back(DDERR_NOEXCLUSIVEMODE); }, nullptr,
         "SetCooperativeLevel FAILED", "dd.SetCooperativeLevel 17"},
        {[](fake::DirectDraw& dd) { dd.modeResults.push_back(DDERR_INVALIDMODE); }, nullptr,
         "SetDisplayMode\tFAILED", "dd.SetDisplayMode 640x480x16 0 0"},
        {[](fake::DirectDraw& dd) { dd.createSurfaceResults.push_back(DDERR_OUTOFMEMORY); }, nullptr,
         "CreateSurface\tFAILED", "dd.CreateSurface primary"},
        {nullptr, [](fake::Surface& s) { s.attachResults.push_back(DDERR_NOTFOUND); }, "GetAttachedSurface FAILED",
         "primary.GetAttachedSurface"},
    };
    for (const Case& c : cases) {
        ResetWithPictureAndFonts();
        fake::state().arrangeDisplay = c.arrangeDisplay;
        fake::state().arrangeSurface = c.arrangeSurface;

        EXPECT_EQ(AppInit(), 1) << c.message;
        EXPECT_EQ(fake::state().messageBoxes, std::vector<std::string>{c.message});
        EXPECT_EQ(g_pDD, nullptr);
        EXPECT_EQ(g_pDDSPrimary, nullptr);
        EXPECT_EQ(g_pDDSBack, nullptr);
        // After the failed call only releases, the cursor and the box.
        std::vector<std::string> after = LogFrom(c.failedCall);
        ASSERT_FALSE(after.empty()) << c.message;
        for (size_t i = 1; i < after.size(); ++i)
            EXPECT_TRUE(after[i].find(".Release") != std::string::npos || after[i].rfind("ShowCursor", 0) == 0 ||
                        after[i].rfind("MessageBoxA", 0) == 0)
                << c.message << ": then " << after[i];
    }
}

TEST_F(AppInitTest, ASetBufferIsNotMadeAgainAndSetFontsAreNotReadAgain) {
    WORD* work = static_cast<WORD*>(std::malloc(WORK_BYTES));
    g_pWork = work;
    BYTE* fonts = g_pCmFont;
    EXPECT_EQ(AppInit(), 0);
    EXPECT_EQ(g_pWork, work);
    EXPECT_EQ(g_pCmFont, fonts);
    EXPECT_TRUE(fake::state().messageBoxes.empty());
}

TEST_F(AppInitTest, AMissingFontIsShownAndTheDisplayIsTakenOverAgain) {
    const auto dir = std::filesystem::temp_directory_path() / ("quorvel-appinit-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir); // neither font file here
    FreeFontBlock(g_pCmFont);
    g_pCmFont = nullptr;
    FreeFontBlock(g_pEmFont);
    g_pEmFont = nullptr;

    EXPECT_EQ(AppInit(), 0);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);

    EXPECT_EQ(fake::state().messageBoxes, (std::vector<std::string>{"Error!! Cm not find!", "Error!! Em not find!"}));
    EXPECT_EQ(fake::state().Count("DirectDrawCreate"), 2);
    EXPECT_NE(g_pDD, nullptr);
    EXPECT_EQ(g_pDDSBack, fake::state().back);
    EXPECT_EQ(g_b565, 1);
    EXPECT_EQ(fake::state().cursorCount, -1);
}

TEST_F(AppInitTest, ReleaseGivesEachObjectUpOnceAndIsSafeToRepeat) {
    ASSERT_EQ(AppInit(), 0);
    fake::Surface* primary = fake::state().primary;
    ReleaseDirectDraw();
    ReleaseDirectDraw();
    EXPECT_EQ(g_pDD, nullptr);
    EXPECT_EQ(g_pDDSPrimary, nullptr);
    EXPECT_EQ(g_pDDSBack, nullptr);
    EXPECT_TRUE(primary->released);
    EXPECT_TRUE(fake::state().displays.back()->released);
    EXPECT_EQ(fake::state().Count("primary.Release"), 1);
}

TEST_F(AppInitTest, ReleaseWithoutADisplayObjectLeavesTheSurfaceAlone) {
    fake::Surface* orphan = fake::MakeSurface("primary", 640, 480, 1280, fake::Layout::RGB565);
    g_pDDSPrimary = orphan;
    ReleaseDirectDraw();
    EXPECT_EQ(g_pDDSPrimary, orphan);
    EXPECT_EQ(fake::state().Count("primary.Release"), 0);
    g_pDDSPrimary = nullptr;
}

TEST_F(AppInitTest, RestorePrimaryAnswersWhatRestoreAnswered) {
    ASSERT_EQ(AppInit(), 0);
    for (HRESULT hr : {DD_OK, DDERR_SURFACELOST, DDERR_WRONGMODE}) {
        fake::state().primary->restoreResults.push_back(hr);
        EXPECT_EQ(RestorePrimary(), hr);
    }
    ReleaseDirectDraw();
    EXPECT_NE(RestorePrimary(), DD_OK); // nothing to restore, and no call on a released object
}

} // namespace
