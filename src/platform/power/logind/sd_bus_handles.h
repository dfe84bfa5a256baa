#pragma once

// Owning handles for the sd-bus objects the power-off request uses, so every
// return path gives them back.

#include <systemd/sd-bus.h>

#include <memory>

namespace ostrivel::logind {

// Closes without flushing: by the time the connection is dropped every call
// either has its reply or has been given up on, and a flush would wait for a
// bus that may never finish its handshake.
struct BusCloser final {
  void operator()(sd_bus* bus) const { sd_bus_close_unref(bus); }
};
struct MessageUnref final {
  void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
// Dropping a slot whose reply has not come yet also cancels its callback.
struct SlotUnref final {
  void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};

using BusHandle = std::unique_ptr<sd_bus, BusCloser>;
using MessageHandle = std::unique_ptr<sd_bus_message, MessageUnref>;
using SlotHandle = std::unique_ptr<sd_bus_slot, SlotUnref>;

} // namespace ostrivel::logind
