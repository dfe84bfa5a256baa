#include "platform/power/windows/real_power_calls.h"

#include <windows.h>

#include <cstddef>

namespace ostrivel::windows {
namespace {

// The records are handed to the system as they are, so their layouts must be
// the system's.
static_assert(sizeof(VersionRecord) == sizeof(OSVERSIONINFOA));
static_assert(offsetof(VersionRecord, platformId) == offsetof(OSVERSIONINFOA, dwPlatformId));
static_assert(sizeof(PrivilegeId) == sizeof(LUID));
static_assert(sizeof(PrivilegeList) == sizeof(TOKEN_PRIVILEGES));
static_assert(offsetof(PrivilegeList, privileges) == offsetof(TOKEN_PRIVILEGES, Privileges));
static_assert(offsetof(PrivilegeEntry, attributes) == offsetof(LUID_AND_ATTRIBUTES, Attributes));

} // namespace

bool RealPowerCalls::getVersionExA(VersionRecord* version) {
  return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(version)) != FALSE;
}

Handle RealPowerCalls::getCurrentProcess() { return ::GetCurrentProcess(); }

bool RealPowerCalls::openProcessToken(Handle process, std::uint32_t access, Handle* token) {
  return ::OpenProcessToken(process, access, token) != FALSE;
}

bool RealPowerCalls::lookupPrivilegeValueA(const char* systemName, const char* name,
                                           PrivilegeId* id) {
  return ::LookupPrivilegeValueA(systemName, name, reinterpret_cast<LUID*>(id)) != FALSE;
}

bool RealPowerCalls::adjustTokenPrivileges(Handle token, bool disableAll,
                                           const PrivilegeList* newState,
                                           std::uint32_t bufferLength, PrivilegeList* previousState,
                                           std::uint32_t* returnLength) {
  // The system does not write through NewState; its prototype lacks the const.
  auto* state = const_cast<PrivilegeList*>(newState);
  return ::AdjustTokenPrivileges(token, disableAll ? TRUE : FALSE,
                                 reinterpret_cast<TOKEN_PRIVILEGES*>(state), bufferLength,
                                 reinterpret_cast<TOKEN_PRIVILEGES*>(previousState),
                                 reinterpret_cast<DWORD*>(returnLength)) != FALSE;
}

std::uint32_t RealPowerCalls::getLastError() { return ::GetLastError(); }

bool RealPowerCalls::closeHandle(Handle object) { return ::CloseHandle(object) != FALSE; }

bool RealPowerCalls::exitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  return ::ExitWindowsEx(flags, reason) != FALSE;
}

} // namespace ostrivel::windows
