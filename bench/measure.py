"""Measures what users feel of the Linux program (and of the Windows programs
under Wine, when they are built) and prints a Markdown table.

Runs on a private Xvfb with a private logind mock, like the end-to-end tests;
the program is driven with plain key presses and clicks, without the
accessibility bridge, so that the figures are the program's own.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from desktop import Desktop  # noqa: E402

from Xlib import X, display  # noqa: E402

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def find_mapped_window(connection, name):
    for window in connection.screen().root.query_tree().children:
        try:
            if (window.get_wm_name() == name and
                    window.get_attributes().map_state == X.IsViewable):
                return window
        except Exception:  # the window went away while we looked
            continue
    return None


def launch(start, connection, name="Ostrivel", timeout=30.0):
    """Starts the program with start(); returns (process, window, seconds until
    its window is mapped)."""
    started = time.monotonic()
    process = start()
    while time.monotonic() - started < timeout:
        window = find_mapped_window(connection, name)
        if window is not None:
            return process, window, time.monotonic() - started
        time.sleep(0.001)
    process.kill()
    raise TimeoutError(f"{name} mapped no window")


def stop(process):
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def peak_rss_mib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return float("nan")


def xdotool(env, *args):
    subprocess.run(["xdotool", *args], env=env, check=True, timeout=10, capture_output=True)


def start_countdown(env, window, seconds):
    """Types the seconds and clicks Start; returns the wall-clock time of the click."""
    xdotool(env, "windowfocus", "--sync", str(window.id))
    xdotool(env, "key", "Tab", "Tab")
    xdotool(env, "type", "--delay", "50", str(seconds))
    origin = window.translate_coords(window.query_tree().root, 0, 0)
    # The Start button's centre, from the window's client origin.
    x, y = -origin.x + 8 + 28, -origin.y + 56 + 16
    xdotool(env, "mousemove", str(x), str(y))
    before = time.time()
    xdotool(env, "click", "1")
    return before


def rows(countdown):
    return ["launch to window mapped (median)", "peak RSS",
            f"CPU time over a {countdown}-second countdown",
            f"power-off request after Start + {countdown} s", "binary size"]


def measure_linux(binary, desktop, runs, countdown):
    env = desktop.program_env()
    env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    connection = display.Display(env["DISPLAY"])

    def start():
        return subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    launches = []
    for _ in range(runs):
        process, _, seconds = launch(start, connection)
        launches.append(seconds)
        stop(process)

    process, window, _ = launch(start, connection)
    seen = len(desktop.power_off_calls())
    cpu_before = cpu_seconds(process.pid)
    clicked = start_countdown(env, window, countdown)
    deadline = time.time() + countdown + 10
    while time.time() < deadline and len(desktop.power_off_calls()) == seen:
        time.sleep(0.005)
    calls = desktop.power_off_calls()[seen:]
    cpu = cpu_seconds(process.pid) - cpu_before
    rss = peak_rss_mib(process.pid)
    stop(process)
    connection.close()
    offset = f"{(calls[0][0] - clicked - countdown) * 1000:+.0f} ms" if calls else "none"
    return dict(zip(rows(countdown), [
        f"{statistics.median(launches) * 1000:.0f} ms",
        f"{rss:.1f} MiB",
        f"{cpu * 1000:.0f} ms",
        offset,
        f"{Path(binary).stat().st_size / 1024:.0f} KiB",
    ]))


def measure_windows(exe, loader, runs, countdown, workdir):
    """The Windows program in a Wine prefix of its own; its power-off request ends
    every process of that prefix, which is what marks the request here."""
    sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "windows" /
                           "blackbox"))
    from wine_desktop import WineDesktop

    probe = exe.parent.parent / "tests" / "windows" / "ostrivel_probe.exe"
    desktop = WineDesktop(loader, str(probe), workdir)
    connection = None
    try:
        desktop.start()
        connection = display.Display(desktop.env["DISPLAY"])
        launches = []
        for _ in range(runs):
            process, _, seconds = launch(lambda: desktop.start_program(str(exe)), connection)
            launches.append(seconds)
            desktop.focus_window()
            desktop.key("Escape")
            process.wait(timeout=15)

        # Wine's loader turns into the program: the process started is the one
        # to watch.
        process = desktop.start_program(str(exe))
        pid = process.pid
        desktop.focus_window()
        desktop.key("Tab", "Tab")
        desktop.type(str(countdown))
        x, y = desktop.wait_for(lambda state: state.text("编辑框3") == str(countdown)).centre(
            "按钮1")
        cpu_before = cpu_seconds(pid)
        desktop.xdotool("mousemove", str(x), str(y))
        clicked = time.time()
        desktop.xdotool("click", "1")
        cpu, rss = 0.0, 0.0
        deadline = clicked + countdown + 15
        while process.poll() is None and time.time() < deadline:
            try:
                cpu, rss = cpu_seconds(pid) - cpu_before, max(rss, peak_rss_mib(pid))
            except (OSError, IndexError, ValueError):
                pass  # the process is ending
            time.sleep(0.002)
        ended = time.time()
        process.wait(timeout=15)
    finally:
        if connection is not None:
            connection.close()
        desktop.stop()
    return dict(zip(rows(countdown), [
        f"{statistics.median(launches) * 1000:.0f} ms",
        f"{rss:.1f} MiB",
        f"{cpu * 1000:.0f} ms",
        f"{(ended - clicked - countdown) * 1000:+.0f} ms (program ended)",
        f"{exe.stat().st_size / 1024:.0f} KiB",
    ]))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--linux", required=True)
    parser.add_argument("--windows-x64")
    parser.add_argument("--windows-x86")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--countdown", type=int, default=60)
    args = parser.parse_args()

    columns = {}
    with tempfile.TemporaryDirectory(prefix="ostrivel-bench-") as workdir:
        desktop = Desktop(Path(workdir))
        try:
            columns["Linux (Qt)"] = measure_linux(args.linux, desktop, args.runs, args.countdown)
            for label, exe, loader in (("Windows x64 (Wine)", args.windows_x64,
                                        "/usr/lib/wine/wine64"),
                                       ("Windows x86 (Wine)", args.windows_x86,
                                        "/usr/lib/wine/wine")):
                if exe and Path(exe).exists():
                    workdir_of_arch = Path(workdir) / label.split()[1]
                    workdir_of_arch.mkdir()
                    try:
                        columns[label] = measure_windows(Path(exe).resolve(), loader, args.runs,
                                                         args.countdown, workdir_of_arch)
                    except (TimeoutError, OSError, RuntimeError,
                            subprocess.TimeoutExpired) as error:
                        print(f"{label}: not measured ({error})", file=sys.stderr)
        finally:
            desktop.close()

    print("| measure | " + " | ".join(columns) + " |")
    print("| --- | " + " | ".join("---" for _ in columns) + " |")
    for row in rows(args.countdown):
        cells = [column.get(row, "n/a") for column in columns.values()]
        print(f"| {row} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
