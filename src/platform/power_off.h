#pragma once

// The one way the program switches the machine off.

namespace ostrivel {

class PowerOff {
public:
  virtual ~PowerOff() = default;

  // Asks the operating system for a forced power-off that running
  // applications cannot refuse. Returns at once: true when the request was
  // accepted, false when the right to it could not be had or the system
  // refused. Shows nothing.
  virtual bool requestPowerOff() = 0;
};

} // namespace ostrivel
