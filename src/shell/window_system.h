#pragma once

// What the program needs of a window system beyond the toolkit operations:
// building the window, running the event loop and the fatal start-up error.

#include "platform/toolkit.h"
#include "shell/window_template.h"

#include <string_view>

namespace ostrivel {

class WindowSystem {
public:
  virtual ~WindowSystem() = default;

  // Operations on the controls of the window that loadWindow built.
  virtual Toolkit& toolkit() = 0;
  // Builds the window and its controls hidden, raises events.windowCreated(),
  // then shows the window centred and activated. Delivers every later event
  // to `events`. False when the window cannot be created.
  virtual bool loadWindow(const WindowTemplate& window, ToolkitEvents& events) = 0;
  // Delivers events until the window has been destroyed.
  virtual void runEventLoop() = 0;
  // An error box with the message, caption "错误" and the stop icon; then the
  // process ends with exit code -1.
  [[noreturn]] virtual void fatalError(std::string_view message) = 0;
};

} // namespace ostrivel
