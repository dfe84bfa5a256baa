"""Clear, Enter and Tab between the controls, and closing the window."""

import time

import pytest

from test_refusals import fill


def test_enter_moves_through_the_fields_and_back_to_hours(program):
    program.wait_until(program.focused, "hours")
    for expected in ("minutes", "seconds", "hours", "minutes"):
        program.key("Return")
        program.wait_until(program.focused, expected)
    assert program.message_box() is None, "Enter must not click Start"


def test_enter_still_reaches_the_field_after_moving_the_focus(program):
    program.type("12")
    program.key("KP_Enter")
    program.wait_until(program.focused, "minutes")
    assert program.field_text("hours") == "12"


def test_tab_follows_the_tab_order_and_skips_the_disabled_cancel(program):
    program.wait_until(program.focused, "hours")
    for expected in ("minutes", "seconds", "start", "clear", "hours"):
        program.key("Tab")
        program.wait_until(program.focused, expected)
    for expected in ("clear", "start", "seconds"):
        program.key("shift+Tab")
        program.wait_until(program.focused, expected)


def test_clear_empties_the_fields_and_focuses_hours(program):
    fill(program, hours="1", minutes="2", seconds="3")
    program.click("clear")
    for field in ("hours", "minutes", "seconds"):
        program.wait_until(lambda f=field: program.field_text(f), "")
    program.wait_until(program.focused, "hours")
    assert program.status() == "倒计时"

    program.click("start")
    program.wait_until(program.message_box, ("信息：", "时间不能为空！！"))
    program.close_message_box()


@pytest.mark.parametrize("how", ["escape", "close-request"])
def test_closing_during_a_countdown_ends_the_program_without_power_off(program, logind, how):
    fill(program, seconds="2")
    started = program.click("start")
    program.wait_until(program.status, "0时0分1秒  后关机！！", timeout=3)

    if how == "escape":
        program.focus()
        program.key("Escape")
    else:
        program.request_close()
    assert program.wait_exit(timeout=5) == 0, program.describe()

    time.sleep(max(0.0, started + 3.0 - time.time()))
    assert logind.calls() == []


def test_escape_closes_from_a_button_too(program):
    program.key("Tab", "Tab", "Tab")
    program.wait_until(program.focused, "start")
    program.key("Escape")
    assert program.wait_exit(timeout=5) == 0
