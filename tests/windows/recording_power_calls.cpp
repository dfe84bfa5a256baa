#include "recording_power_calls.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace ostrivel::windows::testing {
namespace {

// Recognisable stand-ins for the handles the system would give.
Handle const processHandle = reinterpret_cast<Handle>(std::uintptr_t{0x1111});
Handle const tokenHandle = reinterpret_cast<Handle>(std::uintptr_t{0x2222});
constexpr PrivilegeId shutdownId{19, 0};
// What the system leaves in the last error after a call the case does not
// care about; a caller that reads it at the wrong moment sees this.
constexpr std::uint32_t unrelatedError = 0x7777;

std::string handleName(Handle handle) {
  return handle == processHandle ? "process" : handle == tokenHandle ? "token" : "unknown";
}

bool isCleared(const VersionRecord& version) {
  return version.majorVersion == 0 && version.minorVersion == 0 && version.buildNumber == 0 &&
         version.platformId == 0 &&
         std::all_of(version.servicePack.begin(), version.servicePack.end(),
                     [](char c) { return c == 0; });
}

} // namespace

bool RecordingPowerCalls::getVersionExA(VersionRecord* version) {
  m_log.push_back("GetVersionExA size=" + std::to_string(version->size) +
                  (isCleared(*version) ? " cleared" : " dirty"));
  version->majorVersion = 10;
  version->platformId = m_answers.platformId;
  m_lastError = unrelatedError;
  return true;
}

Handle RecordingPowerCalls::getCurrentProcess() {
  m_log.emplace_back("GetCurrentProcess");
  return processHandle;
}

bool RecordingPowerCalls::openProcessToken(Handle process, std::uint32_t access, Handle* token) {
  char rights[16];
  std::snprintf(rights, sizeof rights, "0x%x", access);
  m_log.push_back("OpenProcessToken " + handleName(process) + " " + rights);
  if (!m_answers.tokenOpens) {
    m_lastError = 5; // ERROR_ACCESS_DENIED
    return false;
  }
  *token = tokenHandle;
  return true;
}

bool RecordingPowerCalls::lookupPrivilegeValueA(const char* systemName, const char* name,
                                                PrivilegeId* id) {
  m_log.push_back(std::string("LookupPrivilegeValueA ") + (systemName ? systemName : "local") +
                  " " + name);
  *id = shutdownId;
  m_lastError = unrelatedError;
  return true;
}

bool RecordingPowerCalls::adjustTokenPrivileges(Handle token, bool disableAll,
                                                const PrivilegeList* newState,
                                                std::uint32_t bufferLength,
                                                PrivilegeList* previousState,
                                                std::uint32_t* returnLength) {
  std::string entry = "AdjustTokenPrivileges " + handleName(token) +
                      (disableAll ? " disableAll" : " keepOthers") +
                      " count=" + std::to_string(newState->count);
  const PrivilegeEntry& first = newState->privileges[0];
  const bool isShutdown =
      first.id.lowPart == shutdownId.lowPart && first.id.highPart == shutdownId.highPart;
  entry += std::string(isShutdown ? " shutdown" : " otherPrivilege") +
           " attributes=" + std::to_string(first.attributes) +
           " bufferLength=" + std::to_string(bufferLength) +
           (previousState == nullptr ? " noPrevious" : " previous") +
           (returnLength == nullptr ? " noLength" : " length");
  m_log.push_back(entry);
  // Like the system: the call "succeeds" even when the privilege is not held.
  m_lastError = m_answers.errorAfterAdjust;
  return true;
}

std::uint32_t RecordingPowerCalls::getLastError() {
  m_log.push_back("GetLastError -> " + std::to_string(m_lastError));
  return m_lastError;
}

bool RecordingPowerCalls::closeHandle(Handle object) {
  m_log.push_back("CloseHandle " + handleName(object));
  m_lastError = unrelatedError;
  return true;
}

bool RecordingPowerCalls::exitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  m_log.push_back("ExitWindowsEx flags=" + std::to_string(flags) +
                  " reason=" + std::to_string(reason));
  return m_answers.shutdownAccepted;
}

} // namespace ostrivel::windows::testing
