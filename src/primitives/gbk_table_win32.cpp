#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "primitives/gbk_table.h"

namespace pagelink {
namespace {

// All byte pairs in one call: every pair of code page 936 is defined and yields one unit,
// so the units come out in the order of the pairs.
GbkCharacters BuildFromCodePage936() {
  std::string bytes;
  bytes.reserve(kGbkLeadCount * kGbkTrailCount * 2 + 2);
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      bytes += static_cast<char>(lead);
      bytes += static_cast<char>(trail == 0x7F ? 0x40 : trail);
    }
  }
  bytes += '\x80';
  bytes += '\xFF';
  std::wstring units(bytes.size(), L'\0');
  int count = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()),
                                  units.data(), static_cast<int>(units.size()));
  if (count != kGbkLeadCount * kGbkTrailCount + 2) {
    std::fputs("pagelink: code page 936 is not installed\n", stderr);
    std::abort();
  }
  GbkCharacters characters;
  for (int i = 0; i < kGbkLeadCount * kGbkTrailCount; ++i) {
    bool is_pair = i % kGbkTrailCount != 0x7F - 0x40;
    characters.pairs[i] = is_pair ? static_cast<char16_t>(units[i]) : u'\0';
  }
  characters.byte_80 = static_cast<char16_t>(units[count - 2]);
  characters.byte_ff = static_cast<char16_t>(units[count - 1]);
  return characters;
}

}  // namespace

const GbkCharacters& PlatformGbkCharacters() {
  static const GbkCharacters characters = BuildFromCodePage936();
  return characters;
}

}  // namespace pagelink
