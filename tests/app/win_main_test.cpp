#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/fake/program_globals.h"

namespace {

class WinMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithPictureAndFonts();
    }
    void TearDown() override { ResetProgramGlobals(); }

    static int Run() { return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOWDEFAULT); }
    // Posts a message to the main window at the given PeekMessageA call.
    static void PostAt(int call, UINT message, WPARAM wParam = 0) {
        auto previous = fake::state().onPeek;
        fake::state().onPeek = [=](int n) {
            if (previous) previous(n);
            if (n == call) fake::state().queue.push_back(MSG{g_hWnd, message, wParam, 0, 0, {0, 0}});
        };
    }
    static int Frames() { return fake::state().Count("primary.Flip 1"); }
    static bool Logged(const std::string& prefix) {
        const auto& log = fake::state().log;
        return std::any_of(log.begin(), log.end(), [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    }
};

TEST_F(WinMainTest, SecondStartRestoresAndRaisesTheFirstInstanceAndItsPopup) {
    fake::state().mutexExists = true;
    fake::Window* first = fake::MakeForeignWindow("QV");
    first->iconic = true;
    first->popup = fake::MakeForeignWindow("popup");
    fake::state().foreignWindow = first;

    EXPECT_EQ(Run(), 0);
    const std::vector<std::string> expected = {
        "CreateMutexA QV owned",      "FindWindowA QV",           "IsIconic foreign",
        "ShowWindow foreign 1",       "BringWindowToTop foreign", "GetLastActivePopup foreign",
        "BringWindowToTop popup"};
    EXPECT_EQ(fake::state().log, expected);
}

TEST_F(WinMainTest, SecondStartWithoutAWindowToFindTouchesNoWindow) {
    fake::state().mutexExists = true;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(fake::state().log, (std::vector<std::string>{"CreateMutexA QV owned", "FindWindowA QV"}));
}

TEST_F(WinMainTest, RegistersTheClassAndCentresTheWindowOnTheDesktop) {
    struct Case {
        int screenWidth, screenHeight;
        std::string placement;
    };
    const Case cases[] = {{1024, 768, "192,144"}, {800, 600, "80,60"}, {640, 480, "0,0"},
                          {801, 600, "80,60"},    {637, 480, "-1,0"},  {639, 479, "0,0"}};
    for (const Case& c : cases) {
        ResetWithPictureAndFonts();
        fake::state().screenWidth = c.screenWidth;
        fake::state().screenHeight = c.screenHeight;
        PostAt(1, WM_QUIT);
        EXPECT_EQ(Run(), 0);
        EXPECT_TRUE(Logged("CreateWindowExA " + c.placement + " 640x480")) << c.screenWidth << "x" << c.screenHeight;
    }

    const WNDCLASSA& wc = fake::state().classes.at(0);
    EXPECT_EQ(wc.style, CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(wc.lpfnWndProc, &WndProc);
    EXPECT_STREQ(wc.lpszClassName, "QV");
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.lpszMenuName, nullptr);
    EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const fake::Window* w = fake::WindowOf(g_hWnd);
    EXPECT_EQ(w->caption, "Quorvel");
    EXPECT_EQ(w->style, WS_POPUP);
    EXPECT_EQ(w->exStyle, WS_EX_APPWINDOW);
    EXPECT_TRUE(Logged("ShowWindow main 1"));
    EXPECT_TRUE(Logged("ReleaseMutex"));
}

TEST_F(WinMainTest, AKeyEndsTheProgramWithZeroAndNoCleanUp) {
    PostAt(3, WM_KEYDOWN, 'A');
    PostAt(3, WM_KEYDOWN, 'B'); // a burst: the second key's close request is never read
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Frames(), 2);     // the frames of the first two idle turns
    EXPECT_NE(g_pWork, nullptr);
    EXPECT_NE(g_pDD, nullptr);
    EXPECT_FALSE(Logged("DestroyWindow"));
    EXPECT_EQ(fake::state().queue.size(), 1u); // the second WM_CLOSE
}

TEST_F(WinMainTest, SystemKeysAreNotKeyPresses) {
    PostAt(2, WM_SYSKEYDOWN, 0x12);
    PostAt(5, WM_QUIT, 3);
    EXPECT_EQ(Run(), 3); // the quit request's code, and no clean-up
    EXPECT_TRUE(Logged("DefWindowProcA 260"));
    EXPECT_NE(g_pWork, nullptr);
}

TEST_F(WinMainTest, FramesWaitWhileMessagesArePending) {
    fake::state().onPeek = [](int n) {
        if (n == 2)
            for (int i = 0; i < 3; ++i) fake::state().queue.push_back(MSG{g_hWnd, WM_PAINT, 0, 0, 0, {0, 0}});
        if (n == 6) fake::state().queue.push_back(MSG{g_hWnd, WM_QUIT, 0, 0, 0, {0, 0}});
    };
    int framesWhenDrained = -1;
    auto onPeek = fake::state().onPeek;
    fake::state().onPeek = [&](int n) {
        onPeek(n);
        if (n == 5) framesWhenDrained = Frames();
    };
    EXPECT_EQ(Run(), 0);
    // Turn 1 idle (frame), turns 2-4 take the three messages, turn 5 idle.
    EXPECT_EQ(framesWhenDrained, 1);
    EXPECT_EQ(Frames(), 2);
}

TEST_F(WinMainTest, ACloseSentStraightToTheWindowCleansUpAndEndsWithoutAnotherFrame) {
    int framesAtClose = -1;
    fake::state().onPeek = [&](int n) {
        if (n == 3) {
            framesAtClose = Frames();
            WndProc(g_hWnd, WM_CLOSE, 0, 0);
        }
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Frames(), framesAtClose);
    EXPECT_EQ(g_pWork, nullptr);
    EXPECT_EQ(g_pBackground, nullptr);
    EXPECT_EQ(g_pCmFont, nullptr);
    EXPECT_EQ(g_pEmFont, nullptr);
    EXPECT_EQ(g_pDD, nullptr);
    EXPECT_EQ(g_pDDSPrimary, nullptr);
    EXPECT_EQ(fake::state().Count("primary.Release"), 1);
    EXPECT_TRUE(Logged("PostQuitMessage 0"));
}

TEST_F(WinMainTest, EndsWithCodeOneAndSaysWhyWhenItCannotRun) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string message;
    };
    const Case cases[] = {
        {"class", [] { fake::state().registerClassFails = true; }, "RegisterClass FAILED"},
        {"window", [] { fake::state().createWindowFails = true; }, "CreateWindow FAILED"},
        {"display", [] { fake::state().directDrawCreateResults.push_back(DDERR_NODIRECTDRAWHW); },
         "DirectDrawCreate FAILED"},
    };
    for (const Case& c : cases) {
        ResetProgramGlobals();
        c.arrange();
        EXPECT_EQ(Run(), 1) << c.what;
        EXPECT_EQ(fake::state().messageBoxes, std::vector<std::string>{c.message}) << c.what;
        EXPECT_EQ(fake::state().peekCalls, 0) << c.what;
    }
}

} // namespace
