#include "platform/conversions.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace ostrivel {

namespace {

// Every sequence that folds is three bytes long and starts with a lead byte,
// which never occurs inside another well-formed sequence. Matching the exact
// bytes therefore folds the same characters a decoder would, and leaves
// malformed input alone.
char foldedChar(unsigned char b0, unsigned char b1, unsigned char b2) {
  if (b0 == 0xEF) {
    // U+FF01..U+FF3F are EF BC 81..BF, U+FF40..U+FF5E are EF BD 80..9E.
    if (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) {
      return static_cast<char>(b2 - 0x81 + 0x21);
    }
    if (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E) {
      return static_cast<char>(b2 - 0x80 + 0x60);
    }
    if (b1 == 0xBF && b2 == 0xA5) {
      return '$'; // U+FFE5
    }
    if (b1 == 0xBF && b2 == 0xA3) {
      return '~'; // U+FFE3
    }
  } else if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) {
    return ' '; // U+3000
  } else if (b0 == 0xE2 && b1 == 0x98 && (b2 == 0x85 || b2 == 0x86)) {
    return '*'; // U+2605, U+2606
  }
  return '\0';
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Where a number's digits start: after leading white space and one optional
// sign. Both readers of numbers begin this way.
struct NumberStart {
  std::size_t position = 0;
  bool negative = false;
};

NumberStart findNumberStart(std::string_view text) {
  NumberStart start;
  while (start.position < text.size() && isSpace(text[start.position])) {
    ++start.position;
  }
  if (start.position < text.size() &&
      (text[start.position] == '+' || text[start.position] == '-')) {
    start.negative = text[start.position] == '-';
    ++start.position;
  }
  return start;
}

// Enough significant digits to round any decimal to the nearest double: a
// value halfway between two doubles has at most 767 of them. Longer inputs
// keep this many digits plus one non-zero digit standing for the rest.
constexpr std::size_t kMaxDigits = 768;

// Exponents beyond this are far outside the double range either way; capping
// them keeps the arithmetic below within 64 bits.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

} // namespace

std::string foldFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (i + 2 < text.size()) {
      const char folded =
          foldedChar(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]),
                     static_cast<unsigned char>(text[i + 2]));
      if (folded != '\0') {
        out.push_back(folded);
        i += 3;
        continue;
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

double toNumber(std::string_view text) {
  const std::string folded = foldFullWidth(text);
  const std::string_view s = folded;
  const auto [start, negative] = findNumberStart(s);
  std::size_t i = start;

  // The value is digits * 10^(shift + exponent); leading zeros are dropped.
  std::string digits;
  std::int64_t shift = 0;
  bool anyDigit = false;
  bool dropped = false; // a non-zero digit beyond kMaxDigits was dropped
  bool seenPoint = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    if (!isDigit(c)) {
      break;
    }
    anyDigit = true;
    if (digits.empty() && c == '0') {
      if (seenPoint) {
        --shift;
      }
    } else if (digits.size() < kMaxDigits) {
      digits.push_back(c);
      if (seenPoint) {
        --shift;
      }
    } else {
      dropped = dropped || c != '0';
      if (!seenPoint) {
        ++shift;
      }
    }
  }
  if (!anyDigit) {
    return 0.0;
  }

  std::int64_t exponent = 0;
  if (i < s.size() && isExponentLetter(s[i])) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
      negativeExponent = s[j] == '-';
      ++j;
    }
    if (j < s.size() && isDigit(s[j])) {
      for (; j < s.size() && isDigit(s[j]); ++j) {
        if (exponent < kExponentCap) {
          exponent = exponent * 10 + (s[j] - '0');
        }
      }
      if (negativeExponent) {
        exponent = -exponent;
      }
    }
  }

  const double zero = negative ? -0.0 : 0.0;
  const double infinity =
      negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  if (digits.empty()) {
    return zero;
  }
  if (dropped) {
    digits.push_back('1');
    --shift;
  }

  // digits * 10^scale lies in [10^(count - 1 + scale), 10^(count + scale)).
  const std::int64_t scale = shift + exponent;
  const auto count = static_cast<std::int64_t>(digits.size());
  if (count - 1 + scale >= 309) {
    return infinity; // at least 1e309
  }
  if (count + scale <= -324) {
    return zero; // below 1e-324, under half the smallest subnormal
  }

  std::string buffer;
  buffer.reserve(digits.size() + 24);
  if (negative) {
    buffer.push_back('-');
  }
  buffer += digits;
  buffer.push_back('e');
  char exponentText[24];
  const auto written = std::to_chars(exponentText, exponentText + sizeof exponentText, scale);
  buffer.append(exponentText, written.ptr);

  double value = 0.0;
  const auto result = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone when it does not fit.
    return count + scale > 0 ? infinity : zero;
  }
  return value;
}

std::int32_t toInteger(std::string_view text) {
  const std::string folded = foldFullWidth(text);
  const std::string_view s = folded;
  const auto [start, negative] = findNumberStart(s);
  std::size_t i = start;
  std::uint32_t value = 0;
  for (; i < s.size() && isDigit(s[i]); ++i) {
    value = value * 10U + static_cast<std::uint32_t>(s[i] - '0');
  }
  if (negative) {
    value = 0U - value;
  }
  return static_cast<std::int32_t>(value);
}

std::string toText(std::int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return {buffer, result.ptr};
}

std::int64_t truncateToInteger(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (value >= kTwoTo63) {
    return std::numeric_limits<std::int64_t>::max();
  }
  if (value < -kTwoTo63) {
    return std::numeric_limits<std::int64_t>::min();
  }
  return static_cast<std::int64_t>(value);
}

double intDivide(double a, double b) {
  if (b == 0.0) {
    return 0.0;
  }
  return std::trunc(a / b);
}

double remainder(double a, double b) {
  if (b == 0.0) {
    return a;
  }
  return a - b * std::trunc(a / b);
}

bool isEmptyText(std::string_view text) { return text.empty(); }

std::string concatText(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) {
    size += piece.size();
  }
  std::string out;
  out.reserve(size);
  for (const std::string_view piece : pieces) {
    out += piece;
  }
  return out;
}

} // namespace ostrivel
