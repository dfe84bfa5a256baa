#pragma once

// Conversions between the texts that the controls hold and the numbers the
// countdown works with. Texts are UTF-8. No conversion reports an error: bad
// text gives 0 or its leading number. Nothing here depends on the process
// locale.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ostrivel {

// Rewrites full-width forms to ASCII before a number is read: U+FF01..U+FF5E
// become U+0021..U+007E, U+3000 (ideographic space) becomes a space, U+FFE5
// becomes "$", U+FFE3 becomes "~", U+2605 and U+2606 become "*". Everything
// else, including malformed UTF-8, is copied unchanged.
std::string foldFullWidth(std::string_view text);

// The leading decimal number of the folded text: white space, an optional
// sign, digits with at most one ".", then an optional exponent introduced by
// "e", "E", "d" or "D". No number gives 0; overflow gives +-infinity,
// underflow 0.
double toNumber(std::string_view text);

// The leading integer of the folded text: white space, an optional sign, then
// decimal digits. The value wraps modulo 2^32; no digit gives 0.
std::int32_t toInteger(std::string_view text);

// Decimal, "-" before a negative value, no fill.
std::string toText(std::int32_t value);

// Cuts toward zero. NaN gives 0; values beyond the 64-bit range, infinities
// included, saturate at INT64_MIN or INT64_MAX.
std::int64_t truncateToInteger(double value);

// The integral part of a / b, cut toward zero. A zero divisor gives 0.
double intDivide(double a, double b);

// a - b * trunc(a / b): the sign follows a (-7 and 60 give -7). A zero
// divisor gives a, so that a == b * intDivide(a, b) + remainder(a, b) holds.
double remainder(double a, double b);

// True only for a text with no characters; spaces are characters.
bool isEmptyText(std::string_view text);

// The pieces joined in order.
std::string concatText(std::initializer_list<std::string_view> pieces);

} // namespace ostrivel
