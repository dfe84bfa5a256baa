#include "platform/conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using ostrivel::concatText;
using ostrivel::foldFullWidth;
using ostrivel::intDivide;
using ostrivel::isEmptyText;
using ostrivel::toInteger;
using ostrivel::toNumber;
using ostrivel::toText;
using ostrivel::truncateToInteger;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// One text read both ways.
struct ReadCase {
  std::string_view text;
  double number;
  std::int32_t integer;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << testing::PrintToString(std::string(c.text));
}

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReadsLeadingNumberAndInteger) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(toNumber(c.text), c.number);
  EXPECT_EQ(toInteger(c.text), c.integer);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, ReadTest,
    testing::Values(
        // The basic table.
        ReadCase{"", 0.0, 0}, ReadCase{"abc", 0.0, 0}, ReadCase{" 12", 12.0, 12},
        ReadCase{"12abc", 12.0, 12}, ReadCase{"1.5", 1.5, 1}, ReadCase{"-3", -3.0, -3},
        ReadCase{"1e2", 100.0, 1}, ReadCase{"1E2", 100.0, 1}, ReadCase{"1d2", 100.0, 1},
        ReadCase{"1D2", 100.0, 1}, ReadCase{"\uFF10\uFF11", 1.0, 1}, ReadCase{"007", 7.0, 7},
        ReadCase{"2147483648", 2147483648.0, kInt32Min}, ReadCase{"1e400", kInf, 1},
        // White space of every kind, and nothing but white space.
        ReadCase{" \t\n\v\f\r42", 42.0, 42}, ReadCase{"   ", 0.0, 0}, ReadCase{"\u30007", 7.0, 7},
        ReadCase{"\u3000\u3000-2", -2.0, -2}, ReadCase{"4 2", 4.0, 4},
        // Full-width signs, points and exponent letters.
        ReadCase{"\uFF0D\uFF13", -3.0, -3}, ReadCase{"\uFF0B\uFF15", 5.0, 5},
        ReadCase{"\uFF11\uFF0E\uFF15", 1.5, 1}, ReadCase{"\uFF11\uFF45\uFF12", 100.0, 1},
        ReadCase{"\uFF11\uFF44\uFF12", 100.0, 1}, ReadCase{"\uFF11\uFF25\uFF12", 100.0, 1},
        // Signs.
        ReadCase{"+7", 7.0, 7}, ReadCase{"+-5", 0.0, 0}, ReadCase{"--5", 0.0, 0},
        ReadCase{"- 5", 0.0, 0}, ReadCase{"-", 0.0, 0},
        // Points.
        ReadCase{".5", 0.5, 0}, ReadCase{"5.", 5.0, 5}, ReadCase{".", 0.0, 0},
        ReadCase{"-.5", -0.5, 0}, ReadCase{"1.2.3", 1.2, 1}, ReadCase{"0.000125", 0.000125, 0},
        // An exponent letter without digits ends the number before it.
        ReadCase{"1e", 1.0, 1}, ReadCase{"1e+", 1.0, 1}, ReadCase{"1d-", 1.0, 1},
        ReadCase{"1ex", 1.0, 1}, ReadCase{"1e 2", 1.0, 1}, ReadCase{"e5", 0.0, 0},
        ReadCase{"1e-2", 0.01, 1}, ReadCase{"1e+2", 100.0, 1}, ReadCase{"2.5E-1", 0.25, 2},
        ReadCase{"1e2.5", 100.0, 1}, ReadCase{".e1", 0.0, 0},
        // Beyond the double range.
        ReadCase{"-1e400", -kInf, -1}, ReadCase{"1e-400", 0.0, 1}, ReadCase{"1.8e308", kInf, 1},
        ReadCase{"1.7976931348623157e308", 1.7976931348623157e308, 1},
        ReadCase{"5e-324", 5e-324, 5}, ReadCase{"2e-324", 0.0, 2},
        ReadCase{"1e99999999999999999999", kInf, 1}, ReadCase{"1e-99999999999999999999", 0.0, 1},
        ReadCase{"0e99999999999999999999", 0.0, 0},
        ReadCase{"-1d+99999999999999999999999999", -kInf, -1},
        // Integer wrap-around modulo 2^32.
        ReadCase{"2147483647", 2147483647.0, kInt32Max},
        ReadCase{"-2147483648", -2147483648.0, kInt32Min},
        ReadCase{"-2147483649", -2147483649.0, kInt32Max}, ReadCase{"4294967295", 4294967295.0, -1},
        ReadCase{"4294967296", 4294967296.0, 0}, ReadCase{"4294967297", 4294967297.0, 1},
        ReadCase{"18446744073709551617", 18446744073709551617.0, 1}));

