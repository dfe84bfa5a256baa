#include "countdown/duration_entry.h"

#include "platform/conversions.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace ostrivel {
namespace {

constexpr double tolerance = 1e-7;
constexpr double secondsPerMinute = 60.0;

struct FieldMessages {
  std::string_view notWhole;
  std::string_view notPositive;
};

// The hours field has the longer forms of the two messages.
constexpr std::array<FieldMessages, 3> fieldMessages{{
    {"请输入整数！！", "输入正确的数值！！"},
    {"输入整数", "输入正确的数值"},
    {"输入整数", "输入正确的数值"},
}};

constexpr std::string_view allEmptyMessage = "时间不能为空！！";

bool isWholeNumber(const std::string& text) {
  return std::fabs(toNumber(text) - static_cast<double>(toInteger(text))) <= tolerance;
}

bool isPositive(const std::string& text) { return toNumber(text) > tolerance; }

bool fitsClock(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

// A field's value as the clock takes it: the number cut toward zero.
std::int64_t fieldValue(const std::string& text) {
  return isEmptyText(text) ? 0 : truncateToInteger(toNumber(text));
}

std::int64_t wholeUnits(std::int64_t value) {
  return truncateToInteger(intDivide(static_cast<double>(value), secondsPerMinute));
}

std::int64_t leftOver(std::int64_t value) {
  return truncateToInteger(remainder(static_cast<double>(value), secondsPerMinute));
}

} // namespace

std::optional<EntryRefusal> checkDurationEntry(const DurationTexts& texts) {
  bool allEmpty = true;
  for (const std::string& text : texts) {
    allEmpty = allEmpty && isEmptyText(text);
  }
  if (allEmpty) {
    return EntryRefusal{allEmptyMessage, Control::编辑框1, false};
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (isEmptyText(texts[i])) {
      continue;
    }
    if (!isWholeNumber(texts[i])) {
      return EntryRefusal{fieldMessages[i].notWhole, durationFields[i], true};
    }
    if (!isPositive(texts[i])) {
      return EntryRefusal{fieldMessages[i].notPositive, durationFields[i], true};
    }
  }
  if (!seedClock(texts)) {
    return EntryRefusal{fieldMessages[0].notPositive, Control::编辑框1, true};
  }
  return std::nullopt;
}

std::optional<CountdownClock> seedClock(const DurationTexts& texts) {
  const auto& [hoursText, minutesText, secondsText] = texts;
  std::int64_t hours = fieldValue(hoursText);
  std::int64_t minutes = fieldValue(minutesText);
  std::int64_t seconds = fieldValue(secondsText);
  // Within these bounds the 64-bit arithmetic below cannot overflow.
  if (!fitsClock(hours) || !fitsClock(minutes) || !fitsClock(seconds)) {
    return std::nullopt;
  }

  // Exactly 60 is never carried: 0:60:0 and 0:60:60 are valid clocks.
  const auto carryMinutes = [&] {
    if (minutes > 60) {
      hours += wholeUnits(minutes);
      minutes = leftOver(minutes);
    }
  };

  if (isEmptyText(secondsText)) {
    seconds = 60;
    minutes -= 1;
    if (isEmptyText(minutesText)) {
      minutes = 59;
      hours -= 1;
    }
    carryMinutes();
  }
  if (seconds > 60) {
    minutes += wholeUnits(seconds);
    seconds = leftOver(seconds);
    carryMinutes();
  }

  if (!fitsClock(hours) || !fitsClock(minutes) || !fitsClock(seconds)) {
    return std::nullopt;
  }
  return CountdownClock{static_cast<std::int32_t>(hours), static_cast<std::int32_t>(minutes),
                        static_cast<std::int32_t>(seconds)};
}

} // namespace ostrivel
