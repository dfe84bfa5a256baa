#include "platform/qt/grid_timer.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace ostrivel {

int millisecondsUntilTick(SteadyClock::time_point start, int periodMs, std::int64_t tick,
                          SteadyClock::time_point now) {
  const SteadyClock::time_point due = start + std::chrono::milliseconds(periodMs) * tick;
  if (now >= due) {
    return 0;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
  return static_cast<int>(std::min<std::int64_t>(wait, std::numeric_limits<int>::max()));
}

GridTimer::GridTimer(std::function<void()> onTick, QObject* parent)
    : QObject(parent), m_onTick(std::move(onTick)) {
  m_timer.setSingleShot(true);
  m_timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&m_timer, &QTimer::timeout, this, [this] { onTimeout(); });
}

void GridTimer::setPeriod(int milliseconds) {
  const int period = std::max(milliseconds, 0);
  if (period == m_period) {
    return;
  }
  m_timer.stop();
  ++m_generation;
  m_period = period;
  if (period == 0) {
    return;
  }
  m_start = SteadyClock::now();
  m_ticksDelivered = 0;
  scheduleNextTick();
}

void GridTimer::scheduleNextTick() {
  m_armedGeneration = m_generation;
  m_timer.start(millisecondsUntilTick(m_start, m_period, m_ticksDelivered + 1, SteadyClock::now()));
}

void GridTimer::onTimeout() {
  if (m_period == 0 || m_armedGeneration != m_generation) {
    return;
  }
  ++m_ticksDelivered;
  // The next tick is armed before the handler runs: a handler that opens a
  // message box runs a nested event loop, and the grid goes on meanwhile.
  scheduleNextTick();
  m_onTick();
}

} // namespace ostrivel
