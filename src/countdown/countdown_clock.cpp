#include "countdown/countdown_clock.h"

#include "platform/conversions.h"

namespace ostrivel {
namespace {

// Wrap-around subtraction of one, done in unsigned arithmetic.
std::int32_t decrement(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) - 1U);
}

} // namespace

void advanceOneSecond(CountdownClock& clock) {
  clock.seconds = decrement(clock.seconds);
  if (clock.seconds == -1) {
    clock.seconds = 59;
    clock.minutes = decrement(clock.minutes);
  }
  if (clock.minutes == -1) {
    if (clock.hours != 0) {
      clock.minutes = 59;
      clock.hours = decrement(clock.hours);
    } else {
      clock.minutes = 0;
      clock.hours = 0;
    }
  }
}

bool isAtZero(const CountdownClock& clock) {
  return clock.hours == 0 && clock.minutes == 0 && clock.seconds == 0;
}

std::int64_t secondsLeft(const CountdownClock& clock) {
  return std::int64_t{3600} * clock.hours + std::int64_t{60} * clock.minutes + clock.seconds;
}

std::string statusLine(const CountdownClock& clock) {
  return concatText({toText(clock.hours), "时", toText(clock.minutes), "分", toText(clock.seconds),
                     "秒  后关机！！"});
}

} // namespace ostrivel
