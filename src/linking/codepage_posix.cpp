#include "linking/codepage_platform.h"
#include "primitives/utf8.h"

// Linux has no system code page: pages and paths are code page 936 text inside the program,
// and the only other code page in use is UTF-8.
namespace pagelink {

std::int32_t SystemCodePage() { return 936; }

std::u16string PlatformToUtf16(std::string_view text, std::int32_t code_page, bool* exact) {
  if (code_page == 65001) return Utf8ToUtf16(text, exact);
  if (exact) *exact = false;
  return {};
}

std::string PlatformFromUtf16(std::u16string_view utf16, std::int32_t code_page) {
  return code_page == 65001 ? Utf16ToUtf8(utf16) : std::string();
}

}  // namespace pagelink
