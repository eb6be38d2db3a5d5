#include "ui/tray/win32/simple_timer.h"

#include <gtest/gtest.h>

#include "message_pump.h"

namespace kestrone::ui {
namespace {

using test::PumpFor;
using test::PumpUntil;

TEST(TSimpleTimer, SharedWindowLivesAsLongAsTimersDo) {
    const int before = TSimpleTimerHandler::ReferenceCount();
    {
        TSimpleTimer a;
        TSimpleTimer b(50, nullptr);
        EXPECT_EQ(TSimpleTimerHandler::ReferenceCount(), before + 2);
        EXPECT_NE(TSimpleTimerHandler::Window(), nullptr);
        EXPECT_EQ(a.Interval(), 1000u);
        EXPECT_FALSE(a.Enabled());
    }
    EXPECT_EQ(TSimpleTimerHandler::ReferenceCount(), before);
    if (before == 0) {
        EXPECT_EQ(TSimpleTimerHandler::Window(), nullptr);
    }
}

TEST(TSimpleTimer, FiresRepeatedlyUntilStopped) {
    int ticks = 0;
    TSimpleTimer timer(20, [&](TObject* sender) {
        EXPECT_NE(sender, nullptr);
        ++ticks;
    });
    ASSERT_TRUE(timer.Start());
    EXPECT_EQ(TSimpleTimerHandler::ActiveCount(), 1);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
    timer.SetEnabled(false);
    EXPECT_EQ(TSimpleTimerHandler::ActiveCount(), 0);
    const int stoppedAt = ticks;
    PumpFor(150);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(TSimpleTimer, AutoDisableFiresOncePerStart) {
    int ticks = 0;
    TSimpleTimer timer(20, [&](TObject*) { ++ticks; });
    timer.AutoDisable = true;
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }, 3000));
    EXPECT_FALSE(timer.Enabled());  // stopped before its event ran
    PumpFor(150);
    EXPECT_EQ(ticks, 1);
    timer.Start();
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3000));
}

TEST(TSimpleTimer, ZeroIntervalNeverStartsAndClearingTheEventStopsButStaysEnabled) {
    int ticks = 0;
    TSimpleTimer timer(0, [&](TObject*) { ++ticks; });
    EXPECT_FALSE(timer.Start());
    EXPECT_FALSE(timer.Enabled());

    timer.SetInterval(20);
    timer.SetEnabled(true);
    timer.SetInterval(0);  // stopped, still Enabled
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(TSimpleTimerHandler::ActiveCount(), 0);
    PumpFor(120);
    EXPECT_EQ(ticks, 0);

    timer.SetInterval(20);  // restarts
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }, 3000));
    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(TSimpleTimerHandler::ActiveCount(), 0);
}

}  // namespace
}  // namespace kestrone::ui
