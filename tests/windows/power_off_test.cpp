// The forced power-off against a recording stand-in for Windows: the whole
// conversation with the system, call by call, for each way the system answers.

#include "platform/power/windows/windows_power_off.h"
#include "recording_power_calls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrivel::windows::testing {
namespace {

using Log = std::vector<std::string>;

const std::string versionQuery = "GetVersionExA size=148 cleared";
const std::string openToken = "OpenProcessToken process 0x28";
const std::string lookup = "LookupPrivilegeValueA local SeShutdownPrivilege";
const std::string adjust = "AdjustTokenPrivileges token keepOthers count=1 shutdown attributes=2 "
                           "bufferLength=0 noPrevious noLength";

struct PowerOffCase {
  const char* name;
  SystemAnswers answers;
  bool accepted;
  Log calls;
};

void PrintTo(const PowerOffCase& c, std::ostream* out) { *out << c.name; }

class PowerOffConversation : public ::testing::TestWithParam<PowerOffCase> {};

TEST_P(PowerOffConversation, AsksTheSystemInOrder) {
  const PowerOffCase& c = GetParam();
  RecordingPowerCalls system(c.answers);
  WindowsPowerOff powerOff(system);

  EXPECT_EQ(powerOff.requestPowerOff(), c.accepted);
  EXPECT_EQ(system.log(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsPowerOff, PowerOffConversation,
    ::testing::Values(PowerOffCase{"NtFamilyEnablesThePrivilegeThenPowersOff",
                                   {},
                                   true,
                                   {versionQuery, "GetCurrentProcess", openToken, lookup, adjust,
                                    "GetLastError -> 0", "CloseHandle token", versionQuery,
                                    "ExitWindowsEx flags=12 reason=0"}},
                      PowerOffCase{"OtherFamilyOpensNoTokenAndShutsDown",
                                   {.platformId = 1},
                                   true,
                                   {versionQuery, versionQuery, "ExitWindowsEx flags=5 reason=0"}},
                      PowerOffCase{"UnknownFamilyCountsAsOther",
                                   {.platformId = 0},
                                   true,
                                   {versionQuery, versionQuery, "ExitWindowsEx flags=5 reason=0"}},
                      PowerOffCase{"TokenThatCannotBeOpenedStopsEverything",
                                   {.tokenOpens = false},
                                   false,
                                   {versionQuery, "GetCurrentProcess", openToken}},
                      PowerOffCase{"PrivilegeNotHeldClosesTheTokenAndAsksNothing",
                                   {.errorAfterAdjust = 1300}, // ERROR_NOT_ALL_ASSIGNED
                                   false,
                                   {versionQuery, "GetCurrentProcess", openToken, lookup, adjust,
                                    "GetLastError -> 1300", "CloseHandle token"}},
                      PowerOffCase{"SystemRefusingThePowerOffGivesFalse",
                                   {.shutdownAccepted = false},
                                   false,
                                   {versionQuery, "GetCurrentProcess", openToken, lookup, adjust,
                                    "GetLastError -> 0", "CloseHandle token", versionQuery,
                                    "ExitWindowsEx flags=12 reason=0"}},
                      PowerOffCase{"OtherFamilyRefusedGivesFalse",
                                   {.platformId = 1, .shutdownAccepted = false},
                                   false,
                                   {versionQuery, versionQuery, "ExitWindowsEx flags=5 reason=0"}}),
    [](const ::testing::TestParamInfo<PowerOffCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace ostrivel::windows::testing
