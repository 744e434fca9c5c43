#include "primitives/text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <system_error>

namespace pagelink {
namespace {

// A text ends at its first zero byte. Text values never hold one, but a caller's bytes might,
// and every operation must then agree on where the text ends.
std::string_view Content(std::string_view text) { return text.substr(0, text.find('\0')); }

bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

// Only A-Z fold; second bytes of double-byte characters fold too, so the fold is per byte.
constexpr std::array<unsigned char, 256> kFoldedByte = [] {
  std::array<unsigned char, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    table[byte] = static_cast<unsigned char>(byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte);
  }
  return table;
}();

bool SpanMatches(const char* at, std::string_view sub, bool fold_case) {
  if (!fold_case) return std::char_traits<char>::compare(at, sub.data(), sub.size()) == 0;
  for (std::size_t i = 0; i < sub.size(); ++i) {
    if (kFoldedByte[static_cast<unsigned char>(at[i])] !=
        kFoldedByte[static_cast<unsigned char>(sub[i])]) {
      return false;
    }
  }
  return true;
}

// Where a search begins: start is 1-based, and anything below 1 means the first byte.
std::size_t StartOffset(std::int32_t start) {
  return start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
}

// Walks text by characters from offset, trying sub at each character's first byte.
// Returns the offset of the first match, or npos. A lone lead byte at the very end is one
// character on its own, so the walk never steps past the text.
std::size_t FindFrom(std::string_view text, std::string_view sub, std::size_t offset,
                     bool fold_case) {
  const unsigned char first = kFoldedByte[static_cast<unsigned char>(sub.front())];
  std::size_t p = offset;
  while (text.size() - p >= sub.size()) {
    const auto byte = static_cast<unsigned char>(text[p]);
    if (kFoldedByte[byte] == first && SpanMatches(text.data() + p, sub, fold_case)) return p;
    p += IsLeadByte(byte) && p + 1 < text.size() ? 2 : 1;
  }
  return std::string_view::npos;
}

// Full-width forms read like their ASCII twins when a number is parsed.
std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  std::size_t p = 0;
  while (p < text.size()) {
    const auto lead = static_cast<unsigned char>(text[p]);
    if (!IsLeadByte(lead) || p + 1 == text.size()) {
      folded += text[p++];
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[p + 1]);
    if (lead == 0xA1 && trail == 0xA1) {
      folded += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      folded += '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      folded += '*';
    } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      folded += static_cast<char>(trail - 0x80);
    } else {
      folded.append(text.substr(p, 2));
    }
    p += 2;
  }
  return folded;
}

