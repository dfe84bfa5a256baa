// One tick of the countdown: the clock arithmetic, the status line, and the
// order of the last tick (caption, then timer stop, then power-off).

#include "countdown/countdown.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <limits>

namespace ostrivel::testing {
namespace {

struct TickCase {
  CountdownClock before;
  CountdownClock after;
  bool powersOff;
};

void PrintTo(const TickCase& c, std::ostream* out) { PrintTo(c.before, out); }

class CountdownTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(CountdownTick, AdvancesShowsAndStopsAtZero) {
  const TickCase& c = GetParam();
  FakeWindow window{c.before};
  auto& [log, toolkit, power, countdown] = window;

  countdown.countdownTick();

  EXPECT_EQ(countdown.clock(), c.after);
  CallLog expected{"setBackgroundColour 标签4 yellow",
                   "setText 标签4 \"" + statusLine(c.after) + "\""};
  if (c.powersOff) {
    expected.emplace_back("setTimerPeriod 时钟1 0");
    expected.emplace_back("requestPowerOff");
  }
  EXPECT_EQ(log, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CountdownTick,
                         ::testing::Values(TickCase{{0, 0, 1}, {0, 0, 0}, true},
                                           TickCase{{0, 0, 60}, {0, 0, 59}, false},
                                           TickCase{{0, 1, 0}, {0, 0, 59}, false},
                                           TickCase{{2, 0, 0}, {1, 59, 59}, false},
                                           TickCase{{1, 60, 0}, {1, 59, 59}, false},
                                           TickCase{{0, 90, 30}, {0, 90, 29}, false},
                                           TickCase{{0, -1, 5}, {0, 0, 4}, false},
                                           TickCase{{0, 0, 0}, {0, 0, 59}, false},
                                           TickCase{{-1, 0, 0}, {-2, 59, 59}, false},
                                           TickCase{{1, 0, 0}, {0, 59, 59}, false}));

TEST(StatusLine, ShowsEachFieldInDecimalWithTheUnits) {
  EXPECT_EQ(statusLine({1, 29, 59}), "1时29分59秒  后关机！！");
  EXPECT_EQ(statusLine({0, 90, 0}), "0时90分0秒  后关机！！");
  EXPECT_EQ(statusLine({-2, 59, 59}), "-2时59分59秒  后关机！！");
}

TEST(CountdownTick, WrapsInsteadOfOverflowingAtTheLowestValues) {
  constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
  CountdownClock clock{lowest, -1, lowest};
  advanceOneSecond(clock);
  EXPECT_EQ(clock, (CountdownClock{highest, 59, highest}));
}

TEST(CountdownTick, ARefusedPowerOffLeavesTheClockAtZeroAndTheTimerStopped) {
  FakeWindow window{{0, 0, 1}};
  auto& [log, toolkit, power, countdown] = window;
  toolkit.setTimerPeriod(Control::时钟1, 1000);

  countdown.countdownTick();

  EXPECT_EQ(power.requests(), 1);
  EXPECT_TRUE(isAtZero(countdown.clock()));
  EXPECT_EQ(toolkit.timerPeriod(), 0);
  EXPECT_EQ(toolkit.state(Control::标签4).text, "0时0分0秒  后关机！！");
  EXPECT_TRUE(toolkit.messages().empty());
}

} // namespace
} // namespace ostrivel::testing
