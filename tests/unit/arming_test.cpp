// Start with entries that pass the checks: the controls are locked, the clock
// is seeded, and the power-off comes after exactly as many ticks as seconds
// were entered, never one earlier.

#include "countdown/countdown.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace ostrivel::testing {
namespace {

struct Entry {
  std::string hours;
  std::string minutes;
  std::string seconds;
};

class Journey : public FakeWindow {
public:
  void start(const Entry& entry) {
    toolkit.type(Control::编辑框1, entry.hours);
    toolkit.type(Control::编辑框2, entry.minutes);
    toolkit.type(Control::编辑框3, entry.seconds);
    countdown.startCountdown();
  }

  // Ticks while the timer runs; the number of ticks up to the power-off
  // request, or nothing if the timer stopped without one.
  std::optional<std::int64_t> ticksUntilPowerOff(std::int64_t limit) {
    for (std::int64_t tick = 1; tick <= limit && toolkit.timerPeriod() > 0; ++tick) {
      countdown.countdownTick();
      if (power.requests() > 0) {
        return tick;
      }
    }
    return std::nullopt;
  }
};

struct ArmingCase {
  Entry entry;
  CountdownClock seeded;
  std::int64_t ticks;
};

void PrintTo(const ArmingCase& c, std::ostream* out) {
  *out << '"' << c.entry.hours << "\" \"" << c.entry.minutes << "\" \"" << c.entry.seconds << '"';
}

class Arming : public ::testing::TestWithParam<ArmingCase> {};

TEST_P(Arming, SeedsTheClockAndPowersOffAfterTheEnteredSeconds) {
  const ArmingCase& c = GetParam();
  Journey journey;
  journey.start(c.entry);

  EXPECT_TRUE(journey.toolkit.messages().empty());
  EXPECT_EQ(journey.countdown.clock(), c.seeded);
  EXPECT_EQ(journey.ticksUntilPowerOff(c.ticks + 100), c.ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Arming,
    ::testing::Values(
        ArmingCase{{"1", "", ""}, {0, 59, 60}, 3600}, ArmingCase{{"", "1", ""}, {0, 0, 60}, 60},
        ArmingCase{{"", "5", ""}, {0, 4, 60}, 300}, ArmingCase{{"2", "30", ""}, {2, 29, 60}, 9000},
        ArmingCase{{"", "60", ""}, {0, 59, 60}, 3600},
        ArmingCase{{"", "61", ""}, {0, 60, 60}, 3660}, ArmingCase{{"", "62", ""}, {1, 1, 60}, 3720},
        ArmingCase{{"", "90", ""}, {1, 29, 60}, 5400},
        ArmingCase{{"", "120", ""}, {1, 59, 60}, 7200},
        ArmingCase{{"", "121", ""}, {2, 0, 60}, 7260},
        ArmingCase{{"1", "120", ""}, {2, 59, 60}, 10800}, ArmingCase{{"", "", "1"}, {0, 0, 1}, 1},
        ArmingCase{{"", "", "60"}, {0, 0, 60}, 60}, ArmingCase{{"", "", "61"}, {0, 1, 1}, 61},
        ArmingCase{{"", "", "90"}, {0, 1, 30}, 90}, ArmingCase{{"", "", "3600"}, {0, 60, 0}, 3600},
        ArmingCase{{"", "", "3661"}, {1, 1, 1}, 3661},
        ArmingCase{{"1", "", "3600"}, {1, 60, 0}, 7200},
        ArmingCase{{"", "59", "120"}, {1, 1, 0}, 3660},
        ArmingCase{{"", "90", "30"}, {0, 90, 30}, 5430},
        ArmingCase{{"2", "", "30"}, {2, 0, 30}, 7230},
        ArmingCase{{"5.00000001", "", ""}, {4, 59, 60}, 18000},
        ArmingCase{{"＋３", "", "７abc"}, {3, 0, 7}, 10807}));

TEST(Arming, LocksTheControlsAndArmsTheTimerBeforeSeeding) {
  Journey journey;
  journey.start({"", "1", "30"});
  EXPECT_EQ(journey.log,
            (CallLog{"setDisabled 按钮1 1", "setDisabled 按钮3 0", "setDisabled 编辑框1 1",
                     "setDisabled 编辑框2 1", "setDisabled 编辑框3 1", "setTimerPeriod 时钟1 1000",
                     "setDisabled 按钮2 1"}));
  EXPECT_EQ(journey.toolkit.state(Control::标签4).text, "");
}

TEST(Arming, TheFirstTickOfAnHourShows0h59m59s) {
  for (const Entry& entry : {Entry{"1", "", ""}, Entry{"", "", "3600"}}) {
    Journey journey;
    journey.start(entry);
    journey.countdown.countdownTick();
    EXPECT_EQ(journey.toolkit.state(Control::标签4).text, "0时59分59秒  后关机！！");
  }
}

// Hours close to the clock's limit: an entry whose carried minutes would no
// longer fit is refused at the hours field instead of wrapping to a clock
// that never reaches 0:0:0.
TEST(Arming, RefusesHoursThatCannotHoldTheCarriedMinutes) {
  struct Case {
    Entry entry;
    std::optional<CountdownClock> seeded;
  };
  const Case cases[] = {
      {{"2147483647", "", ""}, CountdownClock{2147483646, 59, 60}},
      {{"2147483647", "59", "59"}, CountdownClock{2147483647, 59, 59}},
      {{"2147483647", "60", "60"}, CountdownClock{2147483647, 60, 60}},
      {{"2147483647", "61", ""}, CountdownClock{2147483647, 60, 60}},
      {{"2147483647", "62", ""}, std::nullopt},
      {{"2147483647", "", "3660"}, std::nullopt},
      {{"2147483600", "2147483647", "2147483647"}, std::nullopt},
      {{"", "2147483647", "2147483647"}, CountdownClock{36387917, 21, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry.hours + "/" + c.entry.minutes + "/" + c.entry.seconds);
    Journey journey;
    journey.start(c.entry);
    if (c.seeded) {
      EXPECT_TRUE(journey.toolkit.messages().empty());
      EXPECT_EQ(journey.countdown.clock(), *c.seeded);
      EXPECT_EQ(journey.toolkit.timerPeriod(), 1000);
    } else {
      EXPECT_EQ(journey.toolkit.messages(), std::vector<std::string>{"输入正确的数值！！"});
      EXPECT_EQ(journey.toolkit.state(Control::编辑框1).text, "");
      EXPECT_EQ(journey.toolkit.focus(), Control::编辑框1);
      EXPECT_EQ(journey.toolkit.timerPeriod(), 0);
      EXPECT_EQ(journey.countdown.clock(), CountdownClock{});
    }
  }
}

// Many generated entries with fields empty or in a bounded range, written in
// the forms users type: the power-off comes after exactly the entered number
// of seconds.
TEST(Arming, PowersOffAfterExactlyTheEnteredSecondsForGeneratedEntries) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> hoursValue(1, 2);
  std::uniform_int_distribution<int> unitValue(1, 150);
  std::uniform_int_distribution<int> form(0, 5);
  std::bernoulli_distribution empty(0.4);

  const auto write = [&](int value) {
    const std::string digits = std::to_string(value);
    switch (form(random)) {
    case 0:
      return " " + digits;
    case 1:
      return "+" + digits;
    case 2:
      return digits + ".0";
    case 3:
      return digits + "x";
    case 4:
      return "00" + digits;
    default:
      return digits;
    }
  };

  for (int i = 0; i < 300; ++i) {
    int h = empty(random) ? 0 : hoursValue(random);
    int m = empty(random) ? 0 : unitValue(random);
    const int s = empty(random) ? 0 : unitValue(random);
    if (h == 0 && m == 0 && s == 0) {
      m = 1;
    }
    const Entry entry{h ? write(h) : "", m ? write(m) : "", s ? write(s) : ""};
    SCOPED_TRACE(entry.hours + "/" + entry.minutes + "/" + entry.seconds);

    Journey journey;
    journey.start(entry);
    const std::int64_t total = 3600LL * h + 60LL * m + s;
    ASSERT_TRUE(journey.toolkit.messages().empty());
    ASSERT_EQ(secondsLeft(journey.countdown.clock()), total);
    ASSERT_EQ(journey.ticksUntilPowerOff(total + 100), total);
  }
}

} // namespace
} // namespace ostrivel::testing
