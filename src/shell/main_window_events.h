#pragma once

// Routes the window's events to the handlers that the template binds.

#include "countdown/countdown.h"
#include "platform/toolkit.h"
#include "shell/window_template.h"

namespace ostrivel {

// Runs while the window is still hidden: the hours field gets the focus and
// Cancel starts disabled.
void onWindowCreated(Toolkit& toolkit);

class MainWindowEvents final : public ToolkitEvents {
public:
  MainWindowEvents(const WindowTemplate& window, Toolkit& toolkit, Countdown& countdown);

  void windowCreated() override;
  void clicked(Control button) override;
  void keyPressed(Control field, int keyCode, int modifiers) override;
  void timerFired(Control timer) override;

private:
  // The handler bound to the control, if the control is of the given kind.
  [[nodiscard]] Handler boundHandler(Control control, ControlKind kind) const;

  const WindowTemplate& m_window;
  Toolkit& m_toolkit;
  Countdown& m_countdown;
};

} // namespace ostrivel
