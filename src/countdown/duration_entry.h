#pragma once

// What the three duration fields say: whether Start may go ahead, and the
// clock the countdown starts from. Pure functions of the fields' texts; the
// handlers read the texts and act on the result.

#include "countdown/countdown_clock.h"
#include "platform/toolkit.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ostrivel {

// Texts of the hours, minutes and seconds fields, in that order.
using DurationTexts = std::array<std::string, 3>;

inline constexpr std::array<Control, 3> durationFields{Control::编辑框1, Control::编辑框2,
                                                       Control::编辑框3};

struct EntryRefusal {
  std::string_view message;
  Control field;     // gets the focus
  bool emptiesField; // false only when every field is empty

  friend bool operator==(const EntryRefusal&, const EntryRefusal&) = default;
};

// The first reason to refuse the entry, or nothing when it may be armed.
// Fields are checked in order; an empty field is skipped. A non-empty field
// must hold a whole number (within 1e-7) that is greater than 1e-7. An entry
// whose hours would not fit the clock once minutes and seconds are carried
// into them is refused at the hours field.
std::optional<EntryRefusal> checkDurationEntry(const DurationTexts& texts);

// The clock that reaches 0:0:0 after exactly 3600 * h + 60 * m + s ticks, for
// field values h, m and s (an empty field counts 0). An entry without seconds
// counts down from whole minutes: seconds start at 60 and one minute (or, with
// minutes empty too, one hour) is given up for them. Minutes above 60 and
// seconds above 60 are carried into the next unit. Nothing when a field value
// or the result does not fit the clock.
std::optional<CountdownClock> seedClock(const DurationTexts& texts);

} // namespace ostrivel
