#include "platform/power/windows/windows_power_off.h"

namespace ostrivel::windows {

bool WindowsPowerOff::requestPowerOff() {
  if (!enableShutdownPrivilege()) {
    return false;
  }
  const std::uint32_t mode = platformId() == platformWin32Nt ? exitPowerOff : exitShutdown;
  return m_calls.exitWindowsEx(mode | exitForce, 0);
}

bool WindowsPowerOff::enableShutdownPrivilege() {
  if (platformId() != platformWin32Nt) {
    return true; // only the NT family knows privileges
  }
  Handle token = nullptr;
  if (!m_calls.openProcessToken(m_calls.getCurrentProcess(), tokenAdjustPrivileges | tokenQuery,
                                &token)) {
    return false;
  }
  PrivilegeList shutdown;
  m_calls.lookupPrivilegeValueA(nullptr, shutdownPrivilegeName, &shutdown.privileges[0].id);
  shutdown.count = 1;
  shutdown.privileges[0].attributes = privilegeEnabled;
  m_calls.adjustTokenPrivileges(token, false, &shutdown, 0, nullptr, nullptr);
  // AdjustTokenPrivileges succeeds even when the account does not hold the
  // privilege; only the last error (ERROR_NOT_ALL_ASSIGNED) tells, so it is
  // read before any other call can overwrite it.
  const std::uint32_t error = m_calls.getLastError();
  m_calls.closeHandle(token);
  return error == 0;
}

// The platform family, or 0 when the system does not say.
std::uint32_t WindowsPowerOff::platformId() {
  VersionRecord version;
  version.size = sizeof(VersionRecord);
  m_calls.getVersionExA(&version);
  return version.platformId;
}

} // namespace ostrivel::windows
