// The message queue, the sent close and the cursor count, on SDL's off-screen
// video driver (no X server needed).
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>

#include "platform/ddraw_api.h"
#include "platform/sdl/video.h"
#include "screen_test.h"

namespace {

using testing_support::MakeWindow;
using testing_support::ReceivedMessages;

constexpr UINT WM_APP_FIRST = 0x8001;
constexpr UINT WM_APP_SECOND = 0x8002;

class OffscreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ReceivedMessages().clear();
        window_ = MakeWindow(640, 480, true);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        platform::ShutdownVideo();
        unsetenv("SDL_VIDEODRIVER");
    }
    HWND window_ = nullptr;
};

TEST_F(OffscreenTest, PostedMessagesComeInOrderAndQuitComesLast) {
    PostQuitMessage(3);
    ASSERT_TRUE(PostMessageA(window_, WM_APP_FIRST, 1, 2));
    ASSERT_TRUE(PostMessageA(nullptr, WM_APP_SECOND, 0, 0));

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_APP_FIRST); // looked at, left in place

    struct Expected {
        HWND hwnd;
        UINT message;
        WPARAM wParam;
    };
    const Expected order[] = {{window_, WM_APP_FIRST, 1}, {nullptr, WM_APP_SECOND, 0}, {nullptr, WM_QUIT, 3}};
    for (const Expected& e : order) {
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.hwnd, e.hwnd);
        EXPECT_EQ(msg.message, e.message);
        EXPECT_EQ(msg.wParam, e.wParam);
    }
    // Empty now: the call answers at once instead of waiting.
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(OffscreenTest, DispatchCallsTheWindowProcedure) {
    PostMessageA(window_, WM_APP_FIRST, 7, 8);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    ReceivedMessages().clear();
    DispatchMessageA(&msg);
    ASSERT_EQ(ReceivedMessages().size(), 1u);
    EXPECT_EQ(ReceivedMessages()[0].message, WM_APP_FIRST);
    EXPECT_EQ(ReceivedMessages()[0].wParam, 7u);
    EXPECT_EQ(ReceivedMessages()[0].lParam, 8);
}

// SIGTERM (like SIGINT and a window-manager close) is a WM_CLOSE sent straight
// to the window procedure; its default handling destroys the window, whose
// WM_DESTROY posts the quit that the loop takes next. Nothing waits in the
// queue for the destroyed window.
TEST_F(OffscreenTest, TerminationSignalClosesTheWindowThroughItsProcedure) {
    PostMessageA(window_, WM_APP_FIRST, 0, 0);
    ReceivedMessages().clear();
    raise(SIGTERM);

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    ASSERT_EQ(ReceivedMessages().size(), 2u);
    EXPECT_EQ(ReceivedMessages()[0].message, WM_CLOSE);
    EXPECT_EQ(ReceivedMessages()[1].message, WM_DESTROY);
    EXPECT_EQ(FindWindowA("QV", nullptr), nullptr);
}

TEST_F(OffscreenTest, CursorIsShownOnlyWhileTheCountIsNotNegative) {
    struct Step {
        BOOL show;
        int count;
        int sdlState;
    };
    const Step steps[] = {{FALSE, -1, SDL_DISABLE}, {FALSE, -2, SDL_DISABLE}, {TRUE, -1, SDL_DISABLE},
                          {TRUE, 0, SDL_ENABLE},    {TRUE, 1, SDL_ENABLE},    {FALSE, 0, SDL_ENABLE}};
    for (const Step& s : steps) {
        EXPECT_EQ(ShowCursor(s.show), s.count);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), s.sdlState) << "count " << s.count;
    }
}

TEST_F(OffscreenTest, DisplayCannotBeCreatedWithoutAScreen) {
    IDirectDraw* display = reinterpret_cast<IDirectDraw*>(1);
    EXPECT_NE(DirectDrawCreate(nullptr, &display, nullptr), DD_OK);
    EXPECT_EQ(display, nullptr);
}

} // namespace
