#pragma once

// The shell's window system on raw Win32: builds the main window, runs the
// message loop with the dialog keys, and reports fatal start-up errors.

#include "platform/win32/main_window.h"
#include "shell/window_system.h"

#include <windows.h>

namespace ostrivel::win32 {

class Win32WindowSystem final : public WindowSystem {
public:
  explicit Win32WindowSystem(HINSTANCE instance) : m_window(instance) {}

  Toolkit& toolkit() override { return m_window; }
  bool loadWindow(const WindowTemplate& window, ToolkitEvents& events) override;
  void runEventLoop() override;
  [[noreturn]] void fatalError(std::string_view message) override;

private:
  MainWindow m_window;
};

} // namespace ostrivel::win32
