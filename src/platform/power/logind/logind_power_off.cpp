#include "platform/power/logind/logind_power_off.h"

#include "platform/power/logind/bus_call.h"
#include "platform/power/logind/sd_bus_handles.h"

#include <cstdint>
#include <string_view>

namespace ostrivel {
namespace {

using logind::BusHandle;
using logind::callBefore;
using logind::MessageHandle;

// Newer logind honours block inhibitors even for root unless it is told to
// skip them; logind versions that predate this flag refuse it as an invalid
// argument.
constexpr std::uint64_t skipInhibitors = std::uint64_t{1} << 4;

BusHandle openSystemBus() {
  sd_bus* bus = nullptr;
  if (sd_bus_open_system(&bus) < 0) {
    return {};
  }
  return BusHandle{bus};
}

// A call on logind's Manager that never asks the user to authenticate:
// the program has no one to ask at the moment it switches the machine off.
MessageHandle managerCall(sd_bus* bus, const char* method) {
  sd_bus_message* raw = nullptr;
  if (sd_bus_message_new_method_call(bus, &raw, "org.freedesktop.login1", "/org/freedesktop/login1",
                                     "org.freedesktop.login1.Manager", method) < 0) {
    return {};
  }
  MessageHandle call{raw};
  if (sd_bus_message_set_allow_interactive_authorization(raw, 0) < 0) {
    return {};
  }
  return call;
}

// Errors by which a logind says it does not offer PowerOffWithFlags or the
// skip flag, as opposed to refusing the power-off itself.
bool meansOlderLogind(std::string_view errorName) {
  return errorName == "org.freedesktop.DBus.Error.UnknownMethod" ||
         errorName == "org.freedesktop.DBus.Error.InvalidArgs";
}

} // namespace

// A logind that knows the skip flag never refuses with it what it would
// accept without it, so a refusal there is final. An older logind gets
// PowerOff(false): for root it ignores block inhibitors, for anyone else it
// asks polkit whether they may be overridden, without a prompt.
bool LogindPowerOff::requestPowerOff() {
  const auto deadline = std::chrono::steady_clock::now() + m_timeout;
  const BusHandle bus = openSystemBus();
  if (!bus) {
    return false;
  }

  const MessageHandle withFlags = managerCall(bus.get(), "PowerOffWithFlags");
  if (!withFlags || sd_bus_message_append(withFlags.get(), "t", skipInhibitors) < 0) {
    return false;
  }
  const logind::CallOutcome preferred = callBefore(bus.get(), withFlags.get(), deadline);
  if (preferred.accepted || !meansOlderLogind(preferred.errorName)) {
    return preferred.accepted;
  }

  const MessageHandle plain = managerCall(bus.get(), "PowerOff");
  const int interactive = 0;
  if (!plain || sd_bus_message_append(plain.get(), "b", interactive) < 0) {
    return false;
  }
  return callBefore(bus.get(), plain.get(), deadline).accepted;
}

} // namespace ostrivel
