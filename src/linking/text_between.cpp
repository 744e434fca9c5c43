#include "linking/text_between.h"

#include "primitives/text.h"

namespace pagelink {
namespace {

// "#引号" in code page 936: markers are typed where a double quote would end a string literal.
constexpr char kQuoteStandIn[] = "#\xD2\xFD\xBA\xC5";

Text WithQuotes(const Text& marker) {
  return ReplaceText(marker, kQuoteStandIn, "\"", 1, kNoLimit, true);
}

}  // namespace

Text TextBetween(const Text& text, const Text& start_marker, const Text& end_marker,
                 std::optional<std::int32_t> start_position, std::optional<bool> ignore_case) {
  const Text start = WithQuotes(start_marker);
  const Text end = WithQuotes(end_marker);
  const bool fold = ignore_case.value_or(false);

  std::int32_t after_start = FindText(text, start, start_position.value_or(0), fold);
  if (after_start == -1) return {};
  after_start += TextLength(start);
  const std::int32_t end_at = FindText(text, end, after_start, fold);
  if (end_at == -1) return {};
  return MidText(text, after_start, end_at - after_start);
}

}  // namespace pagelink
