// The Linux desktop program: the Qt front end over the program's logic, with
// logind as the power-off service.

#include "platform/power/logind/logind_power_off.h"
#include "platform/qt/qt_window_system.h"
#include "shell/run_program.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("ostrivel"));

  ostrivel::QtWindowSystem windowSystem;
  ostrivel::LogindPowerOff powerOff;
  return ostrivel::runProgram(windowSystem, powerOff);
}
