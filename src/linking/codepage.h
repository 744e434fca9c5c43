#pragma once

#include <cstdint>
#include <optional>

#include "primitives/values.h"

// Conversions between UTF-8 and code page 936 by way of UTF-16. Characters that 936 cannot
// hold travel inside 936 text as GB18030 four-byte codes and come back unchanged.
namespace pagelink {

inline constexpr std::int32_t kSystemCodePage = 0;
inline constexpr std::int32_t kCodePage936 = 936;
inline constexpr std::int32_t kCodePageUtf8 = 65001;

// Little-endian UTF-16 units of the text, its zero unit, and zero units up to the buffer's
// end; the buffer is counted in the system code page (default code page: UTF-8).
Bytes MultiByteToUtf16(const Text& text, std::optional<std::int32_t> code_page = std::nullopt);

// The UTF-16 units up to the first zero unit, in the given code page (default: the system
// code page). Never reads past the end of utf16.
Text Utf16ToMultiByte(const Bytes& utf16, std::optional<std::int32_t> code_page = std::nullopt);

// UTF-8 to 936. When exact is given, it tells whether the input was valid UTF-8 and came
// through without any substitution.
Text Utf8ToGbk(const Text& utf8, bool* exact = nullptr);

// 936 to UTF-8.
Text GbkToUtf8(const Text& gbk);

}  // namespace pagelink
