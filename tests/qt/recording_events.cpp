#include "recording_events.h"

#include "shell/main_window_events.h"

namespace ostrivel::testing {

QString controlName(Control control) {
  static const char* const names[controlCount] = {"编辑框1", "编辑框2", "编辑框3", "按钮1",
                                                  "按钮2",   "按钮3",   "标签1",   "标签2",
                                                  "标签3",   "标签4",   "时钟1"};
  return QString::fromUtf8(names[static_cast<int>(control)]);
}

void RecordingEvents::windowCreated() {
  visibleWhenCreated = windowVisible ? windowVisible() : false;
  log << QStringLiteral("created");
  onWindowCreated(m_toolkit);
}

void RecordingEvents::clicked(Control button) {
  log << QStringLiteral("click %1").arg(controlName(button));
}

void RecordingEvents::keyPressed(Control field, int keyCode, int modifiers) {
  log << QStringLiteral("key %1 %2 %3 saw '%4'")
             .arg(controlName(field))
             .arg(keyCode)
             .arg(modifiers)
             .arg(QString::fromStdString(m_toolkit.getText(field)));
}

void RecordingEvents::timerFired(Control /*timer*/) { ++ticks; }

} // namespace ostrivel::testing
