#pragma once

// A periodic timer whose ticks keep to a fixed grid on the monotonic clock:
// tick k is due at start + k x period, however late the ticks before it came.
// It calls one function per tick and knows nothing of what a tick means.

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>

namespace ostrivel {

using SteadyClock = std::chrono::steady_clock;

// Milliseconds from `now` until tick number `tick` (1 is the first) of a grid
// that starts at `start`, rounded up so that no tick comes early; 0 when that
// tick is due already. Example: start 0, period 1000 ms, tick 2 and now
// 1003 ms (tick 1 came 3 ms late) gives 997, not 1000.
int millisecondsUntilTick(SteadyClock::time_point start, int periodMs, std::int64_t tick,
                          SteadyClock::time_point now);

class GridTimer final : public QObject {
public:
  explicit GridTimer(std::function<void()> onTick, QObject* parent = nullptr);

  // Below 0 counts as 0; the current period again changes nothing; any other
  // value stops the timer and, above 0, restarts it with the first tick one
  // full period from now. A tick that comes more than a period late is
  // followed at once by the ones missed meanwhile, so the number of ticks
  // always matches the periods elapsed.
  void setPeriod(int milliseconds);
  [[nodiscard]] int period() const { return m_period; }

private:
  void scheduleNextTick();
  void onTimeout();

  std::function<void()> m_onTick;
  QTimer m_timer;
  int m_period = 0;
  SteadyClock::time_point m_start{};
  std::int64_t m_ticksDelivered = 0;
  // Every stop and restart opens a new generation; a timeout armed in an
  // older one is stale and delivers nothing.
  std::uint64_t m_generation = 0;
  std::uint64_t m_armedGeneration = 0;
};

} // namespace ostrivel
