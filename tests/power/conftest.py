"""Private buses for the logind power-off tests.

Every bus here is a dbus-daemon of the test's own, listening on a socket in a
directory of the test's own; the probe that asks for the power-off is only
ever started with DBUS_SYSTEM_BUS_ADDRESS aimed inside that directory. Every
process a fixture starts is stopped by its PID when the test ends, passed or
failed.
"""

import os
import select
import shutil
import subprocess
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path

import pytest

try:
    import dbus
    import dbusmock  # noqa: F401  (only its presence is checked here)
except ImportError:
    dbus = None

LOGIND = "org.freedesktop.login1"
LOGIND_PATH = "/org/freedesktop/login1"
MANAGER = "org.freedesktop.login1.Manager"
MOCK = "org.freedesktop.DBus.Mock"
STARTUP_LIMIT = 10.0


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


@pytest.fixture
def started():
    """Collects processes and stops each of them at the end of the test."""
    processes = []
    yield processes
    for process in reversed(processes):
        stop(process)


@pytest.fixture
def bus_dir():
    # Short on purpose: a socket path has to fit in 108 bytes.
    path = Path(tempfile.mkdtemp(prefix="ostrivel-bus-"))
    yield path
    shutil.rmtree(path, ignore_errors=True)


def address_in(directory, name="bus"):
    return f"unix:path={directory / name}"


def require_private(address, directory):
    """Fails the test unless address is a socket inside the test's own directory."""
    prefix = "unix:path="
    assert address.startswith(prefix) and ";" not in address and "," not in address, address
    socket_path = Path(address[len(prefix):])
    assert socket_path.parent == directory, f"{address} is not inside {directory}"
    return address


@dataclass
class PrivateBus:
    address: str
    directory: Path
    connection: object

    def environment(self):
        env = dict(os.environ)
        env["DBUS_SYSTEM_BUS_ADDRESS"] = require_private(self.address, self.directory)
        return env


@pytest.fixture
def private_bus(bus_dir, started):
    if shutil.which("dbus-daemon") is None:
        pytest.skip("dbus-daemon is not installed (Debian package dbus)")
    if dbus is None:
        pytest.skip("python3-dbusmock is not installed for /usr/bin/python3")
    address = address_in(bus_dir)
    with open(bus_dir / "dbus-daemon.log", "wb") as log:
        daemon = subprocess.Popen(
            ["dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf", "--nofork",
             "--print-address", f"--address={address}"],
            stdout=subprocess.PIPE, stderr=log)
    started.append(daemon)
    ready, _, _ = select.select([daemon.stdout], [], [], STARTUP_LIMIT)
    assert ready and daemon.stdout.readline().startswith(address.encode()), \
        "dbus-daemon did not come up"
    connection = dbus.bus.BusConnection(address)
    yield PrivateBus(address, bus_dir, connection)
    connection.close()


class LogindMock:
    """python3-dbusmock's logind template, changed per test through the Mock interface."""

    def __init__(self, bus):
        self._manager = dbus.Interface(
            bus.connection.get_object(LOGIND, LOGIND_PATH), MOCK)

    def define(self, method, signature, code=""):
        self._manager.AddMethod(MANAGER, method, signature, "", code)

    def refuse(self, method, signature, error_name):
        self.define(method, signature,
                    f"raise dbus.exceptions.DBusException('refused', name='{error_name}')")

    def calls(self):
        """The Manager calls logind received, as (method, [(type name, value), ...])."""
        return [(str(name), [(type(arg).__name__, arg) for arg in args])
                for _, name, args in self._manager.GetCalls()]


@pytest.fixture
def logind(private_bus, started):
    output = private_bus.directory / "logind.out"
    with open(output, "wb") as out:
        mock = subprocess.Popen(
            ["/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "logind",
             "-l", str(private_bus.directory / "logind.log")],
            env=private_bus.environment(), stdout=out, stderr=subprocess.STDOUT)
    started.append(mock)
    limit = time.monotonic() + STARTUP_LIMIT
    while not private_bus.connection.name_has_owner(LOGIND):
        assert mock.poll() is None, output.read_text(errors="replace")
        assert time.monotonic() < limit, "the logind mock did not come up"
        time.sleep(0.05)
    return LogindMock(private_bus)


@dataclass
class ProbeResult:
    accepted: bool
    seconds: float


@pytest.fixture
def probe():
    path = os.environ.get("OSTRIVEL_POWER_OFF_PROBE")
    assert path and os.access(path, os.X_OK), \
        "OSTRIVEL_POWER_OFF_PROBE must name the built power_off_probe"
    return path


@pytest.fixture
def run_probe(bus_dir, probe):
    def run(address, timeout_ms=None):
        env = dict(os.environ)
        env["DBUS_SYSTEM_BUS_ADDRESS"] = require_private(address, bus_dir)
        command = [probe, address] + ([str(timeout_ms)] if timeout_ms is not None else [])
        begin = time.monotonic()
        done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60)
        seconds = time.monotonic() - begin
        assert done.returncode in (0, 1), done.stderr
        assert done.stdout.strip() == ("accepted" if done.returncode == 0 else "refused")
        return ProbeResult(done.returncode == 0, seconds)

    return run
