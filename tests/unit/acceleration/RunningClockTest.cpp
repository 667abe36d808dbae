// The running clocks: ticks counted into hours, minutes and seconds, and their text.
#include "acceleration/RunningClock.h"
#include <gtest/gtest.h>

namespace {
struct Clock {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    CString text;
    void Step(int times)
    {
        for (int i = 0; i < times; ++i) StepClock(hours, minutes, seconds, text);
    }
};
} // namespace

TEST(RunningClockTest, TicksFromZeroShowAsHoursMinutesAndSeconds)
{
    struct Case {
        int steps;
        const char* text;
    };
    const Case cases[] = {
        {1, "  0 hrs :  0 mins :  1 secs"},
        {59, "  0 hrs :  0 mins : 59 secs"},
        {60, "  0 hrs :  1 mins :  0 secs"},
        {61, "  0 hrs :  1 mins :  1 secs"},
        {3599, "  0 hrs : 59 mins : 59 secs"},
        {3600, "  1 hrs :  0 mins :  0 secs"},
        {36000, " 10 hrs :  0 mins :  0 secs"},
        {359999, " 99 hrs : 59 mins : 59 secs"},
        {360000, " 100 hrs :  0 mins :  0 secs"},
    };
    for (const Case& c : cases) {
        Clock clock;
        clock.Step(c.steps);
        EXPECT_STREQ(c.text, clock.text) << c.steps << " steps";
    }
}

TEST(RunningClockTest, OneStepCarriesThroughMinutesIntoHours)
{
    Clock clock{0, 59, 59, ""};
    clock.Step(1);
    EXPECT_EQ(1, clock.hours);
    EXPECT_EQ(0, clock.minutes);
    EXPECT_EQ(0, clock.seconds);
    EXPECT_STREQ("  1 hrs :  0 mins :  0 secs", clock.text);

    Clock large{1234, 5, 9, ""};
    large.Step(1);
    EXPECT_STREQ(" 1234 hrs :  5 mins : 10 secs", large.text);
}
