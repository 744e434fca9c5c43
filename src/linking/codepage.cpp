#include "linking/codepage.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "linking/codepage_platform.h"
#include "primitives/gbk.h"

namespace pagelink {
namespace {

bool IsSystemCodePage(std::int32_t code_page) {
  return code_page == kSystemCodePage || code_page == SystemCodePage();
}

bool IsGbk(std::int32_t code_page) {
  return code_page == kCodePage936 ||
         (code_page == kSystemCodePage && SystemCodePage() == kCodePage936);
}

// A text ends at its first zero byte, as the platform reads it.
std::string_view UpToZero(const Text& text) {
  return std::string_view(text).substr(0, text.find('\0'));
}

std::u16string ToUtf16(std::string_view text, std::int32_t code_page, bool* exact) {
  if (IsGbk(code_page)) {
    if (exact) *exact = true;
    return GbkToUtf16(text);
  }
  return PlatformToUtf16(text, code_page, exact);
}

std::string FromUtf16(std::u16string_view utf16, std::int32_t code_page) {
  return IsGbk(code_page) ? Utf16ToGbk(utf16) : PlatformFromUtf16(utf16, code_page);
}

}  // namespace

// The buffer is as long as the text read in the system code page would need, or longer when
// the chosen code page needs more: every unit fits, and the rest is zero units.
Bytes MultiByteToUtf16(const Text& text, std::optional<std::int32_t> code_page) {
  std::string_view input = UpToZero(text);
  std::int32_t chosen = code_page.value_or(kCodePageUtf8);
  std::u16string units = ToUtf16(input, chosen, nullptr);
  std::size_t system_count =
      IsSystemCodePage(chosen) ? units.size() : ToUtf16(input, kSystemCodePage, nullptr).size();
  Bytes utf16((std::max(system_count, units.size()) + 1) * 2, 0);
  for (std::size_t i = 0; i < units.size(); ++i) {
    utf16[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
    utf16[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
  }
  return utf16;
}

// Reads up to the first zero unit, and never past the last whole unit.
Text Utf16ToMultiByte(const Bytes& utf16, std::optional<std::int32_t> code_page) {
  std::u16string units;
  units.reserve(utf16.size() / 2);
  for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
    char16_t unit = static_cast<char16_t>(utf16[i] | utf16[i + 1] << 8);
    if (unit == 0) break;
    units += unit;
  }
  return FromUtf16(units, code_page.value_or(kSystemCodePage));
}

Text Utf8ToGbk(const Text& utf8, bool* exact) {
  std::string_view input = UpToZero(utf8);
  bool valid = true;
  Text gbk = Utf16ToGbk(ToUtf16(input, kCodePageUtf8, &valid));
  if (exact) *exact = valid && input.size() == utf8.size();
  return gbk;
}

Text GbkToUtf8(const Text& gbk) { return FromUtf16(GbkToUtf16(UpToZero(gbk)), kCodePageUtf8); }

}  // namespace pagelink
