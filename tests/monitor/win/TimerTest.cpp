// The toolkit's timer: ticks while enabled, restarts on a new interval, and may be destroyed from
// inside its own handler.
#include "ui/Timer.h"
#include "support/win/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Timer, TicksRepeatedlyWhileEnabled) {
    Timer timer;
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(30);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
}

TEST(Timer, DisabledTimerDoesNotTick) {
    Timer timer;
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(30);
    timer.SetEnabled(false);
    PumpFor(300);
    EXPECT_EQ(ticks, 0);
}

TEST(Timer, ZeroIntervalStopsTheTimer) {
    Timer timer;
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(0);
    PumpFor(300);
    EXPECT_EQ(ticks, 0);
}

TEST(Timer, NewIntervalRestartsThePeriod) {
    Timer timer;
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(5000);
    timer.SetInterval(50);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }, 2000));
}

TEST(Timer, TimerMayBeDestroyedFromItsOwnHandler) {
    auto timer = std::make_unique<Timer>();
    int ticks = 0;
    timer->SetInterval(20);
    timer->OnTimer = [&] {
        ++ticks;
        timer.reset();
    };
    EXPECT_TRUE(PumpUntil([&] { return timer == nullptr; }, 2000));
    PumpFor(200);
    EXPECT_EQ(ticks, 1);
}
