#pragma once

// A periodic timer delivered as WM_TIMER to one window, its ticks kept on a
// grid of the performance counter. SetTimer alone drifts: each event comes
// a little late and the next is counted from there.

#include "platform/win32/tick_grid.h"

#include <windows.h>

namespace ostrivel::win32 {

class WindowTimer final {
public:
  WindowTimer(HWND window, UINT_PTR id) : m_window(window), m_id(id) {}

  // The period rules of Toolkit::setTimerPeriod.
  void setPeriod(int milliseconds);
  // For the WM_TIMER with this timer's id: true when a tick is due now. The
  // next one is already armed, so the tick's handler may stop or restart
  // the timer.
  bool takeDueTick();
  void stop();

private:
  // Sets the window's timer to the next deadline, or kills it when stopped.
  void arm(std::int64_t now);

  HWND m_window;
  UINT_PTR m_id;
  TickGrid m_grid;
};

// Milliseconds of a clock that never goes back.
std::int64_t monotonicMilliseconds();

} // namespace ostrivel::win32
