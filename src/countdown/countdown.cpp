#include "countdown/countdown.h"

#include "countdown/duration_entry.h"
#include "platform/conversions.h"

#include <string>

namespace ostrivel {
namespace {

constexpr int tickPeriodMs = 1000;
constexpr std::string_view idleCaption = "倒计时";

DurationTexts readDurationFields(Toolkit& toolkit) {
  DurationTexts texts;
  for (std::size_t i = 0; i < durationFields.size(); ++i) {
    texts[i] = toolkit.getText(durationFields[i]);
  }
  return texts;
}

void setFieldsDisabled(Toolkit& toolkit, bool disabled) {
  for (const Control field : durationFields) {
    toolkit.setDisabled(field, disabled);
  }
}

} // namespace

Countdown::Countdown(Toolkit& toolkit, PowerOff& powerOff, CountdownClock clock)
    : m_toolkit(toolkit), m_powerOff(powerOff), m_clock(clock) {}

void Countdown::startCountdown() {
  if (validateDurationEntry()) {
    armCountdown();
  }
}

bool Countdown::validateDurationEntry() {
  const std::optional<EntryRefusal> refusal = checkDurationEntry(readDurationFields(m_toolkit));
  if (!refusal) {
    return true;
  }
  m_toolkit.showMessage(refusal->message);
  if (refusal->emptiesField) {
    m_toolkit.setText(refusal->field, "");
  }
  m_toolkit.setFocus(refusal->field);
  return false;
}

void Countdown::armCountdown() {
  m_toolkit.setDisabled(Control::按钮1, true);
  m_toolkit.setDisabled(Control::按钮3, false);
  setFieldsDisabled(m_toolkit, true);
  // The first tick cannot run before this handler returns, so arming the
  // timer ahead of seeding the clock is safe.
  m_toolkit.setTimerPeriod(Control::时钟1, tickPeriodMs);
  // The entry passed validateDurationEntry, which refuses any entry that
  // does not seed a clock.
  if (const std::optional<CountdownClock> seeded = seedClock(readDurationFields(m_toolkit))) {
    m_clock = *seeded;
  }
  m_toolkit.setDisabled(Control::按钮2, true);
}

void Countdown::countdownTick() {
  m_toolkit.setBackgroundColour(Control::标签4, yellow);
  advanceOneSecond(m_clock);
  // The caption shows 0:0:0 before the timer stops, and the timer stops
  // before the power-off is asked for.
  m_toolkit.setText(Control::标签4, statusLine(m_clock));
  if (isAtZero(m_clock)) {
    m_toolkit.setTimerPeriod(Control::时钟1, 0);
    // A refused power-off leaves the window as it is until Cancel.
    static_cast<void>(m_powerOff.requestPowerOff());
  }
}

void Countdown::focusNextField(Control field, int keyCode, int /*modifiers*/) {
  if (keyCode != keyEnter) {
    return;
  }
  switch (field) {
  case Control::编辑框1:
    m_toolkit.setFocus(Control::编辑框2);
    break;
  case Control::编辑框2:
    m_toolkit.setFocus(Control::编辑框3);
    break;
  case Control::编辑框3:
    m_toolkit.setFocus(Control::编辑框1);
    break;
  default:
    break;
  }
}

void Countdown::cancelCountdown() {
  m_toolkit.setTimerPeriod(Control::时钟1, 0);
  m_toolkit.setText(Control::标签4, idleCaption);
  m_toolkit.setDisabled(Control::按钮1, false);
  m_toolkit.setDisabled(Control::按钮3, true);
  setFieldsDisabled(m_toolkit, false);
  m_toolkit.setBackgroundColour(Control::标签4, defaultColour);
  m_toolkit.setDisabled(Control::按钮2, false);
}

void Countdown::clearFields() {
  for (const Control field : durationFields) {
    m_toolkit.setText(field, "");
  }
  m_toolkit.setFocus(Control::编辑框1);
}

} // namespace ostrivel
