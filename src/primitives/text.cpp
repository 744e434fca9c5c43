#include "primitives/text.h"

#include <algorithm>
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

// Finds sub in text at character boundaries, moving forward only. A match may begin only
// where a character begins, as a walk from the search's start offset would see it (a byte of
// 0x80 or above takes the next byte with it). Walking byte by byte is a chain of dependent
// loads, so instead the searcher jumps between bytes that could begin a match (memchr) and
// settles whether each one begins a character by looking back: the byte after any byte below
// 0x80 begins a character (that byte is a character itself or the end of a pair), and from
// there the bytes of 0x80 or above pair up. Every byte is looked at a bounded number of
// times, so a whole run of finds over one text stays a single pass.
class CharacterSearch {
 public:
  CharacterSearch(std::string_view text, std::string_view sub, bool fold_case)
      : text_(text), sub_(sub), fold_case_(fold_case) {
    const auto first = static_cast<unsigned char>(sub.front());
    const unsigned char folded = kFoldedByte[first];
    if (fold_case && folded >= 'a' && folded <= 'z') {
      candidates_ = {folded, static_cast<unsigned char>(folded - 0x20)};
      candidate_count_ = 2;
    } else {
      candidates_ = {first, first};
    }
  }

  // The first match at or after offset, or npos. offset must begin a character of the walk,
  // and successive calls must not go back.
  std::size_t FindFrom(std::size_t offset) {
    if (text_.size() < sub_.size()) return std::string_view::npos;
    const std::size_t last_start = text_.size() - sub_.size();
    std::size_t known_start = offset;
    for (std::size_t q = NextCandidate(offset); q <= last_start; q = NextCandidate(q + 1)) {
      std::size_t run_start = q;
      while (run_start > known_start &&
             IsLeadByte(static_cast<unsigned char>(text_[run_start - 1]))) {
        --run_start;
      }
      if ((q - run_start) % 2 != 0) {
        known_start = q + 1;  // q is a second byte, so its pair ends here
        continue;
      }
      if (SpanMatches(text_.data() + q, sub_, fold_case_)) return q;
      known_start = q;
    }
    return std::string_view::npos;
  }

 private:
  // The first byte at or after from that could begin a match; npos when none is left. Each
  // byte's next position is remembered, so a byte absent from the rest of the text is not
  // looked for again.
  std::size_t NextCandidate(std::size_t from) {
    std::size_t nearest = std::string_view::npos;
    for (int i = 0; i < candidate_count_; ++i) {
      if (next_[i] <= from) next_[i] = text_.find(static_cast<char>(candidates_[i]), from);
      nearest = std::min(nearest, next_[i]);
    }
    return nearest;
  }

  std::string_view text_;
  std::string_view sub_;
  bool fold_case_;
  std::array<unsigned char, 2> candidates_{};
  int candidate_count_ = 1;
  std::array<std::size_t, 2> next_{};  // where each candidate byte next occurs, once searched
};

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
  const std::size_t found = CharacterSearch(content, wanted, ignore_case).FindFrom(offset);
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
  CharacterSearch search(content, wanted, !case_sensitive);
  while (true) {
    const std::size_t found = search.FindFrom(p);
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
