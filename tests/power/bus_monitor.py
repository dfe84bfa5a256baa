"""Records the Manager calls that cross a private bus, header flags included.

dbus-python does not show a received message's flags, so the calls are taken
from dbus-monitor's raw output and read back with Gio.
"""

import subprocess
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio  # noqa: E402

from conftest import LOGIND, LOGIND_PATH, MANAGER, STARTUP_LIMIT  # noqa: E402

# Sent once the monitor is started; when it shows up in the output, the
# monitor is known to see everything that follows.
MARKER = "CanPowerOff"


class BusMonitor:
    def __init__(self, bus, started):
        self._output = bus.directory / "monitor.bin"
        with open(self._output, "wb") as out:
            process = subprocess.Popen(
                ["dbus-monitor", "--address", bus.address, "--binary",
                 f"type='method_call',interface='{MANAGER}'"],
                stdout=out, stderr=subprocess.DEVNULL)
        started.append(process)
        manager = bus.connection.get_object(LOGIND, LOGIND_PATH)
        limit = time.monotonic() + STARTUP_LIMIT
        while not any(member == MARKER for member, _ in self._messages()):
            assert process.poll() is None, "dbus-monitor ended"
            assert time.monotonic() < limit, "dbus-monitor did not see the bus"
            manager.CanPowerOff(dbus_interface=MANAGER)
            time.sleep(0.05)

    def _messages(self):
        blob = self._output.read_bytes()
        offset = 0
        while len(blob) - offset >= 16:
            size = Gio.DBusMessage.bytes_needed(blob[offset:offset + 16])
            if len(blob) - offset < size:
                break
            message = Gio.DBusMessage.new_from_blob(
                blob[offset:offset + size], Gio.DBusCapabilityFlags.NONE)
            offset += size
            if message.get_message_type() == Gio.DBusMessageType.METHOD_CALL:
                yield message.get_member(), message.get_flags()

    def power_off_calls(self):
        """(method, allows interactive authorization) for each call but the marker."""
        interactive = Gio.DBusMessageFlags.ALLOW_INTERACTIVE_AUTHORIZATION
        return [(member, bool(flags & interactive))
                for member, flags in self._messages() if member != MARKER]
