#pragma once

// The toolkit operations over the Qt widgets of the main window. Controls the
// window does not have (yet) are left alone; message boxes need no window.

#include "platform/qt/main_window_widget.h"
#include "platform/toolkit.h"

#include <QPointer>

namespace ostrivel {

class QtToolkit final : public Toolkit {
public:
  // The window whose controls the operations act on; nullptr for none.
  void attach(MainWindowWidget* window) { m_window = window; }

  std::string getText(Control control) override;
  void setText(Control control, std::string_view text) override;
  void setDisabled(Control control, bool disabled) override;
  void setBackgroundColour(Control label, Colour colour) override;
  void setTimerPeriod(Control timer, int milliseconds) override;
  void setFocus(Control control) override;
  void showMessage(std::string_view text) override;

private:
  [[nodiscard]] QObject* find(Control control) const;

  QPointer<MainWindowWidget> m_window;
};

} // namespace ostrivel
