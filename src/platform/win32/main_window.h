#pragma once

// The program's window, built from its template, and the toolkit operations
// on its controls. Its data hangs on the window (GWLP_USERDATA); each message
// it handles has a small function of its own.

#include "platform/toolkit.h"
#include "platform/win32/label_colours.h"
#include "platform/win32/window_timer.h"
#include "shell/window_template.h"

#include <windows.h>

#include <array>
#include <optional>

namespace ostrivel::win32 {

class MainWindow final : public Toolkit {
public:
  explicit MainWindow(HINSTANCE instance) : m_instance(instance) {}
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The window and its controls, all hidden; false when Windows refuses.
  bool create(const WindowTemplate& window, ToolkitEvents& events);
  // Shows the window where create() placed it, activated.
  void show();
  // Closes the window at once, if it is open.
  void destroy();
  // nullptr once the window has been destroyed.
  [[nodiscard]] HWND handle() const { return m_window; }
  // The message loop hands over every message before the window sees it: a
  // key going to a field raises the key-press event first.
  void beforeDispatch(const MSG& message);

  std::string getText(Control control) override;
  void setText(Control control, std::string_view text) override;
  void setDisabled(Control control, bool disabled) override;
  void setBackgroundColour(Control label, Colour colour) override;
  void setTimerPeriod(Control timer, int milliseconds) override;
  void setFocus(Control control) override;
  void showMessage(std::string_view text) override;

private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool createControls(const WindowTemplate& window);
  void onCommand(int id, int notification);
  HBRUSH onCtlColorStatic(HDC dc, HWND control);
  void onTimer(UINT_PTR id);
  void onActivate(bool active);
  void onSetFocus();
  void onNextDlgCtl(WPARAM wParam, LPARAM lParam);
  void onDestroy();

  [[nodiscard]] std::optional<Control> controlOf(HWND child) const;
  [[nodiscard]] HWND childOf(Control control) const;
  [[nodiscard]] ControlKind kindOf(Control control) const;
  [[nodiscard]] bool isActive() const;

  HINSTANCE m_instance;
  HWND m_window = nullptr;
  ToolkitEvents* m_events = nullptr;
  const WindowTemplate* m_template = nullptr;
  std::array<HWND, controlCount> m_children{};
  std::array<std::optional<WindowTimer>, controlCount> m_timers{};
  LabelColours m_labelColours;
  // The control that gets the focus back when the window is activated.
  HWND m_focus = nullptr;
};

} // namespace ostrivel::win32
