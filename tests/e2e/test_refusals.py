"""Start refuses bad entries: the message, the field emptied and focused,
nothing else changed."""

import pytest

MESSAGES = {
    "hours": {"whole": "请输入整数！！", "positive": "输入正确的数值！！"},
    "minutes": {"whole": "输入整数", "positive": "输入正确的数值"},
    "seconds": {"whole": "输入整数", "positive": "输入正确的数值"},
}

BAD_TEXTS = [("abc", "positive"), ("0", "positive"), ("-5", "positive"), ("1.5", "whole"),
             ("1e2", "whole"), ("2147483648", "whole")]

IDLE_CONTROLS = {"hours enabled": True, "minutes enabled": True, "seconds enabled": True,
                 "start enabled": True, "clear enabled": True, "cancel enabled": False,
                 "status": "倒计时"}


def fill(program, **texts):
    for field in ("hours", "minutes", "seconds"):
        if texts.get(field):
            program.click_field(field)
            program.type(texts[field])
            program.wait_until(lambda f=field: program.field_text(f), texts[field])


def click_start_expecting(program, message):
    program.click("start")
    program.wait_until(program.message_box, ("信息：", message))
    program.close_message_box()


def test_all_fields_empty(program, logind):
    program.click_field("seconds")
    click_start_expecting(program, "时间不能为空！！")
    program.wait_until(program.focused, "hours")
    screen = program.screen()
    assert {k: screen[k] for k in IDLE_CONTROLS} == IDLE_CONTROLS
    assert logind.calls() == []


@pytest.mark.parametrize("field", ["hours", "minutes", "seconds"])
@pytest.mark.parametrize("text,test", BAD_TEXTS, ids=[t for t, _ in BAD_TEXTS])
def test_a_bad_field_is_refused_emptied_and_focused(program, logind, field, text, test):
    fill(program, **{field: text})
    click_start_expecting(program, MESSAGES[field][test])

    program.wait_until(lambda: program.field_text(field), "")
    program.wait_until(program.focused, field)
    screen = program.screen()
    assert {k: screen[k] for k in IDLE_CONTROLS} == IDLE_CONTROLS
    assert [screen[f] for f in ("hours", "minutes", "seconds")] == ["", "", ""]
    assert logind.calls() == []


def test_only_the_first_fault_is_reported_and_the_next_click_reports_the_next(program, logind):
    fill(program, hours="abc", minutes="1.5", seconds="7")

    click_start_expecting(program, "输入正确的数值！！")
    program.wait_until(program.focused, "hours")
    assert (program.field_text("hours"), program.field_text("minutes"),
            program.field_text("seconds")) == ("", "1.5", "7")

    click_start_expecting(program, "输入整数")
    program.wait_until(program.focused, "minutes")
    assert (program.field_text("minutes"), program.field_text("seconds")) == ("", "7")
    assert program.enabled("start")
    assert logind.calls() == []
