#pragma once

// A stand-in for the program's handlers that writes every event it gets to a
// log, with what the field held at that moment, and runs the real
// window-created handler so the window starts as the program's does.

#include "platform/toolkit.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace ostrivel::testing {

QString controlName(Control control);

class RecordingEvents final : public ToolkitEvents {
public:
  explicit RecordingEvents(Toolkit& toolkit) : m_toolkit(toolkit) {}

  void windowCreated() override;
  void clicked(Control button) override;
  // Logs "key <field> <code> <flags> saw '<field's text>'".
  void keyPressed(Control field, int keyCode, int modifiers) override;
  void timerFired(Control timer) override;

  QStringList log;
  int ticks = 0;
  // Whether the window could be seen when the window-created event came.
  std::function<bool()> windowVisible;
  bool visibleWhenCreated = true;

private:
  Toolkit& m_toolkit;
};

} // namespace ostrivel::testing
