#pragma once

#include <string>
#include <string_view>

// Code page 936 extended by GB18030 four-byte codes, to and from UTF-16. Characters that 936
// holds take exactly the bytes 936 gives them (中 = D6 D0, € = 80); every other character
// takes its four-byte code, so any text comes back unchanged.
namespace pagelink {

// Reads all of gbk. A byte that begins no character (a lead byte without its second byte)
// becomes "?", and the byte after it is read on its own.
std::u16string GbkToUtf16(std::string_view gbk);

// Writes all of utf16; a surrogate without its partner becomes "?".
std::string Utf16ToGbk(std::u16string_view utf16);

}  // namespace pagelink
