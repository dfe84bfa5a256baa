#include "platform/win32/window_timer.h"

namespace ostrivel::win32 {

std::int64_t monotonicMilliseconds() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  const std::int64_t perSecond = frequency.QuadPart;
  return counter.QuadPart / perSecond * 1000 + counter.QuadPart % perSecond * 1000 / perSecond;
}

void WindowTimer::setPeriod(int milliseconds) {
  const std::int64_t now = monotonicMilliseconds();
  if (m_grid.setPeriod(milliseconds, now)) {
    arm(now);
  }
}

bool WindowTimer::takeDueTick() {
  const std::int64_t now = monotonicMilliseconds();
  // A WM_TIMER queued before the timer was stopped or restarted (KillTimer
  // does not remove it) finds nothing due here.
  const bool due = m_grid.takeDueTick(now);
  arm(now);
  return due;
}

void WindowTimer::stop() { setPeriod(0); }

void WindowTimer::arm(std::int64_t now) {
  if (!m_grid.running()) {
    ::KillTimer(m_window, m_id);
    return;
  }
  // The system raises a delay below its minimum (10 ms) to that minimum; an
  // event that comes early anyway finds nothing due and re-arms.
  const auto delay = static_cast<UINT>(m_grid.delayToNextTick(now));
  ::SetTimer(m_window, m_id, delay, nullptr);
}

} // namespace ostrivel::win32
