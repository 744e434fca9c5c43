#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The platform's part of the code page conversions: the system code page and every code
// page other than 936, which the shared code converts itself.
namespace pagelink {

// The system's narrow-character code page (936 where the system has none).
std::int32_t SystemCodePage();

// Reads all of text in the code page; when exact is given, it tells whether the text was
// valid there. A code page the platform does not know gives the empty result, not exact.
std::u16string PlatformToUtf16(std::string_view text, std::int32_t code_page, bool* exact);

// Writes all of utf16 in the code page, without best-fit substitutes.
std::string PlatformFromUtf16(std::u16string_view utf16, std::int32_t code_page);

}  // namespace pagelink
