// Enter navigation, Cancel and Clear, and the state of every control through
// a whole journey: start-up, Start, ticks, expiry with a refused power-off,
// Cancel, Start again.

#include "countdown/countdown.h"
#include "fakes.h"
#include "shell/main_window_events.h"

#include <gtest/gtest.h>

#include <functional>

namespace ostrivel::testing {
namespace {

struct NavigationCase {
  Control field;
  int keyCode;
  int modifiers;
  Control focusAfter;
};

TEST(FocusNextField, EnterMovesOnWhateverModifiersAndOtherKeysDoNothing) {
  const NavigationCase cases[] = {
      {Control::编辑框1, keyEnter, 0, Control::编辑框2},
      {Control::编辑框2, keyEnter, 0, Control::编辑框3},
      {Control::编辑框3, keyEnter, 0, Control::编辑框1},
      {Control::编辑框1, keyEnter, modifierShift, Control::编辑框2},
      {Control::编辑框2, keyEnter, modifierCtrl | modifierAlt, Control::编辑框3},
      {Control::编辑框3, keyEnter, modifierCtrl | modifierShift | modifierAlt, Control::编辑框1},
      {Control::编辑框1, 9, 0, Control::按钮1},
      {Control::编辑框2, 48, 0, Control::按钮1},
      {Control::编辑框3, 14, 0, Control::按钮1},
  };
  for (const NavigationCase& c : cases) {
    SCOPED_TRACE(controlName(c.field) + " key " + std::to_string(c.keyCode));
    FakeWindow window;
    auto& [log, toolkit, power, countdown] = window;
    toolkit.setFocus(Control::按钮1);
    toolkit.type(c.field, "12");

    countdown.focusNextField(c.field, c.keyCode, c.modifiers);

    EXPECT_EQ(toolkit.focus(), c.focusAfter);
    EXPECT_EQ(toolkit.state(c.field).text, "12");
  }
}

// What the user sees after each step.
struct Screen {
  bool fieldsEnabled;
  bool startEnabled;
  bool clearEnabled;
  bool cancelEnabled;
  std::string caption;
  Colour background;
  int period;
  Control focus;
};

Screen look(RecordingToolkit& toolkit) {
  const bool fieldsEnabled = !toolkit.state(Control::编辑框1).disabled &&
                             !toolkit.state(Control::编辑框2).disabled &&
                             !toolkit.state(Control::编辑框3).disabled;
  const bool fieldsDisabled = toolkit.state(Control::编辑框1).disabled &&
                              toolkit.state(Control::编辑框2).disabled &&
                              toolkit.state(Control::编辑框3).disabled;
  EXPECT_TRUE(fieldsEnabled || fieldsDisabled) << "the fields are locked together";
  return {fieldsEnabled,
          !toolkit.state(Control::按钮1).disabled,
          !toolkit.state(Control::按钮2).disabled,
          !toolkit.state(Control::按钮3).disabled,
          toolkit.state(Control::标签4).text,
          toolkit.state(Control::标签4).background,
          toolkit.timerPeriod(),
          toolkit.focus()};
}

TEST(ControlStates, FollowAWholeJourney) {
  FakeWindow window;
  auto& [log, toolkit, power, countdown] = window;
  toolkit.state(Control::标签4).text = "倒计时";
  toolkit.setFocus(Control::按钮2);

  struct Step {
    const char* name;
    std::function<void()> act;
    Screen expected;
  };
  const std::string line1 = "0时0分1秒  后关机！！";
  const std::string line0 = "0时0分0秒  后关机！！";
  const Step steps[] = {
      {"start-up",
       [&] { onWindowCreated(toolkit); },
       {true, true, true, false, "倒计时", defaultColour, 0, Control::编辑框1}},
      {"Start",
       [&] {
         toolkit.type(Control::编辑框3, "2");
         countdown.startCountdown();
       },
       {false, false, false, true, "倒计时", defaultColour, 1000, Control::编辑框1}},
      {"tick",
       [&] { countdown.countdownTick(); },
       {false, false, false, true, line1, yellow, 1000, Control::编辑框1}},
      {"tick reaching 0:0:0",
       [&] { countdown.countdownTick(); },
       {false, false, false, true, line0, yellow, 0, Control::编辑框1}},
      {"Cancel",
       [&] { countdown.cancelCountdown(); },
       {true, true, true, false, "倒计时", defaultColour, 0, Control::编辑框1}},
      {"Start again",
       [&] { countdown.startCountdown(); },
       {false, false, false, true, "倒计时", defaultColour, 1000, Control::编辑框1}},
      {"tick",
       [&] { countdown.countdownTick(); },
       {false, false, false, true, line1, yellow, 1000, Control::编辑框1}},
      {"Cancel during the countdown",
       [&] { countdown.cancelCountdown(); },
       {true, true, true, false, "倒计时", defaultColour, 0, Control::编辑框1}},
      {"Clear",
       [&] {
         toolkit.setFocus(Control::按钮2);
         countdown.clearFields();
       },
       {true, true, true, false, "倒计时", defaultColour, 0, Control::编辑框1}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act();
    const Screen seen = look(toolkit);
    const Screen& want = step.expected;
    EXPECT_EQ(seen.fieldsEnabled, want.fieldsEnabled);
    EXPECT_EQ(seen.startEnabled, want.startEnabled);
    EXPECT_EQ(seen.clearEnabled, want.clearEnabled);
    EXPECT_EQ(seen.cancelEnabled, want.cancelEnabled);
    EXPECT_EQ(seen.caption, want.caption);
    EXPECT_EQ(seen.background, want.background);
    EXPECT_EQ(seen.period, want.period);
    EXPECT_EQ(seen.focus, want.focus);
  }
  EXPECT_EQ(power.requests(), 1);
  EXPECT_EQ(toolkit.state(Control::编辑框3).text, "");
  EXPECT_TRUE(toolkit.messages().empty());
}

TEST(CancelCountdown, StopsTheTimerFirstAndRestoresTheIdleControlsInOrder) {
  FakeWindow window;
  auto& [log, toolkit, power, countdown] = window;
  toolkit.type(Control::编辑框2, "5");
  toolkit.setFocus(Control::按钮3);
  log.clear();

  countdown.cancelCountdown();

  EXPECT_EQ(log, (CallLog{"setTimerPeriod 时钟1 0", "setText 标签4 \"倒计时\"",
                          "setDisabled 按钮1 0", "setDisabled 按钮3 1", "setDisabled 编辑框1 0",
                          "setDisabled 编辑框2 0", "setDisabled 编辑框3 0",
                          "setBackgroundColour 标签4 default", "setDisabled 按钮2 0"}));
  EXPECT_EQ(toolkit.state(Control::编辑框2).text, "5");
  EXPECT_EQ(toolkit.focus(), Control::按钮3);
}

TEST(ClearFields, EmptiesTheFieldsAndFocusesHoursWithoutTouchingAnythingElse) {
  FakeWindow window{{0, 0, 9}};
  auto& [log, toolkit, power, countdown] = window;
  toolkit.type(Control::编辑框1, "1");
  toolkit.type(Control::编辑框2, "2");
  toolkit.type(Control::编辑框3, "3");

  countdown.clearFields();

  EXPECT_EQ(log, (CallLog{"setText 编辑框1 \"\"", "setText 编辑框2 \"\"", "setText 编辑框3 \"\"",
                          "setFocus 编辑框1"}));
  EXPECT_EQ(countdown.clock(), (CountdownClock{0, 0, 9}));

  countdown.startCountdown();
  EXPECT_EQ(toolkit.messages(), std::vector<std::string>{"时间不能为空！！"});
}

TEST(StartCountdown, ReArmingAfterCancelDiscardsTheOldClock) {
  FakeWindow window;
  auto& [log, toolkit, power, countdown] = window;
  toolkit.type(Control::编辑框2, "90");
  countdown.startCountdown();
  countdown.countdownTick();
  countdown.cancelCountdown();
  toolkit.type(Control::编辑框2, "");
  toolkit.type(Control::编辑框3, "5");

  countdown.startCountdown();

  EXPECT_EQ(countdown.clock(), (CountdownClock{0, 0, 5}));
}

} // namespace
} // namespace ostrivel::testing
