#include "shell/main_window_events.h"

namespace ostrivel {

void onWindowCreated(Toolkit& toolkit) {
  toolkit.setFocus(Control::编辑框1);
  toolkit.setDisabled(Control::按钮3, true);
}

MainWindowEvents::MainWindowEvents(const WindowTemplate& window, Toolkit& toolkit,
                                   Countdown& countdown)
    : m_window(window), m_toolkit(toolkit), m_countdown(countdown) {}

void MainWindowEvents::windowCreated() { onWindowCreated(m_toolkit); }

void MainWindowEvents::clicked(Control button) {
  switch (boundHandler(button, ControlKind::button)) {
  case Handler::startCountdown:
    m_countdown.startCountdown();
    break;
  case Handler::clearFields:
    m_countdown.clearFields();
    break;
  case Handler::cancelCountdown:
    m_countdown.cancelCountdown();
    break;
  default:
    break;
  }
}

void MainWindowEvents::keyPressed(Control field, int keyCode, int modifiers) {
  if (boundHandler(field, ControlKind::editBox) == Handler::focusNextField) {
    m_countdown.focusNextField(field, keyCode, modifiers);
  }
}

void MainWindowEvents::timerFired(Control timer) {
  if (boundHandler(timer, ControlKind::timer) == Handler::countdownTick) {
    m_countdown.countdownTick();
  }
}

Handler MainWindowEvents::boundHandler(Control control, ControlKind kind) const {
  const ControlTemplate* entry = findControl(m_window, control);
  return entry != nullptr && entry->kind == kind ? entry->handler : Handler::none;
}

} // namespace ostrivel
