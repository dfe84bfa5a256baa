// The main window's template, how its events reach the handlers, and the
// program's start-up and exit.

#include "fakes.h"
#include "shell/main_window_events.h"
#include "shell/run_program.h"
#include "shell/window_template.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace ostrivel::testing {
namespace {

TEST(WindowTemplate, CentresTheOuterFrameWithIntegerDivision) {
  EXPECT_EQ(centredPosition(1024, 768, 258, 173), (Point{383, 297}));
  EXPECT_EQ(centredPosition(1920, 1080, 258, 173), (Point{831, 453}));
  EXPECT_EQ(centredPosition(259, 174, 258, 173), (Point{0, 0}));
}

TEST(WindowTemplate, TheMainWindowIsUsableAndBrokenTemplatesAreNot) {
  EXPECT_TRUE(isUsable(mainWindowTemplate));

  WindowTemplate duplicate = mainWindowTemplate;
  duplicate.controls[1].name = Control::编辑框1;
  EXPECT_FALSE(isUsable(duplicate));

  WindowTemplate tabStopAfterLabel = mainWindowTemplate;
  tabStopAfterLabel.controls[9].tabStop = true;
  EXPECT_FALSE(isUsable(tabStopAfterLabel));

  WindowTemplate clickableLabel = mainWindowTemplate;
  clickableLabel.controls[6].handler = Handler::startCountdown;
  EXPECT_FALSE(isUsable(clickableLabel));

  WindowTemplate noSize = mainWindowTemplate;
  noSize.outerWidth = 0;
  EXPECT_FALSE(isUsable(noSize));
}

TEST(WindowTemplate, ControlsDoNotOverlapAndFitTheWindow) {
  const auto& controls = mainWindowTemplate.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Geometry& a = controls[i].geometry;
    EXPECT_LE(a.left + a.width, mainWindowTemplate.outerWidth) << controlName(controls[i].name);
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const Geometry& b = controls[j].geometry;
      if (controls[i].kind == ControlKind::timer || controls[j].kind == ControlKind::timer) {
        continue; // the timer has no visible part
      }
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << controlName(controls[i].name) << " " << controlName(controls[j].name);
    }
  }
}

class EventRouting : public ::testing::Test {
protected:
  CallLog log;
  RecordingToolkit toolkit{log};
  RecordingPowerOff power{log};
  Countdown countdown{toolkit, power, {0, 0, 5}};
  MainWindowEvents events{mainWindowTemplate, toolkit, countdown};
};

TEST_F(EventRouting, EachEventRunsTheHandlerTheTemplateBinds) {
  events.windowCreated();
  EXPECT_EQ(log, (CallLog{"setFocus 编辑框1", "setDisabled 按钮3 1"}));

  log.clear();
  events.keyPressed(Control::编辑框3, keyEnter, 0);
  EXPECT_EQ(log, CallLog{"setFocus 编辑框1"});

  log.clear();
  events.timerFired(Control::时钟1);
  EXPECT_EQ(countdown.clock(), (CountdownClock{0, 0, 4}));

  log.clear();
  events.clicked(Control::按钮3);
  EXPECT_EQ(log.front(), "setTimerPeriod 时钟1 0");

  log.clear();
  toolkit.type(Control::编辑框1, "1");
  events.clicked(Control::按钮2);
  EXPECT_EQ(toolkit.state(Control::编辑框1).text, "");

  log.clear();
  events.clicked(Control::按钮1);
  EXPECT_EQ(toolkit.messages(), std::vector<std::string>{"时间不能为空！！"});

  log.clear();
  events.clicked(Control::标签4);
  events.keyPressed(Control::按钮1, keyEnter, 0);
  EXPECT_TRUE(log.empty());
}

// A window system that records what the program asks of it. fatalError
// throws so that a test can watch the program end.
class FakeWindowSystem final : public WindowSystem {
public:
  struct Fatal : std::runtime_error {
    using std::runtime_error::runtime_error;
  };

  explicit FakeWindowSystem(CallLog& log, bool canCreate)
      : m_toolkit(log), m_canCreate(canCreate) {}

  Toolkit& toolkit() override { return m_toolkit; }
  bool loadWindow(const WindowTemplate& window, ToolkitEvents& events) override {
    loadedCaption = window.caption;
    if (!m_canCreate) {
      return false;
    }
    events.windowCreated();
    m_events = &events;
    return true;
  }
  void runEventLoop() override {
    // The user enters two seconds, starts, and the countdown runs out.
    m_toolkit.type(Control::编辑框3, "2");
    m_events->clicked(Control::按钮1);
    m_events->timerFired(Control::时钟1);
    m_events->timerFired(Control::时钟1);
  }
  [[noreturn]] void fatalError(std::string_view message) override {
    throw Fatal(std::string(message));
  }

  std::string_view loadedCaption;

private:
  RecordingToolkit m_toolkit;
  bool m_canCreate;
  ToolkitEvents* m_events = nullptr;
};

TEST(RunProgram, RunsTheWindowUntilItIsGoneAndReturnsZero) {
  CallLog log;
  FakeWindowSystem windowSystem(log, true);
  RecordingPowerOff power(log);

  EXPECT_EQ(runProgram(windowSystem, power), 0);

  EXPECT_EQ(windowSystem.loadedCaption, "Ostrivel");
  EXPECT_EQ(log.front(), "setFocus 编辑框1");
  EXPECT_EQ(log.back(), "requestPowerOff");
}

TEST(RunProgram, AWindowThatCannotBeCreatedIsAFatalError) {
  CallLog log;
  FakeWindowSystem windowSystem(log, false);
  RecordingPowerOff power(log);

  try {
    runProgram(windowSystem, power);
    FAIL() << "runProgram returned";
  } catch (const FakeWindowSystem::Fatal& fatal) {
    EXPECT_STREQ(fatal.what(), "载入启动窗口失败");
  }
  EXPECT_EQ(power.requests(), 0);
}

} // namespace
} // namespace ostrivel::testing
