#include "linking/replace_pairs.h"

#include "primitives/text.h"

namespace pagelink {

Text ReplacePairs(const Text& text, std::optional<std::int32_t> maximum_count,
                  std::optional<std::int32_t> start_position, std::optional<bool> case_sensitive,
                  const Text& find1, const Text& with1, const Text& find2, const Text& with2,
                  const Text& find3, const Text& with3, const Text& find4, const Text& with4,
                  const Text& find5, const Text& with5) {
  const std::int32_t start = start_position.value_or(0) == 0 ? 1 : *start_position;
  const std::int32_t count = maximum_count.value_or(kNoLimit);
  const bool exact = case_sensitive.value_or(false);

  // Each pair sees what the earlier ones inserted; a pair left out has an empty find text and
  // changes nothing.
  Text working = ReplaceText(text, find1, with1, start, count, exact);
  working = ReplaceText(working, find2, with2, start, count, exact);
  working = ReplaceText(working, find3, with3, start, count, exact);
  working = ReplaceText(working, find4, with4, start, count, exact);
  return ReplaceText(working, find5, with5, start, count, exact);
}

}  // namespace pagelink
