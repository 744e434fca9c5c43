#pragma once

#include <array>
#include <cstdint>

// The characters of code page 936 as the platform defines them.
namespace pagelink {

inline constexpr int kGbkLeadCount = 0xFE - 0x81 + 1;
inline constexpr int kGbkTrailCount = 0xFE - 0x40 + 1;

struct GbkCharacters {
  // The UTF-16 unit of each byte pair, at (lead - 0x81) * kGbkTrailCount + (trail - 0x40);
  // 0 where the pair is not a character (a second byte of 0x7F).
  std::array<char16_t, kGbkLeadCount * kGbkTrailCount> pairs{};
  // The UTF-16 unit of the single bytes 0x80 and 0xFF.
  char16_t byte_80 = 0;
  char16_t byte_ff = 0;
};

// Asked of the platform once and kept: code page 936 of Windows, or the same built from
// glibc's GB18030 converter. The process cannot convert text without it, so a platform
// that cannot give it ends the process with a message.
const GbkCharacters& PlatformGbkCharacters();

}  // namespace pagelink
