// Feeds arbitrary bytes to every text conversion and checks the properties
// that must hold for any input.

#include "platform/conversions.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

bool sameDouble(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // Folding is idempotent and never grows the text.
  const std::string folded = ostrivel::foldFullWidth(text);
  check(folded.size() <= text.size());
  check(ostrivel::foldFullWidth(folded) == folded);

  // Both readers fold first, so reading the folded text changes nothing.
  const double number = ostrivel::toNumber(text);
  check(!std::isnan(number));
  check(sameDouble(ostrivel::toNumber(folded), number));

  const std::int32_t integer = ostrivel::toInteger(text);
  check(ostrivel::toInteger(folded) == integer);

  // Writing the integer and reading it back gives the same value.
  const std::string integerText = ostrivel::toText(integer);
  check(ostrivel::toInteger(integerText) == integer);
  check(!ostrivel::isEmptyText(integerText));

  // A finite number survives its shortest decimal form.
  if (std::isfinite(number)) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, number);
    check(written.ec == std::errc{});
    check(sameDouble(ostrivel::toNumber(std::string_view(buffer, written.ptr)), number));
  }

  // Truncation moves toward zero.
  const std::int64_t truncated = ostrivel::truncateToInteger(number);
  if (std::isfinite(number) && std::fabs(number) < 9007199254740992.0) {
    check(std::fabs(static_cast<double>(truncated)) <= std::fabs(number));
    check(std::fabs(number - static_cast<double>(truncated)) < 1.0);
  }
  if (number >= 0.0) {
    check(truncated >= 0);
  } else {
    check(truncated <= 0);
  }

  // Division by the integer read from the text: a zero divisor gives 0 and
  // leaves a as the remainder; otherwise the quotient is whole.
  const double divisor = static_cast<double>(integer);
  const double quotient = ostrivel::intDivide(number, divisor);
  const double rest = ostrivel::remainder(number, divisor);
  if (divisor == 0.0) {
    check(quotient == 0.0);
    check(sameDouble(rest, number));
  } else if (std::isfinite(quotient)) {
    check(std::trunc(quotient) == quotient);
  }

  // Splitting the text anywhere and joining the halves restores it.
  const std::string_view whole = text;
  const std::size_t half = size / 2;
  check(ostrivel::concatText({whole.substr(0, half), whole.substr(half)}) == text);
  check(ostrivel::isEmptyText(text) == (size == 0));
  return 0;
}
