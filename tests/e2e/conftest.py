"""Fixtures: one private desktop per test session, one fresh program per test."""

import os
import shutil
import tempfile
from pathlib import Path

import pytest

from desktop import Desktop
from program import Program

NEEDED = ["Xvfb", "xdotool", "dbus-daemon", "dbus-send", "/usr/libexec/at-spi-bus-launcher"]


def pytest_addoption(parser):
    parser.addoption("--binary", default=os.environ.get("OSTRIVEL_BINARY"),
                     help="the program under test")


@pytest.fixture(scope="session")
def binary(request):
    path = request.config.getoption("--binary")
    if not path or not os.access(path, os.X_OK):
        pytest.fail(f"no program to test at {path!r}: pass --binary or set OSTRIVEL_BINARY")
    return path


@pytest.fixture(scope="session")
def desktop():
    missing = [tool for tool in NEEDED if shutil.which(tool) is None]
    if missing:
        pytest.skip(f"missing system packages for {', '.join(missing)}: "
                    "run scripts/install-deps.sh")
    workdir = Path(tempfile.mkdtemp(prefix="ostrivel-e2e-"))
    desk = Desktop(workdir)
    # This process reads the program through the private session bus only.
    os.environ["DISPLAY"] = desk.display
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = desk.session_bus
    os.environ["DBUS_SYSTEM_BUS_ADDRESS"] = desk.system_bus
    yield desk
    desk.close()
    shutil.rmtree(workdir, ignore_errors=True)


@pytest.fixture
def logind(desktop):
    """The logind mock, accepting power-off requests, with its earlier calls forgotten."""
    desktop.set_power_off_refused(False)
    seen = len(desktop.power_off_calls())

    class Logind:
        def calls(self):
            return desktop.power_off_calls()[seen:]

        def refuse(self):
            desktop.set_power_off_refused(True)

    return Logind()


@pytest.fixture
def program(desktop, binary, logind, tmp_path):
    running = Program(desktop, binary, tmp_path / "program.log")
    yield running
    running.kill()
