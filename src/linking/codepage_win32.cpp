#include <windows.h>

#include "linking/codepage_platform.h"

namespace pagelink {

std::int32_t SystemCodePage() { return static_cast<std::int32_t>(GetACP()); }

// First strictly, to learn whether the text is valid; then, if it is not, with the
// platform's substitutions. Some code pages take no flags at all: they are read the second way.
std::u16string PlatformToUtf16(std::string_view text, std::int32_t code_page, bool* exact) {
  if (exact) *exact = true;
  if (text.empty()) return {};
  const UINT page = static_cast<UINT>(code_page);
  const int length = static_cast<int>(text.size());
  DWORD flags = MB_ERR_INVALID_CHARS;
  int count = MultiByteToWideChar(page, flags, text.data(), length, nullptr, 0);
  if (count == 0) {
    if (exact) *exact = false;
    flags = 0;
    count = MultiByteToWideChar(page, flags, text.data(), length, nullptr, 0);
    if (count == 0) return {};
  }
  std::u16string utf16(static_cast<std::size_t>(count), u'\0');
  count = MultiByteToWideChar(page, flags, text.data(), length,
                              reinterpret_cast<wchar_t*>(utf16.data()), count);
  utf16.resize(static_cast<std::size_t>(count));
  return utf16;
}

std::string PlatformFromUtf16(std::u16string_view utf16, std::int32_t code_page) {
  if (utf16.empty()) return {};
  const UINT page = static_cast<UINT>(code_page);
  const auto* units = reinterpret_cast<const wchar_t*>(utf16.data());
  const int length = static_cast<int>(utf16.size());
  DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int count = WideCharToMultiByte(page, flags, units, length, nullptr, 0, nullptr, nullptr);
  if (count == 0 && flags != 0) {
    flags = 0;
    count = WideCharToMultiByte(page, flags, units, length, nullptr, 0, nullptr, nullptr);
  }
  if (count == 0) return {};
  std::string text(static_cast<std::size_t>(count), '\0');
  count = WideCharToMultiByte(page, flags, units, length, text.data(), count, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(count));
  return text;
}

}  // namespace pagelink
