#include "framework/EventLoop.h"

#include "framework/Timer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bw;
using namespace std::chrono_literals;

namespace {

class EventLoopTest : public ::testing::Test {
protected:
    // Milliseconds since the test began.
    long elapsed() const {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(loop.now() - start).count());
    }

    VirtualClock clock;
    EventLoop loop{clock};
    Clock::TimePoint start = loop.now();
    std::vector<std::string> log;
};

} // namespace

TEST_F(EventLoopTest, TimersTickInTimeOrder) {
    loop.startTimer(250ms, [&] { log.push_back("tick@" + std::to_string(elapsed())); });
    loop.callAfter(600ms, [&] { log.push_back("once@" + std::to_string(elapsed())); });
    loop.runFor(1000ms);
    EXPECT_EQ(log, (std::vector<std::string>{"tick@250", "tick@500", "once@600", "tick@750",
                                             "tick@1000"}));
    EXPECT_EQ(elapsed(), 1000);
    loop.runFor(10ms); // nothing due: the clock still moves
    EXPECT_EQ(elapsed(), 1010);
}

TEST_F(EventLoopTest, CallbacksMayStopTimersAndPostedCallsWaitForTheLoop) {
    EventLoop::TimerId id = 0;
    int ticks = 0;
    id = loop.startTimer(100ms, [&] {
        if (++ticks == 2) loop.stopTimer(id);
    });
    loop.post([&] { log.push_back("posted@" + std::to_string(elapsed())); });
    EXPECT_TRUE(log.empty());
    loop.runFor(1s);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(loop.isRunning(id));
    EXPECT_EQ(log, std::vector<std::string>{"posted@0"});
    EXPECT_EQ(loop.startTimer(0ms, [] {}), 0u);
}

TEST_F(EventLoopTest, TimerControlEnablesRestartsAndStops) {
    std::vector<long> ticks;
    {
        Timer timer(loop, [&] { ticks.push_back(elapsed()); });
        timer.setEnabled(true); // interval 0: never ticks
        loop.runFor(100ms);
        timer.setInterval(250ms); // counting starts now, at 100
        loop.runFor(200ms);
        timer.setEnabled(true); // already enabled: no restart
        loop.runFor(100ms);     // ticks at 350
        timer.setInterval(100ms);
        loop.runFor(150ms); // restarted at 400: ticks at 500
        timer.setEnabled(false);
        loop.runFor(500ms);
        timer.setEnabled(true);
        loop.runFor(100ms); // re-enabled at 1050: ticks at 1150
    }
    loop.runFor(1s); // destroyed: stopped
    EXPECT_EQ(ticks, (std::vector<long>{350, 500, 1150}));
}
