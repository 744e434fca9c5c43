#pragma once

#include <string>
#include <string_view>

// UTF-8 to and from UTF-16, substituting as Windows does.
namespace pagelink {

// Reads all of utf8. Each maximal ill-formed sequence becomes U+FFFD; when exact is given,
// it tells whether there was none.
std::u16string Utf8ToUtf16(std::string_view utf8, bool* exact = nullptr);

// Writes all of utf16; a surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace pagelink
