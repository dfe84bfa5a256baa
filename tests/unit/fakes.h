#pragma once

// Recording stand-ins for the toolkit and the power-off service. Both write
// to one shared log, so a test sees the order of every change the logic
// makes, and the toolkit also keeps the state a user would see.

#include "countdown/countdown.h"
#include "countdown/countdown_clock.h"
#include "platform/power_off.h"
#include "platform/toolkit.h"

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ostrivel {
// h:m:s in test output.
inline void PrintTo(const CountdownClock& clock, std::ostream* out) {
  *out << clock.hours << ':' << clock.minutes << ':' << clock.seconds;
}
} // namespace ostrivel

namespace ostrivel::testing {

std::string controlName(Control control);

using CallLog = std::vector<std::string>;

// What the window shows, control by control.
struct ControlState {
  std::string text;
  bool disabled = false;
  Colour background = defaultColour;
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

class RecordingToolkit final : public Toolkit {
public:
  explicit RecordingToolkit(CallLog& log) : m_log(log) {}

  std::string getText(Control control) override;
  void setText(Control control, std::string_view text) override;
  void setDisabled(Control control, bool disabled) override;
  void setBackgroundColour(Control label, Colour colour) override;
  void setTimerPeriod(Control timer, int milliseconds) override;
  void setFocus(Control control) override;
  void showMessage(std::string_view text) override;

  // Types into a field without going through the logic.
  void type(Control field, std::string text) { state(field).text = std::move(text); }

  ControlState& state(Control control) { return m_controls.at(static_cast<std::size_t>(control)); }
  [[nodiscard]] int timerPeriod() const { return m_timerPeriod; }
  [[nodiscard]] Control focus() const { return m_focus; }
  [[nodiscard]] const std::vector<std::string>& messages() const { return m_messages; }

  // Runs while a message box is open, as a modal loop would.
  std::function<void()> whileMessageOpen;

private:
  CallLog& m_log;
  std::array<ControlState, controlCount> m_controls{};
  int m_timerPeriod = 0;
  Control m_focus = Control::编辑框1;
  std::vector<std::string> m_messages;
};

class RecordingPowerOff final : public PowerOff {
public:
  explicit RecordingPowerOff(CallLog& log, bool accepts = false) : m_log(log), m_accepts(accepts) {}

  bool requestPowerOff() override;
  [[nodiscard]] int requests() const { return m_requests; }

private:
  CallLog& m_log;
  bool m_accepts;
  int m_requests = 0;
};

// The logic wired to the recording fakes, as most tests need it. The power-off
// service refuses, as when the account lacks the right.
struct FakeWindow {
  explicit FakeWindow(CountdownClock clock = {}) : countdown(toolkit, power, clock) {}

  CallLog log;
  RecordingToolkit toolkit{log};
  RecordingPowerOff power{log};
  Countdown countdown;
};

} // namespace ostrivel::testing
