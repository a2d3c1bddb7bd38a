// The real program on a real X server: what a user sees and does.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "frame/frame.h"
#include "pixels/pixel_format.h"
#include "tests/e2e/program_fixture.h"
#include "text/font.h"
#include "text/text.h"

namespace {

using e2e::kBinDir;
const std::string kPicture = QUORVEL_BACK_DIB;

std::vector<BYTE> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

// The carried picture in a 16-bit layout: each 8-bit channel keeps its top
// bits. The file is a 640x480 24-bit bitmap stored bottom row first.
std::vector<WORD> PictureIn16Bits(bool rgb565) {
    const std::vector<BYTE> dib = ReadFile(kPicture);
    std::vector<WORD> out;
    if (dib.size() < 40 + 1920 * 480) return out;
    out.resize(640 * 480);
    for (int y = 0; y < 480; ++y) {
        const BYTE* row = dib.data() + 40 + static_cast<size_t>(479 - y) * 1920;
        for (int x = 0; x < 640; ++x) {
            const unsigned b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
            out[y * 640 + x] = static_cast<WORD>(rgb565 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                                        : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
        }
    }
    return out;
}

// The frame's tint, red at level 15 of 31, by the per-channel rule
// floor((c * 15 + d * 16) / 32).
WORD Tinted(WORD d, bool rgb565) {
    const unsigned redShift = rgb565 ? 11 : 10, greenMask = rgb565 ? 63 : 31;
    const unsigned r = (d >> redShift) & 31, g = (d >> 5) & greenMask, b = d & 31;
    const unsigned tr = (31 * 15 + r * 16) / 32, tg = (g * 16) / 32, tb = (b * 16) / 32;
    return static_cast<WORD>((tr << redShift) | (tg << 5) | tb);
}

// Reads the read-out's number off the screen: the white pixels of each digit
// cell after "FPS:" are the ink of one glyph of "Em.T".
std::string ReadNumber(const std::vector<WORD>& screen, const std::vector<BYTE>& em, WORD white) {
    std::string digits;
    for (int k = 0; k < 10; ++k) {
        const int left = 1 + 7 * (4 + k), top = 25;
        char found = 0;
        for (char d = '0'; d <= '9' && !found; ++d) {
            const BYTE* record = em.data() + (d - 32) * 9;
            bool same = true;
            for (int bit = 0; bit < 72 && same; ++bit) {
                const bool ink = record[bit / 8] & (0x80 >> (bit % 8));
                const bool shown = screen[(top + bit / 6) * 640 + left + bit % 6] == white;
                same = ink == shown;
            }
            if (same) found = d;
        }
        if (!found) break;
        digits += found;
    }
    return digits;
}

using ProgramTest = e2e::ProgramTest;

class ScreenTest : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(ScreenTest, ShowsThePictureUnderTheTintAndTheOutlinedReadoutWordForWord) {
    const int depth = GetParam();
    const bool rgb565 = depth == 16;
    e2e::XServer x(depth);
    ASSERT_TRUE(x.Ready());
    auto program = Start(x);
    ASSERT_TRUE(WaitForWindow(x, *program)) << program->ErrorOutput();
    usleep(1300 * 1000); // past the first second, so that the read-out shows a real rate
    const std::vector<WORD> screen = x.Screenshot();
    ASSERT_EQ(screen.size(), 640u * 480u);

    // The expected frame, built independently from the carried picture, then
    // the read-out drawn with the program's own font file.
    std::vector<WORD> expected = PictureIn16Bits(rgb565);
    ASSERT_EQ(expected.size(), screen.size());
    for (WORD& p : expected) p = Tinted(p, rgb565);
    const std::vector<BYTE> em = ReadFile(kBinDir + "/Em.T");
    ASSERT_EQ(em.size(), 1152u);
    const std::string number = ReadNumber(screen, em, rgb565 ? 0xFFFF : 0x7FFF);
    ASSERT_FALSE(number.empty()) << "no frames-per-second value on the screen";

    g_b565 = rgb565 ? 1 : 0;
    SetupPixelMasks();
    g_pEmFont = AllocFontBlock(static_cast<DWORD>(em.size()));
    std::copy(em.begin(), em.end(), g_pEmFont);
    const LONG value = std::stol(number);
    const LONG outline[8][2] = {{0, 24}, {0, 25}, {0, 26}, {1, 24}, {1, 26}, {2, 24}, {2, 25}, {2, 26}};
    for (const auto& at : outline) DrawLabelNumber("FPS:", value, at[0], at[1], 0x0909FF, expected.data());
    DrawLabelNumber("FPS:", value, 1, 25, 0xFFFFFF, expected.data());
    FreeFontBlock(g_pEmFont);
    g_pEmFont = nullptr;

    int wrong = 0;
    for (size_t i = 0; i < screen.size(); ++i) {
        if (screen[i] != expected[i] && ++wrong <= 5)
            ADD_FAILURE() << "pixel (" << i % 640 << ", " << i / 640 << "): " << std::hex << screen[i] << " instead of "
                          << expected[i];
    }
    EXPECT_EQ(wrong, 0) << "the frame showed " << number << " frames per second";
    std::printf("the read-out showed %s frames per second on a %d-bit screen\n", number.c_str(), depth);
}

std::string LayoutName(const ::testing::TestParamInfo<int>& depth) { return depth.param == 16 ? "RGB565" : "RGB555"; }

INSTANTIATE_TEST_SUITE_P(Depths, ScreenTest, ::testing::Values(16, 15), LayoutName);

TEST_F(ProgramTest, AKeyEndsItWithZeroWithinASecond) {
    e2e::XServer x(16);
    ASSERT_TRUE(x.Ready());
    auto program = Start(x);
    ASSERT_TRUE(WaitForWindow(x, *program)) << program->ErrorOutput();
    ASSERT_EQ(Xdotool(x, {"key", "a"}), 0);
    EXPECT_EQ(program->WaitExit(1000), std::optional<int>(0));
}

TEST_F(ProgramTest, ASecondStartExitsAtOnceAndLeavesTheFirstRunning) {
    e2e::XServer x(16);
    ASSERT_TRUE(x.Ready());
    auto first = Start(x);
    ASSERT_TRUE(WaitForWindow(x, *first)) << first->ErrorOutput();
    auto second = Start(x);
    EXPECT_EQ(second->WaitExit(3000), std::optional<int>(0));
    EXPECT_TRUE(first->Running());
}

TEST_F(ProgramTest, ACloseFromTheWindowManagerEndsItWithZero) {
    e2e::XServer x(16);
    ASSERT_TRUE(x.Ready());
    auto program = Start(x);
    ASSERT_TRUE(WaitForWindow(x, *program)) << program->ErrorOutput();
    x.RequestClose(x.FindWindowByClass("QV"));
    EXPECT_EQ(program->WaitExit(3000), std::optional<int>(0));
}

TEST_F(ProgramTest, WithoutADisplayItEndsWithOneAndSaysWhy) {
    e2e::Program program(kBinDir, "", {"XDG_RUNTIME_DIR=" + runtimeDir_});
    EXPECT_EQ(program.WaitExit(10000), std::optional<int>(1));
    EXPECT_NE(program.ErrorOutput().find("DirectDrawCreate FAILED"), std::string::npos) << program.ErrorOutput();
}

} // namespace
