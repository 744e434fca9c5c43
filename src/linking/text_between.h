#pragma once

#include <cstdint>
#include <optional>

#include "primitives/values.h"

namespace pagelink {

// The text strictly between the first start marker at or after start_position and the first
// end marker behind it; empty when either is missing. "#引号" in a marker stands for a double
// quote. Only the values of the optional parameters count: left out reads as 0 and false.
Text TextBetween(const Text& text, const Text& start_marker, const Text& end_marker,
                 std::optional<std::int32_t> start_position = std::nullopt,
                 std::optional<bool> ignore_case = std::nullopt);

}  // namespace pagelink
