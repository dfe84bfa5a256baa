#pragma once

// Texts cross into Win32 as UTF-16 and come back as UTF-8.

#include <string>
#include <string_view>

namespace ostrivel::win32 {

// Malformed UTF-8 becomes U+FFFD.
std::wstring toWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view utf16);

} // namespace ostrivel::win32
