// The Windows program: the Win32 window system and the forced power-off,
// handed to the program's own start routine.

#include "platform/power/windows/real_power_calls.h"
#include "platform/power/windows/windows_power_off.h"
#include "platform/win32/win32_window_system.h"
#include "shell/run_program.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  ostrivel::win32::Win32WindowSystem windowSystem(instance);
  ostrivel::windows::RealPowerCalls system;
  ostrivel::windows::WindowsPowerOff powerOff(system);
  return ostrivel::runProgram(windowSystem, powerOff);
}
