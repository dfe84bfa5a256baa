// Test driver: makes one power-off request through logind and prints the
// result. Runs only when DBUS_SYSTEM_BUS_ADDRESS is exactly the private bus
// address given as the first argument, so it can never reach the real
// system bus, not even when started by hand.
//
//   power_off_probe <bus-address> [timeout-ms]
//   exit 0 "accepted", 1 "refused", 2 when it declines to run.

#include "platform/power/logind/logind_power_off.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <span>
#include <string_view>

namespace {

constexpr std::string_view realSystemBus = "/run/dbus/system_bus_socket";

bool aimedAtPrivateBus(std::string_view expected) {
  const char* actual = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  return actual != nullptr && expected == actual && expected.starts_with("unix:path=/") &&
         expected.find(realSystemBus) == std::string_view::npos &&
         expected.find(';') == std::string_view::npos;
}

std::optional<std::chrono::milliseconds> toTimeout(std::string_view text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value <= 0) {
    return std::nullopt;
  }
  return std::chrono::milliseconds{value};
}

} // namespace

int main(int argc, char** argv) {
  const std::span<char*> args{argv, static_cast<std::size_t>(argc)};
  const std::optional<std::chrono::milliseconds> timeout =
      args.size() == 3 ? toTimeout(args[2]) : ostrivel::LogindPowerOff::defaultTimeout;
  if (args.size() < 2 || args.size() > 3 || !timeout || !aimedAtPrivateBus(args[1])) {
    std::cerr << "usage: power_off_probe <bus-address> [timeout-ms], with "
                 "DBUS_SYSTEM_BUS_ADDRESS set to the same private bus address\n";
    return 2;
  }
  ostrivel::LogindPowerOff powerOff{*timeout};
  const bool accepted = powerOff.requestPowerOff();
  std::cout << (accepted ? "accepted" : "refused") << '\n';
  return accepted ? 0 : 1;
}
