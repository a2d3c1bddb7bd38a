#include <gtest/gtest.h>

#include "frame/ticks.h"
#include "tests/fake/fake_platform.h"

namespace {

class TicksTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        for (int i = 0; i < TICK_COUNT; ++i) g_dwTickLast[i] = 0;
        ClearTicks();
        g_dwNow = 0;
    }
    void UpdateAt(DWORD now) {
        fake::state().ticks.push_back(now);
        UpdateTicks();
    }
    // Indices of the timers whose counter is nonzero.
    static std::vector<int> Fired() {
        std::vector<int> fired;
        for (int i = 0; i < TICK_COUNT; ++i)
            if (g_byTick[i]) fired.push_back(i);
        return fired;
    }
};

TEST_F(TicksTest, FirstCallFiresEveryTimerWhosePeriodIsBelowTheTickCount) {
    UpdateAt(5000);
    EXPECT_EQ(g_dwNow, 5000u);
    EXPECT_EQ(Fired(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST_F(TicksTest, FiresOnlyWhenStrictlyMoreThanThePeriodHasPassed) {
    g_dwTickLast[TICK_1000MS] = 1000;
    UpdateAt(2000);
    EXPECT_EQ(g_byTick[TICK_1000MS], 0);
    EXPECT_EQ(g_dwTickLast[TICK_1000MS], 1000u);
    UpdateAt(2001);
    EXPECT_EQ(g_byTick[TICK_1000MS], 1);
    EXPECT_EQ(g_dwTickLast[TICK_1000MS], 2001u);
}

TEST_F(TicksTest, KeepsWorkingAcrossTheWrapOfTheTickCount) {
    for (int i = 0; i < TICK_COUNT; ++i) g_dwTickLast[i] = 0xFFFFFF00u; // 256 ms before the wrap
    UpdateAt(16);                                                       // 272 ms later
    EXPECT_EQ(Fired(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(g_dwTickLast[5], 16u);
    EXPECT_EQ(g_dwTickLast[6], 0xFFFFFF00u);
}

TEST_F(TicksTest, CounterWrapsAfter256FiringsAndAFiringIsNotCaughtUp) {
    DWORD now = 0;
    for (int n = 0; n < 256; ++n) UpdateAt(now += 11); // timer 0 fires at every call
    EXPECT_EQ(g_byTick[0], 0);                         // 256 firings read as none
    UpdateAt(now += 1000);                             // a long gap fires it once, not 90 times
    EXPECT_EQ(g_byTick[0], 1);
}

TEST_F(TicksTest, ClearingTheCountersDoesNotRestartAnyPeriod) {
    UpdateAt(1001);
    ASSERT_EQ(g_byTick[TICK_1000MS], 1);
    ClearTicks();
    EXPECT_EQ(Fired(), std::vector<int>{});
    EXPECT_EQ(g_dwTickLast[TICK_1000MS], 1001u);
    UpdateAt(2001);
    EXPECT_EQ(g_byTick[TICK_1000MS], 0);
    UpdateAt(2002);
    EXPECT_EQ(g_byTick[TICK_1000MS], 1);
}

} // namespace
