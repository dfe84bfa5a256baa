#pragma once

// The window system of the Linux desktop program: builds the main window with
// Qt Widgets, runs Qt's event loop and shows the fatal start-up error. Needs a
// QApplication that outlives it.

#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_toolkit.h"
#include "shell/window_system.h"

#include <memory>

namespace ostrivel {

class QtWindowSystem final : public WindowSystem {
public:
  QtWindowSystem();
  ~QtWindowSystem() override;
  QtWindowSystem(const QtWindowSystem&) = delete;
  QtWindowSystem& operator=(const QtWindowSystem&) = delete;
  QtWindowSystem(QtWindowSystem&&) = delete;
  QtWindowSystem& operator=(QtWindowSystem&&) = delete;

  Toolkit& toolkit() override { return m_toolkit; }
  bool loadWindow(const WindowTemplate& window, ToolkitEvents& events) override;
  void runEventLoop() override;
  [[noreturn]] void fatalError(std::string_view message) override;

  // The window loadWindow built; nullptr before and once it is destroyed.
  [[nodiscard]] MainWindowWidget* window() const { return m_window.get(); }

private:
  QtToolkit m_toolkit;
  std::unique_ptr<MainWindowWidget> m_window;
};

} // namespace ostrivel
