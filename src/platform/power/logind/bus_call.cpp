#include "platform/power/logind/bus_call.h"

#include <cstdint>
#include <optional>

namespace ostrivel::logind {
namespace {

using std::chrono::steady_clock;

// Microseconds left until the deadline; 0 once it has passed.
std::uint64_t usecLeft(steady_clock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::microseconds>(deadline - steady_clock::now()).count();
  return left > 0 ? static_cast<std::uint64_t>(left) : 0;
}

int onReply(sd_bus_message* reply, void* userdata, sd_bus_error* /*unused*/) {
  auto& outcome = *static_cast<std::optional<CallOutcome>*>(userdata);
  const sd_bus_error* error = sd_bus_message_get_error(reply);
  if (error == nullptr) {
    outcome = CallOutcome{.accepted = true, .errorName = {}};
  } else {
    outcome = CallOutcome{.accepted = false, .errorName = error->name ? error->name : ""};
  }
  return 0;
}

} // namespace

CallOutcome callBefore(sd_bus* bus, sd_bus_message* call, steady_clock::time_point deadline) {
  const std::uint64_t budget = usecLeft(deadline);
  if (budget == 0) {
    return {};
  }
  // sd_bus_call() would wait for the bus handshake without a bound of ours;
  // driving the connection here keeps one deadline over all of it.
  std::optional<CallOutcome> outcome;
  sd_bus_slot* rawSlot = nullptr;
  if (sd_bus_call_async(bus, &rawSlot, call, onReply, &outcome, budget) < 0) {
    return {};
  }
  const SlotHandle slot{rawSlot};
  while (!outcome) {
    const int progress = sd_bus_process(bus, nullptr);
    if (progress < 0) {
      return {};
    }
    if (progress > 0) {
      continue;
    }
    const std::uint64_t left = usecLeft(deadline);
    if (left == 0 || sd_bus_wait(bus, left) < 0) {
      return {};
    }
  }
  return *outcome;
}

} // namespace ostrivel::logind
