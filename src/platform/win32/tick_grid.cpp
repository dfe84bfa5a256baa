#include "platform/win32/tick_grid.h"

#include <algorithm>

namespace ostrivel {

bool TickGrid::setPeriod(int milliseconds, std::int64_t now) {
  const int period = std::max(milliseconds, 0);
  if (period == m_period) {
    return false;
  }
  m_period = period;
  m_nextDeadline = now + period;
  return true;
}

bool TickGrid::takeDueTick(std::int64_t now) {
  if (!running() || now < m_nextDeadline) {
    return false;
  }
  m_nextDeadline += m_period;
  return true;
}

std::int64_t TickGrid::delayToNextTick(std::int64_t now) const {
  return std::max<std::int64_t>(m_nextDeadline - now, 0);
}

} // namespace ostrivel
