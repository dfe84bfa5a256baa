#pragma once

// The Win32 calls that the forced power-off needs, as a table the algorithm is
// written against. The real table calls the system; a test's table records.
// The records mirror the Win32 ones field for field, so the algorithm needs no
// system header.

#include <array>
#include <cstdint>

namespace ostrivel::windows {

using Handle = void*;

// OSVERSIONINFOA.
struct VersionRecord {
  std::uint32_t size = 0;
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t buildNumber = 0;
  std::uint32_t platformId = 0;
  std::array<char, 128> servicePack{};
};
static_assert(sizeof(VersionRecord) == 148);

// LUID.
struct PrivilegeId {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
};

// LUID_AND_ATTRIBUTES.
struct PrivilegeEntry {
  PrivilegeId id;
  std::uint32_t attributes = 0;
};

// TOKEN_PRIVILEGES with its one entry.
struct PrivilegeList {
  std::uint32_t count = 0;
  std::array<PrivilegeEntry, 1> privileges{};
};

inline constexpr std::uint32_t platformWin32Nt = 2;          // VER_PLATFORM_WIN32_NT
inline constexpr std::uint32_t tokenAdjustPrivileges = 0x20; // TOKEN_ADJUST_PRIVILEGES
inline constexpr std::uint32_t tokenQuery = 0x08;            // TOKEN_QUERY
inline constexpr std::uint32_t privilegeEnabled = 2;         // SE_PRIVILEGE_ENABLED
inline constexpr std::uint32_t exitShutdown = 1;             // EWX_SHUTDOWN
inline constexpr std::uint32_t exitForce = 4;                // EWX_FORCE
inline constexpr std::uint32_t exitPowerOff = 8;             // EWX_POWEROFF
inline constexpr char shutdownPrivilegeName[] = "SeShutdownPrivilege";

class PowerCalls {
public:
  virtual ~PowerCalls() = default;

  virtual bool getVersionExA(VersionRecord* version) = 0;
  virtual Handle getCurrentProcess() = 0;
  virtual bool openProcessToken(Handle process, std::uint32_t access, Handle* token) = 0;
  virtual bool lookupPrivilegeValueA(const char* systemName, const char* name, PrivilegeId* id) = 0;
  virtual bool adjustTokenPrivileges(Handle token, bool disableAll, const PrivilegeList* newState,
                                     std::uint32_t bufferLength, PrivilegeList* previousState,
                                     std::uint32_t* returnLength) = 0;
  virtual std::uint32_t getLastError() = 0;
  virtual bool closeHandle(Handle object) = 0;
  virtual bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
};

} // namespace ostrivel::windows
