#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pagelink {

// Code page 936 text (UTF-8 only on its way through the conversions). Never holds a zero
// byte. The empty value also stands for the absent text: no operation treats them apart.
using Text = std::string;

// Any bytes, zero bytes included, in one contiguous block. Empty stands for absent.
using Bytes = std::vector<std::uint8_t>;

}  // namespace pagelink
