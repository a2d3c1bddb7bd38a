// The program meets what users do to it: minimising it, killing it, starting
// it twice at once.
#include <gtest/gtest.h>

#include <unistd.h>

#include "tests/e2e/program_fixture.h"

namespace {

using FaultsTest = e2e::ProgramTest;

TEST_F(FaultsTest, AfterMinimisingAndRestoringThePictureComesBack) {
    e2e::XServer x(16);
    ASSERT_TRUE(x.Ready());
    if (!x.StartWindowManager()) GTEST_SKIP() << "openbox is not installed";
    auto program = Start(x);
    ASSERT_TRUE(WaitForWindow(x, *program)) << program->ErrorOutput();
    const std::string id = std::to_string(x.FindWindowByClass("QV"));
    const uint16_t shown = x.Screenshot()[240 * 640 + 320];

    ASSERT_EQ(Xdotool(x, {"windowminimize", "--sync", id}), 0);
    usleep(300 * 1000);
    EXPECT_NE(x.Screenshot()[240 * 640 + 320], shown) << "the frame is still on the screen while minimised";
    EXPECT_TRUE(program->Running());

    ASSERT_EQ(Xdotool(x, {"windowactivate", "--sync", id}), 0);
    bool back = false;
    for (int i = 0; i < 100 && !back; ++i, usleep(50 * 1000)) back = x.Screenshot()[240 * 640 + 320] == shown;
    EXPECT_TRUE(back) << "the picture did not come back after restoring";
    EXPECT_TRUE(program->Running());
}

TEST_F(FaultsTest, AfterTheFirstInstanceIsKilledANewStartRunsAsTheFirst) {
    e2e::XServer x(16);
    ASSERT_TRUE(x.Ready());
    auto first = Start(x);
    ASSERT_TRUE(WaitForWindow(x, *first)) << first->ErrorOutput();
    first->Kill();

    auto next = Start(x);
    EXPECT_TRUE(WaitForWindow(x, *next)) << next->ErrorOutput();
    EXPECT_TRUE(next->Running());
}

TEST_F(FaultsTest, TwoStartsAtTheSameMomentLeaveExactlyOneRunning) {
    e2e::XServer x(16);
    ASSERT_TRUE(x.Ready());
    auto a = Start(x);
    auto b = Start(x);
    // One of them finds the other's lock and ends with 0; the other runs on.
    std::optional<int> ended;
    for (int i = 0; i < 100 && !ended; ++i, usleep(50 * 1000)) ended = a->Running() ? b->WaitExit(0) : a->WaitExit(0);
    EXPECT_EQ(ended, std::optional<int>(0));
    usleep(500 * 1000);
    EXPECT_NE(a->Running(), b->Running());
}

} // namespace
