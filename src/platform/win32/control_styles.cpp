#include "platform/win32/control_styles.h"

namespace ostrivel::win32 {
namespace {

ControlStyle kindStyle(const ControlTemplate& control) {
  switch (control.kind) {
  case ControlKind::editBox:
    return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
  case ControlKind::button:
    // Never BS_DEFPUSHBUTTON: with no default button, Enter in a field
    // clicks nothing.
    return {L"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
  case ControlKind::label: {
    // SS_CENTERIMAGE centres a single line of text vertically.
    const DWORD horizontal = control.alignment == Alignment::centre ? SS_CENTER : SS_LEFT;
    return {L"STATIC", horizontal | SS_CENTERIMAGE | SS_NOPREFIX, 0};
  }
  case ControlKind::timer:
    break;
  }
  return {};
}

} // namespace

ControlStyle controlStyle(const ControlTemplate& control) {
  ControlStyle style = kindStyle(control);
  style.style |= WS_CHILD;
  if (control.disabled) {
    style.style |= WS_DISABLED;
  }
  if (control.tabStop) {
    style.style |= WS_TABSTOP;
  }
  return style;
}

DWORD windowStyle(const WindowTemplate& window) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  if (window.minimiseBox) {
    style |= WS_MINIMIZEBOX;
  }
  if (window.maximiseBox) {
    style |= WS_MAXIMIZEBOX;
  }
  if (window.resizable) {
    style |= WS_THICKFRAME;
  }
  return style;
}

} // namespace ostrivel::win32