TEST(ToNumber, IsCorrectlyRounded) {
  // The nearest double to each of these differs from what a naive
  // digit-by-digit accumulation gives.
  EXPECT_EQ(toNumber("0.1"), 0.1);
  EXPECT_EQ(toNumber("0.3"), 0.3);
  EXPECT_EQ(toNumber("9007199254740993"), 9007199254740992.0); // ties to even
  EXPECT_EQ(toNumber("9007199254740995"), 9007199254740996.0);
  EXPECT_EQ(toNumber("2.2250738585072011e-308"), 2.2250738585072011e-308);
  EXPECT_EQ(toNumber("123456789012345678901234567890"), 123456789012345678901234567890.0);
}

TEST(ToNumber, HandlesVeryLongDigitStrings) {
  const std::string ones(400, '1');
  EXPECT_EQ(toNumber(ones), kInf);
  EXPECT_EQ(toNumber("-" + ones), -kInf);
  EXPECT_EQ(toNumber(ones + "e-399"), 10.0 / 9.0);
  EXPECT_EQ(toNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(toNumber("0." + std::string(300, '0') + "15e301"), 1.5);

  // Just above the halfway point between 1 and the next double: the deciding
  // digit comes after more than a thousand zeros and must not be lost.
  const double next = std::nextafter(1.0, 2.0);
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(toNumber(halfway), 1.0); // ties to even
  EXPECT_EQ(toNumber(halfway + std::string(1200, '0') + "1"), next);
  EXPECT_EQ(toNumber(halfway + std::string(1200, '0')), 1.0);
  EXPECT_EQ(toNumber(std::string(1200, '0') + "42"), 42.0);
}

TEST(ToNumber, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(toNumber("-0")));
  EXPECT_TRUE(std::signbit(toNumber("-1e-400")));
  EXPECT_FALSE(std::signbit(toNumber("0")));
}

// Switches the C locale to one that writes decimals with a comma, for as
// long as the object lives.
class CommaLocale {
public:
  CommaLocale() {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    previous_ = previous != nullptr ? previous : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) {
        const char* point = std::localeconv()->decimal_point;
        if (point != nullptr && std::strcmp(point, ",") == 0) {
          active_ = true;
          return;
        }
      }
    }
    std::setlocale(LC_ALL, previous_.c_str());
  }
  ~CommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool active() const { return active_; }

private:
  std::string previous_;
  bool active_ = false;
};

