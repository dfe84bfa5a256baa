#pragma once

// Sends one method call and waits for its answer, but never past a deadline.
// Does not decide what an answer means.

#include "platform/power/logind/sd_bus_handles.h"

#include <chrono>
#include <string>

namespace ostrivel::logind {

struct CallOutcome final {
  bool accepted = false;
  // The D-Bus error name of a refusal; empty when no answer came at all.
  std::string errorName;
};

// The deadline covers everything still pending on the connection, the
// handshake with the bus included, so a peer that accepts the connection and
// then stays silent cannot hold the caller.
CallOutcome callBefore(sd_bus* bus, sd_bus_message* call,
                       std::chrono::steady_clock::time_point deadline);

} // namespace ostrivel::logind
