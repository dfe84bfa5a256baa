#pragma once

// A stand-in for the Win32 power-off calls: answers as the case says and logs
// every call with the arguments that matter, so a test can compare the whole
// conversation with the system.

#include "platform/power/windows/windows_power_calls.h"

#include <string>
#include <vector>

namespace ostrivel::windows::testing {

struct SystemAnswers {
  std::uint32_t platformId = platformWin32Nt;
  bool tokenOpens = true;
  std::uint32_t errorAfterAdjust = 0;
  bool shutdownAccepted = true;
};

class RecordingPowerCalls final : public PowerCalls {
public:
  explicit RecordingPowerCalls(SystemAnswers answers) : m_answers(answers) {}

  bool getVersionExA(VersionRecord* version) override;
  Handle getCurrentProcess() override;
  bool openProcessToken(Handle process, std::uint32_t access, Handle* token) override;
  bool lookupPrivilegeValueA(const char* systemName, const char* name, PrivilegeId* id) override;
  bool adjustTokenPrivileges(Handle token, bool disableAll, const PrivilegeList* newState,
                             std::uint32_t bufferLength, PrivilegeList* previousState,
                             std::uint32_t* returnLength) override;
  std::uint32_t getLastError() override;
  bool closeHandle(Handle object) override;
  bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;

  [[nodiscard]] const std::vector<std::string>& log() const { return m_log; }

private:
  SystemAnswers m_answers;
  std::uint32_t m_lastError = 0;
  std::vector<std::string> m_log;
};

} // namespace ostrivel::windows::testing
