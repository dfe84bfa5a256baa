#include "shell/run_program.h"

#include "countdown/countdown.h"
#include "shell/main_window_events.h"

#include <cfenv>

namespace ostrivel {

int runProgram(WindowSystem& windowSystem, PowerOff& powerOff) {
  const WindowTemplate& window = mainWindowTemplate;
  if (!isUsable(window)) {
    windowSystem.fatalError("载入窗口模板数据段出错!");
  }
  // Round to nearest with every floating-point exception masked: an overflow
  // gives infinity instead of a trap.
  std::fesetenv(FE_DFL_ENV);

  Countdown countdown(windowSystem.toolkit(), powerOff);
  MainWindowEvents events(window, windowSystem.toolkit(), countdown);
  if (!windowSystem.loadWindow(window, events)) {
    windowSystem.fatalError("载入启动窗口失败");
  }
  windowSystem.runEventLoop();
  return 0;
}

} // namespace ostrivel