TEST(ToNumber, IgnoresTheProcessLocale) {
  const CommaLocale locale;
  if (!locale.active()) {
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  EXPECT_EQ(toNumber("1.5"), 1.5);
  EXPECT_EQ(toNumber("1,5"), 1.0);
  EXPECT_EQ(toNumber("2.5e1"), 25.0);
  EXPECT_EQ(toText(-1234567), "-1234567");
  EXPECT_EQ(toInteger("1.234"), 1);
}

TEST(ToText, WritesPlainDecimal) {
  const struct {
    std::int32_t value;
    std::string_view text;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {-7, "-7"},
      {1000000, "1000000"},
      {kInt32Max, "2147483647"},
      {kInt32Min, "-2147483648"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(toText(c.value), c.text);
    EXPECT_EQ(toInteger(toText(c.value)), c.value);
  }
}

TEST(TruncateToInteger, CutsTowardZeroAndSaturates) {
  const double twoTo63 = 9223372036854775808.0;
  const struct {
    double value;
    std::int64_t expected;
  } cases[] = {
      {kNaN, 0},
      {-kNaN, 0},
      {kInf, kInt64Max},
      {-kInf, kInt64Min},
      {9.3e18, kInt64Max},
      {-9.3e18, kInt64Min},
      {twoTo63, kInt64Max},
      {-twoTo63, kInt64Min},
      {std::nextafter(twoTo63, 0.0), 9223372036854774784},
      {std::nextafter(-twoTo63, 0.0), -9223372036854774784},
      {std::nextafter(-twoTo63, -kInf), kInt64Min},
      {1e300, kInt64Max},
      {-1e300, kInt64Min},
      {0.0, 0},
      {-0.0, 0},
      {-0.5, 0},
      {0.5, 0},
      {2.9, 2},
      {-2.9, -2},
      {5e-324, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(truncateToInteger(c.value), c.expected);
  }
}

TEST(IntDivideAndRemainder, FollowTruncatedDivision) {
  const struct {
    double a;
    double b;
    double quotient;
    double remainder;
  } cases[] = {
      {7, 60, 0, 7},     {-7, 60, 0, -7},     {7, -60, 0, 7},       {-7, -60, 0, -7},
      {3600, 60, 60, 0}, {3661, 3600, 1, 61}, {-3661, 60, -61, -1}, {3661, -60, -61, 1},
      {7.5, 2, 3, 1.5},  {0, 5, 0, 0},        {5, 0, 0, 5},         {-5, 0, 0, -5},
      {0, 0, 0, 0},      {5, -0.0, 0, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
    EXPECT_EQ(intDivide(c.a, c.b), c.quotient);
    EXPECT_EQ(ostrivel::remainder(c.a, c.b), c.remainder);
    EXPECT_EQ(c.b * intDivide(c.a, c.b) + ostrivel::remainder(c.a, c.b), c.a);
  }
}

TEST(IntDivideAndRemainder, RemainderUsesTheQuotientNotFmod) {
  // 1e17 / 3 rounds to 33333333333333332 and 3 times that rounds back to
  // 1e17, so the remainder is 0 where fmod gives the exact 1.
  EXPECT_EQ(intDivide(1e17, 3.0), 33333333333333332.0);
  EXPECT_EQ(ostrivel::remainder(1e17, 3.0), 0.0);
  EXPECT_EQ(std::fmod(1e17, 3.0), 1.0);
}

TEST(FoldFullWidth, RewritesFullWidthForms) {
  const struct {
    std::string_view text;
    std::string_view folded;
  } cases[] = {
      {"", ""},
      {"plain 12.5", "plain 12.5"},
      {"\uFF01", "!"},
      {"\uFF5E", "~"},
      {"\uFF10\uFF19", "09"},
      {"\uFF21\uFF3A\uFF41\uFF5A", "AZaz"},
      {"\uFF3F\uFF40", "_`"},
      {"\u3000", " "},
      {"\uFFE5", "$"},
      {"\uFFE3", "~"},
      {"\u2605\u2606", "**"},
      {"a\uFF0Bb", "a+b"},
      // Neighbours of the folded ranges stay as they are.
      {"\uFF00", "\uFF00"},
      {"\uFF5F", "\uFF5F"},
      {"\uFFE4", "\uFFE4"},
      {"\uFFE6", "\uFFE6"},
      {"\u2604\u2607", "\u2604\u2607"},
      {"\u3001", "\u3001"},
      // CJK and other text is left alone.
      {"\u6642\u9593", "\u6642\u9593"},
      {"\u00E9\U0001F600", "\u00E9\U0001F600"},
      // Malformed and truncated UTF-8 is copied byte for byte.
      {"\xEF", "\xEF"},
      {"\xEF\xBC", "\xEF\xBC"},
      {"1\xEF\xBC", "1\xEF\xBC"},
      {"\xE3\x80", "\xE3\x80"},
      {"\xE2\x98", "\xE2\x98"},
      {"\xBC\x91", "\xBC\x91"},
      {"\xFF\xFE", "\xFF\xFE"},
      {"\xEF\xEF\xBC\x91", "\xEF\x31"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    // An exact-size heap copy lets the address sanitizer see a read past
    // the end of a truncated sequence.
    const std::vector<char> exact(c.text.begin(), c.text.end());
    const std::string folded = foldFullWidth(std::string_view(exact.data(), exact.size()));
    EXPECT_EQ(folded, c.folded);
    EXPECT_EQ(foldFullWidth(folded), folded);
  }
}

TEST(FoldFullWidth, KeepsEmbeddedNulBytes) {
  const std::string text("1\0\uFF12", 5);
  EXPECT_EQ(foldFullWidth(text), std::string("1\0"
                                             "2",
                                             3));
}

TEST(IsEmptyText, OnlyTheEmptyTextIsEmpty) {
  EXPECT_TRUE(isEmptyText(""));
  EXPECT_TRUE(isEmptyText(std::string_view()));
  EXPECT_FALSE(isEmptyText(" "));
  EXPECT_FALSE(isEmptyText("\u3000"));
  EXPECT_FALSE(isEmptyText(std::string_view("\0", 1)));
}

TEST(ConcatText, JoinsPiecesInOrder) {
  EXPECT_EQ(concatText({}), "");
  EXPECT_EQ(concatText({"a"}), "a");
  EXPECT_EQ(concatText({"12", ":", "", "05"}), "12:05");
  EXPECT_EQ(concatText({"\u6642", std::string_view("\0x", 2)}), std::string("\u6642\0x", 5));
}

} // namespace
