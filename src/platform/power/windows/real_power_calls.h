#pragma once

// The power-off table that calls the Win32 API itself.

#include "platform/power/windows/windows_power_calls.h"

namespace ostrivel::windows {

class RealPowerCalls final : public PowerCalls {
public:
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
};

} // namespace ostrivel::windows
