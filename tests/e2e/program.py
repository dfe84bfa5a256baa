"""Drives the real program as a user would and reads it as a screen reader does.

Keys and clicks go through the X server (xdotool); what the window shows is
read through AT-SPI. Every read waits for the expected value instead of
reading once, since the program handles its input a moment later.
"""

import subprocess
import time

from desktop import Desktop, _wait_for

FIELDS = {"hours": "小时", "minutes": "分钟", "seconds": "秒"}
BUTTONS = {"start": "开始", "clear": "清空", "cancel": "解除"}
UNIT_LABELS = {"时", "分", "秒"}


def _atspi():
    # Imported late: pyatspi binds to the session bus it first sees, which
    # must be the private one.
    import pyatspi
    return pyatspi


class Program:
    def __init__(self, desktop: Desktop, binary: str, log_path):
        self.desktop = desktop
        self.env = desktop.program_env()
        self._log = open(log_path, "w")
        self.process = subprocess.Popen([binary], env=self.env, stdout=self._log,
                                        stderr=subprocess.STDOUT)
        self.window = _wait_for(self._find_window, 20, "the main window")
        self.app = _wait_for(self._find_accessible_app, 20, "the program on the AT-SPI bus")
        self.focus()

    # -- lifecycle ------------------------------------------------------

    def _xdotool(self, *args, check=True):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              timeout=10, check=check).stdout.strip()

    def _find_window(self):
        if self.process.poll() is not None:
            raise RuntimeError(f"the program ended with {self.process.returncode}")
        out = self._xdotool("search", "--onlyvisible", "--pid", str(self.process.pid),
                            "--name", "^Ostrivel$", check=False)
        return out.split()[0] if out else None

    def _find_accessible_app(self):
        pyatspi = _atspi()
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def focus(self):
        """Gives the main window the keyboard focus; keys sent before are lost."""
        self._xdotool("windowfocus", "--sync", self.window)
        _wait_for(lambda: self._xdotool("getwindowfocus", check=False) == self.window, 5,
                  "the window to take the focus")

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def describe(self):
        """What the program printed and shows, for a failing test's message."""
        self._log.flush()
        with open(self._log.name) as log:
            printed = log.read()[-2000:]
        try:
            shown = self.screen()
        except Exception as error:  # the window may be gone
            shown = repr(error)
        return f"program output:\n{printed}\nwindow: {shown}"

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=5)
        self._log.close()

    # -- input ----------------------------------------------------------

    def type(self, text):
        self._xdotool("type", "--delay", "100", "--", text)

    def key(self, *keys):
        self._xdotool("key", "--delay", "50", *keys)

    def click(self, button):
        return self._click_at(*self._centre(self._child("push button", BUTTONS[button])))

    def click_field(self, field):
        self._click_at(*self._centre(self._child("text", FIELDS[field])))

    def _click_at(self, x, y):
        """Clicks at a screen point; returns the wall-clock time just before the click."""
        # No --sync: it waits forever when the pointer is already there.
        self._xdotool("mousemove", str(x), str(y))
        before = time.time()
        self._xdotool("click", "1")
        return before

    def request_close(self):
        """Asks the window to close, as its title bar's close button does."""
        from Xlib import X, display, protocol
        connection = display.Display(self.env["DISPLAY"])
        try:
            window = connection.create_resource_object("window", int(self.window))
            protocols = connection.intern_atom("WM_PROTOCOLS")
            delete = connection.intern_atom("WM_DELETE_WINDOW")
            event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                                 data=(32, [delete, X.CurrentTime, 0, 0, 0]))
            window.send_event(event, event_mask=X.NoEventMask)
            connection.flush()
        finally:
            connection.close()

    def minimise(self):
        """Unmaps the window, as a window manager does when it iconifies it."""
        self._xdotool("windowunmap", "--sync", self.window)

    @staticmethod
    def _centre(accessible):
        pyatspi = _atspi()
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x + box.width // 2, box.y + box.height // 2

    # -- reading --------------------------------------------------------

    def _frame(self):
        self.app.clear_cache()
        return self.app[0]

    def _child(self, role, name):
        for child in self._frame():
            if child.getRoleName() == role and child.name == name:
                return child
        raise LookupError(f"no {role} named {name}")

    def field_text(self, field):
        text = self._child("text", FIELDS[field]).queryText()
        return text.getText(0, -1)

    def status(self):
        for child in self._frame():
            if child.getRoleName() == "label" and child.name not in UNIT_LABELS:
                return child.name
        raise LookupError("no status line")

    def enabled(self, name):
        pyatspi = _atspi()
        role, label = (("push button", BUTTONS[name]) if name in BUTTONS
                       else ("text", FIELDS[name]))
        return self._child(role, label).getState().contains(pyatspi.STATE_ENABLED)

    def focused(self):
        """The field or button that has the keyboard focus, or None."""
        pyatspi = _atspi()
        names = {**{v: k for k, v in FIELDS.items()}, **{v: k for k, v in BUTTONS.items()}}
        for child in self._frame():
            if child.getState().contains(pyatspi.STATE_FOCUSED):
                return names.get(child.name)
        return None

    def background(self, name):
        """(r, g, b) of a pixel just inside the label's corner, away from its text."""
        from Xlib import X, display
        label = next(child for child in self._frame()
                     if child.getRoleName() == "label" and
                     (child.name == name or (name == "status" and child.name not in UNIT_LABELS)))
        pyatspi = _atspi()
        box = label.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        connection = display.Display(self.env["DISPLAY"])
        try:
            root = connection.screen().root
            image = root.get_image(box.x + 1, box.y + 1, 1, 1, X.ZPixmap, 0xFFFFFFFF)
        finally:
            connection.close()
        blue, green, red = image.data[0], image.data[1], image.data[2]
        return red, green, blue

    def screen(self):
        """Everything a user sees, as one comparable record."""
        return {
            "status": self.status(),
            **{f: self.field_text(f) for f in FIELDS},
            **{f"{n} enabled": self.enabled(n) for n in (*FIELDS, *BUTTONS)},
        }

    def wait_until(self, read, expected, timeout=5):
        last = [None]

        def matches():
            last[0] = read()
            return last[0] == expected

        try:
            _wait_for(matches, timeout, f"{expected!r}", interval=0.05)
        except TimeoutError as error:
            raise AssertionError(f"expected {expected!r}, saw {last[0]!r}") from error

    # -- message boxes --------------------------------------------------

    def message_box(self):
        """(caption, text) of the open message box, or None."""
        self.app.clear_cache()
        for window in self.app:
            # A box that has just closed may linger, nameless, for a moment.
            if window.getRoleName() in ("alert", "dialog") and window.name:
                texts = [child.name for child in window
                         if child.getRoleName() == "label" and child.name]
                return window.name, " ".join(texts)
        return None

    def close_message_box(self):
        """Presses Enter in the open message box and waits for it to go."""
        windows = self._xdotool("search", "--onlyvisible", "--pid", str(self.process.pid),
                                "--name", ".", check=False).split()
        box = next(w for w in windows if self._xdotool("getwindowname", w) == "信息：")
        self._xdotool("windowfocus", "--sync", box)
        self.key("Return")
        _wait_for(lambda: self.message_box() is None, 5, "the message box to close")
        self.focus()
