#include "window/display_text_win32.h"

#include <windows.h>

#include "linking/codepage.h"

namespace pagelink {

// UTF-8 is the bridge both ways: the 936 conversions carry the four-byte codes, which the
// system's own code page 936 tables do not know.

std::wstring Utf8ToDisplay(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring display(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, display.data(), units);
  return display;
}

std::wstring TextToDisplay(const Text& text) { return Utf8ToDisplay(GbkToUtf8(text)); }

Text DisplayToText(const std::wstring& display) {
  if (display.empty()) return {};
  const int units = static_cast<int>(display.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, display.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, display.data(), units, utf8.data(), size, nullptr, nullptr);
  return Utf8ToGbk(utf8);
}

}  // namespace pagelink
