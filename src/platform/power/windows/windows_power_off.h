#pragma once

// The forced power-off on Windows: takes the shutdown privilege, then asks
// for a power-off that applications cannot refuse. Shows nothing.

#include "platform/power/windows/windows_power_calls.h"
#include "platform/power_off.h"

namespace ostrivel::windows {

class WindowsPowerOff final : public PowerOff {
public:
  explicit WindowsPowerOff(PowerCalls& calls) : m_calls(calls) {}

  bool requestPowerOff() override;
  // True when the process may shut the machine down; once enabled, the
  // privilege stays enabled for the life of the process.
  bool enableShutdownPrivilege();

private:
  std::uint32_t platformId();

  PowerCalls& m_calls;
};

} // namespace ostrivel::windows
