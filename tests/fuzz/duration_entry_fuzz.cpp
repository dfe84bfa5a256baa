// Feeds arbitrary entries to Start and arbitrary clocks to the tick. For every
// accepted entry the armed clock holds exactly the entered number of seconds,
// and one tick from any clock with no negative field and time left takes
// exactly one second off without making a field negative.

#include "countdown/countdown.h"
#include "platform/conversions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

// Holds the three fields' texts; every other operation only leaves a trace.
class FieldsOnly final : public ostrivel::Toolkit {
public:
  std::array<std::string, ostrivel::controlCount> texts{};
  int period = 0;
  int messages = 0;

  std::string getText(ostrivel::Control control) override { return texts.at(index(control)); }
  void setText(ostrivel::Control control, std::string_view text) override {
    texts.at(index(control)) = text;
  }
  void setDisabled(ostrivel::Control, bool) override {}
  void setBackgroundColour(ostrivel::Control, ostrivel::Colour) override {}
  void setTimerPeriod(ostrivel::Control, int milliseconds) override { period = milliseconds; }
  void setFocus(ostrivel::Control) override {}
  void showMessage(std::string_view) override { ++messages; }

private:
  static std::size_t index(ostrivel::Control control) { return static_cast<std::size_t>(control); }
};

class NeverPowerOff final : public ostrivel::PowerOff {
public:
  int requests = 0;
  bool requestPowerOff() override {
    ++requests;
    return false;
  }
};

std::int64_t enteredSeconds(const std::string& text, std::int64_t unit) {
  return ostrivel::isEmptyText(text) ? 0
                                     : unit * ostrivel::truncateToInteger(ostrivel::toNumber(text));
}

// The entry is the input split at the first two newlines: hours, minutes,
// seconds.
void checkStart(std::string_view input) {
  FieldsOnly toolkit;
  for (const ostrivel::Control field :
       {ostrivel::Control::编辑框1, ostrivel::Control::编辑框2, ostrivel::Control::编辑框3}) {
    const std::size_t end = field == ostrivel::Control::编辑框3 ? input.size() : input.find('\n');
    toolkit.setText(field, input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  const std::string hours = toolkit.getText(ostrivel::Control::编辑框1);
  const std::string minutes = toolkit.getText(ostrivel::Control::编辑框2);
  const std::string seconds = toolkit.getText(ostrivel::Control::编辑框3);

  NeverPowerOff power;
  ostrivel::Countdown countdown(toolkit, power);
  countdown.startCountdown();

  if (toolkit.messages > 0) {
    check(toolkit.period == 0);
    check(countdown.clock() == ostrivel::CountdownClock{});
    return;
  }
  const std::int64_t total =
      enteredSeconds(hours, 3600) + enteredSeconds(minutes, 60) + enteredSeconds(seconds, 1);
  check(toolkit.period == 1000);
  check(total >= 1);
  check(ostrivel::secondsLeft(countdown.clock()) == total);
  const ostrivel::CountdownClock& clock = countdown.clock();
  check(clock.hours >= 0 && clock.minutes >= 0 && clock.seconds >= 0 && clock.seconds <= 60);
}

void checkTick(const std::uint8_t* data, std::size_t size) {
  if (size < 12) {
    return;
  }
  std::array<std::int32_t, 3> fields{};
  std::memcpy(fields.data(), data, sizeof fields);
  ostrivel::CountdownClock clock{fields[0], fields[1], fields[2]};
  if (clock.hours < 0 || clock.minutes < 0 || clock.seconds < 0 || secondsLeft(clock) < 1) {
    return;
  }
  const std::int64_t before = secondsLeft(clock);
  ostrivel::advanceOneSecond(clock);
  check(secondsLeft(clock) == before - 1);
  check(clock.hours >= 0 && clock.minutes >= 0 && clock.seconds >= 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkStart(std::string_view(reinterpret_cast<const char*>(data), size));
  checkTick(data, size);
  return 0;
}
