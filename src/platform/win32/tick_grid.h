#pragma once

// When a periodic timer's events are due: on the grid start + k x period of a
// monotonic clock, so a late event does not push the later ones back. Knows
// nothing of how the events are delivered.
//
// Example, period 1000 started at 0: an event handled at 1003 is the first
// tick and the next is due at 2000 (not 2003); an event at 3500, after a
// stall, is the second tick and the third is due at once; an event at 2999
// after a restart at 2000 is early and gives no tick.

#include <cstdint>

namespace ostrivel {

class TickGrid final {
public:
  // The period rules of Toolkit::setTimerPeriod; `now` starts a new grid.
  // True when the period changed, so the delivery must be re-armed or stopped.
  bool setPeriod(int milliseconds, std::int64_t now);

  [[nodiscard]] int period() const { return m_period; }
  [[nodiscard]] bool running() const { return m_period > 0; }

  // A timer event at `now`: true when a tick is due, and the grid then moves
  // on by one period. A stopped grid, or an event before the deadline (one
  // queued before a stop or a restart), gives no tick.
  bool takeDueTick(std::int64_t now);

  // Milliseconds from `now` to the next deadline; 0 when it has passed.
  [[nodiscard]] std::int64_t delayToNextTick(std::int64_t now) const;

private:
  int m_period = 0;
  std::int64_t m_nextDeadline = 0;
};

} // namespace ostrivel
