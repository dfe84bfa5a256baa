#pragma once

// The operations through which the program's logic drives the controls of the
// main window. Each front end (Qt, Win32) implements this port; the logic never
// sees a toolkit type.

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrivel {

// The controls of the main window, named as in its template.
enum class Control : std::uint8_t {
  编辑框1, // hours field
  编辑框2, // minutes field
  编辑框3, // seconds field
  按钮1,   // Start
  按钮2,   // Clear
  按钮3,   // Cancel
  标签1,   // "时"
  标签2,   // "分"
  标签3,   // "秒"
  标签4,   // status line
  时钟1,   // the countdown timer
};

inline constexpr int controlCount = 11;

// 0x00BBGGRR, or defaultColour for the system's button-face colour.
using Colour = std::uint32_t;
inline constexpr Colour defaultColour = 0xFF000000;
inline constexpr Colour yellow = 0x0000FFFF;

// Key codes and modifier flags of the key-press event.
inline constexpr int keyEnter = 13;
inline constexpr int modifierCtrl = 1;
inline constexpr int modifierShift = 2;
inline constexpr int modifierAlt = 4;

class Toolkit {
public:
  virtual ~Toolkit() = default;

  // The control's current text, a copy owned by the caller ("" when empty).
  virtual std::string getText(Control control) = 0;
  // Edit box content or label caption, shown at once.
  virtual void setText(Control control, std::string_view text) = 0;
  // A disabled control takes no click, key or focus from the user.
  virtual void setDisabled(Control control, bool disabled) = 0;
  // Fills the label's whole area; defaultColour is the button face.
  virtual void setBackgroundColour(Control label, Colour colour) = 0;
  // Below 0 counts as 0; the current period again changes nothing; any other
  // value stops the timer and, above 0, restarts it with the first event one
  // full period later.
  virtual void setTimerPeriod(Control timer, int milliseconds) = 0;
  virtual void setFocus(Control control) = 0;
  // A modal box with the text, one OK button and the caption "信息："; returns
  // when the user has closed it. The timer keeps ticking meanwhile.
  virtual void showMessage(std::string_view text) = 0;
};

// The events a front end delivers, one at a time on the GUI thread.
class ToolkitEvents {
public:
  virtual ~ToolkitEvents() = default;

  virtual void windowCreated() = 0;
  virtual void clicked(Control button) = 0;
  // Runs before the field sees the key; the key then still reaches the field.
  virtual void keyPressed(Control field, int keyCode, int modifiers) = 0;
  virtual void timerFired(Control timer) = 0;
};

} // namespace ostrivel
