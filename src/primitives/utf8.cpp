#include "primitives/utf8.h"

#include <cstdint>
#include <cstring>

namespace pagelink {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes of ASCII start at data, checked eight at a time: most of a page is markup.
std::size_t AsciiPrefix(const unsigned char* data, std::size_t size) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t block;
    std::memcpy(&block, data + i, 8);
    if (block & 0x8080808080808080u) break;
  }
  while (i < size && data[i] < 0x80) ++i;
  return i;
}

char* WriteUtf8(char* next, char32_t code_point) {
  if (code_point < 0x80) {
    *next++ = static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    *next++ = static_cast<char>(0xC0 | code_point >> 6);
    *next++ = static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    *next++ = static_cast<char>(0xE0 | code_point >> 12);
    *next++ = static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
    *next++ = static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    *next++ = static_cast<char>(0xF0 | code_point >> 18);
    *next++ = static_cast<char>(0x80 | (code_point >> 12 & 0x3F));
    *next++ = static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
    *next++ = static_cast<char>(0x80 | (code_point & 0x3F));
  }
  return next;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8, bool* exact) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  std::u16string out;
  out.resize(size);
  char16_t* next = out.data();
  bool valid = true;
  std::size_t i = 0;
  while (i < size) {
    if (bytes[i] < 0x80) {
      std::size_t ascii = AsciiPrefix(bytes + i, size - i);
      for (std::size_t end = i + ascii; i < end; ++i) *next++ = bytes[i];
      continue;
    }

    unsigned char lead = bytes[i];
    // Chinese text is mostly well-formed three-byte sequences: taken whole when they are.
    if (lead >= 0xE0 && lead <= 0xEF && i + 2 < size) {
      unsigned second = bytes[i + 1], third = bytes[i + 2];
      char32_t code_point = (lead & 0x0Fu) << 12 | (second & 0x3Fu) << 6 | (third & 0x3Fu);
      if (IsContinuation(second) && IsContinuation(third) && code_point >= 0x800 &&
          (code_point < 0xD800 || code_point > 0xDFFF)) {
        *next++ = static_cast<char16_t>(code_point);
        i += 3;
        continue;
      }
    }

    // The second byte's range depends on the lead byte: that is what rules out overlong
    // forms, surrogates and values above U+10FFFF (a maximal ill-formed sequence then ends
    // before the second byte).
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    char32_t code_point = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code_point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code_point = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code_point = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    std::size_t taken = 1;
    bool complete = length != 0;
    while (complete && taken < length) {
      if (i + taken >= size) {
        complete = false;
        break;
      }
      unsigned char byte = bytes[i + taken];
      bool in_range = taken == 1 ? byte >= low && byte <= high : IsContinuation(byte);
      if (!in_range) {
        complete = false;
        break;
      }
      code_point = code_point << 6 | (byte & 0x3F);
      ++taken;
    }
    i += taken;
    if (!complete) {
      *next++ = kReplacement;
      valid = false;
    } else if (code_point < 0x10000) {
      *next++ = static_cast<char16_t>(code_point);
    } else {
      code_point -= 0x10000;
      *next++ = static_cast<char16_t>(0xD800 + (code_point >> 10));
      *next++ = static_cast<char16_t>(0xDC00 + (code_point & 0x3FF));
    }
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
  if (exact) *exact = valid;
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  const std::size_t size = utf16.size();
  // A unit gives at most three bytes, a surrogate pair four.
  std::string out(size * 3, '\0');
  char* next = out.data();
  std::size_t i = 0;
  while (i < size) {
    char16_t unit = utf16[i++];
    if (unit < 0x80) {
      *next++ = static_cast<char>(unit);
    } else if (unit >= 0xD800 && unit <= 0xDBFF && i < size && utf16[i] >= 0xDC00 &&
               utf16[i] <= 0xDFFF) {
      next = WriteUtf8(next, 0x10000 + ((unit - 0xD800) << 10) + (utf16[i++] - 0xDC00));
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      next = WriteUtf8(next, kReplacement);
    } else {
      next = WriteUtf8(next, unit);
    }
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
  return out;
}

}  // namespace pagelink
