#pragma once

// The program's own logic: the handlers of the main window's events, over the
// one CountdownClock they share. Drives the controls only through Toolkit and
// switches the machine off only through PowerOff; knows no window system.

#include "countdown/countdown_clock.h"
#include "platform/power_off.h"
#include "platform/toolkit.h"

namespace ostrivel {

class Countdown final {
public:
  // `clock` is where the next tick continues from; a real countdown starts at
  // 0:0:0 and is seeded by Start.
  Countdown(Toolkit& toolkit, PowerOff& powerOff, CountdownClock clock = {});

  // Start: checks the fields and, when they pass, arms the countdown.
  void startCountdown();
  // Shows the refusal and returns false when the entry cannot be armed.
  bool validateDurationEntry();
  // Locks the controls, starts the timer and seeds the clock from the fields.
  void armCountdown();
  // The timer's periodic event: one second off, shown in the status line; at
  // 0:0:0 the timer stops and the power-off is requested.
  void countdownTick();
  // Enter moves the focus hours -> minutes -> seconds -> hours.
  void focusNextField(Control field, int keyCode, int modifiers);
  // Stops the countdown and unlocks the controls; the fields keep their texts.
  void cancelCountdown();
  // Empties the three fields and focuses the hours field.
  void clearFields();

  [[nodiscard]] const CountdownClock& clock() const { return m_clock; }

private:
  Toolkit& m_toolkit;
  PowerOff& m_powerOff;
  CountdownClock m_clock;
};

} // namespace ostrivel
