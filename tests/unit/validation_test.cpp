// Start with entries the checks refuse: one message for the first fault, the
// field at fault emptied and focused, and nothing else changed.

#include "countdown/countdown.h"
#include "fakes.h"

#include <gtest/gtest.h>

namespace ostrivel::testing {
namespace {

enum class Outcome { accepted, notWhole, notPositive };

struct FieldCase {
  const char* text;
  Outcome outcome;
};

// One field filled, the others empty.
const FieldCase fieldCases[] = {
    {"abc", Outcome::notPositive},
    {"-5", Outcome::notPositive},
    {"0", Outcome::notPositive},
    {" ", Outcome::notPositive},
    {"0.00000005", Outcome::notPositive},
    {"1.5", Outcome::notWhole},
    {".5", Outcome::notWhole},
    {"5.0000002", Outcome::notWhole},
    {"1e2", Outcome::notWhole},
    {"1e400", Outcome::notWhole},
    {"2147483648", Outcome::notWhole},
    {"4294967297", Outcome::notWhole},
    {"5e0", Outcome::accepted},
    {" 7", Outcome::accepted},
    {"\u30007", Outcome::accepted},
    {"007", Outcome::accepted},
    {"+5", Outcome::accepted},
    {"3abc", Outcome::accepted},
    {"5.00000001", Outcome::accepted},
    {"2147483647", Outcome::accepted},
    {"１２", Outcome::accepted},
};

struct FieldMessages {
  Control field;
  const char* notWhole;
  const char* notPositive;
};

const FieldMessages fields[] = {
    {Control::编辑框1, "请输入整数！！", "输入正确的数值！！"},
    {Control::编辑框2, "输入整数", "输入正确的数值"},
    {Control::编辑框3, "输入整数", "输入正确的数值"},
};

TEST(Validation, EachFieldAloneIsAcceptedOrRefusedWithItsOwnMessage) {
  for (const FieldMessages& field : fields) {
    for (const FieldCase& c : fieldCases) {
      SCOPED_TRACE(controlName(field.field) + " \"" + c.text + "\"");
      FakeWindow window;
      auto& [log, toolkit, power, countdown] = window;
      toolkit.type(field.field, c.text);

      const bool passed = countdown.validateDurationEntry();

      if (c.outcome == Outcome::accepted) {
        EXPECT_TRUE(passed);
        EXPECT_TRUE(log.empty());
        continue;
      }
      const char* message = c.outcome == Outcome::notWhole ? field.notWhole : field.notPositive;
      EXPECT_FALSE(passed);
      EXPECT_EQ(log, (CallLog{"showMessage \"" + std::string(message) + "\"",
                              "setText " + controlName(field.field) + " \"\"",
                              "setFocus " + controlName(field.field)}));
    }
  }
}

TEST(Validation, AllFieldsEmptyOnlyMovesTheFocusToTheHoursField) {
  FakeWindow window;
  auto& [log, toolkit, power, countdown] = window;
  toolkit.setFocus(Control::按钮1);
  log.clear();

  countdown.startCountdown();

  EXPECT_EQ(log, (CallLog{"showMessage \"时间不能为空！！\"", "setFocus 编辑框1"}));
  EXPECT_EQ(toolkit.timerPeriod(), 0);
}

// Only the first fault is reported; the later fields keep their texts and the
// next click, skipping the now empty field, reports the next fault.
TEST(Validation, ReportsOneFaultPerClickInFieldOrder) {
  FakeWindow window;
  auto& [log, toolkit, power, countdown] = window;
  toolkit.type(Control::编辑框1, "abc");
  toolkit.type(Control::编辑框2, "1.5");
  toolkit.type(Control::编辑框3, "0");

  countdown.startCountdown();
  EXPECT_EQ(toolkit.messages().back(), "输入正确的数值！！");
  EXPECT_EQ(toolkit.focus(), Control::编辑框1);
  EXPECT_EQ(toolkit.state(Control::编辑框1).text, "");
  EXPECT_EQ(toolkit.state(Control::编辑框2).text, "1.5");
  EXPECT_EQ(toolkit.state(Control::编辑框3).text, "0");

  countdown.startCountdown();
  EXPECT_EQ(toolkit.messages().back(), "输入整数");
  EXPECT_EQ(toolkit.focus(), Control::编辑框2);
  EXPECT_EQ(toolkit.state(Control::编辑框2).text, "");
  EXPECT_EQ(toolkit.state(Control::编辑框3).text, "0");

  countdown.startCountdown();
  EXPECT_EQ(toolkit.messages().back(), "输入正确的数值");
  EXPECT_EQ(toolkit.focus(), Control::编辑框3);

  countdown.startCountdown();
  EXPECT_EQ(toolkit.messages().back(), "时间不能为空！！");
  EXPECT_EQ(toolkit.messages().size(), 4U);

  for (const Control control : {Control::按钮1, Control::按钮2, Control::按钮3, Control::编辑框1,
                                Control::编辑框2, Control::编辑框3}) {
    EXPECT_FALSE(toolkit.state(control).disabled) << controlName(control);
  }
  EXPECT_EQ(toolkit.timerPeriod(), 0);
  EXPECT_EQ(power.requests(), 0);
}

TEST(Validation, AZeroHoursFieldRefusesEvenAValidMinutesField) {
  FakeWindow window;
  auto& [log, toolkit, power, countdown] = window;
  toolkit.type(Control::编辑框1, "0");
  toolkit.type(Control::编辑框2, "90");

  countdown.startCountdown();

  EXPECT_EQ(toolkit.messages(), std::vector<std::string>{"输入正确的数值！！"});
  EXPECT_EQ(toolkit.state(Control::编辑框2).text, "90");
  EXPECT_EQ(toolkit.timerPeriod(), 0);
}

} // namespace
} // namespace ostrivel::testing
