#pragma once

// What CreateWindowExW needs to make a control of the template: the window
// class and the styles that give it the template's look and state.

#include "shell/window_template.h"

#include <windows.h>

namespace ostrivel::win32 {

struct ControlStyle {
  const wchar_t* className = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
};

// Created hidden; the caller shows the controls that the template marks
// visible. A timer has no window: nullptr class.
ControlStyle controlStyle(const ControlTemplate& control);

// The frame: a caption with the system menu and close button, and the boxes
// and border that the template allows.
DWORD windowStyle(const WindowTemplate& window);

} // namespace ostrivel::win32
