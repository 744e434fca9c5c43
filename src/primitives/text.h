#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "primitives/values.h"

// Text and number operations on code page 936 text. Lengths and positions are bytes;
// positions are 1-based and -1 means "not found". Searching steps by characters: a byte of
// 0x80 or above forms one character with the byte after it. Case folding maps A-Z to a-z
// and nothing else, whatever the locale. No operation fails: out-of-range arguments give
// -1 or the empty text. A text ends at its first zero byte, should one slip in.
namespace pagelink {

// Bytes before the first zero byte.
std::int32_t TextLength(const Text& text);

// The parts one after another, allocated once.
Text JoinText(std::initializer_list<std::string_view> parts);

// -1, 0 or 1, comparing bytes as unsigned values; a prefix is the smaller.
int CompareText(const Text& left, const Text& right);

// Drops the fraction toward zero; the low 32 bits of the 64-bit integer. NaN and values
// beyond the 64-bit range give 0.
std::int32_t TruncateToInt(double value);

// The bytes from start (1-based) for length, clipped at the end; empty when out of range.
Text MidText(const Text& text, std::int32_t start, std::int32_t length);

// Position of the first occurrence of sub that begins on a character boundary at or after
// start, counted from the text's first byte; -1 if none. An empty sub is found at 1.
std::int32_t FindText(const Text& text, const Text& sub, std::int32_t start = 1,
                      bool ignore_case = false);

inline constexpr std::int32_t kNoLimit = -1;

// Replaces occurrences of sub from start on, left to right, at most count of them (a
// negative count: all). An inserted replacement is never searched again. Note the sense of
// the flag: set means case matters, clear folds ASCII letters.
Text ReplaceText(const Text& text, const Text& sub, const Text& replacement = {},
                 std::int32_t start = 1, std::int32_t count = kNoLimit,
                 bool case_sensitive = false);

// Leading blanks, an optional sign and decimal digits, after folding full-width forms to
// ASCII; wraps modulo 2^32; 0 when there is no number.
std::int32_t TextToInt(const Text& text);

// "%.13g" with a three-digit exponent, independent of the C locale. Negative zero gives "0";
// infinities and NaN give "inf", "-inf" and "nan".
Text NumberToText(double value);
// Plain decimal.
Text NumberToText(std::int32_t value);

// count spaces; empty for a count of 0 or less.
Text BlankText(std::int32_t count);

}  // namespace pagelink
