"""The Windows program as a user meets it, under Wine and Xvfb: real keys and
clicks in, what the window shows read back through the Win32 API."""

import os
import time

import pytest

from wine_desktop import WineDesktop

EXE = os.environ.get("OSTRIVEL_EXE", "")
PROBE = os.environ.get("OSTRIVEL_PROBE", "")
LOADER = os.environ.get("OSTRIVEL_WINE_LOADER", "/usr/lib/wine/wine64")

WS_MAXIMIZEBOX = 0x00010000
WS_MINIMIZEBOX = 0x00020000
WS_THICKFRAME = 0x00040000
WS_SYSMENU = 0x00080000


def status(seconds):
    return f"0时0分{seconds}秒  后关机！！"


@pytest.fixture(scope="module")
def desktop(tmp_path_factory):
    session = WineDesktop(LOADER, PROBE, tmp_path_factory.mktemp("wine"))
    try:
        session.start()
        yield session
    finally:
        session.stop()


class Program:
    """The running program, its window shown and focused."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.process = desktop.start_program(EXE)
        self.first = desktop.wait_for(
            lambda s: s.window and s.window["active"] and s.focus == "编辑框1",
            timeout=20, what="the window, active, with the focus in 编辑框1")
        desktop.focus_window()

    def click(self, name):
        state = self.desktop.state()
        self.desktop.click(*state.centre(name))

    def click_ok(self):
        state = self.desktop.state()
        left, top, right, bottom = state.message["ok"]
        self.desktop.click((left + right) // 2, (top + bottom) // 2)

    def exit_code(self, timeout):
        return self.process.wait(timeout=timeout)


@pytest.fixture
def program(desktop, request):
    running = Program(desktop)
    yield running
    if running.process.poll() is None:  # the test stopped early
        desktop.screenshot(request.node.name)
        # Ends every Windows process of the prefix, the program included.
        desktop.wine(["/usr/lib/wine/wineserver", "-k"], check=False)
        running.process.wait(timeout=20)


def test_window_opens_centred_with_tab_order_and_esc_closes(desktop, program):
    first = program.first
    left, top, right, bottom = first.window["rect"]
    assert (left, top, right - left, bottom - top) == (383, 297, 258, 173)
    style = first.window["style"]
    assert style & (WS_SYSMENU | WS_MINIMIZEBOX) == WS_SYSMENU | WS_MINIMIZEBOX
    assert style & (WS_MAXIMIZEBOX | WS_THICKFRAME) == 0
    assert [first.text(n) for n in ("按钮1", "按钮2", "按钮3", "标签1", "标签2", "标签3", "标签4")] \
        == ["开始", "清空", "解除", "时", "分", "秒", "倒计时"]
    assert not first.enabled("按钮3")
    assert all(first.enabled(n) for n in ("编辑框1", "编辑框2", "编辑框3", "按钮1", "按钮2"))

    for expected in ["编辑框2", "编辑框3", "按钮1", "按钮2", "编辑框1"]:
        desktop.key("Tab")
        desktop.wait_for(lambda s, e=expected: s.focus == e, what=f"Tab to {expected}")
    desktop.key("shift+Tab")
    desktop.wait_for(lambda s: s.focus == "按钮2", what="Shift+Tab back to 按钮2")

    desktop.key("Escape")
    assert program.exit_code(timeout=10) == 0


def test_empty_entry_is_refused_with_a_message(desktop, program):
    program.click("按钮1")
    shown = desktop.wait_for(lambda s: s.message, what="the message box")
    assert shown.message["caption"] == "信息："
    assert shown.message["text"] == "时间不能为空！！"
    assert not shown.message["icon"]
    assert not shown.window["enabled"], "the main window takes input while the box is open"

    program.click_ok()
    after = desktop.wait_for(lambda s: s.message is None and s.focus == "编辑框1",
                             what="the box closed and the focus in 编辑框1")
    assert after.text("标签4") == "倒计时"
    assert after.enabled("按钮1") and not after.enabled("按钮3")


def test_refused_field_is_emptied_and_focused(desktop, program):
    desktop.type("abc")
    desktop.wait_for(lambda s: s.text("编辑框1") == "abc", what="abc typed")
    program.click("按钮1")
    shown = desktop.wait_for(lambda s: s.message, what="the message box")
    assert (shown.message["caption"], shown.message["text"]) == ("信息：", "输入正确的数值！！")

    desktop.key("Return")  # the box's OK
    after = desktop.wait_for(lambda s: s.message is None and s.focus == "编辑框1",
                             what="the box closed and the focus back in 编辑框1")
    assert after.text("编辑框1") == ""


def test_enter_moves_between_fields_and_cancel_restores_idle(desktop, program):
    for expected in ["编辑框2", "编辑框3"]:
        desktop.key("Return")
        desktop.wait_for(lambda s, e=expected: s.focus == e, what=f"Enter to {expected}")
    desktop.type("9")
    typed = desktop.wait_for(lambda s: s.text("编辑框3") == "9", what="9 in the seconds field")
    assert typed.message is None and typed.text("标签4") == "倒计时", "Enter clicked something"

    program.click("按钮1")
    counting = desktop.wait_for(lambda s: s.text("标签4") == status(8), timeout=5,
                                what="the first tick")
    assert [counting.enabled(n) for n in ("编辑框1", "编辑框2", "编辑框3", "按钮1", "按钮2",
                                          "按钮3")] == [False] * 5 + [True]

    program.click("按钮3")
    idle = desktop.wait_for(lambda s: s.text("标签4") == "倒计时", timeout=5, what="Cancel")
    assert [idle.enabled(n) for n in ("编辑框1", "编辑框2", "编辑框3", "按钮1", "按钮2",
                                      "按钮3")] == [True] * 5 + [False]
    assert idle.text("编辑框3") == "9"
    time.sleep(1.5)
    assert desktop.state().text("标签4") == "倒计时", "a tick came after Cancel"

    desktop.key("Escape")
    assert program.exit_code(timeout=10) == 0


def test_esc_during_a_countdown_closes_without_power_off(desktop, program):
    desktop.key("Return", "Return")
    desktop.type("2")
    desktop.wait_for(lambda s: s.text("编辑框3") == "2", what="2 in the seconds field")
    program.click("按钮1")
    desktop.wait_for(lambda s: s.text("标签4") == status(1), timeout=5, what="the first tick")
    # A second Windows process in the prefix: a power-off would end it too.
    watcher, watch_path = desktop.start_watch(4000)

    desktop.key("Escape")
    assert program.exit_code(timeout=10) == 0
    watcher.wait(timeout=30)
    lines = desktop.watch_lines(watch_path)
    assert lines and lines[-1] == {"end": True}, "the prefix was shut down after Esc"


def test_countdown_shows_each_second_then_powers_off_at_zero(desktop, program):
    desktop.key("Return", "Return")
    desktop.type("3")
    desktop.wait_for(lambda s: s.text("编辑框3") == "3", what="3 in the seconds field")
    watcher, watch_path = desktop.start_watch(15000)
    time.sleep(0.5)  # the watcher's first reading

    clicked = time.monotonic()
    program.click("按钮1")
    program.exit_code(timeout=15)
    ended = time.monotonic() - clicked
    watcher.wait(timeout=30)

    assert 2.5 <= ended <= 6, f"the program ended {ended:.1f} s after Start, not at 3 s"
    states = [line["state"] for line in desktop.watch_lines(watch_path) if "state" in line]
    shown = []
    for state in states:
        controls = state.get("controls") or []
        if len(controls) > 9 and (not shown or shown[-1] != controls[9]["text"]):
            shown.append(controls[9]["text"])
    assert shown == ["倒计时", status(2), status(1), status(0)]
    # Wine's ExitWindowsEx ends every process of the prefix: the watcher too.
    assert desktop.watch_lines(watch_path)[-1] != {"end": True}, \
        "the program ended, but the prefix was not shut down"
