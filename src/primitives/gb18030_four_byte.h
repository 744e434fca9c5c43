#pragma once

#include <cstdint>
#include <optional>

// GB18030 four-byte codes ([81-FE][30-39][81-FE][30-39]), which carry the characters that
// code page 936 cannot hold. A code is handled as its index: the bytes read as a number in
// the mixed base 126/10/126/10, counted from 81 30 81 30.
namespace pagelink {

inline constexpr std::uint32_t kFourByteCodeCount = 126 * 10 * 126 * 10;

// The character of a four-byte code; none for an index that carries no character.
std::optional<char32_t> FourByteIndexToCodePoint(std::uint32_t index);

// The four-byte code of a Unicode scalar value outside code page 936. Every scalar value
// from U+0080 on has one; none for the ASCII range and for surrogates.
std::optional<std::uint32_t> CodePointToFourByteIndex(char32_t code_point);

}  // namespace pagelink
