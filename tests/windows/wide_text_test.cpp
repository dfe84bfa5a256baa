// UTF-8 and UTF-16 at the Win32 boundary, through the system's converters.

#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ostrivel::win32 {
namespace {

struct TextPair {
  const char* name;
  std::string utf8;
  std::wstring utf16;
};

void PrintTo(const TextPair& pair, std::ostream* out) { *out << pair.name; }

class WideText : public ::testing::TestWithParam<TextPair> {};

TEST_P(WideText, ConvertsBothWays) {
  EXPECT_EQ(toWide(GetParam().utf8), GetParam().utf16);
  EXPECT_EQ(toUtf8(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    WideText, WideText,
    ::testing::Values(TextPair{"Empty", "", L""}, TextPair{"Ascii", "Ostrivel", L"Ostrivel"},
                      TextPair{"StatusLine", "0时0分2秒  后关机！！",
                               L"0\u65f60\u52062\u79d2  \u540e\u5173\u673a\uff01\uff01"},
                      TextPair{"FullWidthDigits", "１２", L"\uff11\uff12"},
                      TextPair{"OutsideTheBasicPlane", "\xf0\x9f\x95\x90", L"\xd83d\xdd50"},
                      TextPair{"EmbeddedNul", std::string("a\0b", 3), std::wstring(L"a\0b", 3)}),
    [](const ::testing::TestParamInfo<TextPair>& row) { return std::string(row.param.name); });

TEST(WideText, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(toWide("a\xff"
                   "b"),
            L"a\ufffdb");
  EXPECT_EQ(toUtf8(std::wstring(L"x\xd800y")), "x\xef\xbf\xbdy");
}

} // namespace
} // namespace ostrivel::win32
