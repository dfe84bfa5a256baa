// When the Windows timer delivers its ticks: the period rules, the absolute
// grid, and no tick from an event left over from before a stop or restart.

#include "platform/win32/tick_grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ostrivel {
namespace {

// One step of a scenario: set the period, or let a timer event arrive.
struct Step {
  enum class Kind : std::uint8_t { setPeriod, event } kind;
  std::int64_t at;
  int period = 0;               // setPeriod: the requested period
  bool expectTick = false;      // event: whether a tick is due
  std::int64_t expectDelay = 0; // event: delay to the next deadline after it
};

Step setPeriod(std::int64_t at, int period) { return {Step::Kind::setPeriod, at, period}; }
Step tick(std::int64_t at, std::int64_t nextIn) { return {Step::Kind::event, at, 0, true, nextIn}; }
Step noTick(std::int64_t at, std::int64_t nextIn) {
  return {Step::Kind::event, at, 0, false, nextIn};
}

struct Scenario {
  const char* name;
  std::vector<Step> steps;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class TickGridScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(TickGridScenario, DeliversTicksOnTheGrid) {
  TickGrid grid;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE("at " + std::to_string(step.at));
    if (step.kind == Step::Kind::setPeriod) {
      grid.setPeriod(step.period, step.at);
      continue;
    }
    EXPECT_EQ(grid.takeDueTick(step.at), step.expectTick);
    if (grid.running()) {
      EXPECT_EQ(grid.delayToNextTick(step.at), step.expectDelay);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    TickGrid, TickGridScenario,
    ::testing::Values(
        Scenario{"FirstTickOnePeriodAfterStart",
                 {setPeriod(500, 1000), noTick(1499, 1), tick(1500, 1000)}},
        Scenario{"LateEventsDoNotPushLaterTicksBack",
                 {setPeriod(0, 1000), tick(1015, 985), tick(2003, 997), tick(3040, 960)}},
        Scenario{"AStallIsCaughtUpOneTickPerEvent",
                 {setPeriod(0, 1000), tick(3500, 0), tick(3510, 0), tick(3520, 480),
                  noTick(3530, 470), tick(4000, 1000)}},
        Scenario{"StoppedGridIgnoresEventsAlreadyQueued",
                 {setPeriod(0, 1000), tick(1000, 1000), setPeriod(1500, 0), noTick(2000, 0),
                  noTick(9000, 0)}},
        Scenario{"NegativePeriodStops",
                 {setPeriod(0, 1000), setPeriod(10, -5), noTick(1000, 0), noTick(5000, 0)}},
        Scenario{"RestartIgnoresTheOldGrid",
                 {setPeriod(0, 1000), setPeriod(1900, 300), noTick(2000, 200), tick(2200, 300)}},
        Scenario{"SamePeriodAgainKeepsTheDeadline",
                 {setPeriod(0, 1000), setPeriod(900, 1000), tick(1000, 1000)}},
        Scenario{"StopThenSamePeriodStartsAFreshGrid",
                 {setPeriod(0, 1000), setPeriod(200, 0), setPeriod(700, 1000), noTick(1000, 700),
                  tick(1700, 1000)}}),
    [](const ::testing::TestParamInfo<Scenario>& row) { return std::string(row.param.name); });

TEST(TickGrid, ReportsWhetherThePeriodChanged) {
  TickGrid grid;
  EXPECT_FALSE(grid.setPeriod(0, 0));
  EXPECT_FALSE(grid.setPeriod(-1, 0));
  EXPECT_TRUE(grid.setPeriod(1000, 0));
  EXPECT_FALSE(grid.setPeriod(1000, 500));
  EXPECT_TRUE(grid.setPeriod(-3, 600));
  EXPECT_EQ(grid.period(), 0);
  EXPECT_FALSE(grid.running());
}

} // namespace
} // namespace ostrivel
