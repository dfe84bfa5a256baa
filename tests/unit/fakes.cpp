#include "fakes.h"

namespace ostrivel::testing {

std::string controlName(Control control) {
  static constexpr std::array<std::string_view, controlCount> names{
      "编辑框1", "编辑框2", "编辑框3", "按钮1", "按钮2", "按钮3",
      "标签1",   "标签2",   "标签3",   "标签4", "时钟1"};
  return std::string(names.at(static_cast<std::size_t>(control)));
}

std::string RecordingToolkit::getText(Control control) { return state(control).text; }

void RecordingToolkit::setText(Control control, std::string_view text) {
  m_log.push_back("setText " + controlName(control) + " \"" + std::string(text) + "\"");
  state(control).text = text;
}

void RecordingToolkit::setDisabled(Control control, bool disabled) {
  m_log.push_back("setDisabled " + controlName(control) + " " + (disabled ? "1" : "0"));
  state(control).disabled = disabled;
}

void RecordingToolkit::setBackgroundColour(Control label, Colour colour) {
  m_log.push_back("setBackgroundColour " + controlName(label) + " " +
                  (colour == defaultColour ? std::string("default")
                   : colour == yellow      ? std::string("yellow")
                                           : std::to_string(colour)));
  state(label).background = colour;
}

void RecordingToolkit::setTimerPeriod(Control timer, int milliseconds) {
  m_log.push_back("setTimerPeriod " + controlName(timer) + " " + std::to_string(milliseconds));
  m_timerPeriod = milliseconds < 0 ? 0 : milliseconds;
}

void RecordingToolkit::setFocus(Control control) {
  m_log.push_back("setFocus " + controlName(control));
  m_focus = control;
}

void RecordingToolkit::showMessage(std::string_view text) {
  m_log.push_back("showMessage \"" + std::string(text) + "\"");
  m_messages.emplace_back(text);
  if (whileMessageOpen) {
    whileMessageOpen();
  }
}

bool RecordingPowerOff::requestPowerOff() {
  m_log.emplace_back("requestPowerOff");
  ++m_requests;
  return m_accepts;
}

} // namespace ostrivel::testing
