#pragma once

// Powers the machine off through systemd-logind on the system bus: a
// non-interactive request that overrides the inhibitor locks of running
// applications, so they cannot refuse or delay it. Shows nothing; every
// failure, a refusal by logind included, is a false result.

#include "platform/power_off.h"

#include <chrono>

namespace ostrivel {

class LogindPowerOff final : public PowerOff {
public:
  // How long one request may take in all, from connecting to the bus to
  // logind's answer.
  static constexpr std::chrono::milliseconds defaultTimeout{5000};

  LogindPowerOff() = default;
  explicit LogindPowerOff(std::chrono::milliseconds timeout) : m_timeout{timeout} {}

  // The bus is the one named by DBUS_SYSTEM_BUS_ADDRESS when that is set.
  bool requestPowerOff() override;

private:
  std::chrono::milliseconds m_timeout = defaultTimeout;
};

} // namespace ostrivel