bool IsSpaceByte(char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

bool IsDigitByte(char byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

std::int32_t TextLength(const Text& text) {
  return static_cast<std::int32_t>(Content(text).size());
}

Text JoinText(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += Content(part).size();
  Text joined;
  joined.reserve(total);
  for (std::string_view part : parts) joined.append(Content(part));
  return joined;
}

int CompareText(const Text& left, const Text& right) {
  // char_traits<char>::compare orders bytes as unsigned char, as the comparison must.
  const int order = Content(left).compare(Content(right));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::int32_t TruncateToInt(double value) {
  // 2^63: beyond it (and for NaN) the conversion has no value, so give 0 rather than
  // undefined behaviour. A plain cast truncates toward zero whatever the rounding mode.
  constexpr double kLimit = 9223372036854775808.0;
  if (!(std::fabs(value) < kLimit)) return 0;
  return static_cast<std::int32_t>(static_cast<std::int64_t>(value));
}

Text MidText(const Text& text, std::int32_t start, std::int32_t length) {
  const std::string_view content = Content(text);
  if (start < 1 || length <= 0) return {};
  const std::size_t offset = static_cast<std::size_t>(start) - 1;
  if (offset >= content.size()) return {};
  return Text(content.substr(offset, static_cast<std::size_t>(length)));
}

std::int32_t FindText(const Text& text, const Text& sub, std::int32_t start, bool ignore_case) {
  const std::string_view content = Content(text);
  const std::string_view wanted = Content(sub);
  const std::size_t offset = StartOffset(start);
  if (offset >= content.size()) return -1;
  if (wanted.empty()) return 1;
  const std::size_t found = FindFrom(content, wanted, offset, ignore_case);
  return found == std::string_view::npos ? -1 : static_cast<std::int32_t>(found + 1);
}

Text ReplaceText(const Text& text, const Text& sub, const Text& replacement, std::int32_t start,
                 std::int32_t count, bool case_sensitive) {
  const std::string_view content = Content(text);
  const std::string_view wanted = Content(sub);
  const std::string_view with = Content(replacement);
  const std::size_t offset = StartOffset(start);
  if (content.empty() || wanted.empty() || offset >= content.size() || count == 0) {
    return Text(content);
  }

  // Unmatched bytes are copied in runs, between matches, into one growing buffer.
  Text result;
  result.reserve(content.size());
  std::size_t copied_to = 0;
  std::size_t p = offset;
  std::int32_t left = count;
  while (true) {
    const std::size_t found = FindFrom(content, wanted, p, !case_sensitive);
    if (found == std::string_view::npos) break;
    result.append(content.substr(copied_to, found - copied_to));
    result.append(with);
    p = copied_to = found + wanted.size();
    if (left > 0 && --left == 0) break;
  }
  result.append(content.substr(copied_to));
  return result;
}

std::int32_t TextToInt(const Text& text) {
  const std::string folded = FoldFullWidth(Content(text));
  std::size_t p = 0;
  while (p < folded.size() && IsSpaceByte(folded[p])) ++p;
  bool negative = false;
  if (p < folded.size() && (folded[p] == '+' || folded[p] == '-')) negative = folded[p++] == '-';
  // Unsigned arithmetic wraps modulo 2^32 without undefined behaviour.
  std::uint32_t value = 0;
  while (p < folded.size() && IsDigitByte(folded[p])) {
    value = value * 10u + static_cast<std::uint32_t>(folded[p++] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

Text NumberToText(double value) {
  if (value == 0.0) return "0";  // negative zero too: a page number has no sign of zero
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");

  // Thirteen significant digits, correctly rounded, without the C locale: d.dddddddddddde±X.
  constexpr int kPrecision = 13;
  std::array<char, 64> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                     std::chars_format::scientific, kPrecision - 1);
  const std::string_view scientific(buffer.data(), written.ptr - buffer.data());
  const std::size_t e = scientific.find('e');
  const bool negative = scientific.front() == '-';
  std::string digits;
  for (char c : scientific.substr(0, e)) {
    if (IsDigitByte(c)) digits += c;
  }
  const std::string_view exponent_text = scientific.substr(e + 2);
  int exponent = 0;
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);
  if (scientific[e + 1] == '-') exponent = -exponent;

  Text result = negative ? "-" : "";
  if (exponent < -4 || exponent >= kPrecision) {
    std::string fraction = digits.substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    result += digits.front();
    if (!fraction.empty()) result += "." + fraction;
    // The exponent always has at least three digits: 1e+013, 1.5e-005.
    const std::string_view magnitude = exponent_text;
    result += exponent < 0 ? "e-" : "e+";
    result.append(magnitude.size() < 3 ? 3 - magnitude.size() : 0, '0');
    result += magnitude;
    return result;
  }
  std::string whole;
  std::string fraction;
  if (exponent >= 0) {
    whole = digits.substr(0, exponent + 1);
    fraction = digits.substr(exponent + 1);
  } else {
    whole = "0";
    fraction = std::string(-exponent - 1, '0') + digits;
  }
  fraction.erase(fraction.find_last_not_of('0') + 1);
  result += whole;
  if (!fraction.empty()) result += "." + fraction;
  return result;
}

Text NumberToText(std::int32_t value) {
  std::array<char, 16> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return Text(buffer.data(), written.ptr);
}

Text BlankText(std::int32_t count) {
  return count <= 0 ? Text() : Text(static_cast<std::size_t>(count), ' ');
}

}  // namespace pagelink
