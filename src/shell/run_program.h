#pragma once

#include "platform/power_off.h"
#include "shell/window_system.h"

namespace ostrivel {

// The program from start to end: builds the main window, runs it until it is
// closed and returns the exit code 0. A start-up failure ends the process
// through WindowSystem::fatalError.
int runProgram(WindowSystem& windowSystem, PowerOff& powerOff);

} // namespace ostrivel
