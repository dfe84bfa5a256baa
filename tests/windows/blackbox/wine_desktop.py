"""A private X display and Wine prefix in which the Windows program runs, is
read through the probe program and is driven with real keys and clicks."""

import json
import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

WINE_TIMEOUT = 60  # seconds for any one Wine command

# The controls in the order the program creates them (its template's order).
CONTROLS = ["编辑框1", "编辑框2", "编辑框3", "按钮1", "按钮2", "按钮3",
            "标签1", "标签2", "标签3", "标签4"]

# Chinese texts render through a Debian CJK font linked to the dialog fonts.
CJK_LINK = "NotoSansCJK-Regular.ttc,Noto Sans CJK SC"
LINKED_FONTS = ["Tahoma", "MS Shell Dlg", "MS Shell Dlg 2", "Microsoft Sans Serif"]


def wait_until(condition, timeout, interval=0.05, what="condition"):
    """The first true value of condition(), or AssertionError after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class State:
    """One reading of the probe: the window, its controls, focus and message box."""

    def __init__(self, raw):
        self.raw = raw
        self.window = raw.get("window")
        self.message = raw.get("message")
        controls = raw.get("controls", [])
        self.controls = dict(zip(CONTROLS, controls))
        focus = raw.get("focus", -1)
        self.focus = CONTROLS[focus] if 0 <= focus < len(CONTROLS) else None

    def text(self, name):
        return self.controls[name]["text"]

    def enabled(self, name):
        return self.controls[name]["enabled"]

    def centre(self, name):
        left, top, right, bottom = self.controls[name]["rect"]
        return (left + right) // 2, (top + bottom) // 2


class WineDesktop:
    def __init__(self, loader, probe, workdir):
        self.loader = loader
        self.probe_exe = probe
        self.workdir = Path(workdir)
        self.xvfb = None
        self.env = dict(os.environ)
        self.prefix = None
        self.counter = 0

    # --- set-up and tear-down ---------------------------------------------

    def start(self):
        self._start_xvfb()
        self.prefix = tempfile.mkdtemp(prefix="ostrivel-wine-")
        self.env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.wine(["/usr/lib/wine/wine64", "wineboot", "--init"], timeout=180)
        reg = self.workdir / "session.reg"
        reg.write_text(self._registry(), encoding="utf-16")
        self.wine(["/usr/lib/wine/wine64", "regedit", "/S", str(reg)])

    def stop(self):
        if self.prefix:
            try:
                self.wine(["/usr/lib/wine/wineserver", "-k"], check=False)
            except subprocess.TimeoutExpired:
                pass  # the prefix goes anyway; a stray wineserver ends when idle
            shutil.rmtree(self.prefix, ignore_errors=True)
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-noreset", "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as reader:
            display = reader.readline().strip()
        if not display:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + display

    @staticmethod
    def _registry():
        """Wine draws the frames itself (no window manager runs), and the
        dialog fonts fall back to a CJK font."""
        def multi_string(value):
            data = (value + "\0\0").encode("utf-16-le")
            return "hex(7):" + ",".join(f"{b:02x}" for b in data)
        lines = ["Windows Registry Editor Version 5.00", "",
                 r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Managed"="N"', "",
                 r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion"
                 r"\FontLink\SystemLink]"]
        lines += [f'"{font}"={multi_string(CJK_LINK)}' for font in LINKED_FONTS]
        return "\r\n".join(lines) + "\r\n"

    # --- running Wine programs ---------------------------------------------

    def _log(self, name):
        # Wine's helper processes inherit the output and the wineserver
        # outlives the command, so output goes to files, never to pipes.
        self.counter += 1
        return open(self.workdir / f"{self.counter:03d}-{name}.log", "w+b")

    def wine(self, command, timeout=WINE_TIMEOUT, check=True):
        with self._log(Path(command[-1]).name) as log:
            result = subprocess.run(command, env=self.env, stdout=log, stderr=subprocess.STDOUT,
                                    stdin=subprocess.DEVNULL, timeout=timeout)
            log.seek(0)
            output = log.read().decode("utf-8", "replace")
        if check and result.returncode != 0:
            raise RuntimeError(f"{command} failed with {result.returncode}: {output}")
        return output

    def start_program(self, exe):
        log = self._log("program")
        process = subprocess.Popen([self.loader, exe], env=self.env, stdout=log,
                                   stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        log.close()
        return process

    def state(self):
        output = self.wine([self.loader, self.probe_exe, "state"])
        return State(json.loads(output.strip().splitlines()[-1]))

    def wait_for(self, predicate, timeout=10, what="the window"):
        """The first probe reading that satisfies predicate(state)."""
        last = []

        def reading():
            state = self.state()
            last[:] = [state]
            return state if predicate(state) else None
        try:
            return wait_until(reading, timeout, interval=0.02, what=what)
        except AssertionError as error:
            seen = last[0] if last else None
            summary = seen and {"focus": seen.focus, "message": seen.message,
                                "window": seen.window,
                                "texts": {n: c["text"] for n, c in seen.controls.items()}}
            raise AssertionError(f"{error}; last seen: {summary}") from None

    def start_watch(self, milliseconds):
        """The probe reporting every change, in the background."""
        path = self.workdir / f"watch-{self.counter}.jsonl"
        with open(path, "wb") as out:
            process = subprocess.Popen([self.loader, self.probe_exe, "watch", str(milliseconds)],
                                       env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                       stdin=subprocess.DEVNULL)
        return process, path

    @staticmethod
    def watch_lines(path):
        lines = []
        for line in Path(path).read_text(encoding="utf-8", errors="replace").splitlines():
            try:
                lines.append(json.loads(line))
            except json.JSONDecodeError:
                pass  # the last line of a killed probe may be cut
        return lines

    def screenshot(self, name):
        target = self.workdir / f"{name}.bmp"
        self.wine([self.loader, self.probe_exe, "shot", str(target)], check=False)
        return target

    # --- the user ----------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=20,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def focus_window(self):
        """X focus on the program's window, so that keys reach it."""
        def window_id():
            found = subprocess.run(["xdotool", "search", "--name", "^Ostrivel$"], env=self.env,
                                   capture_output=True, text=True, timeout=20)
            return found.stdout.split()[0] if found.stdout.split() else None
        wid = wait_until(window_id, 10, interval=0.05, what="the X window")
        self.xdotool("windowfocus", "--sync", wid)

    def key(self, *keys):
        self.xdotool("key", "--delay", "60", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "100", text)

    def click(self, x, y):
        self.xdotool("mousemove", "--sync", str(x), str(y), "click", "1")
        # Two clicks on one spot within 500 ms would be a double-click.
        self.xdotool("mousemove", "0", "0")
