#pragma once

// The main window built from its template: the frame, every control in one
// loop, the tab order and the window's own keys (Esc closes, Tab moves). It
// passes the controls' events on to the program's handlers and decides
// nothing about them.

#include "platform/toolkit.h"
#include "shell/window_template.h"

#include <QWidget>

#include <array>

class QScreen;

namespace ostrivel {

class MainWindowWidget final : public QWidget {
public:
  MainWindowWidget(const WindowTemplate& window, ToolkitEvents& events);

  // The widget or timer that stands for the control; nullptr when the
  // template has none.
  [[nodiscard]] QObject* control(Control name) const;

  // Shows the window activated, its outer frame centred on the screen.
  void showCentred(const QScreen& screen);

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  QObject* createControl(const ControlTemplate& control);
  QWidget* createEditBox(const ControlTemplate& control);
  QWidget* createButton(const ControlTemplate& control);
  QWidget* createLabel(const ControlTemplate& control);
  QObject* createTimer(const ControlTemplate& control);
  void chainTabOrder(const WindowTemplate& window);

  // Esc from anywhere in the window closes it; true when the key was Esc.
  bool handleEscape(const QKeyEvent& key);
  // A field's key goes to the handler before the field sees it.
  void passKeyToHandler(QObject* field, const QKeyEvent& key);
  // A window manager's frame takes its room from the client area, so the
  // outer size stays the template's.
  void fitOuterSize();
  void stopTimers();

  ToolkitEvents& m_events;
  QSize m_outerSize;
  // Children of this window; they die with it.
  std::array<QObject*, controlCount> m_controls{};
};

} // namespace ostrivel
