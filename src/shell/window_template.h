#pragma once

// The main window as data: its frame, every control with geometry, text,
// initial state and tab order, and which handler each event goes to. Every
// front end builds the window from this one table.

#include "platform/toolkit.h"

#include <array>
#include <string_view>

namespace ostrivel {

enum class ControlKind : std::uint8_t { editBox, button, label, timer };

enum class Handler : std::uint8_t {
  none,
  startCountdown,
  clearFields,
  cancelCountdown,
  focusNextField,
  countdownTick,
};

enum class Alignment : std::uint8_t { left, centre };

// Pixels from the top-left corner of the client area, at 96 DPI.
struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ControlTemplate {
  Control name{};
  ControlKind kind{};
  Geometry geometry;
  std::string_view text;
  bool visible = true;
  bool disabled = false;
  bool tabStop = false;
  Alignment alignment = Alignment::left;
  Handler handler = Handler::none; // the click, key-press or periodic event
  std::string_view accessibleName; // for screen readers; empty: the text speaks
};

struct WindowTemplate {
  std::string_view caption;
  int outerWidth = 0; // frame and title bar included
  int outerHeight = 0;
  bool escCloses = true;
  bool minimiseBox = true;
  bool maximiseBox = false;
  bool resizable = false;
  // The focusable controls in tab order, then the others.
  std::array<ControlTemplate, controlCount> controls{};
};

inline constexpr WindowTemplate mainWindowTemplate{
    .caption = "Ostrivel",
    .outerWidth = 258,
    .outerHeight = 173,
    .controls = {{
        {Control::编辑框1,
         ControlKind::editBox,
         {7, 16, 48, 32},
         "",
         true,
         false,
         true,
         Alignment::left,
         Handler::focusNextField,
         "小时"},
        {Control::编辑框2,
         ControlKind::editBox,
         {87, 16, 48, 32},
         "",
         true,
         false,
         true,
         Alignment::left,
         Handler::focusNextField,
         "分钟"},
        {Control::编辑框3,
         ControlKind::editBox,
         {173, 15, 48, 32},
         "",
         true,
         false,
         true,
         Alignment::left,
         Handler::focusNextField,
         "秒"},
        {Control::按钮1,
         ControlKind::button,
         {8, 56, 56, 32},
         "开始",
         true,
         false,
         true,
         Alignment::centre,
         Handler::startCountdown,
         ""},
        {Control::按钮2,
         ControlKind::button,
         {184, 55, 56, 32},
         "清空",
         true,
         false,
         true,
         Alignment::centre,
         Handler::clearFields,
         ""},
        {Control::按钮3,
         ControlKind::button,
         {95, 55, 56, 32},
         "解除",
         true,
         false,
         true,
         Alignment::centre,
         Handler::cancelCountdown,
         ""},
        {Control::标签1,
         ControlKind::label,
         {62, 16, 24, 32},
         "时",
         true,
         false,
         false,
         Alignment::left,
         Handler::none,
         ""},
        {Control::标签2,
         ControlKind::label,
         {144, 16, 24, 32},
         "分",
         true,
         false,
         false,
         Alignment::left,
         Handler::none,
         ""},
        {Control::标签3,
         ControlKind::label,
         {228, 15, 24, 32},
         "秒",
         true,
         false,
         false,
         Alignment::left,
         Handler::none,
         ""},
        {Control::标签4,
         ControlKind::label,
         {16, 104, 224, 32},
         "倒计时",
         true,
         false,
         false,
         Alignment::centre,
         Handler::none,
         ""},
        {Control::时钟1,
         ControlKind::timer,
         {192, 104, 26, 26},
         "",
         false,
         false,
         false,
         Alignment::left,
         Handler::countdownTick,
         ""},
    }},
};

// The entry of a control, or nullptr when the template has none.
constexpr const ControlTemplate* findControl(const WindowTemplate& window, Control name) {
  for (const ControlTemplate& control : window.controls) {
    if (control.name == name) {
      return &control;
    }
  }
  return nullptr;
}

// A template the program can build: every control exactly once, the
// focusable ones first, and a handler kind that suits each control.
bool isUsable(const WindowTemplate& window);

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Top-left corner of the outer frame that centres the window on the screen;
// the division drops the fraction.
constexpr Point centredPosition(int screenWidth, int screenHeight, int outerWidth,
                                int outerHeight) {
  return {(screenWidth - outerWidth) / 2, (screenHeight - outerHeight) / 2};
}

} // namespace ostrivel
