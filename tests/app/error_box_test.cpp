#include <gtest/gtest.h>

#include <string>

#include "tests/fake/program_globals.h"

namespace {

class ErrorBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramGlobals(); }
    void TearDown() override { ResetProgramGlobals(); }
};

TEST_F(ErrorBoxTest, ReleasesTheDisplayBeforeTheBoxAndKeepsTheCursorCount) {
    IDirectDraw* first = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
    ASSERT_EQ(first->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&g_pDD)), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    ASSERT_EQ(g_pDD->CreateSurface(&desc, &g_pDDSPrimary, nullptr), DD_OK);
    g_pDDSBack = fake::state().back;
    fake::state().cursorCount = -1; // hidden, as after start-up

    bool displayGoneWhenShown = false;
    fake::state().onMessageBox = [&](const std::string&) {
        displayGoneWhenShown = !g_pDD && !g_pDDSPrimary && !g_pDDSBack && fake::state().cursorCount == 0;
    };
    ErrorBox("SetDisplayMode\tFAILED");

    EXPECT_TRUE(displayGoneWhenShown);
    EXPECT_EQ(fake::state().messageBoxes, std::vector<std::string>{"SetDisplayMode\tFAILED"});
    EXPECT_EQ(fake::state().cursorCount, -1);
    EXPECT_EQ(fake::state().Count("primary.Release"), 1);
}

TEST_F(ErrorBoxTest, FormatsPrintfStyleAndCutsLongTextsAt127Characters) {
    ErrorBox("%s %d", "code", 42);
    ErrorBox("%s", std::string(300, 'x').c_str());
    ASSERT_EQ(fake::state().messageBoxes.size(), 2u);
    EXPECT_EQ(fake::state().messageBoxes[0], "code 42");
    EXPECT_EQ(fake::state().messageBoxes[1], std::string(127, 'x'));
}

} // namespace
