"""A private desktop for driving the real program from outside.

Xvfb, a private session bus with the accessibility bus, and a private
"system" bus on which python3-dbusmock plays logind. Nothing here touches the
machine's own buses: the program is always started with the private system
bus's address, and `Desktop` refuses to start one if that address is not its
own socket.
"""

import os
import signal
import subprocess
import time
from pathlib import Path


def _wait_for(predicate, timeout, what, interval=0.02):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out waiting for {what}")
        time.sleep(interval)


class Desktop:
    """Starts every service on construction; `close()` ends each by its PID."""

    def __init__(self, workdir: Path):
        self.workdir = workdir
        self._processes = []
        try:
            self._start_display()
            self._start_session_bus()
            self._start_accessibility_bus()
            self._start_system_bus()
            self._start_logind_mock()
        except BaseException:
            self.close()
            raise

    # -- services -------------------------------------------------------

    def _spawn(self, args, env=None, **kwargs):
        process = subprocess.Popen(args, env=env, start_new_session=True, **kwargs)
        self._processes.append(process)
        return process

    def _start_display(self):
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
                     "-screen", "0", "1024x768x24"],
                    pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"

    def _start_bus(self, name):
        socket = self.workdir / name
        process = self._spawn(["dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf",
                               "--nofork", "--print-address=1", f"--address=unix:path={socket}"],
                              stdout=subprocess.PIPE, text=True)
        address = process.stdout.readline().strip()
        if not address:
            raise RuntimeError(f"the {name} bus did not start")
        return socket, address

    def _start_session_bus(self):
        _, self.session_bus = self._start_bus("session-bus")

    def _start_accessibility_bus(self):
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                    env=self.base_env(), stderr=subprocess.DEVNULL)

    def _start_system_bus(self):
        self.system_socket, self.system_bus = self._start_bus("system-bus")

    def _start_logind_mock(self):
        self.logind_log = self.workdir / "logind.log"
        env = self.base_env()
        self._spawn(["/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "logind",
                     "-l", str(self.logind_log)],
                    env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _wait_for(lambda: self._bus_has_name("org.freedesktop.login1"), 10, "the logind mock")

    def _bus_has_name(self, name):
        result = subprocess.run(
            ["dbus-send", "--system", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"],
            env=self.base_env(), capture_output=True, text=True, timeout=5)
        return "boolean true" in result.stdout

    # -- environment ----------------------------------------------------

    def base_env(self):
        """The environment of everything started on this desktop."""
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("DBUS_", "XDG_SESSION", "WAYLAND", "QT_QPA"))}
        env["DISPLAY"] = getattr(self, "display", "")
        env["DBUS_SESSION_BUS_ADDRESS"] = getattr(self, "session_bus", "")
        # Never the machine's system bus: the private one, or nowhere.
        env["DBUS_SYSTEM_BUS_ADDRESS"] = getattr(
            self, "system_bus", f"unix:path={self.workdir / 'no-bus-yet'}")
        env["LC_ALL"] = "C.UTF-8"
        return env

    def program_env(self):
        env = self.base_env()
        if str(self.system_socket) not in env["DBUS_SYSTEM_BUS_ADDRESS"]:
            raise RuntimeError("refusing to start the program outside the private system bus")
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_QPA_PLATFORM"] = "xcb"
        # Qt and fontconfig keep caches until exit; leak reports would only
        # hide the exit code that the tests check.
        env["ASAN_OPTIONS"] = "detect_leaks=0"
        return env

    # -- logind ---------------------------------------------------------

    def power_off_calls(self):
        """(time, method, arguments) of every power-off request logind got."""
        calls = []
        if self.logind_log.exists():
            for line in self.logind_log.read_text().splitlines():
                stamp, _, rest = line.partition(" ")
                method, _, args = rest.partition(" ")
                # A refusal adds a "raised: ..." line after the call itself.
                if method.startswith("PowerOff") and not args.startswith("raised:"):
                    calls.append((float(stamp), method, args))
        return calls

    def set_power_off_refused(self, refused: bool):
        """Makes logind refuse (AccessDenied) or accept every power-off method."""
        code = ("raise dbus.exceptions.DBusException('not allowed', "
                "name='org.freedesktop.DBus.Error.AccessDenied')" if refused else "")
        for method, signature in (("PowerOff", "b"), ("PowerOffWithFlags", "t")):
            subprocess.run(
                ["dbus-send", "--system", "--print-reply", "--dest=org.freedesktop.login1",
                 "/org/freedesktop/login1", "org.freedesktop.DBus.Mock.AddMethod",
                 "string:org.freedesktop.login1.Manager", f"string:{method}",
                 f"string:{signature}", "string:", f"string:{code}"],
                env=self.base_env(), check=True, capture_output=True, timeout=5)

    # -- teardown -------------------------------------------------------

    def close(self):
        for process in reversed(self._processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self._processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait(timeout=5)
        self._processes.clear()
