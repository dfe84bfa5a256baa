#include "shell/window_template.h"

namespace ostrivel {
namespace {

bool handlerSuits(const ControlTemplate& control) {
  switch (control.kind) {
  case ControlKind::editBox:
    return control.handler == Handler::none || control.handler == Handler::focusNextField;
  case ControlKind::button:
    return control.handler == Handler::none || control.handler == Handler::startCountdown ||
           control.handler == Handler::clearFields || control.handler == Handler::cancelCountdown;
  case ControlKind::timer:
    return control.handler == Handler::none || control.handler == Handler::countdownTick;
  case ControlKind::label:
    return control.handler == Handler::none;
  }
  return false;
}

} // namespace

bool isUsable(const WindowTemplate& window) {
  std::array<int, controlCount> seen{};
  bool inTabStops = true;
  for (const ControlTemplate& control : window.controls) {
    const auto index = static_cast<std::size_t>(control.name);
    if (index >= seen.size() || seen[index]++ != 0 || !handlerSuits(control)) {
      return false;
    }
    if (control.tabStop && !inTabStops) {
      return false;
    }
    inTabStops = control.tabStop;
  }
  return window.outerWidth > 0 && window.outerHeight > 0;
}

} // namespace ostrivel
