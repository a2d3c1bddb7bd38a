// Key presses from a real X server (xdotool on Xvfb) as key messages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "screen_test.h"

namespace {

using testing_support::ReceivedMessages;

constexpr int kWaitMs = 10000;

struct KeyCase {
    const char* keys;                                  // as xdotool names them
    std::vector<std::pair<UINT, WPARAM>> downMessages; // in order
    std::pair<UINT, WPARAM> lastMessage;               // the release that ends the press
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.keys; }

class KeysTest : public testing_support::ScreenTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeysTest, ArriveAsKeyOrSystemKeyMessages) {
    if (!testing_support::ProgramExists("xdotool")) GTEST_SKIP() << "xdotool is missing";
    if (!StartScreen({})) GTEST_SKIP() << "no Xvfb";
    HWND hwnd = testing_support::MakeWindow(640, 480, true);
    ASSERT_NE(hwnd, nullptr);
    SDL_Window* window = testing_support::SdlWindowOf(hwnd);
    // Without a window manager SDL gives its window the input focus itself.
    ASSERT_TRUE(testing_support::PumpUntil([&] { return SDL_GetKeyboardFocus() == window; }, kWaitMs));

    const KeyCase& c = GetParam();
    ASSERT_EQ(testing_support::RunCommand({"xdotool", "key", c.keys}, {"DISPLAY=" + server().display()}, kWaitMs), 0);
    auto isLast = [&](const MSG& m) { return m.message == c.lastMessage.first && m.wParam == c.lastMessage.second; };
    ASSERT_TRUE(testing_support::PumpUntil(
        [&] {
            for (const MSG& m : ReceivedMessages())
                if (isLast(m)) return true;
            return false;
        },
        kWaitMs));

    std::vector<std::pair<UINT, WPARAM>> downs;
    for (const MSG& m : ReceivedMessages())
        if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) downs.emplace_back(m.message, m.wParam);
    EXPECT_EQ(downs, c.downMessages);
}

constexpr WPARAM VK_MENU = 0x12;
constexpr WPARAM VK_F10 = 0x79;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeysTest,
    ::testing::Values(KeyCase{"a", {{WM_KEYDOWN, 'A'}}, {WM_KEYUP, 'A'}},
                      KeyCase{"Escape", {{WM_KEYDOWN, 0x1B}}, {WM_KEYUP, 0x1B}},
                      // SDL's own press of Alt before the combination is a
                      // system key too: no WM_KEYDOWN at all.
                      KeyCase{"alt+x", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'X'}}, {WM_SYSKEYUP, VK_MENU}},
                      KeyCase{"F10", {{WM_SYSKEYDOWN, VK_F10}}, {WM_SYSKEYUP, VK_F10}}),
    [](const ::testing::TestParamInfo<KeyCase>& param) {
        std::string name;
        for (const char* c = param.param.keys; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

} // namespace
