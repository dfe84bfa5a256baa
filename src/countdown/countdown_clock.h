#pragma once

// The time left before the power-off, and the one-second step that advances
// it. The fields are not kept within 0..59: a freshly armed clock may read
// 0:90:30 or 0:59:60, and the step borrows only when a field reaches -1.

#include <cstdint>
#include <string>

namespace ostrivel {

struct CountdownClock {
  std::int32_t hours = 0;
  std::int32_t minutes = 0;
  std::int32_t seconds = 0;

  friend bool operator==(const CountdownClock&, const CountdownClock&) = default;
};

// Takes one second off the clock. Worked example: 2:0:0 becomes 1:59:59
// (seconds borrow from minutes, which borrow from hours); 0:0:0 becomes 0:0:59
// because with no hours left a minute of -1 is reset to 0 rather than
// borrowed. Values outside the usual range pass through unchanged and the
// arithmetic wraps instead of overflowing.
void advanceOneSecond(CountdownClock& clock);

bool isAtZero(const CountdownClock& clock);

// 3600 * hours + 60 * minutes + seconds, exact for every clock.
std::int64_t secondsLeft(const CountdownClock& clock);

// The status line for the clock, e.g. "1时29分59秒  后关机！！".
std::string statusLine(const CountdownClock& clock);

} // namespace ostrivel
