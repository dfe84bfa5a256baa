"""Accepted entries: what the window shows while counting, and when logind is
asked to power off."""

import time

import pytest

from test_refusals import fill

YELLOW = (255, 255, 0)

COUNTING_CONTROLS = {"hours enabled": False, "minutes enabled": False, "seconds enabled": False,
                     "start enabled": False, "clear enabled": False, "cancel enabled": True}
IDLE_CONTROLS = {"hours enabled": True, "minutes enabled": True, "seconds enabled": True,
                 "start enabled": True, "clear enabled": True, "cancel enabled": False}


def line(h, m, s):
    return f"{h}时{m}分{s}秒  后关机！！"


def controls(screen):
    return {k: v for k, v in screen.items() if k.endswith("enabled")}


def wait_for_power_off(logind, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and not logind.calls():
        time.sleep(0.01)
    return logind.calls()


ACCEPTED = [
    # hours, minutes, seconds, first status line, seconds until the power-off (None: too long to wait)
    pytest.param("", "", "3", line(0, 0, 2), 3, id="seconds"),
    pytest.param("", "", "３", line(0, 0, 2), 3, id="full-width"),
    pytest.param("", "", "3abc", line(0, 0, 2), 3, id="trailing-letters"),
    pytest.param("", "", " 7", line(0, 0, 6), None, id="leading-space"),
    pytest.param("", "", "+5", line(0, 0, 4), None, id="plus-sign"),
    pytest.param("", "1", "", line(0, 0, 59), None, id="one-minute"),
    pytest.param("1", "", "", line(0, 59, 59), None, id="one-hour"),
    pytest.param("", "90", "30", line(0, 90, 29), None, id="minutes-above-60"),
]


@pytest.mark.parametrize("hours,minutes,seconds,first_line,power_off_after", ACCEPTED)
def test_an_accepted_entry_counts_down(program, logind, hours, minutes, seconds, first_line,
                                       power_off_after, record_property):
    fill(program, hours=hours, minutes=minutes, seconds=seconds)
    started = program.click("start")

    program.wait_until(lambda: controls(program.screen()), COUNTING_CONTROLS)
    assert program.status() == "倒计时", "the status line changes only with the first tick"
    assert program.message_box() is None
    program.wait_until(program.status, first_line, timeout=3)
    assert program.background("status") == YELLOW
    assert (program.field_text("hours"), program.field_text("minutes"),
            program.field_text("seconds")) == (hours, minutes, seconds)

    if power_off_after is None:
        assert logind.calls() == []
        return
    calls = wait_for_power_off(logind, power_off_after + 3)
    assert len(calls) >= 1, "logind got no power-off request"
    offset = calls[0][0] - started - power_off_after
    record_property("power_off_offset_s", round(offset, 3))
    print(f"power-off request {offset * 1000:+.0f} ms after Start + {power_off_after} s")
    assert offset >= -0.005, "the power-off came early"
    assert offset < 1.0
    assert calls[0][1] in ("PowerOff", "PowerOffWithFlags")
    assert program.status() == line(0, 0, 0)
    assert controls(program.screen()) == COUNTING_CONTROLS


def test_cancel_during_a_countdown_restores_idle_and_start_rearms(program, logind):
    fill(program, seconds="4")
    program.click("start")
    program.wait_until(program.status, line(0, 0, 3), timeout=3)

    program.click("cancel")
    program.wait_until(program.status, "倒计时")
    assert controls(program.screen()) == IDLE_CONTROLS
    assert program.field_text("seconds") == "4"
    assert program.background("status") == program.background("时")

    started = program.click("start")
    program.wait_until(program.status, line(0, 0, 3), timeout=3)
    program.click("cancel")
    program.wait_until(program.status, "倒计时")
    time.sleep(max(0.0, started + 4.5 - time.time()))
    assert logind.calls() == [], "a cancelled countdown must never power off"


def test_a_refused_power_off_leaves_the_window_expired_until_cancel(program, logind):
    logind.refuse()
    fill(program, seconds="2")
    program.click("start")

    assert len(wait_for_power_off(logind, 5)) == 1
    program.wait_until(program.status, line(0, 0, 0))
    time.sleep(1.5)
    assert program.process.poll() is None
    assert program.status() == line(0, 0, 0), "the countdown stays at 0:0:0"
    assert controls(program.screen()) == COUNTING_CONTROLS
    assert program.message_box() is None
    assert len(logind.calls()) == 1, "a refused power-off is not retried"

    program.click("cancel")
    program.wait_until(program.status, "倒计时")
    assert controls(program.screen()) == IDLE_CONTROLS
    assert program.background("status") == program.background("时")
    assert program.field_text("seconds") == "2"


def test_the_countdown_goes_on_while_the_window_is_minimised(program, logind):
    fill(program, seconds="3")
    started = program.click("start")
    program.minimise()

    calls = wait_for_power_off(logind, 6)
    assert calls, "logind got no power-off request"
    assert calls[0][0] - started >= 3 - 0.005
