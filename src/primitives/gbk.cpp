#include "primitives/gbk.h"

#include <array>
#include <cstdint>
#include <memory>

#include "primitives/gb18030_four_byte.h"
#include "primitives/gbk_table.h"

namespace pagelink {
namespace {

constexpr char16_t kUnknown = u'?';

bool IsLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool IsTrail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }
bool IsFourByteDigit(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }
bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// 936 bytes of each UTF-16 unit: a pair as lead << 8 | trail, a single byte as itself, 0
// when 936 has no such character (U+0000 is handled before the lookup).
using GbkCodes = std::array<std::uint16_t, 0x10000>;

std::unique_ptr<const GbkCodes> InvertCharacters(const GbkCharacters& characters) {
  auto codes = std::make_unique<GbkCodes>();
  for (int byte = 0; byte < 0x80; ++byte) (*codes)[byte] = static_cast<std::uint16_t>(byte);
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      char16_t unit = characters.pairs[(lead - 0x81) * kGbkTrailCount + (trail - 0x40)];
      if (unit != 0 && (*codes)[unit] == 0)
        (*codes)[unit] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }
  (*codes)[characters.byte_80] = 0x80;
  (*codes)[characters.byte_ff] = 0xFF;
  return codes;
}

const GbkCodes& Codes() {
  static const std::unique_ptr<const GbkCodes> codes = InvertCharacters(PlatformGbkCharacters());
  return *codes;
}

char16_t* AppendCodePoint(char16_t* next, char32_t code_point) {
  if (code_point < 0x10000) {
    *next++ = static_cast<char16_t>(code_point);
  } else {
    code_point -= 0x10000;
    *next++ = static_cast<char16_t>(0xD800 + (code_point >> 10));
    *next++ = static_cast<char16_t>(0xDC00 + (code_point & 0x3FF));
  }
  return next;
}

char* WriteFourByteCode(char* next, std::uint32_t index) {
  next[3] = static_cast<char>(0x30 + index % 10);
  index /= 10;
  next[2] = static_cast<char>(0x81 + index % 126);
  index /= 126;
  next[1] = static_cast<char>(0x30 + index % 10);
  next[0] = static_cast<char>(0x81 + index / 10);
  return next + 4;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  const GbkCharacters& characters = PlatformGbkCharacters();
  const auto* bytes = reinterpret_cast<const unsigned char*>(gbk.data());
  const std::size_t size = gbk.size();
  // No byte gives more than one unit, and a four-byte code at most two.
  std::u16string out(size, u'\0');
  char16_t* next = out.data();
  std::size_t i = 0;
  while (i < size) {
    unsigned char byte = bytes[i];
    if (byte < 0x80) {
      *next++ = byte;
      ++i;
    } else if (byte == 0x80 || byte == 0xFF) {
      *next++ = byte == 0x80 ? characters.byte_80 : characters.byte_ff;
      ++i;
    } else if (i + 1 < size && IsTrail(bytes[i + 1])) {
      *next++ = characters.pairs[(byte - 0x81) * kGbkTrailCount + (bytes[i + 1] - 0x40)];
      i += 2;
    } else if (i + 3 < size && IsFourByteDigit(bytes[i + 1]) && IsLead(bytes[i + 2]) &&
               IsFourByteDigit(bytes[i + 3])) {
      std::uint32_t index = ((byte - 0x81) * 10 + (bytes[i + 1] - 0x30)) * 1260 +
                            (bytes[i + 2] - 0x81) * 10 + (bytes[i + 3] - 0x30);
      next = AppendCodePoint(next, FourByteIndexToCodePoint(index).value_or(kUnknown));
      i += 4;
    } else {
      *next++ = kUnknown;
      ++i;
    }
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  const GbkCodes& codes = Codes();
  const std::size_t size = utf16.size();
  // A unit gives at most four bytes (a four-byte code), a surrogate pair four.
  std::string out(size * 4, '\0');
  char* next = out.data();
  std::size_t i = 0;
  while (i < size) {
    char16_t unit = utf16[i];
    if (unit < 0x80) {
      *next++ = static_cast<char>(unit);
      ++i;
      continue;
    }
    if (std::uint16_t code = codes[unit]; code != 0) {
      if (code > 0xFF) *next++ = static_cast<char>(code >> 8);
      *next++ = static_cast<char>(code & 0xFF);
      ++i;
      continue;
    }
    char32_t code_point = unit;
    std::size_t length = 1;
    if (IsHighSurrogate(unit) && i + 1 < size && IsLowSurrogate(utf16[i + 1])) {
      code_point = 0x10000 + ((unit - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      length = 2;
    }
    if (auto index = CodePointToFourByteIndex(code_point)) {
      next = WriteFourByteCode(next, *index);
    } else {
      *next++ = static_cast<char>(kUnknown);
    }
    i += length;
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
  return out;
}

}  // namespace pagelink
