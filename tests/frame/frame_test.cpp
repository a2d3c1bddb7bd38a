#include <gtest/gtest.h>

#include "pixels/fill.h"
#include "tests/fake/program_globals.h"

namespace {

// A frame on a fake display: RGB565, a grey background, solid-ink fonts.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramGlobals();
        g_pBackground = static_cast<WORD*>(std::malloc(WORK_BYTES));
        for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i) g_pBackground[i] = 0x8410; // red 16, green 32, blue 16
        LoadSolidFonts();
        ASSERT_EQ(AppInit(), 0);
        primary = fake::state().primary;
        back = fake::state().back;
        fake::state().log.clear(); // only the frames' own calls from here
    }
    void TearDown() override { ResetProgramGlobals(); }

    void FrameAt(DWORD tick) {
        fake::state().ticks.push_back(tick);
        UpdateFrame();
    }
    static bool AllCountersClear() {
        for (BYTE counter : g_byTick)
            if (counter) return false;
        return true;
    }

    fake::Surface* primary = nullptr;
    fake::Surface* back = nullptr;
};

TEST_F(FrameTest, TheFirstFrameSamplesOneAndTheCountersAreClearedAfterTheFlip) {
    FrameAt(5000);
    EXPECT_EQ(g_nFPS, 1);
    EXPECT_EQ(g_nFrameCount, 0);
    EXPECT_TRUE(AllCountersClear());

    FrameAt(5100); // no sample: only the count moves
    FrameAt(5200);
    EXPECT_EQ(g_nFPS, 1);
    EXPECT_EQ(g_nFrameCount, 2);

    FrameAt(6001); // more than 1000 ms after the last sample; counts itself
    EXPECT_EQ(g_nFPS, 3);
    EXPECT_EQ(g_nFrameCount, 0);
}

TEST_F(FrameTest, ComposesBackgroundTintAndOutlinedReadoutAndPresentsItBeforeTheFlip) {
    FrameAt(5000);
    const auto& log = fake::state().log;
    auto at = [&](const std::string& e) { return std::find(log.begin(), log.end(), e) - log.begin(); };
    EXPECT_LT(at("back.Lock"), at("back.Unlock"));
    EXPECT_LT(at("back.Unlock"), at("primary.Flip 1"));

    EXPECT_EQ(back->Pixel(320, 240), 0xB208) << "the background under the red tint";
    EXPECT_EQ(back->Pixel(639, 479), 0xB208);
    EXPECT_EQ(back->Pixel(1, 25), 0xFFFF) << "the text, in white, not tinted";
    EXPECT_EQ(back->Pixel(6, 36), 0xFFFF);
    EXPECT_EQ(back->Pixel(0, 25), 0x085F) << "the outline, in blue";
    EXPECT_EQ(back->Pixel(0, 24), 0x085F);
    EXPECT_EQ(back->Pixel(7, 37), 0x085F);
    EXPECT_EQ(back->Pixel(8, 38), 0xB208) << "beyond the outline";
    // "FPS:" and the value 1: five glyphs 7 pixels apart from x 1, the
    // digit in columns 29 to 34, outlined one pixel further.
    EXPECT_EQ(back->Pixel(34, 30), 0xFFFF);
    EXPECT_EQ(back->Pixel(35, 30), 0x085F);
    EXPECT_EQ(back->Pixel(36, 30), 0xB208);
}

TEST_F(FrameTest, ABusyFlipIsRepeatedAtOnceWithoutComposingAgain) {
    primary->flipResults = {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DD_OK};
    FrameAt(5000);
    EXPECT_EQ(fake::state().Count("primary.Flip 1"), 3);
    EXPECT_EQ(fake::state().Count("back.Lock"), 1);
    EXPECT_TRUE(AllCountersClear());
}

TEST_F(FrameTest, ALostSurfaceIsRestoredOnceAndTheCountersSurvive) {
    for (HRESULT restored : {DD_OK, DDERR_SURFACELOST}) {
        fake::state().log.clear();
        primary->flipResults = {DDERR_SURFACELOST};
        primary->restoreResults = {restored};
        FrameAt(5000);
        EXPECT_EQ(fake::state().Count("primary.Flip 1"), 1);
        EXPECT_EQ(fake::state().Count("primary.Restore"), 1);
        EXPECT_NE(g_byTick[TICK_1000MS], 0);
    }
    // The next frame flips again and, the 1000 ms counter still being set,
    // takes a sample of 1.
    FrameAt(5001);
    EXPECT_EQ(fake::state().Count("primary.Flip 1"), 2);
    EXPECT_EQ(g_nFPS, 1);
    EXPECT_TRUE(AllCountersClear());
}

TEST_F(FrameTest, AnyOtherFlipFailureDropsTheFrameSilently) {
    primary->flipResults = {DDERR_GENERIC};
    FrameAt(5000);
    EXPECT_EQ(fake::state().Count("primary.Restore"), 0);
    EXPECT_NE(g_byTick[0], 0);
    EXPECT_NE(g_byTick[12], 0);
    EXPECT_TRUE(fake::state().messageBoxes.empty());
}

TEST_F(FrameTest, WithoutDisplayObjectsTheFrameStaysInMemory) {
    ReleaseDirectDraw();
    fake::state().log.clear();
    FrameAt(5000);
    EXPECT_TRUE(fake::state().log.empty());
    EXPECT_EQ(g_pWork[240 * SCREEN_WIDTH + 320], 0xB208);
}

} // namespace
