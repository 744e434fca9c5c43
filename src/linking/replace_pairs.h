#pragma once

#include <cstdint>
#include <optional>

#include "primitives/values.h"

namespace pagelink {

// Applies up to five find/replace pairs one after another; each later pair also sees what
// the earlier ones inserted. maximum_count bounds each pair separately; left out means every
// occurrence (the only optional parameter whose presence counts). start_position 0 is 1.
// Case is folded for ASCII letters unless case_sensitive is true. A pair left out (empty
// find text) changes nothing.
Text ReplacePairs(const Text& text, std::optional<std::int32_t> maximum_count,
                  std::optional<std::int32_t> start_position, std::optional<bool> case_sensitive,
                  const Text& find1, const Text& with1, const Text& find2 = {},
                  const Text& with2 = {}, const Text& find3 = {}, const Text& with3 = {},
                  const Text& find4 = {}, const Text& with4 = {}, const Text& find5 = {},
                  const Text& with5 = {});

}  // namespace pagelink
