// Another process finds the window of class "QV" through the X server,
// restores it when minimised, and raises it.
#include <gtest/gtest.h>

#include <string>

#include "screen_test.h"

// After the test headers: Xlib's macros (None, Bool) would break them.
#include <X11/Xlib.h>

namespace {

constexpr int kWaitMs = 10000;

class FindWindowTest : public testing_support::ScreenTest {
protected:
    std::string Activate() {
        std::string out;
        EXPECT_EQ(testing_support::RunCommand({PLATFORM_PROBE, "activate", "QV"}, {"DISPLAY=" + server().display()},
                                              kWaitMs, &out),
                  0);
        return out;
    }
};

// The position of a top-level window in the stacking order (higher is in
// front), or -1.
int StackPosition(::Display* display, Window window) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    int position = -1;
    for (unsigned int i = 0; i < count; ++i)
        if (children[i] == window) position = static_cast<int>(i);
    if (children) XFree(children);
    return position;
}

TEST_F(FindWindowTest, NothingToFindWithoutTheWindow) {
    if (!StartScreen({})) GTEST_SKIP() << "no Xvfb";
    EXPECT_EQ(Activate(), "none\n");
}

TEST_F(FindWindowTest, RaisesTheWindowAboveAnotherWithoutAWindowManager) {
    if (!StartScreen({})) GTEST_SKIP() << "no Xvfb";
    HWND hwnd = testing_support::MakeWindow(640, 480, true);
    ASSERT_NE(hwnd, nullptr);
    const Window ours = testing_support::XWindowOf(hwnd);

    ::Display* display = XOpenDisplay(server().display().c_str());
    ASSERT_NE(display, nullptr);
    const Window cover = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 640, 480, 0, 0, 0);
    XMapRaised(display, cover);
    XSync(display, False);
    ASSERT_GT(StackPosition(display, cover), StackPosition(display, ours));

    EXPECT_EQ(Activate(), "found iconic=0\n");
    XSync(display, False);
    EXPECT_GT(StackPosition(display, ours), StackPosition(display, cover));
    XCloseDisplay(display);
}

TEST_F(FindWindowTest, RestoresTheMinimisedWindowUnderAWindowManager) {
    if (!StartScreen({640, 480, 16, true})) GTEST_SKIP() << "no Xvfb or openbox";
    HWND hwnd = testing_support::MakeWindow(640, 480, true);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOWMINIMIZED);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return IsIconic(hwnd) != FALSE; }, kWaitMs));

    EXPECT_EQ(Activate(), "found iconic=1\n");
    EXPECT_TRUE(testing_support::PumpUntil([&] { return IsIconic(hwnd) == FALSE; }, kWaitMs));
}

} // namespace
