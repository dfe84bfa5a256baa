"""The logind power-off backend, driven through power_off_probe.

Each test gives the probe a private bus of its own: with the logind template
of python3-dbusmock, with no logind, or with nothing that answers at all.
"""

import os
import shutil
import socket
import subprocess

import pytest

from conftest import address_in

SKIP_INHIBITORS = 0x10
ACCESS_DENIED = "org.freedesktop.DBus.Error.AccessDenied"
INTERACTIVE_AUTH_REQUIRED = "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"
INVALID_ARGS = "org.freedesktop.DBus.Error.InvalidArgs"
FAILED = "org.freedesktop.DBus.Error.Failed"
BLOCKED = "org.freedesktop.login1.BlockedByInhibitorLock"

# What the probe's logind does: ABSENT leaves PowerOffWithFlags out, as on a
# logind that predates it; ACCEPT answers without an error; anything else is
# the error name to refuse with.
ABSENT, ACCEPT = "absent", "accept"

WITH_FLAGS = ("PowerOffWithFlags", [("UInt64", SKIP_INHIBITORS)])
PLAIN = ("PowerOff", [("Boolean", False)])

LOGIND_CASES = [
    # id, PowerOffWithFlags, PowerOff, accepted, calls logind receives
    ("flags-accepted", ACCEPT, ACCEPT, True, [WITH_FLAGS]),
    ("no-flags-method", ABSENT, ACCEPT, True, [PLAIN]),
    ("skip-flag-unknown", INVALID_ARGS, ACCEPT, True, [WITH_FLAGS, PLAIN]),
    ("flags-access-denied", ACCESS_DENIED, ACCEPT, False, [WITH_FLAGS]),
    ("flags-needs-interaction", INTERACTIVE_AUTH_REQUIRED, ACCEPT, False, [WITH_FLAGS]),
    ("flags-blocked", BLOCKED, ACCEPT, False, [WITH_FLAGS]),
    ("flags-failed", FAILED, ACCEPT, False, [WITH_FLAGS]),
    ("plain-access-denied", ABSENT, ACCESS_DENIED, False, [PLAIN]),
    ("plain-needs-interaction", ABSENT, INTERACTIVE_AUTH_REQUIRED, False, [PLAIN]),
    ("skip-flag-unknown-then-denied", INVALID_ARGS, ACCESS_DENIED, False, [WITH_FLAGS, PLAIN]),
]


def configure(logind, with_flags, plain):
    if with_flags == ACCEPT:
        logind.define("PowerOffWithFlags", "t")
    elif with_flags != ABSENT:
        logind.refuse("PowerOffWithFlags", "t", with_flags)
    if plain != ACCEPT:
        logind.refuse("PowerOff", "b", plain)


@pytest.mark.parametrize("with_flags, plain, accepted, calls",
                         [case[1:] for case in LOGIND_CASES],
                         ids=[case[0] for case in LOGIND_CASES])
def test_logind_answer_decides_result(logind, private_bus, run_probe,
                                      with_flags, plain, accepted, calls):
    configure(logind, with_flags, plain)
    assert run_probe(private_bus.address).accepted == accepted
    assert logind.calls() == calls


@pytest.fixture
def monitor(private_bus, started):
    bus_monitor = pytest.importorskip("bus_monitor", reason="needs python3-gi")
    if shutil.which("dbus-monitor") is None:
        pytest.skip("dbus-monitor is not installed (Debian package dbus-bin)")
    return bus_monitor.BusMonitor(private_bus, started)


@pytest.mark.parametrize("with_flags, methods", [
    (ACCEPT, ["PowerOffWithFlags"]),
    (INVALID_ARGS, ["PowerOffWithFlags", "PowerOff"]),
], ids=["flags", "fallback"])
def test_request_never_allows_an_authentication_prompt(logind, private_bus, monitor, run_probe,
                                                       with_flags, methods):
    configure(logind, with_flags, ACCEPT)
    assert run_probe(private_bus.address).accepted
    assert monitor.power_off_calls() == [(method, False) for method in methods]


def test_bus_without_logind_refuses_promptly(private_bus, run_probe):
    result = run_probe(private_bus.address)
    assert not result.accepted
    assert result.seconds < 1.0


def socket_without_listener(path):
    """A socket file that nobody listens on: connecting is refused."""
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    sock.bind(str(path))
    sock.close()


@pytest.mark.parametrize("prepare", [
    lambda path: None,
    socket_without_listener,
    lambda path: path.mkdir(),
], ids=["no-socket", "nobody-listening", "not-a-socket"])
def test_no_bus_refuses_within_a_second(bus_dir, run_probe, prepare):
    prepare(bus_dir / "bus")
    result = run_probe(address_in(bus_dir))
    assert not result.accepted
    assert result.seconds < 1.0


def test_silent_bus_is_given_up_on(bus_dir, run_probe):
    # Accepts connections but never says a word: the handshake never ends.
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listener.bind(str(bus_dir / "bus"))
    listener.listen(4)
    try:
        result = run_probe(address_in(bus_dir), timeout_ms=300)
    finally:
        listener.close()
    assert not result.accepted
    assert 0.3 <= result.seconds < 3.0


def test_silent_logind_is_given_up_on(logind, private_bus, run_probe):
    logind.define("PowerOffWithFlags", "t", "time.sleep(5)")
    result = run_probe(private_bus.address, timeout_ms=300)
    assert not result.accepted
    assert 0.3 <= result.seconds < 3.0


def test_probe_declines_a_bus_other_than_the_one_named(bus_dir, probe):
    # The probe's own safety check: told to expect one address but given
    # another, it makes no request. Both lie in bus_dir, where nothing
    # listens, so a broken check would still reach no bus.
    env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=address_in(bus_dir, "other"))
    done = subprocess.run([probe, address_in(bus_dir)],
                          env=env, capture_output=True, text=True, timeout=60)
    assert done.returncode == 2
    assert done.stdout == ""
